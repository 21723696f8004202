// jobhost's main window on a job of 1,000 or 10,000 nodes and twice as many links: opening it to the first full paint
// of the flowchart, and the repaint after one scroll step. The baselines draw the same boxes, texts and lines that the
// window shows with plain QPainter on a QImage of the same size, so the ratio is the cost of the window layer, the
// device contexts and the view's own work (finding what is visible, laying links out).
#include <benchmark/benchmark.h>

#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>

#include "bench/large_job.h"
#include "host/app/HostCommands.h"
#include "host/app/MainFrame.h"
#include "host/jobfile/JobFile.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"

namespace
{

using pdt::bench::Flush;
using pdt::bench::kHeight;
using pdt::bench::kWidth;
using pdt::bench::LargeJob;
using pdt::bench::PaintBaseline;

void OpenLargeJob(benchmark::State& state)
{
    auto doc = LargeJob(int(state.range(0)));
    for (auto _ : state)
    {
        MainFrame frame;
        frame.Create(*doc, CRect(0, 0, kWidth, kHeight));
        frame.ShowWindow(SW_SHOW);
        frame.GetView().UpdateWindow();
        frame.DestroyWindow();
        Flush();
    }
}
BENCHMARK(OpenLargeJob)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void ScrollLargeJob(benchmark::State& state)
{
    auto doc = LargeJob(int(state.range(0)));
    MainFrame frame;
    frame.Create(*doc, CRect(0, 0, kWidth, kHeight));
    frame.ShowWindow(SW_SHOW);
    FlowchartView& view = frame.GetView();
    view.UpdateWindow();
    bool down = true;
    for (auto _ : state)
    {
        view.ScrollTo(view.GetScrollPosition() + CPoint(0, down ? 20 : -20));
        down = !down;
        view.UpdateWindow();
    }
    frame.DestroyWindow();
    Flush();
}
BENCHMARK(ScrollLargeJob)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void OpenLargeJobBaseline(benchmark::State& state)
{
    auto doc = LargeJob(int(state.range(0)));
    for (auto _ : state)
    {
        QFont index(QStringLiteral("DejaVu Sans"), 8), name(QStringLiteral("DejaVu Sans"), 9);
        QImage image(kWidth, kHeight - 22, QImage::Format_RGB32);
        PaintBaseline(image, *doc, QPoint(0, 0), index, name);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(OpenLargeJobBaseline)->Name("OpenLargeJob/baseline")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void ScrollLargeJobBaseline(benchmark::State& state)
{
    auto doc = LargeJob(int(state.range(0)));
    QFont index(QStringLiteral("DejaVu Sans"), 8), name(QStringLiteral("DejaVu Sans"), 9);
    QImage image(kWidth, kHeight - 22, QImage::Format_RGB32);
    int y = 0;
    bool down = true;
    for (auto _ : state)
    {
        y += down ? 20 : -20;
        down = !down;
        PaintBaseline(image, *doc, QPoint(0, y), index, name);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(ScrollLargeJobBaseline)
    ->Name("ScrollLargeJob/baseline")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);

// Undo on the large job. A step: a node moved and the views told, which takes the job's snapshot for the history;
// the baseline formats the job's text alone (what saving it costs). Undo and Redo in turn, each put back on the job
// and painted; the baseline reads the text alone (what opening it costs). "bytes" is what one step keeps.
void EditStepLargeJob(benchmark::State& state)
{
    MainFrame frame;
    frame.Create(LargeJob(int(state.range(0))), CRect(0, 0, kWidth, kHeight));
    frame.ShowWindow(SW_SHOW);
    JobDocument& doc = frame.GetDocument();
    HostNode* node = doc.GetNodeAt(0);
    int step = 20;
    for (auto _ : state)
    {
        node->m_ptPosition.x += step;
        step = -step;
        doc.SetModifiedFlag(TRUE);
        doc.UpdateAllViews(nullptr);
    }
    const UndoHistory& history = frame.GetHistory();
    state.counters["bytes"] = double(history.GetUndoBytes()) / double(std::max<size_t>(history.GetUndoCount(), 1));
    frame.DestroyWindow();
    Flush();
}
BENCHMARK(EditStepLargeJob)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void EditStepLargeJobBaseline(benchmark::State& state)
{
    auto doc = LargeJob(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatJobText(*doc));
}
BENCHMARK(EditStepLargeJobBaseline)
    ->Name("EditStepLargeJob/baseline")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

void UndoLargeJob(benchmark::State& state)
{
    MainFrame frame;
    frame.Create(LargeJob(int(state.range(0))), CRect(0, 0, kWidth, kHeight));
    frame.ShowWindow(SW_SHOW);
    frame.GetView().UpdateWindow();
    HostNode* node = frame.GetDocument().GetNodeAt(0);
    node->m_ptPosition.x += 20;
    frame.GetDocument().UpdateAllViews(nullptr);
    bool undo = true;
    for (auto _ : state)
    {
        frame.SendMessage(WM_COMMAND, undo ? ID_EDIT_UNDO : ID_EDIT_REDO);
        undo = !undo;
        frame.GetView().UpdateWindow();
    }
    frame.DestroyWindow();
    Flush();
}
BENCHMARK(UndoLargeJob)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void UndoLargeJobBaseline(benchmark::State& state)
{
    const std::string text = FormatJobText(*LargeJob(int(state.range(0))));
    std::string error;
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseJobText(text, &error));
}
BENCHMARK(UndoLargeJobBaseline)->Name("UndoLargeJob/baseline")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
