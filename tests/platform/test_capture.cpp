// Mouse capture: the holder hears every mouse message wherever the pointer is.
#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/pdttest.h"

using namespace pdt::test;

namespace
{

struct Heard
{
    UINT message;
    LPARAM lParam;
};

class MouseWindow : public CWnd
{
  public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CAPTURECHANGED || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST))
            heard.push_back({message, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<Heard> Of(UINT message) const
    {
        std::vector<Heard> of;
        for (const Heard& h : heard)
            if (h.message == message)
                of.push_back(h);
        return of;
    }
    std::vector<Heard> heard;
};

class Capture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreatePlainWindow(a, "PdtCaptureA", CRect(0, 0, 200, 100)));
        ASSERT_TRUE(CreatePlainWindow(b, "PdtCaptureB", CRect(300, 0, 500, 100)));
        Pump();
    }
    void TearDown() override
    {
        ReleaseCapture();
        a.DestroyWindow();
        b.DestroyWindow();
        Pump();
    }
    MouseWindow a, b;
};

TEST_F(Capture, MouseMessagesOverAnotherWindowGoToTheHolderInItsClientCoordinates)
{
    struct Case
    {
        bool captured;
        const char* what;
    };
    for (Case c : {Case{false, "without capture the window under the pointer hears"},
                   Case{true, "with capture the holder hears"}})
    {
        SCOPED_TRACE(c.what);
        a.heard.clear();
        b.heard.clear();
        if (c.captured)
            SetCapture(a.m_hWnd);
        MouseMoveTo(b.m_hWnd, CPoint(10, 20));
        MouseUpAt(b.m_hWnd, CPoint(10, 20));
        MouseWindow& hearer = c.captured ? a : b;
        MouseWindow& other = c.captured ? b : a;
        ASSERT_EQ(hearer.Of(WM_LBUTTONUP).size(), 1u);
        EXPECT_EQ(hearer.Of(WM_MOUSEMOVE).size(), 1u);
        EXPECT_TRUE(other.Of(WM_LBUTTONUP).empty() && other.Of(WM_MOUSEMOVE).empty());
        CPoint expected(10, 20);
        b.ClientToScreen(&expected);
        hearer.ScreenToClient(&expected);
        LPARAM lp = hearer.Of(WM_LBUTTONUP)[0].lParam;
        EXPECT_EQ(CPoint(short(LOWORD(lp)), short(HIWORD(lp))), expected);
        if (c.captured)
        {
            EXPECT_GE(short(LOWORD(lp)), 200) << "b lies right of a: the point is beyond a's right edge";
        }
        ReleaseCapture();
    }
}

} // namespace
