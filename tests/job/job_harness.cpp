#include "job_harness.h"

#include <QStyle>

namespace pdt::test
{

void ClickArrow(const CWnd& page, int bar, bool up)
{
    HWND h = Item(page, bar);
    CRect r = ScrollBarPart(h, up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
    ASSERT_FALSE(r.IsRectEmpty()) << bar << " is not a scroll bar";
    ClickAt(h, r.CenterPoint());
    Pump();
}

} // namespace pdt::test
