// The screen with the text of every language: double-byte glyphs drawn with the settings left at their defaults,
// the clipboard exchanging real characters with other applications, and a drag that leaves the window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "test_screen_harness.h"

using namespace pdt::test;
using namespace screentest;

namespace
{

// What another application puts on the clipboard and reads from it: Unicode text.
void PutUnicode(const std::u16string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    std::memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(char16_t));
    GlobalUnlock(mem);
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, mem), nullptr);
    CloseClipboard();
}

std::u16string ReadUnicode()
{
    if (!OpenClipboard(nullptr))
        return u"<not opened>";
    std::u16string text = u"<no text>";
    if (HANDLE mem = GetClipboardData(CF_UNICODETEXT))
    {
        text = static_cast<const char16_t*>(GlobalLock(mem));
        GlobalUnlock(mem);
    }
    CloseClipboard();
    return text;
}

std::string Printable(const std::u16string& s)
{
    std::string out;
    for (char16_t c : s)
        out += c < 0x80 ? std::string(1, char(c)) : "U+" + std::to_string(unsigned(c)) + " ";
    return out;
}

class ScreenLanguages : public ScreenTest
{
  protected:
    void RightClick(int chooseId)
    {
        ExpectPopupMenu(chooseId);
        ClickAt(screen->m_hWnd, screen->Centre(3, 3), true);
        Pump();
    }
    // The pixels of the first two cells of row 0, where one double-byte character is drawn.
    std::vector<COLORREF> FirstCharacter()
    {
        CRect r0 = screen->GetCharRect(0, 0), r1 = screen->GetCharRect(1, 0);
        std::vector<COLORREF> pixels;
        for (int y = r0.top; y < r0.bottom; ++y)
            for (int x = r0.left; x < r1.right; ++x)
                pixels.push_back(Pixel(x, y));
        return pixels;
    }
    // The character drawn by a screen of the language, with FONT_CHARSET as given (-1: not in the settings).
    std::vector<COLORREF> Drawn(int language, const char* bytes, int charset)
    {
        if (charset < 0)
            theReg.DeleteValue("Settings", "FONT_CHARSET");
        else
            theReg.WriteInt("Settings", "FONT_CHARSET", charset);
        Make("M-20", CSize(21, 8), language);
        Show();
        screen->EnableSimulation(true);
        screen->SetPrompt(bytes);
        screen->RefreshScreen(true, true);
        return FirstCharacter();
    }
};

TEST_F(ScreenLanguages, DoubleByteTextIsDrawnInTheJobsCharacterSetWhenTheSettingsLeaveItAtTheDefault)
{
    struct Case
    {
        int language;
        const char* bytes; // one character of the language
        int charset;       // the set its bytes are in
        int ansi;          // the code page the host converts window text with
    };
    for (Case c : {Case{2, "\x82\xa0", SHIFTJIS_CHARSET, 932}, Case{1, "\xd6\xd0", GB2312_CHARSET, 936},
                   Case{1, "\xa4\xa4", CHINESEBIG5_CHARSET, 950}, Case{1, "\xd6\xd0", GB2312_CHARSET, 1252}})
    {
        SCOPED_TRACE(c.charset);
        const int saved = GetACP();
        SetAnsiCodePage(c.ansi);
        std::vector<COLORREF> asDefault = Drawn(c.language, c.bytes, -1);
        std::vector<COLORREF> inItsSet = Drawn(c.language, c.bytes, c.charset);
        std::vector<COLORREF> asAnsi = Drawn(c.language, c.bytes, ANSI_CHARSET);
        int dark = 0;
        for (COLORREF p : asDefault)
            dark += GetRValue(p) < 0x60 && GetGValue(p) < 0x60 && GetBValue(p) < 0x60;
        EXPECT_GT(dark, 5) << "a glyph is drawn";
        EXPECT_TRUE(asDefault == inItsSet) << "the default draws the character as its own set does";
        EXPECT_FALSE(asDefault == asAnsi) << "not as two single-byte characters";
        theReg.WriteInt("Settings", "FONT_CHARSET", DEFAULT_CHARSET);
        EXPECT_TRUE(Drawn(c.language, c.bytes, DEFAULT_CHARSET) == inItsSet) << "the default written out";
        SetAnsiCodePage(saved);
    }
}

TEST_F(ScreenLanguages, CopyAndPasteExchangeCharactersWithOtherApplications)
{
    struct Case
    {
        int language;
        const char* bytes;      // the screen's text in the language's code page
        std::u16string text;    // the same text as other applications see it
        std::u16string other;   // a text another application offers
        const char* otherBytes; // how the screen keeps it
    };
    const Case cases[] = {
        {2, "\x8f\xa4\x95\x69\x82\xf0\x83\x58\x83\x4c\x83\x83\x83\x93", u"商品をスキャン", u"数量: 12",
         "\x90\x94\x97\xca: 12"},
        {1, "\xd6\xd0\xce\xc4\xca\xfd\xc1\xbf", u"中文数量", u"数量: 12", "\xca\xfd\xc1\xbf: 12"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.language == 2 ? "Japanese" : "Chinese");
        TestScreen& s = Make("M-20", CSize(21, 8), c.language);
        Show();
        s.SetPrompt(c.bytes);
        Drag(s.m_hWnd, s.Centre(0, 0), s.Centre(int(std::strlen(c.bytes)) - 1, 0));
        RightClick(ID_PSCREEN_COPY);
        EXPECT_EQ(ReadUnicode(), c.text) << Printable(ReadUnicode());

        // Pasted back in, the copy gives the same bytes.
        s.SetPrompt("");
        ClickAt(s.m_hWnd, s.Centre(0, 0));
        RightClick(ID_PSCREEN_PASTE);
        EXPECT_EQ(s.GetPrompt(), c.bytes);

        PutUnicode(c.other);
        s.SetPrompt("");
        ClickAt(s.m_hWnd, s.Centre(0, 0));
        RightClick(ID_PSCREEN_PASTE);
        EXPECT_EQ(s.GetPrompt(), c.otherBytes);
    }
}

TEST_F(ScreenLanguages, ADragThatEndsOutsideTheWindowEndsThere)
{
    TestScreen& s = Make();
    Show();
    s.SetPrompt("HELLO WORLD");
    MouseDownAt(s.m_hWnd, s.Centre(1, 0));
    MouseMoveTo(s.m_hWnd, s.Centre(4, 0));
    ASSERT_TRUE(s.m_bSelecting && s.m_bMouseDown);
    EXPECT_EQ(CWnd::GetCapture(), &s) << "the screen keeps the mouse while the button is down";

    // Released over the host, right of the screen: the screen hears it all the same.
    CRect r;
    s.GetWindowRect(&r);
    host->ScreenToClient(&r);
    const CPoint outside(r.right + 20, r.top + 10);
    MouseMoveTo(host->m_hWnd, outside);
    MouseUpAt(host->m_hWnd, outside);
    EXPECT_FALSE(s.m_bMouseDown || s.m_bSelAnchored) << "the drag has ended";
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_TRUE(s.m_bSelecting) << "what was selected stays shown";

    MouseMoveTo(s.m_hWnd, s.Centre(8, 0), false);
    EXPECT_EQ(s.m_ptSelEnd, CPoint(4, 0)) << "moving over the screen afterwards selects nothing more";

    // A drag cut short by another window taking the mouse ends where it was, too.
    MouseDownAt(s.m_hWnd, s.Centre(1, 0));
    MouseMoveTo(s.m_hWnd, s.Centre(3, 0));
    host->SetCapture();
    EXPECT_FALSE(s.m_bMouseDown || s.m_bSelAnchored);
    ReleaseCapture();
    MouseMoveTo(s.m_hWnd, s.Centre(8, 0), false);
    EXPECT_EQ(s.m_ptSelEnd, CPoint(3, 0));
}

} // namespace
