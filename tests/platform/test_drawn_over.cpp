// What the double-byte font dialog needs of the platform, as Win32 does it: statics that keep what is drawn over
// them until they paint themselves.
#include "platform/testing/pdttest.h"

#include "resources/testdlg.h"

using namespace pdt::test;

namespace
{

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

} // namespace
