// Portable screen: the cell buffer, the cursor and the output operations that the simulator drives.
#include "simulation/PortableScreen.h"

#include <algorithm>
#include <cstring>

namespace
{
// Win32's simple beep, as opposed to the error sound of a refused key.
constexpr UINT kSimpleBeep = 0xFFFFFFFF;
} // namespace

// ---------------------------------------------------------------------------------------------------------------
// Cells and neighbours.

int CPortableScreen::GetCharIndex(int x, int y) { return CellIndex(x, y); }

bool CPortableScreen::GetNextPos(CPoint pos, CPoint& next) { return NextCell(pos, next); }

bool CPortableScreen::GetPrevPos(CPoint pos, CPoint& prev)
{
    if (pos.x > 0)
    {
        prev = CPoint(pos.x - 1, pos.y);
        return true;
    }
    if (pos.y > 0)
    {
        prev = CPoint(m_nCols - 1, pos.y - 1);
        return true;
    }
    return false;
}

CRect CPortableScreen::GetCharRect(int x, int y)
{
    int left = m_nMarginLeft + x * (m_nCharWidth + SCREEN_CELL_GAP_X);
    int top = m_nMarginTop + y * (m_nCharHeight + SCREEN_CELL_GAP_Y);
    return CRect(left, top, left + m_nCharWidth, top + m_nCharHeight);
}

// ---------------------------------------------------------------------------------------------------------------
// Modes and cursor.

void CPortableScreen::EnableSimulation(bool bEnable)
{
    m_bSimulation = bEnable;
    if (bEnable)
    {
        m_bScroll = true;
        m_bCursorEnabled = true;
    }
}

void CPortableScreen::EnableScroll(int n) { m_bScroll = n == 1; }
void CPortableScreen::EnableCursor(int n) { m_bCursorEnabled = n == 1; }

WORD CPortableScreen::GetCursorPosition()
{
    return WORD(((m_ptCursor.y & 0xFF) << 8) | (m_ptCursor.x & 0xFF));
}

void CPortableScreen::MoveCursorTo(CPoint pos)
{
    HideCursor();
    m_ptCursor = pos;
    ShowCursor();
}

void CPortableScreen::SetCursorPosition(int x, int y)
{
    MoveCursorTo(CPoint(std::min(x, m_nCols - 1), std::min(y, m_nRows - 1)));
}

// One step in reading order; off the bottom it scrolls (or, with scrolling off, homes). The caller has the mark
// hidden, so a home here must not draw it.
void CPortableScreen::StepCursor()
{
    if (++m_ptCursor.x >= m_nCols)
    {
        m_ptCursor.x = 0;
        if (++m_ptCursor.y >= m_nRows)
        {
            m_ptCursor.y = m_nRows - 1;
            ScrollRows();
        }
    }
}

void CPortableScreen::ForwardCursor()
{
    HideCursor();
    bool wide = IsDoubleByte() && m_pScreen && (CellAt(m_ptCursor) & 0x80);
    StepCursor();
    if (wide)
        StepCursor();
    ShowCursor();
}

void CPortableScreen::ScrollRows()
{
    if (!m_bScroll)
    {
        m_ptCursor = CPoint(0, 0);
        return;
    }
    if (!m_pScreen || m_nRows < 1)
        return;
    std::memmove(m_pScreen, m_pScreen + m_nCols, size_t(m_nCols) * (m_nRows - 1));
    std::memset(m_pScreen + size_t(m_nCols) * (m_nRows - 1), 0, size_t(m_nCols));
    if (m_nMarkHeld)
        m_bScrollHeld = true;
    else
        InvalidateChanged();
}

void CPortableScreen::ScrollScreen()
{
    if (m_bScroll)
        ScrollRows();
    else
        MoveCursorTo(CPoint(0, 0));
}

void CPortableScreen::ClearScreen()
{
    if (m_pScreen)
        std::memset(m_pScreen, 0, size_t(m_nBufSize));
    m_cLeadByte = 0;
    MoveCursorTo(CPoint(0, 0));
    Invalidate(TRUE);
}

void CPortableScreen::ClearAfter(int x, int y)
{
    if (y < m_nRows)
    {
        int row = std::max(y, 0);
        int col = std::clamp(x, 0, m_nCols);
        if (m_pScreen)
        {
            size_t start = size_t(m_nCols) * row + col, end = size_t(m_nCols) * m_nRows;
            if (start < end)
                std::memset(m_pScreen + start, 0, end - start);
        }
        MoveCursorTo(CPoint(0, row));
    }
    else
        SetCursorPosition(x, y);
    InvalidateChanged();
}

void CPortableScreen::RefreshScreen(bool bErase, bool bUpdateNow)
{
    if (bErase)
        Invalidate(TRUE);
    else
        InvalidateChanged();
    if (bUpdateNow)
        UpdateWindow();
}

// ---------------------------------------------------------------------------------------------------------------
// Printing.

bool CPortableScreen::PrintChar(UINT nChar, CPoint* pPos, char* pBuf)
{
    // Control codes work on a copy and publish it, so that the mark is erased where the cursor really was.
    bool atCursor = !pPos || pPos == &m_ptCursor;
    CPoint pos = atCursor ? m_ptCursor : *pPos;
    char* buf = pBuf ? pBuf : m_pScreen;
    int i = CellIndex(pos.x, pos.y);
    auto publish = [&](CPoint p) {
        if (!atCursor)
            *pPos = p;
        MoveCursorTo(p);
    };

    switch (nChar)
    {
    case 13:
        pos.x = 0;
        publish(pos);
        break;
    case 10:
        if (pos.y < m_nRows - 1)
        {
            ++pos.y;
            publish(pos);
        }
        else
        {
            ScrollScreen();
            publish(atCursor ? m_ptCursor : pos);
        }
        break;
    case 8: {
        bool moved = true;
        if (pos.x > 0)
            --pos.x;
        else if (pos.y > 0)
            pos = CPoint(m_nCols - 1, pos.y - 1);
        else
            moved = false;
        if (moved && buf)
        {
            buf[i] = 0;
            buf[CellIndex(pos.x, pos.y)] = ' ';
        }
        publish(pos);
        break;
    }
    case 7:
        MessageBeep(kSimpleBeep);
        break;
    case 27:
    case 9:
    case 0:
        break;
    default:
        if (nChar < 32)
        {
            MessageBeep(MB_ICONHAND);
            return false;
        }
        if (buf)
            buf[i] = char(nChar & 0xFF);
        ForwardCursor();
        break;
    }
    m_cLeadByte = 0;
    return true;
}

void CPortableScreen::PrintChnChar(WORD wChar, CPoint* pPos, char* pBuf)
{
    CPoint pos = pPos ? *pPos : m_ptCursor;
    char* buf = pBuf ? pBuf : m_pScreen;
    int i = CellIndex(pos.x, pos.y);
    if (buf)
    {
        buf[i] = char(wChar & 0xFF);
        if (i + 1 < m_nBufSize)
            buf[i + 1] = char(wChar >> 8);
    }
    ForwardCursor();
}

void CPortableScreen::PrintCharTty(char c)
{
    BYTE b = BYTE(c);
    if (m_cLeadByte)
    {
        PrintChnChar(WORD(b * 256 + m_cLeadByte), nullptr, nullptr);
        m_cLeadByte = 0;
        return;
    }
    if (m_nLanguage == 1 && b >= 128)
    {
        m_cLeadByte = b;
        return;
    }
    if (m_nLanguage == 2 && ((b >= 129 && b <= 159) || b >= 224))
    {
        m_cLeadByte = b;
        return;
    }
    PrintChar(UINT(int(c)), nullptr, nullptr);
}

namespace
{
// Bytes that PrintCharTty would store in one cell and step over once: no control code, no lead byte and, in
// the double-byte languages, nothing with bit 7 set (the cursor steps two cells over those).
struct PlainBytes
{
    bool table[3][256];
    constexpr PlainBytes() : table()
    {
        for (int language = 0; language < 3; ++language)
            for (int b = 32; b < 256; ++b)
                table[language][b] = language == 0 || b < 128;
    }
};
constexpr PlainBytes kPlain;
} // namespace

// Places the run of plain bytes at p a row at a time, as PrintCharTty would one by one, and returns what
// follows it. The mark is held, so the cursor moves without drawing.
const char* CPortableScreen::PrintRun(const char* p)
{
    const bool* plain = kPlain.table[IsDoubleByte() ? 1 : 0];
    while (plain[BYTE(*p)])
    {
        // Off the grid a byte lands in cell 0 or a spare byte: leave that to the byte-by-byte path.
        if (m_ptCursor.x < 0 || m_ptCursor.y < 0 || m_ptCursor.x >= m_nCols || m_ptCursor.y >= m_nRows)
            return p;
        char* row = m_pScreen + size_t(m_nCols) * m_ptCursor.y;
        int x = m_ptCursor.x;
        while (x < m_nCols && plain[BYTE(*p)])
            row[x++] = *p++;
        m_ptCursor.x = x - 1;
        StepCursor();
    }
    return p;
}

void CPortableScreen::PrintStringTty(char* s)
{
    if (!s)
        return;
    // Every character would erase the mark and draw it one cell on; only where it ends up is seen. Likewise
    // each scroll would ask for a repaint; one request, at the end, covers them all.
    HideCursor();
    ++m_nMarkHeld;
    struct Release
    {
        CPortableScreen* screen;
        ~Release()
        {
            if (--screen->m_nMarkHeld == 0 && screen->m_bScrollHeld)
            {
                screen->m_bScrollHeld = false;
                screen->InvalidateChanged();
            }
            screen->ShowCursor();
        }
    } release{this};
    const char* p = s;
    for (;;)
    {
        if (m_pScreen && !m_cLeadByte)
            p = PrintRun(p);
        char b = *p++;
        if (b == 0)
            return;
        if (b == 27)
        {
            // An escape quotes the byte after the next '['; nothing else is interpreted.
            const char* bracket = std::strchr(p, '[');
            if (!bracket)
            {
                AfxMessageBox("Invalid ESC command in print screen!", MB_OK | MB_ICONSTOP);
                return;
            }
            p = bracket + 1;
            b = *p++;
            if (b == 0)
                return;
        }
        PrintCharTty(b);
    }
}
