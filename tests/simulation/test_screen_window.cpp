// What the screen looks like and how it answers the mouse, the focus, its context menu and the clipboard.
#include <functional>
#include <string>
#include <vector>

#include "platform/afxhooks.h"
#include "resources/resource.h"
#include "test_screen_harness.h"

using namespace pdt::test;
using namespace screentest;

namespace
{

bool Enabled(const pdt::hooks::PopupMenuRequest& menu, UINT id)
{
    for (const auto& item : menu.items)
        if (item.id == id)
            return item.enabled;
    ADD_FAILURE() << "no item " << id;
    return false;
}

class ScreenWindow : public ScreenTest
{
  protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        Make();
        Show();
    }
    // A right click: its release asks for the context menu.
    void RightClick(int chooseId)
    {
        ExpectPopupMenu(chooseId);
        size_t before = PopupMenus().size();
        ClickAt(screen->m_hWnd, screen->Centre(3, 3), true);
        Pump();
        EXPECT_EQ(PopupMenus().size(), before + 1) << "the right button's release opens the menu";
    }
    // How much of the 3-pixel bar under a cell, one pixel in from each end, has the colour (per cent).
    int Bar(int x, int y, COLORREF c)
    {
        CRect r = screen->GetCharRect(x, y);
        CRect bar(r.left + 1, r.bottom + 2, r.right - 4, r.bottom + 5);
        return Count(bar, c) * 100 / (bar.Width() * 3);
    }
    int Dark(const CRect& r) { return Count(r, 0, true); }
};

// ---------------------------------------------------------------------------------------------------------------
// Painting.

TEST_F(ScreenWindow, GridBackgroundDotsAndText)
{
    TestScreen& s = *screen;
    CRect r = s.GetCharRect(0, 0), last = s.GetCharRect(20, 7);
    EXPECT_EQ(Pixel(2, 2), kBack);
    EXPECT_EQ(Pixel(s.m_sizeWindow.cx - 2, s.m_sizeWindow.cy - 2), kBack);
    EXPECT_EQ(Pixel(r.right + 1, r.top + 10), kGrid) << "right edge";
    EXPECT_EQ(Pixel(r.left + 8, r.bottom), kGrid) << "bottom edge";
    EXPECT_EQ(Pixel(r.right + 3, r.top + 10), kBack) << "the gap between cells";
    EXPECT_EQ(Pixel(last.right + 1, last.top + 3), kGrid);
    CPoint c = s.Centre(4, 2);
    CRect dot(c.x - 5, c.y - 4, c.x + 3, c.y + 4);
    EXPECT_GT(Count(dot, kGrid), 0) << "an empty cell's dot in edit mode";

    s.SetPrompt("W\r\n");
    EXPECT_GT(Dark(Inside(0, 0)), 5);
    EXPECT_EQ(Count(Inside(0, 0), kGrid), 0) << "no dot under a character";
    EXPECT_GT(Dark(Inside(1, 0)), 0) << "a line end shows as the pilcrow";
    EXPECT_EQ(Dark(Inside(2, 0)), 0);
    s.EnableSimulation(true);
    s.RefreshScreen(true, true);
    EXPECT_EQ(Count(dot, kGrid), 0) << "no dots in simulation";
}

// A change repaints only the cells it touched, with their neighbours, and shows what a whole repaint shows: a mark
// drawn in the far corner stays, and every other pixel is the whole repaint's. A change of mode repaints it all.
TEST_F(ScreenWindow, AChangeRepaintsItsCellsAsAWholeRepaintWould)
{
    auto print = [](int x, int y, std::string text) {
        return [=](TestScreen& s) mutable {
            s.SetCursorPosition(x, y);
            s.PrintStringTty(text.data());
        };
    };
    struct Case
    {
        const char* what;
        int language;
        bool simulation;
        const char* before;
        std::function<void(TestScreen&)> change;
        bool onlyNear; // the mark in the bottom-right cell is left alone
    };
    const Case cases[] = {
        {"a digit printed", 0, true, "Qty:", print(4, 0, "7"), true},
        {"a character inserted moves the rest of its paragraph", 0, false, "ABC\r\nDEF",
         [](TestScreen& s) {
             CPoint at(0, 0);
             s.InsertChar('X', at, s.m_pScreen);
         },
         true},
        {"a double-byte character printed", 2, true, "A", print(1, 0, "\x82\xa0"), true},
        {"the screen scrolled by a line feed on the last row", 0, true, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8",
         print(0, 7, "\n"), false},
        {"simulation switched off", 0, true, "Qty:",
         [&](TestScreen& s) {
             s.EnableSimulation(false);
             print(4, 0, "7")(s);
         },
         false},
    };
    auto shot = [](TestScreen& s) {
        CClientDC dc(&s);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < s.m_sizeWindow.cy; ++y)
            for (int x = 0; x < s.m_sizeWindow.cx; ++x)
                pixels.push_back(dc.GetPixel(x, y));
        return pixels;
    };
    const COLORREF kMark = RGB(0xFF, 0, 0);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        TestScreen& s = Make("M-20", CSize(21, 8), c.language);
        Show();
        s.EnableSimulation(c.simulation);
        s.SetPrompt(c.before);
        s.RefreshScreen(true, true);
        const CPoint mark = s.Centre(20, 7);
        CClientDC(&s).SetPixel(mark.x, mark.y, kMark);

        c.change(s);
        s.RefreshScreen(false, true);
        std::vector<COLORREF> changed = shot(s);
        EXPECT_EQ(Pixel(mark.x, mark.y) == kMark, c.onlyNear);
        s.RefreshScreen(true, true);
        std::vector<COLORREF> whole = shot(s);
        ASSERT_EQ(changed.size(), whole.size());
        size_t differ = 0;
        for (size_t i = 0; i < whole.size(); ++i)
            differ += changed[i] != whole[i] && i != size_t(mark.y * s.m_sizeWindow.cx + mark.x);
        EXPECT_EQ(differ, 0u);
    }
}

TEST_F(ScreenWindow, CursorBarAndCaret)
{
    TestScreen& s = *screen;
    EXPECT_EQ(Bar(0, 0, kWhite), 0) << "edit mode without the focus: no mark";
    EXPECT_EQ(pdt::hooks::GetCaretInfo().owner, nullptr);
    s.SetCursorPosition(2, 1);
    Focus(s.m_hWnd);
    pdt::hooks::CaretInfo caret = pdt::hooks::GetCaretInfo();
    ASSERT_EQ(caret.owner, s.m_hWnd);
    EXPECT_EQ(caret.size, CSize(2, s.m_nCharHeight + 2));
    CRect r = s.GetCharRect(2, 1);
    EXPECT_EQ(caret.pos, CPoint(r.left - 2, r.top - 2));
    EXPECT_EQ(caret.hideLevel, 0) << "shown";
    EXPECT_EQ(Bar(2, 1, kWhite), 100);
    Focus(host->m_hWnd);
    EXPECT_FALSE(s.m_bCaretCreated);
    EXPECT_EQ(pdt::hooks::GetCaretInfo().owner, nullptr);
    EXPECT_EQ(Bar(2, 1, kWhite), 0);

    // In simulation the bar follows the output, drawn and erased at once, with no caret.
    s.EnableSimulation(true);
    Focus(s.m_hWnd);
    EXPECT_EQ(pdt::hooks::GetCaretInfo().owner, nullptr);
    s.SetCursorPosition(0, 0);
    std::string hi = "Hi";
    s.PrintStringTty(hi.data());
    EXPECT_EQ(Bar(0, 0, kWhite), 0);
    EXPECT_EQ(Bar(2, 0, kWhite), 100);
    s.EnableCursor(0);
    s.RefreshScreen(true, true);
    EXPECT_EQ(Bar(2, 0, kWhite), 0) << "a repaint clears what a disabled cursor left";
    s.SetCursorPosition(5, 5);
    EXPECT_EQ(Bar(5, 5, kWhite), 0);
}

// ---------------------------------------------------------------------------------------------------------------
// Mouse.

TEST_F(ScreenWindow, ClickAndDragSelect)
{
    TestScreen& s = *screen;
    s.SetPrompt("HELLO WORLD");
    ClickAt(s.m_hWnd, s.Centre(15, 3));
    EXPECT_EQ(s.m_ptCursor, CPoint(15, 3));
    EXPECT_TRUE(s.m_bCaretCreated && FocusId() == 4254) << "a click takes the focus";
    EXPECT_FALSE(s.m_bSelAnchored || s.m_bMouseDown) << "an empty cell anchors nothing";

    Drag(s.m_hWnd, s.Centre(1, 0), s.Centre(4, 0));
    EXPECT_TRUE(s.m_bSelecting);
    EXPECT_FALSE(s.m_bSelAnchored || s.m_bMouseDown) << "released: shown, not anchored";
    EXPECT_EQ(s.m_ptSelStart, CPoint(1, 0));
    EXPECT_EQ(s.m_ptSelEnd, CPoint(4, 0));
    EXPECT_EQ(s.m_ptCursor, CPoint(1, 0));
    for (int x = 0; x <= 5; ++x)
        EXPECT_EQ(Bar(x, 0, kSelect), x >= 1 && x <= 4 ? 100 : 0) << x;
    EXPECT_EQ(Bar(1, 0, kWhite), 0) << "no cursor bar over a selection";
    Key(VK_RIGHT);
    EXPECT_FALSE(s.m_bSelecting) << "a cursor key cancels it";
    EXPECT_EQ(Bar(3, 0, kSelect), 0);

    Drag(s.m_hWnd, s.Centre(4, 0), s.Centre(1, 0));
    EXPECT_EQ(s.m_ptSelStart, CPoint(4, 0));
    EXPECT_EQ(Bar(2, 0, kSelect), 100) << "dragging backwards orders the indexes";
    Key(VK_DELETE);
    EXPECT_TRUE(s.m_bSelecting) << "Delete keeps it";
    Type("x");
    EXPECT_FALSE(s.m_bSelecting) << "typing cancels it";
    EXPECT_EQ(s.GetPrompt(), "HELLx WORLD");

    Drag(s.m_hWnd, s.Centre(15, 0), s.Centre(3, 0));
    EXPECT_FALSE(s.m_bSelecting) << "a press on an empty cell selects nothing";
    EXPECT_EQ(s.m_ptCursor, CPoint(15, 0));
}

TEST_F(ScreenWindow, InSimulationAClickOnlyActivatesTheParent)
{
    TestScreen& s = *screen;
    s.SetPrompt("ABC");
    s.EnableSimulation(true);
    s.SetCursorPosition(9, 5);
    host->activations.clear();
    Drag(s.m_hWnd, s.Centre(0, 0), s.Centre(2, 0));
    ClickAt(s.m_hWnd, s.Centre(1, 1));
    EXPECT_EQ(s.m_ptCursor, CPoint(9, 5));
    EXPECT_FALSE(s.m_bSelecting || s.m_bMouseDown);
    EXPECT_EQ(host->activations, (std::vector<WPARAM>{WA_ACTIVE, WA_ACTIVE}));
}

// ---------------------------------------------------------------------------------------------------------------
// Context menu, clipboard.

TEST_F(ScreenWindow, ContextMenuGraysCopyAndPaste)
{
    TestScreen& s = *screen;
    s.SetPrompt("ABC");
    SetClipboardText(nullptr);
    RightClick(0);
    ASSERT_EQ(PopupMenus().size(), 1u);
    const auto& first = PopupMenus()[0];
    EXPECT_EQ(first.owner, s.m_hWnd);
    std::vector<std::pair<UINT, CString>> items;
    for (const auto& item : first.items)
        items.emplace_back(item.id, item.text);
    EXPECT_EQ(items,
              (std::vector<std::pair<UINT, CString>>{
                  {32771, "Copy"}, {32772, "Paste"}, {0, ""}, {32773, "Clear All"}, {0, ""}, {32775, "Redraw"}}));
    EXPECT_FALSE(Enabled(first, ID_PSCREEN_COPY) || Enabled(first, ID_PSCREEN_PASTE));
    EXPECT_TRUE(Enabled(first, ID_PSCREEN_CLEARALL) && Enabled(first, ID_PSCREEN_REDRAW));
    EXPECT_EQ(s.GetPrompt(), "ABC") << "dismissed";

    SetClipboardText("text");
    Drag(s.m_hWnd, s.Centre(0, 0), s.Centre(1, 0));
    RightClick(0);
    ASSERT_EQ(PopupMenus().size(), 2u);
    EXPECT_TRUE(Enabled(PopupMenus()[1], ID_PSCREEN_COPY) && Enabled(PopupMenus()[1], ID_PSCREEN_PASTE));
    EXPECT_TRUE(s.m_bSelecting) << "a right click keeps the selection";
    s.EnableSimulation(true);
    RightClick(0);
    EXPECT_EQ(PopupMenus().size(), 3u) << "offered in simulation too";
}

TEST_F(ScreenWindow, ClearAllAndRedraw)
{
    TestScreen& s = *screen;
    s.SetPrompt("ABC\r\nDEF");
    s.SetCursorPosition(2, 1);
    RightClick(ID_PSCREEN_CLEARALL);
    EXPECT_EQ(s.Bytes(), std::string(size_t(s.m_nBufSize), '\0'));
    EXPECT_EQ(s.m_ptCursor, CPoint(2, 1)) << "the cursor stays";
    EXPECT_EQ(Dark(Inside(0, 0)), 0);
    {
        CClientDC dc(&s); // a blot drawn behind the screen's back
        dc.FillSolidRect(2, 2, 30, 30, RGB(255, 0, 0));
    }
    RightClick(ID_PSCREEN_REDRAW);
    EXPECT_EQ(Count(CRect(2, 2, 32, 32), RGB(255, 0, 0)), 0) << "every pixel is painted again";
}

TEST_F(ScreenWindow, CopyPutsTheSelectionOnTheClipboard)
{
    TestScreen& s = *screen;
    s.Load("AB/CDE");
    s.Invalidate();
    SetClipboardText(nullptr);
    Drag(s.m_hWnd, s.Centre(0, 0), s.Centre(6, 4));
    RightClick(ID_PSCREEN_COPY);
    EXPECT_EQ(ClipboardText(), "AB\r\nCDE") << "rows end early; empty rows after the text add nothing";

    s.SetPrompt("LINE\r\n\r\nNEXT");
    Drag(s.m_hWnd, s.Centre(2, 2), s.Centre(1, 0));
    RightClick(ID_PSCREEN_COPY);
    EXPECT_EQ(ClipboardText(), "INE\r\n\r\nNEX") << "from the earlier cell to the press cell, marks kept";
}

TEST_F(ScreenWindow, PasteInsertsAtTheCursorUntilTheScreenIsFull)
{
    TestScreen& s = Make("M-20", CSize(8, 4));
    Show();
    SetClipboardText("AB\nCD\r\nEF\rG");
    RightClick(ID_PSCREEN_PASTE);
    EXPECT_EQ(s.Rows(), "AB|...../CD|...../EF|...../G.......") << "LF, CR LF and CR each end a line";
    EXPECT_EQ(s.m_ptCursor, CPoint(1, 3));
    EXPECT_EQ(ClipboardText(), "AB\nCD\r\nEF\rG");

    s.SetPrompt("xy");
    ClickAt(s.m_hWnd, s.Centre(2, 0));
    SetClipboardText(std::string(4, 'a').append(36, 'b').c_str());
    RightClick(ID_PSCREEN_PASTE);
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(s.GetPrompt(), "xyaaaa" + std::string(25, 'b'));
    EXPECT_EQ(s.m_ptCursor, CPoint(7, 3)) << "stopped where the screen is full";
    EXPECT_EQ(s.SendMessage(WM_ERASEBKGND), TRUE) << "painting covers every pixel itself";
    EXPECT_EQ(s.SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS, LRESULT(DLGC_WANTALLKEYS));
}

} // namespace
