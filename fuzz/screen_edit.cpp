// The terminal screen as an editor: any prompt text, then any sequence of typed characters, navigation keys,
// mouse selections, Copy, Paste (of any clipboard text) and Clear All. After each step the buffer keeps its shape:
// its size, its unused last byte, a line end only with nothing behind it on its row, and no more line ends than
// the step could have made; an edit that was refused (it beeped) leaves every byte as it was.
#include <algorithm>
#include <cstring>
#include <string>

#include "fuzz/fuzz_screen.h"
#include "platform/afxhooks.h"

namespace
{

using pdt::fuzz::Bytes;

const char *const kModels[] = {"M-10", "M-13", "N-13", "M-20", "M-20X", "R-50", "R-50G", "X"};
const int kLanguages[] = {0, 1, 2, 4};
const UINT kNavigation[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_INSERT};

class Screen : public pdt::fuzz::FuzzScreen
{
  public:
    std::string Bytes() const
    {
        return std::string(m_pScreen, size_t(m_nBufSize));
    }
    int LineEnds() const
    {
        return int(std::count(m_pScreen, m_pScreen + m_nCols * m_nRows, '\r'));
    }

    void CheckShape(int bufSize, const std::string &step) const
    {
        FUZZ_CHECK(m_nBufSize == bufSize, step);
        FUZZ_CHECK(m_pScreen[m_nBufSize - 1] == 0, step);
        FUZZ_CHECK(m_ptCursor.x >= 0 && m_ptCursor.x < m_nCols && m_ptCursor.y >= 0 && m_ptCursor.y < m_nRows,
                   step + " cursor " + std::to_string(m_ptCursor.x) + "," + std::to_string(m_ptCursor.y));
        for (int y = 0; y < m_nRows; ++y)
        {
            const char *row = m_pScreen + size_t(m_nCols) * y;
            const char *end = std::find(row, row + m_nCols, '\r');
            if (end != row + m_nCols)
                FUZZ_CHECK(std::all_of(end + 1, row + m_nCols, [](char c) { return c == 0; }),
                           step + " text behind a line end on row " + std::to_string(y));
        }
    }
};

void SetClipboard(const std::string &text)
{
    if (!::OpenClipboard(nullptr))
        return;
    ::EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(h), text.c_str(), text.size() + 1);
    GlobalUnlock(h);
    ::SetClipboardData(CF_TEXT, h);
    ::CloseClipboard();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Screen &s = pdt::fuzz::ScreenForInput<Screen>();
    Bytes in(data, size);
    const char *model = kModels[in.Byte() % std::size(kModels)];
    uint8_t shape = in.Byte();
    int cols = in.Int(1, 32), rows = in.Int(1, 12);
    int language = kLanguages[shape & 3];

    if (!s.Initial(model, CSize(cols, rows), language))
        return 0;
    const int bufSize = cols * rows + 3;
    std::string prompt = in.Run();
    s.SetPrompt(prompt.c_str());
    s.CheckShape(bufSize, "prompt");
    // What a prompt loads reads back the same and loads the same again.
    {
        std::string before = s.Bytes();
        CString text = s.GetPrompt();
        s.SetPrompt(text);
        FUZZ_CHECK(s.Bytes() == before, "prompt round trip");
    }

    // Editing needs the focus (the caret); a person clicks into the screen first.
    s.SetFocus();
    if (!s.m_bCaretCreated)
        s.OnSetFocus(nullptr);

    bool paint = false;
    while (!in.Empty())
    {
        uint8_t op = in.Byte();
        std::string before = s.Bytes();
        int lineEnds = s.LineEnds();
        int beeps = pdt::hooks::BeepCount();
        bool mayEndLines = false;
        std::string step = "op " + std::to_string(op % 8);
        switch (op % 8)
        {
        case 0:
        case 1:
        case 2: {
            UINT c = in.Byte();
            mayEndLines = c == 13;
            s.OnChar(c, 1, 0);
            step += " char " + std::to_string(c);
            break;
        }
        case 3: {
            MSG msg{};
            msg.hwnd = s.m_hWnd;
            msg.message = op & 0x80 ? WM_KEYUP : WM_KEYDOWN;
            msg.wParam = kNavigation[(op >> 4) & 7];
            s.PreTranslateMessage(&msg);
            step += " key " + std::to_string(msg.wParam);
            break;
        }
        case 4: {
            // A drag from one point to another; points may fall between cells or outside the grid.
            CPoint cell[2], nudge[2];
            for (int i = 0; i < 2; ++i)
            {
                cell[i].x = in.Int(-1, cols);
                cell[i].y = in.Int(-1, rows);
            }
            for (int i = 0; i < 2; ++i)
            {
                nudge[i].x = in.Int(-6, 6);
                nudge[i].y = in.Int(-6, 6);
            }
            CPoint from = s.GetCharRect(cell[0].x, cell[0].y).CenterPoint() + nudge[0];
            CPoint to = s.GetCharRect(cell[1].x, cell[1].y).CenterPoint() + nudge[1];
            s.OnLButtonDown(MK_LBUTTON, from);
            if (op & 0x10)
                s.OnMouseMove(MK_LBUTTON, to);
            s.OnLButtonUp(0, to);
            break;
        }
        case 5:
            s.OnCopy();
            break;
        case 6:
            // Clipboard text from anywhere: line ends of every kind, any bytes.
            SetClipboard(in.Run());
            s.OnPaste();
            mayEndLines = true;
            break;
        case 7:
            if (op & 0x10)
                s.OnClearAll();
            else
                paint = true;
            break;
        }
        s.CheckShape(bufSize, step);
        if (!mayEndLines)
            FUZZ_CHECK(s.LineEnds() <= lineEnds, step + " made a line end");
        // A paste stops at the first character refused and keeps what it typed before.
        if (pdt::hooks::BeepCount() != beeps && op % 8 != 6)
            FUZZ_CHECK(s.Bytes() == before, step + " refused but changed the screen");
    }
    // Painting (every cell, the selection, the cursor mark) costs more than all the edits together: once, at the
    // end, for the inputs that ask for it.
    if (paint)
        s.RefreshScreen(true, true);
    pdt::fuzz::TakeMessageBoxes();
    return 0;
}
