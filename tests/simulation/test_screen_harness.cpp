#include "test_screen_harness.h"

namespace screentest
{

std::string TestScreen::Rows() const
{
    std::string s;
    for (int i = 0; i < m_nBufSize - 3; ++i)
    {
        BYTE b = BYTE(m_pScreen[i]);
        s += std::string(i && i % m_nCols == 0 ? "/" : "") + (b == 0 ? '.' : b == 13 ? '|' : char(b));
    }
    return s;
}

void TestScreen::Load(const std::string& rows)
{
    std::fill(m_pScreen, m_pScreen + m_nBufSize, 0);
    int x = 0, y = 0;
    for (char c : rows)
        if (c == '/')
            x = 0, ++y;
        else
            m_pScreen[m_nCols * y + x++] = c == '.' ? 0 : c == '|' ? 13 : c;
}

HostWindow::HostWindow()
{
    pdt::test::CreatePlainWindow(*this, "PdtScreenTestHost", CRect(40, 40, 680, 460), WS_POPUP | WS_CAPTION);
}

LRESULT HostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ACTIVATE)
        activations.push_back(wParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

void ScreenTest::TearDown()
{
    screen.reset();
    host.reset();
    pdt::test::Pump();
}

TestScreen& ScreenTest::Make(const char* model, CSize cells, int language, CSize offered)
{
    if (!host)
        host = std::make_unique<HostWindow>();
    screen = std::make_unique<TestScreen>();
    EXPECT_TRUE(screen->Create(offered, CRect(8, 8, 8 + offered.cx, 8 + offered.cy), 4254, host.get()));
    EXPECT_TRUE(screen->Initial(model, cells, language));
    return *screen;
}

void ScreenTest::Show()
{
    host->ShowWindow(SW_SHOW);
    pdt::test::Pump();
    screen->UpdateWindow();
}

int ScreenTest::Count(const CRect& r, COLORREF colour, bool dark)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
        {
            COLORREF c = Pixel(x, y);
            n += dark ? c != CLR_INVALID && GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60
                      : c == colour;
        }
    return n;
}

CRect ScreenTest::Inside(int x, int y)
{
    CRect r = screen->GetCharRect(x, y);
    return CRect(r.left, r.top, r.right + 1, r.bottom);
}

} // namespace screentest
