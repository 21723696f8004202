// The flowchart of a job of 1,000 nodes and 2,000 links exported as SVG and as PDF pages (File > Export), from the
// window's view to the file written. The baselines draw the same boxes, texts and lines with plain QPainter on the
// toolkit's own SVG and PDF writers, the whole flowchart in one picture or page.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "bench/large_job.h"
#include "host/app/Export.h"
#include "host/app/MainFrame.h"

namespace
{

using pdt::bench::Flush;
using pdt::bench::kHeight;
using pdt::bench::kWidth;
using pdt::bench::LargeJob;
using pdt::bench::PaintJob;

std::string OutputFile(const char* name) { return QDir::temp().filePath(QString::fromLatin1(name)).toStdString(); }

void ExportLargeJob(benchmark::State& state, const char* file)
{
    auto doc = LargeJob(int(state.range(0)));
    MainFrame frame;
    frame.Create(*doc, CRect(0, 0, kWidth, kHeight));
    frame.ShowWindow(SW_SHOW);
    Flush();
    const std::string path = OutputFile(file);
    CString why;
    for (auto _ : state)
        if (!ExportFlowchart(frame.GetView(), path.c_str(), &why))
            state.SkipWithError(why.c_str());
    frame.DestroyWindow();
    Flush();
}

void ExportSvg(benchmark::State& state) { ExportLargeJob(state, "pdtbench-export.svg"); }
void ExportPdf(benchmark::State& state) { ExportLargeJob(state, "pdtbench-export.pdf"); }
BENCHMARK(ExportSvg)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportPdf)->Arg(1000)->Unit(benchmark::kMillisecond);

// The flowchart's extent: 40 columns of 170 and a row of 120 for every 40 nodes.
QSize Extent(int nodes) { return QSize(40 * 170 + 80, (nodes + 39) / 40 * 120 + 80); }

void ExportSvgBaseline(benchmark::State& state)
{
    auto doc = LargeJob(int(state.range(0)));
    QFont index(QStringLiteral("DejaVu Sans"), 8), name(QStringLiteral("DejaVu Sans"), 9);
    const QSize size = Extent(int(state.range(0)));
    const QString path = QString::fromStdString(OutputFile("pdtbench-baseline.svg"));
    for (auto _ : state)
    {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(), size));
        QPainter p(&svg);
        PaintJob(p, size, *doc, QPoint(), index, name);
    }
}
BENCHMARK(ExportSvgBaseline)->Name("ExportSvg/baseline")->Arg(1000)->Unit(benchmark::kMillisecond);

void ExportPdfBaseline(benchmark::State& state)
{
    auto doc = LargeJob(int(state.range(0)));
    QFont index(QStringLiteral("DejaVu Sans"), 8), name(QStringLiteral("DejaVu Sans"), 9);
    const QSize size = Extent(int(state.range(0)));
    const QString path = QString::fromStdString(OutputFile("pdtbench-baseline.pdf"));
    for (auto _ : state)
    {
        QPdfWriter pdf(path);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96, QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        QPainter p(&pdf);
        PaintJob(p, size, *doc, QPoint(), index, name);
    }
}
BENCHMARK(ExportPdfBaseline)->Name("ExportPdf/baseline")->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
