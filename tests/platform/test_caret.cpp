// The system caret: it starts hidden and each hide needs its own show.
#include "platform/testing/pdttest.h"


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

} // namespace
