// The portable screen: terminal output, a full repaint, and the worst-case insert, each beside the same work
// done by hand.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/afxhooks.h"
#include "simulation/PortableScreen.h"

namespace
{

constexpr COLORREF kBack = RGB(0xC8, 0xE0, 0x90);

class BenchScreen : public CPortableScreen
{
  public:
    BenchScreen() : CPortableScreen(kBack) {}
    using CPortableScreen::InsertChar;
    using CPortableScreen::m_nBufSize;
    using CPortableScreen::m_nCharHeight;
    using CPortableScreen::m_nCharWidth;
    using CPortableScreen::m_pScreen;
    using CPortableScreen::m_sizeWindow;
};

class Frame : public CFrameWnd
{
  public:
    Frame() { Create(nullptr, "bench", WS_POPUP | WS_CAPTION, CRect(0, 0, 900, 700)); }
};

// A shown screen of the given size in simulation mode.
struct Setup
{
    Setup(int cols, int rows, CSize offered)
    {
        screen.Create(offered, CRect(0, 0, offered.cx, offered.cy), 1, &frame);
        screen.Initial("M-20", CSize(cols, rows), 0);
        screen.EnableSimulation(true);
        frame.ShowWindow(SW_SHOW);
        pdt::hooks::ProcessEvents();
        screen.UpdateWindow();
    }
    ~Setup()
    {
        screen.DestroyWindow();
        frame.DestroyWindow();
        pdt::hooks::ProcessEvents();
    }
    Frame frame;
    BenchScreen screen;
};

std::string Text(size_t n)
{
    static const char kWords[] = "Scan pallet label then key quantity ";
    std::string s;
    while (s.size() < n)
        s += kWords[s.size() % (sizeof(kWords) - 1)];
    return s;
}

// Plain text that fills a 40 x 16 screen but its last cell: no scrolling. The cursor mark is off, as a job
// that prints a whole screen at once has it.
void PrintStringTty(benchmark::State& state, bool cursor)
{
    Setup setup(40, 16, CSize(700, 500));
    setup.screen.EnableCursor(cursor ? 1 : 0);
    std::string text = Text(40 * 16 - 1);
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back(0);
    for (auto _ : state)
    {
        setup.screen.SetCursorPosition(0, 0);
        setup.screen.PrintStringTty(copy.data());
        benchmark::DoNotOptimize(setup.screen.m_pScreen[5]);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
void PrintStringTtyHidden(benchmark::State& state) { PrintStringTty(state, false); }
void PrintStringTtyShown(benchmark::State& state) { PrintStringTty(state, true); }
BENCHMARK(PrintStringTtyHidden)->Name("PrintStringTty")->Unit(benchmark::kMicrosecond);
BENCHMARK(PrintStringTtyShown)->Name("PrintStringTtyCursorShown")->Unit(benchmark::kMicrosecond);

void PrintStringTtyBaseline(benchmark::State& state)
{
    std::string text = Text(40 * 16 - 1);
    std::vector<char> buffer(40 * 16 + 3);
    for (auto _ : state)
    {
        std::memcpy(buffer.data(), text.data(), text.size());
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(PrintStringTtyBaseline)->Name("PrintStringTty/baseline")->Unit(benchmark::kMicrosecond);

// Whole-screen repaint of a full screen, through WM_PAINT.
void Repaint(benchmark::State& state, int cols, int rows, CSize offered)
{
    Setup setup(cols, rows, offered);
    std::string text = Text(size_t(cols * rows - 1));
    setup.screen.SetPrompt(text.c_str());
    for (auto _ : state)
    {
        // All of it: a refresh after nothing changed repaints nothing.
        setup.screen.Invalidate(FALSE);
        setup.screen.UpdateWindow();
    }
}

// The same grid lines, cell fills and glyphs drawn by hand with QPainter into an image.
void RepaintBaseline(benchmark::State& state, int cols, int rows, CSize offered)
{
    Setup setup(cols, rows, offered); // only for the geometry the screen chose
    const int cw = setup.screen.m_nCharWidth, ch = setup.screen.m_nCharHeight;
    const CSize size = setup.screen.m_sizeWindow;
    std::string text = Text(size_t(cols * rows - 1));
    QImage image(size.cx, size.cy, QImage::Format_RGB32);
    const QColor back(GetRValue(kBack), GetGValue(kBack), GetBValue(kBack));
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(ch);
    font.setWeight(QFont::DemiBold);
    for (auto _ : state)
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(QColor(0xA1, 0xA1, 0xA1));
        p.fillRect(0, 0, size.cx, size.cy, back);
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < cols; ++x)
            {
                int left = 6 + x * (cw + 4), top = 5 + y * (ch + 6);
                p.fillRect(left, top, cw + 4, ch + 6, back);
                p.setPen(QColor(0xA1, 0xA1, 0xA1));
                p.drawLine(left + cw + 1, top, left + cw + 1, top + ch - 1);
                p.drawLine(left, top + ch, left + cw, top + ch);
                size_t i = size_t(y * cols + x);
                if (i < text.size())
                {
                    p.setPen(Qt::black);
                    p.drawText(QRect(left, top, cw, ch), Qt::AlignLeft | Qt::AlignTop, QString(QChar(text[i])));
                }
            }
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void Repaint21x8(benchmark::State& state) { Repaint(state, 21, 8, CSize(600, 300)); }
void Repaint21x8Baseline(benchmark::State& state) { RepaintBaseline(state, 21, 8, CSize(600, 300)); }
void Repaint40x16(benchmark::State& state) { Repaint(state, 40, 16, CSize(800, 600)); }
void Repaint40x16Baseline(benchmark::State& state) { RepaintBaseline(state, 40, 16, CSize(800, 600)); }
BENCHMARK(Repaint21x8)->Unit(benchmark::kMicrosecond);
BENCHMARK(Repaint21x8Baseline)->Name("Repaint21x8/baseline")->Unit(benchmark::kMicrosecond);
BENCHMARK(Repaint40x16)->Unit(benchmark::kMicrosecond);
BENCHMARK(Repaint40x16Baseline)->Name("Repaint40x16/baseline")->Unit(benchmark::kMicrosecond);

// A character typed at (0, 0) of a 40 x 16 screen whose one paragraph fills all but the last cell: the whole
// screen moves by one cell. Both sides restore the buffer first, so the difference is the move itself.
void InsertCharWorstCase(benchmark::State& state)
{
    Setup setup(40, 16, CSize(700, 500));
    BenchScreen& s = setup.screen;
    s.EnableSimulation(false);
    std::string text = Text(40 * 16 - 1);
    std::vector<char> full(size_t(s.m_nBufSize), 0);
    std::memcpy(full.data(), text.data(), text.size());
    for (auto _ : state)
    {
        std::memcpy(s.m_pScreen, full.data(), full.size());
        CPoint pos(0, 0);
        bool ok = s.InsertChar('X', pos, s.m_pScreen);
        benchmark::DoNotOptimize(ok);
    }
    if (s.m_pScreen[0] != 'X' || s.m_pScreen[40 * 16 - 1] != text.back())
        state.SkipWithError("the insert did not move the paragraph");
}
BENCHMARK(InsertCharWorstCase)->Unit(benchmark::kNanosecond);

void InsertCharWorstCaseBaseline(benchmark::State& state)
{
    std::string text = Text(40 * 16 - 1);
    std::vector<char> full(40 * 16 + 3, 0), buffer(full.size());
    std::memcpy(full.data(), text.data(), text.size());
    for (auto _ : state)
    {
        std::memcpy(buffer.data(), full.data(), full.size());
        std::memmove(buffer.data() + 1, buffer.data(), text.size());
        buffer[0] = 'X';
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(InsertCharWorstCaseBaseline)->Name("InsertCharWorstCase/baseline")->Unit(benchmark::kNanosecond);

} // namespace
