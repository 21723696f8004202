// Portable screen: painting, the cursor mark and caret, focus, mouse selection, context menu and clipboard.
#include "simulation/PortableScreen.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "resources/resource.h"

namespace
{

// UTF-8 (as the code-page conversions give it) to the clipboard's UTF-16 and back. Malformed input becomes
// U+FFFD, never a crash.
std::u16string Utf8ToUtf16(std::string_view in)
{
    std::u16string out;
    for (size_t i = 0; i < in.size();)
    {
        const auto b = static_cast<unsigned char>(in[i]);
        const int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra >= 0 && i + size_t(extra) < in.size();
        for (int k = 1; ok && k <= extra; ++k)
        {
            const auto cont = static_cast<unsigned char>(in[i + size_t(k)]);
            ok = (cont & 0xC0) == 0x80;
            c = (c << 6) | (cont & 0x3F);
        }
        if (!ok || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        i += size_t(extra) + 1;
        if (c >= 0x10000)
        {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        }
        else
            out += char16_t(c);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view in)
{
    std::string out;
    for (size_t i = 0; i < in.size(); ++i)
    {
        char32_t c = in[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (in[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        if (c < 0x80)
            out += char(c);
        else if (c < 0x800)
            out += {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
        else if (c < 0x10000)
            out += {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
        else
            out += {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)), char(0x80 | ((c >> 6) & 0x3F)),
                    char(0x80 | (c & 0x3F))};
    }
    return out;
}

} // namespace

const MessageMap& CPortableScreen::GetThisMessageMap()
{
    using T = CPortableScreen;
    static const MessageMap map(
        &CWnd::GetThisMessageMap(),
        {
            mm::GetDlgCode(&T::OnGetDlgCode),
            mm::Paint(&T::OnPaint),
            mm::Focus(WM_SETFOCUS, &T::OnSetFocus),
            mm::Mouse(WM_LBUTTONDOWN, &T::OnLButtonDown),
            mm::Focus(WM_KILLFOCUS, &T::OnKillFocus),
            {WM_CREATE, 0, 0, 0,
             [](CWnd* w, WPARAM, LPARAM lp, LRESULT& r) {
                 r = static_cast<T*>(w)->OnCreate(reinterpret_cast<LPVOID>(lp));
                 return true;
             }},
            mm::Key(WM_CHAR, &T::OnChar),
            mm::Key(WM_KEYDOWN, &T::OnKeyDown),
            mm::ContextMenu(&T::OnContextMenu),
            mm::Mouse(WM_LBUTTONUP, &T::OnLButtonUp),
            mm::Mouse(WM_MOUSEMOVE, &T::OnMouseMove),
            mm::Mouse(WM_RBUTTONDOWN, &T::OnRButtonDown),
                                    mm::Message(WM_CAPTURECHANGED, &T::OnCaptureChanged),
            mm::Command(ID_PSCREEN_CLEARALL, 0, &T::OnClearAll),
            mm::Command(ID_PSCREEN_COPY, 0, &T::OnCopy),
            mm::Command(ID_PSCREEN_PASTE, 0, &T::OnPaste),
            mm::Command(ID_PSCREEN_REDRAW, 0, &T::OnRedraw),
            {WM_ERASEBKGND, 0, 0, 0,
             [](CWnd* w, WPARAM wp, LPARAM, LRESULT& r) {
                 r = static_cast<T*>(w)->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wp)));
                 return true;
             }},
        });
    return map;
}

BOOL CPortableScreen::OnEraseBkgnd(CDC*) { return TRUE; }
void CPortableScreen::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CPortableScreen::OnRButtonDown(UINT, CPoint) { Default(); }

// ---------------------------------------------------------------------------------------------------------------
// Cursor mark: the caret plus a white bar under the cell, drawn straight onto the window.

void CPortableScreen::ShowCursor()
{
    if (m_nMarkHeld || !m_bCursorEnabled || !(m_bSimulation || m_bCaretCreated))
        return;
    ShowCaret();
    DrawCursor(m_ptCursor, nullptr, &m_penCursor);
}

void CPortableScreen::HideCursor()
{
    if (m_nMarkHeld || !m_bCursorEnabled || !(m_bSimulation || m_bCaretCreated))
        return;
    HideCaret();
    DrawCursor(m_ptCursor, nullptr, &m_penErase);
}

void CPortableScreen::DrawCursor(CPoint cell, CDC* pDC, CPen* pen)
{
    if (!IsWindow(m_hWnd))
        return;
    CRect r = GetCharRect(cell.x, cell.y);
    SetCaretPos(CPoint(r.left - 2, r.top - 2));
    if (m_bSelecting)
        return; // the selection's underline is in that place
    CClientDC client(this);
    CDC* dc = pDC ? pDC : &client;
    CPen* old = dc->SelectObject(pen);
    dc->MoveTo(r.left, r.bottom + 3);
    dc->LineTo(r.right - 3, r.bottom + 3);
    dc->SelectObject(old);
}

// ---------------------------------------------------------------------------------------------------------------
// Focus.

void CPortableScreen::OnSetFocus(CWnd*)
{
    Default();
    if (!m_bSimulation && !m_bCaretCreated)
    {
        CreateSolidCaret(std::max(2, GetSystemMetrics(SM_CXBORDER)), m_nCharHeight + 2);
        m_bCaretCreated = true;
    }
    ShowCursor();
}

void CPortableScreen::OnKillFocus(CWnd*)
{
    Default();
    HideCursor();
    if (!m_bSimulation && m_bCaretCreated)
    {
        DestroyCaret();
        m_bCaretCreated = false;
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Painting.

// ---------------------------------------------------------------------------------------------------------------
// What the window shows: after the move backup, in the same block, the cells as they were painted last and three
// flags: whether those are known, and the simulation mode and double-byte drawing they were painted in.

char* CPortableScreen::Shown() const { return m_pBackup ? m_pBackup + m_nBufSize : nullptr; }

namespace
{
enum ShownFlag
{
    SHOWN_KNOWN,
    SHOWN_SIMULATION,
    SHOWN_WIDE
};
// How far a cell's drawing reaches past its rectangle: its glyph overhangs into the next cell (a double-byte pair
// starts in the cell before), its fills and grid lines into the gaps beside and below it, never into the row above.
CRect Reach(const CRect& r, CSize pitch)
{
    return CRect(r.left - pitch.cx, r.top, r.right + pitch.cx, r.bottom + SCREEN_CELL_GAP_Y);
}
} // namespace

void CPortableScreen::InvalidateChanged()
{
    char* shown = Shown();
    const char* flags = shown ? shown + m_nBufSize : nullptr;
    if (!shown || !m_pScreen || !flags[SHOWN_KNOWN] || flags[SHOWN_SIMULATION] != char(m_bSimulation) ||
        flags[SHOWN_WIDE] != char(IsDoubleByte()))
    {
        Invalidate(FALSE);
        return;
    }
    const int total = m_nCols * m_nRows;
    int first = 0, last = total - 1;
    while (first < total && shown[first] == m_pScreen[first])
        ++first;
    if (first == total)
        return;
    while (shown[last] == m_pScreen[last])
        --last;
    const CSize pitch(m_nCharWidth + SCREEN_CELL_GAP_X, m_nCharHeight + SCREEN_CELL_GAP_Y);
    int top = first / m_nCols, bottom = last / m_nCols;
    int left = top == bottom ? first % m_nCols : 0, right = top == bottom ? last % m_nCols : m_nCols - 1;
    CRect area;
    area.UnionRect(Reach(GetCharRect(left, top), pitch), Reach(GetCharRect(right, bottom), pitch));
    InvalidateRect(&area, FALSE);
}

// Cells are drawn where the paint reaches them; every cell whose drawing could touch the painted area is drawn,
// in the same order as for the whole window, so that what the paint shows is what a whole repaint would.
void CPortableScreen::OnPaint()
{
    CPaintDC dc(this);
    if (!m_pScreen)
    {
        // Not set up yet: just the background.
        CRect all;
        GetClientRect(&all);
        dc.FillRect(&all, &m_brBack);
        return;
    }
    CFont* oldFont = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : nullptr;
    CPen* oldPen = dc.SelectObject(&m_penGrid);
    CBrush* oldBrush = dc.SelectObject(&m_brBack);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkColor(m_crBack);

    HideCursor();

    const int W = m_sizeWindow.cx, H = m_sizeWindow.cy;
    // The cell fills below start a little right of each cell, to spare the previous glyph's overhang; the glyph's
    // own background covers that column only as far down as the font is high. Start from a clean background.
    CRect all(0, 0, W, H);
    dc.FillRect(&all, &m_brBack); // the margins with it

    const int single = (m_nCharWidth * 10) / 100;
    // Negative: the second half of a wide character clears back over its first cell.
    const int dbl = (m_nCharHeight * 10) / 100 - m_nCharWidth - SCREEN_CELL_GAP_X;
    const bool wide = IsDoubleByte();
    const CRect paint(dc.m_ps.rcPaint);
    const CSize pitch(m_nCharWidth + SCREEN_CELL_GAP_X, m_nCharHeight + SCREEN_CELL_GAP_Y);
    CRect client;
    GetClientRect(&client);
    const bool whole = paint.left <= client.left && paint.top <= client.top && paint.right >= client.right &&
                       paint.bottom >= client.bottom;
    char* shown = Shown();
    char* flags = shown ? shown + m_nBufSize : nullptr;
    if (flags && (whole || flags[SHOWN_SIMULATION] != char(m_bSimulation) || flags[SHOWN_WIDE] != char(wide)))
    {
        flags[SHOWN_KNOWN] = whole;
        flags[SHOWN_SIMULATION] = char(m_bSimulation);
        flags[SHOWN_WIDE] = char(wide);
    }
    for (int y = 0; y < m_nRows; ++y)
    {
        BYTE lead = 0;
        CRect prev;
        for (int x = 0; x < m_nCols; ++x)
        {
            CRect r = GetCharRect(x, y);
            BYTE b = BYTE(m_pScreen[CellIndex(x, y)]);
            CRect touched;
            if (!whole && !touched.IntersectRect(Reach(r, pitch), paint))
            {
                // Nothing this cell draws reaches the paint: only the pairing of double-byte halves carries on.
                lead = wide && !lead && (b & 0x80) ? b : 0;
                prev = r;
                continue;
            }
            // What the window shows of the cell is known again when all it draws was within the paint.
            CRect seen, inside;
            seen.IntersectRect(Reach(r, pitch), client);
            inside.IntersectRect(seen, paint);
            if (shown && (whole || inside == seen))
                shown[CellIndex(x, y)] = char(b);
            char glyph = char(b);
            if (b == 0)
                glyph = ' ';
            else if (b == 13)
                glyph = wide ? ' ' : char(0xB6);

            CRect fill(r.left + (wide && lead ? dbl : single), r.top, r.right + SCREEN_CELL_GAP_X, r.bottom);
            dc.FillRect(&fill, &m_brBack);
            fill = CRect(r.left - SCREEN_CELL_GAP_X, r.bottom, r.right + SCREEN_CELL_GAP_X, r.bottom + SCREEN_CELL_GAP_Y);
            dc.FillRect(&fill, &m_brBack);

            dc.MoveTo(r.right + 1, r.top);
            dc.LineTo(r.right + 1, r.bottom);
            dc.MoveTo(r.left, r.bottom);
            dc.LineTo(r.right + 1, r.bottom);

            if (!wide)
                dc.TextOut(r.left, r.top, &glyph, 1);
            else if (lead)
            {
                // A single-byte character with bit 7 set (half-width kana) pairs with whatever follows; an empty
                // cell there adds no glyph of its own.
                char pair[2] = {char(lead), char(b)};
                dc.TextOut(prev.left, prev.top, pair, b ? 2 : 1);
                lead = 0;
            }
            else if (b & 0x80)
                lead = b;
            else
                dc.TextOut(r.left, r.top, &glyph, 1);

            if (!m_bSimulation && b == 0)
            {
                int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
                dc.Ellipse(cx - 4, cy - 3, cx + 2, cy + 3);
            }
            prev = r;
        }
    }

    if (m_bSelecting)
    {
        int s = CellIndex(m_ptSelStart.x, m_ptSelStart.y), e = CellIndex(m_ptSelEnd.x, m_ptSelEnd.y);
        if (s > e)
            std::swap(s, e);
        dc.SelectObject(&m_penSelect);
        for (int y = 0; y < m_nRows; ++y)
            for (int x = 0; x < m_nCols; ++x)
            {
                int i = CellIndex(x, y);
                if (m_pScreen[i] == 0)
                    break;
                if (i < s)
                    continue;
                if (i > e)
                    goto selected;
                CRect r = GetCharRect(x, y);
                dc.MoveTo(r.left, r.bottom + 3);
                dc.LineTo(r.right - 3, r.bottom + 3);
            }
    selected:;
    }

    ShowCursor();
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    if (oldFont)
        dc.SelectObject(oldFont);
}

// ---------------------------------------------------------------------------------------------------------------
// Mouse.

bool CPortableScreen::HitTest(CPoint point, CPoint& cell)
{
    for (int y = 0; y < m_nRows; ++y)
        for (int x = 0; x < m_nCols; ++x)
        {
            CRect r = GetCharRect(x, y);
            r.left -= SCREEN_CELL_GAP_X;
            r.top -= SCREEN_CELL_GAP_Y;
            if (r.PtInRect(point))
            {
                cell = CPoint(x, y);
                return true;
            }
        }
    return false;
}

void CPortableScreen::CancelSelection()
{
    if (m_bSelecting)
    {
        m_bSelecting = false;
        Invalidate(FALSE);
    }
}

void CPortableScreen::OnLButtonDown(UINT, CPoint point)
{
    Default();
    if (m_bSimulation)
    {
        // The screen stands for the terminal: a click only brings the simulator forward.
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_ACTIVATE, WA_ACTIVE);
        return;
    }
    HideCursor();
    CancelSelection();
    // The drag is ours until the button comes up, wherever the pointer goes meanwhile.
    SetCapture();
    m_bMouseDown = true;
    m_bSelecting = false;
    m_bSelAnchored = false;
    CPoint cell;
    if (m_pScreen && HitTest(point, cell))
    {
        m_ptCursor = cell;
        if (CWnd::GetFocus() != this)
            SetFocus();
        if (CellAt(cell) != 0)
        {
            m_bSelAnchored = true;
            m_ptSelStart = cell;
            m_ptLastHit = CPoint(-1, -1);
        }
    }
    ShowCursor();
}

void CPortableScreen::OnMouseMove(UINT, CPoint point)
{
    Default();
    if (m_bSimulation || !m_bMouseDown || !m_bSelAnchored)
        return;
    CPoint cell;
    if (HitTest(point, cell) && !(cell == m_ptLastHit))
    {
        m_bSelecting = true;
        m_ptSelEnd = m_ptLastHit = cell;
        Invalidate(FALSE);
    }
}

void CPortableScreen::OnLButtonUp(UINT, CPoint)
{
    Default();
    if (m_bSimulation)
        return;
    m_bMouseDown = false;
    m_bSelAnchored = false;
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
}

// The mouse was taken away mid-drag (another window captured it, the application lost the user): the drag ends
// where it was, as if the button had come up there.
LRESULT CPortableScreen::OnCaptureChanged(WPARAM, LPARAM)
{
    m_bMouseDown = false;
    m_bSelAnchored = false;
    return 0;
}

// ---------------------------------------------------------------------------------------------------------------
// Context menu and its commands.

bool CPortableScreen::CheckClipboard() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

void CPortableScreen::OnContextMenu(CWnd*, CPoint)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_PORTABLESCREEN))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    popup->EnableMenuItem(ID_PSCREEN_COPY, MF_BYCOMMAND | (m_bSelecting ? UINT(MF_ENABLED) : UINT(MF_GRAYED)));
    popup->EnableMenuItem(ID_PSCREEN_PASTE, MF_BYCOMMAND | (CheckClipboard() ? UINT(MF_ENABLED) : UINT(MF_GRAYED)));
    CPoint at;
    GetCursorPos(&at);
    HideCursor();
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, this);
    ShowCursor();
    PostMessage(WM_NULL);
    menu.DestroyMenu();
}

void CPortableScreen::OnClearAll()
{
    if (m_pScreen)
        std::memset(m_pScreen, 0, size_t(m_nBufSize));
    Invalidate(TRUE);
}

void CPortableScreen::OnRedraw() { Invalidate(TRUE); }

void CPortableScreen::OnCopy()
{
    if (!m_bSelecting || !m_pScreen)
        return;
    int s = CellIndex(m_ptSelStart.x, m_ptSelStart.y), e = CellIndex(m_ptSelEnd.x, m_ptSelEnd.y);
    if (s > e)
        std::swap(s, e);
    CString text = GetSelectedText(s, e);
    // Other applications read text as Unicode; the cells' bytes are in the screen's own code page, which need not
    // be the one CF_TEXT is taken in, so the text goes out converted.
    std::u16string units = Utf8ToUtf16(CodePageToUtf8(std::string_view(text.c_str(), size_t(text.GetLength())),
                                                      m_nCodePage ? m_nCodePage : GetACP()));
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (units.size() + 1) * sizeof(char16_t));
    if (!mem)
        return;
    if (void* p = GlobalLock(mem))
    {
        std::memcpy(p, units.c_str(), (units.size() + 1) * sizeof(char16_t));
        GlobalUnlock(mem);
    }
    if (!OpenClipboard())
    {
        GlobalFree(mem);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, mem))
        GlobalFree(mem);
    CloseClipboard();
}

void CPortableScreen::OnPaste()
{
    if (!OpenClipboard())
        return;
    // Taken as Unicode and brought into the screen's code page, for the same reason as in OnCopy.
    HANDLE mem = GetClipboardData(CF_UNICODETEXT);
    const auto* units = mem ? static_cast<const char16_t*>(GlobalLock(mem)) : nullptr;
    if (units)
    {
        size_t count = 0;
        for (size_t limit = GlobalSize(mem) / sizeof(char16_t); count < limit && units[count];)
            ++count;
        const std::string bytes =
            Utf8ToCodePage(Utf16ToUtf8(std::u16string_view(units, count)), m_nCodePage ? m_nCodePage : GetACP());
        const char* p = bytes.c_str();
        HideCursor();
        if (m_pScreen)
            while (*p)
            {
                // CR LF, a lone CR and a lone LF are each one line end.
                UINT c = BYTE(*p++);
                if (c == 13 && *p == 10)
                    ++p;
                else if (c == 10)
                    c = 13;
                if (!InsertChar(c, m_ptCursor, m_pScreen))
                    break;
            }
        ShowCursor();
        InvalidateChanged();
        GlobalUnlock(mem);
    }
    CloseClipboard();
}
