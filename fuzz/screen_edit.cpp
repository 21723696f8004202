// The terminal screen as an editor: any prompt text, then any sequence of typed characters, navigation keys,
// mouse selections, Copy, Paste (of any clipboard text) and Clear All. After each step the buffer keeps its shape:
// its size, its unused last byte, a line end only with nothing behind it on its row, and no more line ends than
// the step could have made; an edit that was refused (it beeped) leaves every byte as it was.
#include <algorithm>
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/afxhooks.h"
#include "simulation/PortableScreen.h"

namespace
{

using pdt::fuzz::Bytes;

const char *const kModels[] = {"M-10", "M-13", "N-13", "M-20", "M-20X", "R-50", "R-50G", "X"};
const int kLanguages[] = {0, 1, 2, 4};
const UINT kNavigation[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_INSERT};

class Screen : public CPortableScreen
{
  public:
    Screen() : CPortableScreen(RGB(0xC8, 0xE0, 0x90))
    {
    }
    using CPortableScreen::GetCharRect, CPortableScreen::OnChar, CPortableScreen::OnClearAll, CPortableScreen::OnCopy,
        CPortableScreen::OnLButtonDown, CPortableScreen::OnLButtonUp, CPortableScreen::OnMouseMove,
        CPortableScreen::OnPaste, CPortableScreen::OnSetFocus;
    using CPortableScreen::m_bCaretCreated, CPortableScreen::m_nBufSize, CPortableScreen::m_nCols,
        CPortableScreen::m_nRows, CPortableScreen::m_pScreen, CPortableScreen::m_ptCursor;

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
    pdt::fuzz::StartToolkit();
    Bytes in(data, size);
    const char *model = kModels[in.Byte() % std::size(kModels)];
    uint8_t shape = in.Byte();
    int cols = in.Int(1, 32), rows = in.Int(1, 12);
    int language = kLanguages[shape & 3];

    Screen s;
    s.Create(CSize(600, 300), CRect(8, 8, 608, 308), 4254, &pdt::fuzz::HostWindow());
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
            CRect a = s.GetCharRect(in.Int(-1, cols), in.Int(-1, rows));
            CRect b = s.GetCharRect(in.Int(-1, cols), in.Int(-1, rows));
            CPoint from = a.CenterPoint() + CPoint(in.Int(-6, 6), in.Int(-6, 6));
            CPoint to = b.CenterPoint() + CPoint(in.Int(-6, 6), in.Int(-6, 6));
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
                s.RefreshScreen(op & 0x20, true);
            break;
        }
        s.CheckShape(bufSize, step);
        if (!mayEndLines)
            FUZZ_CHECK(s.LineEnds() <= lineEnds, step + " made a line end");
        // A paste stops at the first character refused and keeps what it typed before.
        if (pdt::hooks::BeepCount() != beeps && op % 8 != 6)
            FUZZ_CHECK(s.Bytes() == before, step + " refused but changed the screen");
    }
    pdt::fuzz::TakeMessageBoxes();
    return 0;
}
