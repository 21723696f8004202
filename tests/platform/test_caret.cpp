// The system caret: hide counting, one caret per thread, position, blinking, and drawing over the window
// without touching what its device contexts read back.
#include "platform/testing/pdttest.h"

#include <QElapsedTimer>

using namespace pdt::test;

namespace
{

class Caret : public PaintTest
{
  protected:
    void SetUp() override
    {
        PaintTest::SetUp();
        blink = GetCaretBlinkTime();
        SetCaretBlinkTime(INFINITE); // steady, so that what is shown does not depend on the moment
    }
    void TearDown() override
    {
        ::DestroyCaret();
        SetCaretBlinkTime(blink);
        PaintTest::TearDown();
    }
    UINT blink = 0;
};

TEST_F(Caret, StartsHiddenAndEachHideNeedsItsOwnShow)
{
    wnd.CreateSolidCaret(2, 10);
    pdt::hooks::CaretInfo c = pdt::hooks::GetCaretInfo();
    EXPECT_EQ(c.owner, wnd.m_hWnd);
    EXPECT_EQ(c.size, CSize(2, 10));
    EXPECT_EQ(c.hideLevel, 1) << "a new caret is hidden";

    wnd.ShowCaret();
    EXPECT_EQ(pdt::hooks::GetCaretInfo().hideLevel, 0);
    wnd.ShowCaret(); // already shown: stays shown, no credit is kept
    EXPECT_EQ(pdt::hooks::GetCaretInfo().hideLevel, 0);
    wnd.HideCaret();
    wnd.HideCaret();
    EXPECT_EQ(pdt::hooks::GetCaretInfo().hideLevel, 2);
    wnd.ShowCaret();
    EXPECT_EQ(pdt::hooks::GetCaretInfo().hideLevel, 1) << "still hidden after one show";
    EXPECT_TRUE(::ShowCaret(nullptr)) << "null means the caret of this thread";
    EXPECT_EQ(pdt::hooks::GetCaretInfo().hideLevel, 0);

    // A zero size takes the system's border width and height.
    wnd.CreateSolidCaret(0, 0);
    EXPECT_EQ(pdt::hooks::GetCaretInfo().size, CSize(GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)));
}

TEST_F(Caret, OneCaretPerThreadTheNewestWins)
{
    PaintWnd other;
    ASSERT_TRUE(other.Open(300, 40));
    wnd.CreateSolidCaret(2, 10);
    wnd.ShowCaret();
    wnd.SetCaretPos(CPoint(5, 6));
    EXPECT_EQ(CWnd::GetCaretPos(), CPoint(5, 6));
    other.CreateGrayCaret(3, 12);
    pdt::hooks::CaretInfo c = pdt::hooks::GetCaretInfo();
    EXPECT_EQ(c.owner, other.m_hWnd);
    EXPECT_EQ(c.hideLevel, 1);
    EXPECT_EQ(c.pos, CPoint(0, 0)) << "the new caret starts at the origin";
    EXPECT_FALSE(::ShowCaret(wnd)) << "the old owner has no caret any more";
    EXPECT_FALSE(::HideCaret(wnd));
    EXPECT_TRUE(::ShowCaret(other));

    // Destroying the owner destroys its caret.
    other.DestroyWindow();
    Pump();
    EXPECT_EQ(pdt::hooks::GetCaretInfo().owner, nullptr);
    EXPECT_FALSE(::DestroyCaret()) << "nothing left to destroy";
    EXPECT_FALSE(::SetCaretPos(1, 1));
    POINT p{-1, -1};
    EXPECT_FALSE(::GetCaretPos(&p));
}

TEST_F(Caret, IsDrawnOverTheWindowButNotIntoItsImage)
{
    wnd.CreateSolidCaret(2, 10);
    wnd.SetCaretPos(CPoint(20, 30));
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(20, 30)), kWhite) << "hidden";
    wnd.ShowCaret();
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(20, 30)), kBlack) << "white inverted";
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(21, 39)), kBlack);
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(22, 30)), kWhite);
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(20, 40)), kWhite);
    EXPECT_EQ(PixelAt(wnd, CPoint(20, 30)), kWhite) << "the backing image is untouched";

    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(0, 0, 100, 100, kRed);
    }
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(20, 30)), RGB(0, 255, 255)) << "red inverted";
    EXPECT_EQ(PixelAt(wnd, CPoint(20, 30)), kRed);

    wnd.SetCaretPos(CPoint(50, 30));
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(20, 30)), kRed) << "the old place is repaired";
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(50, 30)), RGB(0, 255, 255));
    wnd.HideCaret();
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(50, 30)), kRed);
}

TEST_F(Caret, BlinksAtTheBlinkTime)
{
    SetCaretBlinkTime(40);
    wnd.CreateSolidCaret(2, 10);
    wnd.ShowCaret();
    EXPECT_TRUE(pdt::hooks::GetCaretInfo().blinkPhaseOn) << "shown at once";
    int changes = 0;
    bool last = true;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 1000 && changes < 3)
    {
        Pump();
        bool now = pdt::hooks::GetCaretInfo().blinkPhaseOn;
        changes += now != last;
        last = now;
    }
    EXPECT_GE(changes, 3);
    wnd.HideCaret();
    EXPECT_FALSE(pdt::hooks::GetCaretInfo().blinkPhaseOn);
}

} // namespace
