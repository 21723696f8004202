// Shared by the portable screen tests: a screen whose protected parts a test may reach, a top-level window to
// hold it, and readers of its cells and of its painted image.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/testing/pdttest.h"
#include "simulation/PortableScreen.h"
#include "support/AppProfile.h"

namespace screentest
{

constexpr COLORREF kBack = RGB(0xC8, 0xE0, 0x90), kGrid = 0xA1A1A1, kSelect = 0xFF00FF;
using pdt::test::kWhite;

class TestScreen : public CPortableScreen
{
  public:
    TestScreen() : CPortableScreen(kBack) {}
    using CPortableScreen::DeleteChar, CPortableScreen::GetCharRect, CPortableScreen::GetSelectedText,
        CPortableScreen::InsertChar, CPortableScreen::SetText;
    using CPortableScreen::m_bCaretCreated, CPortableScreen::m_bMouseDown, CPortableScreen::m_bSelAnchored,
        CPortableScreen::m_bSelecting, CPortableScreen::m_cLeadByte, CPortableScreen::m_font,
        CPortableScreen::m_nBufSize, CPortableScreen::m_nCharHeight, CPortableScreen::m_nCols,
        CPortableScreen::m_pBackup, CPortableScreen::m_pScreen, CPortableScreen::m_ptCursor,
        CPortableScreen::m_ptSelEnd, CPortableScreen::m_ptSelStart, CPortableScreen::m_sizeWindow;

    BYTE Cell(int x, int y) const { return BYTE(m_pScreen[m_nCols * y + x]); }
    // Rows joined by '/', empty cells as '.', line ends as '|'; Load takes the same form.
    std::string Rows() const;
    void Load(const std::string& rows);
    std::string Bytes() const { return std::string(m_pScreen, size_t(m_nBufSize)); }
    CPoint Centre(int x, int y) { return GetCharRect(x, y).CenterPoint(); }
};

// A plain top-level window of its own class to hold the screen, as a page would; it notes WM_ACTIVATE.
class HostWindow : public CWnd
{
  public:
    HostWindow();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::vector<WPARAM> activations;
};

// Each test has its own settings file, so that one test's font preset does not reach the next.
class ScreenTest : public ::testing::Test
{
  protected:
    void SetUp() override { theReg.SetFileName(pdt::test::TempDir() + "/settings.ini"); }
    void TearDown() override;
    // A screen in the host, set up; offered is the room the owner gives it.
    TestScreen& Make(const char* model = "M-20", CSize cells = CSize(21, 8), int language = 0,
                     CSize offered = CSize(600, 300));
    void Show(); // the host in front, the screen painted
    COLORREF Pixel(int x, int y) { return pdt::test::PixelAt(screen->m_hWnd, CPoint(x, y)); }
    int Count(const CRect& r, COLORREF colour, bool dark = false); // dark: text, every channel below 0x60
    CRect Inside(int x, int y);                                    // a cell without its edges

    std::unique_ptr<HostWindow> host;
    std::unique_ptr<TestScreen> screen;
};

} // namespace screentest
