// Window positions are stored as "left,top,right,bottom" in screen pixels (the outer rectangle, as
// GetWindowRect gives it), so a person can read and repair them in the settings file.
#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "support/Support.h"

namespace
{

// Beyond any desktop: a value this far out is damage, not a position.
constexpr long kMaxCoordinate = 100000;
constexpr int kTitleStrip = 24; // the part of a window one drags it by
constexpr int kMinVisibleWidth = 48;

bool ParseRect(const CString& text, CRect& rect)
{
    long v[4];
    const char* p = text.c_str();
    for (int i = 0; i < 4; ++i)
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        char* end = nullptr;
        errno = 0;
        v[i] = std::strtol(p, &end, 10);
        if (end == p || errno == ERANGE || v[i] > kMaxCoordinate || v[i] < -kMaxCoordinate)
            return false;
        p = end;
        while (*p == ' ' || *p == '\t')
            ++p;
        if (i < 3)
        {
            if (*p != ',')
                return false;
            ++p;
        }
    }
    if (*p != '\0')
        return false;
    rect = CRect(int(v[0]), int(v[1]), int(v[2]), int(v[3]));
    return rect.right > rect.left && rect.bottom > rect.top;
}

// True when enough of the window's title strip is on a screen to grab it there.
bool TitleOnScreen(const CRect& r)
{
    QRect strip(r.left, r.top, r.Width(), std::min(kTitleStrip, r.Height()));
    int needWidth = std::min(kMinVisibleWidth, strip.width());
    int needHeight = std::min(kTitleStrip / 2, strip.height());
    for (QScreen* s : QGuiApplication::screens())
    {
        QRect seen = strip.intersected(s->availableGeometry());
        if (seen.width() >= needWidth && seen.height() >= needHeight)
            return true;
    }
    return false;
}

// A stored size larger than the work area of the screen its title is on (a settings file from a larger desktop, or
// damaged) is cut to that area, and the window slid onto it; a window that fits stays where it was put.
CRect FitOnScreen(const CRect& r)
{
    QRect strip(r.left, r.top, r.Width(), std::min(kTitleStrip, r.Height()));
    for (QScreen* s : QGuiApplication::screens())
    {
        const QRect area = s->availableGeometry();
        if (!strip.intersects(area))
            continue;
        if (r.Width() <= area.width() && r.Height() <= area.height())
            return r; // partly off the screen is the person's choice
        const int w = std::min(int(r.Width()), area.width()), h = std::min(int(r.Height()), area.height());
        const int left = std::clamp(int(r.left), area.left(), area.left() + area.width() - w);
        const int top = std::clamp(int(r.top), area.top(), area.top() + area.height() - h);
        return CRect(left, top, left + w, top + h);
    }
    return r;
}

bool Usable(CWnd* wnd, LPCTSTR section, LPCTSTR key)
{
    return wnd && IsWindow(wnd->m_hWnd) && section && *section && key && *key;
}

} // namespace

BOOL PutWindowPosition(CWnd* wnd, LPCTSTR section, LPCTSTR key, CAppProfile& store)
{
    if (!Usable(wnd, section, key))
        return FALSE;
    WINDOWPLACEMENT wp{};
    if (!wnd->GetWindowPlacement(&wp) || wp.showCmd == SW_SHOWMINIMIZED)
        return FALSE; // a minimised window's rectangle is no place to come back to
    CRect r;
    wnd->GetWindowRect(&r);
    if (r.IsRectEmpty())
        return FALSE;
    CString value;
    value.Format("%d,%d,%d,%d", int(r.left), int(r.top), int(r.right), int(r.bottom));
    return store.WriteString(section, key, value);
}

BOOL SetWindowPosition(CWnd* wnd, LPCTSTR section, LPCTSTR key, CAppProfile& store, int flags)
{
    if (!Usable(wnd, section, key))
        return FALSE;
    CRect stored;
    if (!ParseRect(store.GetString(section, key, ""), stored))
        return FALSE;
    CRect now;
    wnd->GetWindowRect(&now);
    CRect target = stored;
    if (flags & 1) // position only: the window keeps its size
        target = CRect(CPoint(stored.left, stored.top), now.Size());
    if (target.IsRectEmpty() || !TitleOnScreen(target))
        return FALSE;
    if (!(flags & 1))
        target = FitOnScreen(target);
    if ((wnd->GetStyle() & WS_CHILD) && wnd->GetParent())
        wnd->GetParent()->ScreenToClient(&target);
    wnd->MoveWindow(&target);
    return TRUE;
}
