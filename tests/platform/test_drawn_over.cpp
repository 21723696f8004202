// What the double-byte font dialog needs of the platform, as Win32 does it: a dialog painted for what is invalid,
// statics that keep what is drawn over them until they paint themselves, bitmap bits read back, and the simple
// combo box with its list always open under the edit.
#include "platform/testing/pdttest.h"

#include <QListView>

#include <vector>

#include "platform/afxdd.h"
#include "resources/testdlg.h"

using namespace pdt::test;

namespace
{

// A dialog that records the area of each WM_PAINT.
class PaintedDialog : public CDialog
{
  public:
    PaintedDialog() : CDialog(IDD_HOST)
    {
    }
    std::vector<CRect> painted;
    void OnPaint()
    {
        CPaintDC dc(this);
        painted.push_back(CRect(dc.m_ps.rcPaint));
    }
    DECLARE_MESSAGE_MAP()
};
const MessageMap &PaintedDialog::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(), {mm::Paint(&PaintedDialog::OnPaint)});
    return map;
}

class DialogPaint : public ShownDialog<PaintedDialog>
{
};

TEST_F(DialogPaint, ShownInvalidatedAndUpdatedAsWin32PaintsAWindow)
{
    Pump();
    CRect client;
    dlg.GetClientRect(&client);
    ASSERT_FALSE(dlg.painted.empty()) << "a dialog is painted when it is shown";
    EXPECT_EQ(dlg.painted.back(), client);

    struct Step
    {
        std::vector<CRect> invalid;
        bool update; // UpdateWindow right away, else the queue runs
        CRect expected;
    };
    const Step steps[] = {
        {{CRect(10, 10, 30, 20)}, false, CRect(10, 10, 30, 20)},
        {{CRect(10, 10, 30, 20), CRect(40, 5, 50, 25)}, false, CRect(10, 5, 50, 25)}, // one WM_PAINT for both
        {{CRect(0, 0, 5, 5)}, true, CRect(0, 0, 5, 5)},
    };
    for (const Step &s : steps)
    {
        dlg.painted.clear();
        for (const CRect &r : s.invalid)
            dlg.InvalidateRect(&r, FALSE);
        if (s.update)
        {
            dlg.UpdateWindow();
            EXPECT_EQ(dlg.painted.size(), 1u) << "UpdateWindow paints at once";
        }
        else
            EXPECT_TRUE(dlg.painted.empty()) << "WM_PAINT waits for the queue";
        Pump();
        ASSERT_EQ(dlg.painted.size(), 1u);
        EXPECT_EQ(dlg.painted[0], s.expected);
    }
    Pump();
    EXPECT_EQ(dlg.painted.size(), 1u) << "a validated dialog is not painted again";
}

using DrawnOver = ControlTest;

TEST_F(DrawnOver, AStaticKeepsWhatIsDrawnOverItUntilItPaintsItself)
{
    HWND h = host.Make("Static", SS_LEFT, CRect(10, 10, 110, 50), 300);
    CWnd *st = CWnd::FromHandle(h);
    const CPoint at(20, 15);
    COLORREF background = ShownPixelAt(h, at);
    ASSERT_NE(background, kRed);

    struct Step
    {
        const char *name;
        std::function<void()> repaint; // what makes the static paint itself
    };
    const Step steps[] = {
        {"invalidated and updated",
         [&] {
             st->Invalidate();
             st->UpdateWindow();
         }},
        {"given a text",
         [&] {
             st->SetWindowText("Now with text");
             Pump();
         }},
    };
    for (const Step &s : steps)
    {
        SCOPED_TRACE(s.name);
        {
            CClientDC dc(st);
            dc.FillSolidRect(CRect(15, 10, 30, 25), kRed);
            EXPECT_EQ(dc.GetPixel(at), kRed);
        }
        Pump();
        EXPECT_EQ(ShownPixelAt(h, at), kRed) << "shown over the static";
        EXPECT_EQ(PixelAt(h, at), kRed);
        EXPECT_NE(ShownPixelAt(h, CPoint(60, 30)), kRed) << "only where it was drawn";
        s.repaint();
        Pump();
        EXPECT_NE(ShownPixelAt(h, at), kRed);
    }
}

TEST(BitmapBits, ComeBackInTheLayoutTheyWereMadeIn)
{
    struct Row
    {
        const char *name;
        int width, height, bpp;
        std::vector<BYTE> bits; // rows padded to 16 bits
        DWORD asked;
        DWORD copied;
    };
    const Row rows[] = {
        {"mono 16", 16, 2, 1, {0xF0, 0x0F, 0xAA, 0x55}, 4, 4},
        {"mono 10, padded", 10, 2, 1, {0xFF, 0xC0, 0x80, 0x40}, 4, 4},
        {"mono, fewer asked", 16, 2, 1, {0x12, 0x34, 0x56, 0x78}, 3, 3},
        {"mono, more asked", 8, 1, 1, {0x81, 0x00}, 10, 2},
        {"colour", 2, 1, 32, {0x10, 0x20, 0x30, 0x00, 0xFF, 0x00, 0x80, 0x00}, 8, 8},
    };
    for (const Row &row : rows)
    {
        SCOPED_TRACE(row.name);
        CBitmap bmp;
        ASSERT_TRUE(bmp.CreateBitmap(row.width, row.height, 1, row.bpp, row.bits.data()));
        std::vector<BYTE> back(row.asked + 4, 0xEE);
        EXPECT_EQ(bmp.GetBitmapBits(row.asked, back.data()), row.copied);
        std::vector<BYTE> expected(row.bits.begin(), row.bits.begin() + row.copied);
        EXPECT_EQ(std::vector<BYTE>(back.begin(), back.begin() + row.copied), expected);
        EXPECT_EQ(back[row.copied], 0xEE) << "nothing written past what was copied";
    }
    CBitmap none;
    BYTE b[2];
    EXPECT_EQ(none.GetBitmapBits(2, b), 0u);
}

// Colour drawn on a window captured into a one-bit bitmap: the source's background colour reads as 1.
TEST_F(DrawnOver, ACaptureIntoAMonochromeBitmapReadsTheBackgroundAsSetBits)
{
    HWND h = host.Make("Static", SS_LEFT, CRect(10, 10, 60, 40), 301);
    CWnd *st = CWnd::FromHandle(h);
    struct Row
    {
        COLORREF background, ink;
    };
    for (Row row : {Row{kWhite, kBlack}, Row{kBlue, kWhite}, Row{kRed, kGreen}})
    {
        CClientDC dc(st);
        dc.FillSolidRect(CRect(0, 0, 16, 16), row.background);
        dc.FillSolidRect(CRect(3, 2, 5, 3), row.ink); // two pixels of the third row
        dc.SetBkColor(row.background);
        CDC mem;
        ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
        CBitmap capture;
        ASSERT_TRUE(capture.CreateCompatibleBitmap(&mem, 16, 16));
        CBitmap *old = mem.SelectObject(&capture);
        ASSERT_TRUE(mem.BitBlt(0, 0, 16, 16, &dc, 0, 0, SRCCOPY));
        mem.SelectObject(old);
        BYTE bits[32];
        ASSERT_EQ(capture.GetBitmapBits(32, bits), 32u);
        for (int i = 0; i < 32; ++i)
            EXPECT_EQ(bits[i], i == 4 ? 0xE7 : 0xFF) << "byte " << i;
    }
}

TEST_F(DrawnOver, SimpleComboShowsItsListTypingSelectsTheNamedItemAndAClickChooses)
{
    CComboBox combo;
    HWND h = host.Make("ComboBox", CBS_SIMPLE | CBS_SORT | WS_TABSTOP, CRect(10, 10, 150, 130), 302, &combo);
    for (const char *s : {"Times", "Arial", "Courier"})
        combo.AddString(s);
    Pump();
    CRect r;
    combo.GetWindowRect(&r);
    EXPECT_EQ(r.Height(), 120) << "the list stays inside the control, always open";
    auto *list = Peer(h)->findChild<QListView *>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    combo.ShowDropDown(TRUE);
    EXPECT_FALSE(combo.GetDroppedState()) << "nothing drops";

    struct Step
    {
        const char *typed; // or null: click item `click`
        int click;
        int sel;
        const char *text;
        int selChanges;
    };
    const Step steps[] = {
        {"courier", -1, 1, "courier", 0}, // the exact name, any case, selects quietly and keeps the typing
        {"cour", -1, -1, "cour", 0},
        {nullptr, 2, 2, "Times", 1},
        {"arial", -1, 0, "arial", 0},
    };
    for (const Step &s : steps)
    {
        SCOPED_TRACE(s.typed ? s.typed : "click");
        host.Forget();
        if (s.typed)
            Type(host, 302, s.typed);
        else
            ChooseComboItem(h, s.click);
        EXPECT_EQ(combo.GetCurSel(), s.sel);
        EXPECT_EQ(combo.GetWindowText(), s.text);
        EXPECT_EQ(host.Count(CBN_SELCHANGE), s.selChanges);
        if (s.typed)
        {
            EXPECT_GT(host.Count(CBN_EDITCHANGE), 0);
        }
        EXPECT_EQ(list->currentIndex().row(), s.sel) << "the list shows the selection";
    }
}

} // namespace
