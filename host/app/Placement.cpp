#include "host/app/Placement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace
{

constexpr int kGap = 8; // between the anchor and the window

bool Contains(const CRect& outer, const CRect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlaps(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int Clamp(int v, int lo, int hi) { return hi < lo ? lo : std::clamp(v, lo, hi); }

} // namespace

CRect WorkAreaAt(CPoint pt)
{
    QScreen* s = QGuiApplication::screenAt(QPoint(pt.x, pt.y));
    if (!s)
        s = QGuiApplication::primaryScreen();
    if (!s)
        return CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    QRect r = s->availableGeometry();
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

CRect PlaceBeside(const CRect& current, const CRect& anchor, const CRect& work)
{
    if (!Overlaps(current, anchor) && Contains(work, current))
        return current;
    const int w = current.Width(), h = current.Height();
    // Level with the anchor's top beside it, centred on it above and below; slid along that side to fit.
    const int top = Clamp(anchor.top, work.top, work.bottom - h);
    const int left = Clamp(anchor.CenterPoint().x - w / 2, work.left, work.right - w);
    const CRect sides[] = {
        CRect(CPoint(anchor.right + kGap, top), CSize(w, h)),
        CRect(CPoint(anchor.left - kGap - w, top), CSize(w, h)),
        CRect(CPoint(left, anchor.bottom + kGap), CSize(w, h)),
        CRect(CPoint(left, anchor.top - kGap - h), CSize(w, h)),
    };
    for (const CRect& r : sides)
        if (Contains(work, r))
            return r;
    // Nothing fits beside it: on the screen, on the side with the most room.
    bool right = work.right - anchor.right >= anchor.left - work.left;
    CRect r = right ? sides[0] : sides[1];
    r.OffsetRect(Clamp(r.left, work.left, work.right - w) - r.left, 0);
    return r;
}
