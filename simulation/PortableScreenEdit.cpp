// Portable screen: the text editor of edit mode. Text flows as paragraphs: an insert pushes the rest of the
// paragraph forward across line ends and full rows, a delete pulls it back.
#include "simulation/PortableScreen.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr UINT kErrorBeep = MB_ICONHAND;
} // namespace

// Cells run in reading order through the buffer, so a paragraph is moved a run at a time: the cells up to the next
// line end (13) or end of text (0) are copied in one piece, and a line end jumps to the start of the next row.
bool CPortableScreen::MoveBuffer(CPoint from, CPoint to, char* pBuf, bool bInsert)
{
    auto inGrid = [&](CPoint p) { return p.x >= 0 && p.y >= 0 && p.x < m_nCols && p.y < m_nRows; };
    const int total = m_nCols * m_nRows, start = CellIndex(from.x, from.y);
    // A paragraph is taken from a cell of the grid or from the spare cells past it (what follows the last cell,
    // for Delete there), and placed in the grid.
    if (!pBuf || !m_pMoveBuf || !m_pBackup || !inGrid(to) || (!inGrid(from) && start < total) || total + 1 > m_nBufSize)
        return false;
    std::memcpy(m_pBackup, pBuf, size_t(m_nBufSize));
    auto restore = [&] { std::memcpy(pBuf, m_pBackup, size_t(m_nBufSize)); };
    // The length of the run at `p` of at most `limit` bytes before a 0 or 13.
    auto runLength = [](const char* p, int limit) {
        const void* nul = std::memchr(p, 0, size_t(limit));
        if (nul)
            limit = int(static_cast<const char*>(nul) - p);
        const void* cr = std::memchr(p, 13, size_t(limit));
        return cr ? int(static_cast<const char*>(cr) - p) : limit;
    };

    // Gather the paragraph at `from`, emptying its cells.
    int n = 0;
    if (start >= total) // a spare cell past the grid: an empty paragraph, as nothing is ever written there
    {
        if (pBuf[start] != 0)
            return false;
        m_pMoveBuf[n++] = 0;
    }
    else
        for (int i = start;;)
        {
            int len = runLength(pBuf + i, total - i);
            int taken = i + len < total ? len + 1 : len; // with the 0 or 13 that ends it
            std::memcpy(m_pMoveBuf + n, pBuf + i, size_t(taken));
            std::memset(pBuf + i, 0, size_t(taken));
            n += taken;
            if (taken == len) // the text runs into the last cell
            {
                if (bInsert)
                {
                    restore();
                    return false;
                }
                break;
            }
            int end = i + len;
            if (m_pMoveBuf[n - 1] == 0 || end / m_nCols >= m_nRows - 1)
                break;
            i = (end / m_nCols + 1) * m_nCols;
        }
    m_pMoveBuf[n] = 0;

    // Place it at `to`.
    for (int i = CellIndex(to.x, to.y), k = 0;;)
    {
        int len = runLength(m_pMoveBuf + k, n + 1 - k), room = total - i;
        std::memcpy(pBuf + i, m_pMoveBuf + k, size_t(std::min(len, room)));
        if (len >= room)
        {
            // Out of cells: only line ends may be left behind; losing text would lose what was typed.
            for (int j = k + room; m_pMoveBuf[j] != 0; ++j)
                if (m_pMoveBuf[j] != 13)
                {
                    restore();
                    return false;
                }
            return true;
        }
        i += len, k += len;
        if (m_pMoveBuf[k] == 0)
        {
            if (!bInsert)
                pBuf[i] = 0;
            return true;
        }
        pBuf[i] = 13;
        if (i / m_nCols >= m_nRows - 1)
        {
            restore();
            return false;
        }
        i = (i / m_nCols + 1) * m_nCols, ++k;
    }
}

bool CPortableScreen::InsertChar(UINT nChar, CPoint& pos, char* pBuf)
{
    if (!pBuf)
        return false;
    BYTE c = BYTE(pBuf[CellIndex(pos.x, pos.y)]);
    CPoint target;
    if (nChar == 13)
    {
        if (pos.y >= m_nRows - 1)
        {
            MessageBeep(kErrorBeep);
            return false;
        }
        target = CPoint(0, pos.y + 1);
    }
    else if (nChar == 8)
    {
        if (pos.x > 0)
            target = CPoint(pos.x - 1, pos.y);
        else if (pos.y <= 0)
        {
            MessageBeep(kErrorBeep);
            return false;
        }
        else
        {
            // Join onto the text before: the last non-empty cell before this row decides where.
            CPoint p(m_nCols - 1, pos.y - 1);
            bool found = false;
            for (;;)
            {
                if (pBuf[CellIndex(p.x, p.y)] != 0)
                {
                    found = true;
                    break;
                }
                if (!GetPrevPos(p, p))
                    break;
            }
            if (!found)
                target = CPoint(0, 0);
            else if (pBuf[CellIndex(p.x, p.y)] == 13 || p.x == m_nCols - 1)
                target = p;
            else
                target = CPoint(p.x + 1, p.y);
        }
        if (!MoveBuffer(pos, target, pBuf, false))
        {
            MessageBeep(kErrorBeep);
            return false;
        }
        pos = target;
        return true;
    }
    else if (nChar == 26)
        return true;
    else if (nChar < 32)
    {
        MessageBeep(kErrorBeep);
        return false;
    }
    else if (!NextCell(pos, target))
    {
        MessageBeep(kErrorBeep);
        return false;
    }

    if (c != 0)
    {
        if (!MoveBuffer(pos, target, pBuf, true))
        {
            MessageBeep(kErrorBeep);
            return false;
        }
    }
    else
    {
        // Typing past the end of a line pads the gap with spaces and joins a line end before it.
        for (int x = pos.x; x >= 0; --x)
        {
            char& cell = pBuf[CellIndex(x, pos.y)];
            if (cell != 0 && cell != 13)
                break;
            cell = ' ';
        }
    }
    if (nChar == 13)
        for (int x = pos.x; x < m_nCols; ++x)
            pBuf[CellIndex(x, pos.y)] = 0;
    pBuf[CellIndex(pos.x, pos.y)] = char(nChar & 0xFF);
    pos = target;
    return true;
}

bool CPortableScreen::DeleteChar(CPoint pos, char* pBuf)
{
    if (!pBuf)
        return false;
    char& cell = pBuf[CellIndex(pos.x, pos.y)];
    if (cell == 0)
        return true;
    if (cell == 13)
    {
        if (pos.y >= m_nRows - 1)
            cell = 0;
        else
        {
            CPoint next(0, pos.y + 1);
            InsertChar(8, next, pBuf);
        }
    }
    else
    {
        CPoint next;
        NextCell(pos, next);
        if (!MoveBuffer(next, pos, pBuf, false))
            return true;
    }
    InvalidateChanged();
    return true;
}

// ---------------------------------------------------------------------------------------------------------------
// Keyboard.

UINT CPortableScreen::OnGetDlgCode() { return UINT(Default()) | DLGC_WANTALLKEYS; }

void CPortableScreen::OnChar(UINT nChar, UINT, UINT)
{
    Default();
    if (m_bSimulation || !m_bCaretCreated || !m_pScreen)
        return;
    HideCursor();
    if (InsertChar(nChar, m_ptCursor, m_pScreen))
    {
        CancelSelection();
        InvalidateChanged();
    }
    ShowCursor();
}

BOOL CPortableScreen::PreTranslateMessage(MSG* pMsg)
{
    bool key = pMsg && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP);
    UINT vk = key ? UINT(pMsg->wParam) : 0;
    bool navigation = vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT || vk == VK_HOME ||
                      vk == VK_END || vk == VK_DELETE || vk == VK_INSERT;
    if (m_bSimulation || !m_bCaretCreated || !key || !navigation || !m_pScreen)
        return CWnd::PreTranslateMessage(pMsg);

    HideCursor();
    if (pMsg->message == WM_KEYDOWN)
    {
        CPoint to = m_ptCursor;
        const int lastCol = m_nCols - 1;
        switch (vk)
        {
        case VK_HOME:
            to.x = 0;
            break;
        case VK_END:
            if (to.x == lastCol && lastCol != 0)
            {
                // Second End: back over the empty cells to just behind the row's text.
                int x = lastCol;
                while (x >= 0 && CellAt(CPoint(x, to.y)) == 0)
                    --x;
                to.x = x < 0 ? lastCol : std::min(x + 1, lastCol);
            }
            else
                to.x = lastCol;
            break;
        case VK_LEFT:
            GetPrevPos(to, to);
            break;
        case VK_RIGHT:
            if (CPoint next; NextCell(to, next))
                to = next;
            break;
        case VK_UP:
            if (to.y > 0)
                --to.y;
            break;
        case VK_DOWN:
            if (to.y < m_nRows - 1)
                ++to.y;
            break;
        case VK_DELETE:
            DeleteChar(m_ptCursor, m_pScreen);
            break;
        default:
            break;
        }
        if (!(to == m_ptCursor))
        {
            m_ptCursor = to;
            CancelSelection();
        }
    }
    ShowCursor();
    return TRUE;
}
