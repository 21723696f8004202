// The flowchart as an editor on a job of 1,000 nodes and 2,000 links: a paste of 1,000 nodes with their links, all
// selected and moved by a drag, and one zoom step, each to the repainted window. The baselines: reading the
// pasted fragment alone (what opening it as a job costs), and plain QPainter drawing the same boxes, moved or
// scaled, on a QImage of the window's size.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QImage>

#include "bench/large_job.h"
#include "host/app/HostCommands.h"
#include "host/app/MainFrame.h"
#include "host/jobfile/JobFile.h"
#include "host/jobfile/JobFragment.h"

namespace
{

using pdt::bench::Flush;
using pdt::bench::kHeight;
using pdt::bench::kWidth;
using pdt::bench::LargeJob;
using pdt::bench::PaintBaseline;

std::string AllNodesFragment(int nodes)
{
    auto doc = LargeJob(nodes);
    std::vector<int> ids;
    for (int i = 0; i < doc->GetNodeCount(); ++i)
        ids.push_back(doc->GetNodeAt(i)->m_nID);
    return FormatJobFragment(*doc, ids);
}

void PutFragment(CWnd& owner, const std::string& text)
{
    owner.OpenClipboard();
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size());
    std::memcpy(GlobalLock(mem), text.data(), text.size());
    GlobalUnlock(mem);
    SetClipboardData(RegisterClipboardFormat(kJobFragmentMimeType), mem);
    CloseClipboard();
}

void PasteNodes(benchmark::State& state)
{
    const int n = int(state.range(0));
    const std::string fragment = AllNodesFragment(n);
    for (auto _ : state)
    {
        state.PauseTiming();
        auto frame = std::make_unique<MainFrame>();
        frame->Create(LargeJob(n), CRect(0, 0, kWidth, kHeight));
        frame->ShowWindow(SW_SHOW);
        frame->GetView().UpdateWindow();
        PutFragment(*frame, fragment);
        state.ResumeTiming();
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_PASTE, 0), 0);
        frame->GetView().UpdateWindow();
        state.PauseTiming();
        if (frame->GetDocument().GetNodeCount() != 2 * n)
            state.SkipWithError("the paste added no nodes");
        frame->DestroyWindow();
        frame.reset();
        Flush();
        state.ResumeTiming();
    }
}
BENCHMARK(PasteNodes)->Arg(1000)->Unit(benchmark::kMillisecond);

void PasteNodesBaseline(benchmark::State& state)
{
    const std::string fragment = AllNodesFragment(int(state.range(0)));
    for (auto _ : state)
    {
        std::string error;
        auto doc = ParseJobText(fragment, &error);
        benchmark::DoNotOptimize(doc.get());
    }
}
BENCHMARK(PasteNodesBaseline)->Name("PasteNodes/baseline")->Arg(1000)->Unit(benchmark::kMillisecond);

// Ctrl+A, then a drag of one node a step to the right and back in turn, to the repainted window.
void SelectAllMove(benchmark::State& state)
{
    MainFrame frame;
    frame.Create(LargeJob(int(state.range(0))), CRect(0, 0, kWidth, kHeight));
    frame.ShowWindow(SW_SHOW);
    FlowchartView& view = frame.GetView();
    view.UpdateWindow();
    const HostNode* grip = frame.GetDocument().GetNodeAt(0);
    int step = 20;
    for (auto _ : state)
    {
        frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_SELECT_ALL, 0), 0);
        CRect box = view.PageToClient(view.GetNodeRect(*grip));
        CPoint from = box.CenterPoint(), to = from + CPoint(step, 0);
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        view.UpdateWindow();
        step = -step;
    }
    if (view.GetSelectedNodeCount() != frame.GetDocument().GetNodeCount())
        state.SkipWithError("not all selected");
    frame.DestroyWindow();
    Flush();
}
BENCHMARK(SelectAllMove)->Arg(1000)->Unit(benchmark::kMillisecond);

void SelectAllMoveBaseline(benchmark::State& state)
{
    auto doc = LargeJob(int(state.range(0)));
    QFont index(QStringLiteral("DejaVu Sans"), 8), name(QStringLiteral("DejaVu Sans"), 9);
    QImage image(kWidth, kHeight - 22, QImage::Format_RGB32);
    int step = 20;
    for (auto _ : state)
    {
        for (int i = 0; i < doc->GetNodeCount(); ++i)
            doc->GetNodeAt(i)->m_ptPosition.x += step;
        step = -step;
        PaintBaseline(image, *doc, QPoint(0, 0), index, name);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(SelectAllMoveBaseline)->Name("SelectAllMove/baseline")->Arg(1000)->Unit(benchmark::kMillisecond);

// One step in, one step out, in turn, to the repainted window.
void Zoom(benchmark::State& state)
{
    MainFrame frame;
    frame.Create(LargeJob(int(state.range(0))), CRect(0, 0, kWidth, kHeight));
    frame.ShowWindow(SW_SHOW);
    FlowchartView& view = frame.GetView();
    view.UpdateWindow();
    bool in = true;
    for (auto _ : state)
    {
        view.ZoomStep(in);
        view.UpdateWindow();
        in = !in;
    }
    frame.DestroyWindow();
    Flush();
}
BENCHMARK(Zoom)->Arg(1000)->Unit(benchmark::kMillisecond);

void ZoomBaseline(benchmark::State& state)
{
    auto doc = LargeJob(int(state.range(0)));
    QImage image(kWidth, kHeight - 22, QImage::Format_RGB32);
    bool in = true;
    for (auto _ : state)
    {
        // The fonts at the zoomed size, as the view makes them.
        const double scale = in ? 1.25 : 1.0;
        QFont index(QStringLiteral("DejaVu Sans")), name(QStringLiteral("DejaVu Sans"));
        index.setPointSizeF(8 * scale);
        name.setPointSizeF(9 * scale);
        PaintBaseline(image, *doc, QPoint(0, 0), index, name, scale);
        benchmark::DoNotOptimize(image.constBits());
        in = !in;
    }
}
BENCHMARK(ZoomBaseline)->Name("Zoom/baseline")->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
