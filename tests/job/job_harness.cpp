#include "job_harness.h"

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

namespace pdt::test
{

void ClickArrow(const CWnd& page, int bar, bool up)
{
    HWND h = Item(page, bar);
    auto* w = qobject_cast<QScrollBar*>(Peer(h));
    ASSERT_NE(w, nullptr) << bar << " is not a scroll bar";
    QStyleOptionSlider opt;
    opt.initFrom(w);
    opt.subControls = QStyle::SC_All;
    opt.orientation = w->orientation();
    opt.minimum = w->minimum();
    opt.maximum = w->maximum();
    opt.sliderPosition = w->sliderPosition();
    opt.sliderValue = w->value();
    QPoint p = w->style()
                   ->subControlRect(QStyle::CC_ScrollBar, &opt,
                                    up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine, w)
                   .center();
    ClickAt(h, CPoint(p.x(), p.y()));
    Pump();
}

} // namespace pdt::test
