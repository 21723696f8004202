// The terminal screen's output stream: any bytes through PrintStringTty, PrintCharTty and PrintChar, mixed with
// the cursor, clearing and scrolling calls a host's simulator makes, on every model, size and language. The first
// bytes choose the screen; the rest is a stream of operations. After each operation the cursor stays where the
// output calls can put it and nothing was written outside the cell buffer (the sanitizers watch the buffer).
#include <cstring>
#include <memory>
#include <string>

#include "fuzz/fuzz_screen.h"

namespace
{

using pdt::fuzz::Bytes;

const char *const kModels[] = {"M-10", "M-13", "N-13", "M-20", "M-20X", "R-50", "R-50G", "m-20", ""};
const int kLanguages[] = {0, 1, 2, 4, 5, 6, 7, 3};

using Screen = pdt::fuzz::FuzzScreen;

std::string Where(const Screen &s)
{
    return "cursor " + std::to_string(s.m_ptCursor.x) + "," + std::to_string(s.m_ptCursor.y) + " on " +
           std::to_string(s.m_nCols) + "x" + std::to_string(s.m_nRows);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Screen &s = pdt::fuzz::ScreenForInput<Screen>();
    Bytes in(data, size);

    const char *model = kModels[in.Byte() % std::size(kModels)];
    uint8_t shape = in.Byte();
    // Mostly terminal-sized screens; now and then a wide or a one-cell one.
    int cols = shape & 0x80 ? in.Int(1, 300) : in.Int(1, 40);
    int rows = shape & 0x40 ? in.Int(1, 100) : in.Int(1, 16);
    int language = kLanguages[shape & 7];
    if (!s.Initial(model, CSize(cols, rows), language))
        return 0;
    s.ClearScreen();
    uint8_t modes = in.Byte();
    s.EnableSimulation(modes & 1);
    s.EnableScroll(modes & 2 ? 1 : 0);
    s.EnableCursor(modes & 4 ? 1 : 0);
    FUZZ_CHECK(s.m_nBufSize == cols * rows + 3, Where(s));

    // PrintChar's own position and buffer, as a simulator keeps them beside the screen's.
    CPoint pos;
    bool posOff = false;
    std::string other(size_t(s.m_nBufSize), '\0');

    // A cursor or position set from outside may sit anywhere the caller put it; the output calls themselves keep
    // the cursor on the grid.
    bool placed = false;
    bool paint = false;
    while (!in.Empty())
    {
        uint8_t op = in.Byte();
        switch (op % 16)
        {
        case 0:
        case 1:
        case 2: {
            std::string text = in.Run();
            s.PrintStringTty(text.data()); // stops at the first zero byte, as a C string does
            break;
        }
        case 3:
        case 4:
            s.PrintCharTty(char(in.Byte()));
            break;
        case 5: {
            UINT ch = op & 0x10 ? UINT(int(char(in.Byte()))) : in.Word();
            CPoint *where = op & 0x20 ? &pos : op & 0x40 ? &s.m_ptCursor : nullptr;
            placed |= where == &pos && posOff;
            char *buf = op & 0x80 ? other.data() : nullptr;
            s.PrintChar(ch, where, buf);
            break;
        }
        case 6: {
            WORD w = WORD(in.Word());
            s.PrintChnChar(w, op & 0x20 ? &pos : nullptr, op & 0x80 ? other.data() : nullptr);
            placed |= (op & 0x20) && posOff;
            break;
        }
        case 7: {
            int x = in.Int(-2, cols + 2), y = in.Int(-2, rows + 2);
            s.SetCursorPosition(x, y);
            placed = x < 0 || y < 0; // below zero is kept as given; above is limited
            break;
        }
        case 8:
            pos.x = in.Int(-2, cols + 2);
            pos.y = in.Int(-2, rows + 2);
            posOff = pos.x < 0 || pos.y < 0 || pos.x >= cols || pos.y >= rows;
            break;
        case 9: {
            int x = in.Int(-2, cols + 2), y = in.Int(-2, rows + 2);
            s.ClearAfter(x, y);
            placed = y >= rows && x < 0; // below the screen it only sets the cursor, as SetCursorPosition does
            break;
        }
        case 10:
            s.ClearScreen();
            placed = false;
            break;
        case 11:
            s.ScrollScreen();
            break;
        case 12:
            s.ForwardCursor();
            break;
        case 13:
            s.EnableScroll(op & 0x10 ? 1 : 0);
            s.EnableCursor(op & 0x20 ? 1 : 0);
            break;
        case 14: {
            WORD at = s.GetCursorPosition();
            FUZZ_CHECK(at == WORD(((s.m_ptCursor.y & 0xFF) << 8) | (s.m_ptCursor.x & 0xFF)), Where(s));
            break;
        }
        case 15:
            paint = true;
            break;
        }
        if (!placed)
        {
            FUZZ_CHECK(s.m_ptCursor.x >= 0 && s.m_ptCursor.x < cols && s.m_ptCursor.y >= 0 && s.m_ptCursor.y < rows,
                       Where(s));
        }
        FUZZ_CHECK(s.m_nBufSize == cols * rows + 3, Where(s));
    }
    // Painting reads every cell, whatever bytes the output left there. It costs as much as the rest of an input
    // together, so it is done once, at the end, and only for inputs that ask for it.
    if (paint)
        s.RefreshScreen(true, true);
    pdt::fuzz::TakeMessageBoxes();
    return 0;
}
