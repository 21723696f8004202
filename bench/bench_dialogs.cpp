// The record, portable terminal and job dialogs of the sample job: opened modally until their first paint,
// then closed. The baselines build the same dialog with every page's widgets by hand in plain Qt, eagerly.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>
#include <vector>

#include "framework/OptionPages.h"
#include "host/model/HostRecord.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "host/model/SampleJob.h"
#include "job/CDlgDefineJob.h"
#include "platform/afxhooks.h"
#include "paint_count.h"
#include "plain_pages.h"
#include "portable/CDlgDefinePortable.h"
#include "record/CDlgDefineRecord.h"
#include "resources/resource.h"

namespace
{

// Shown and given to the window system, which exposes it: that is when a window paints.
void FirstPaint(benchmark::State& state, const std::function<std::unique_ptr<CDialog>(JobDocument&)>& make)
{
    std::unique_ptr<JobDocument> doc = MakeSampleJob();
    bench::PaintCount count(state);
    for (auto _ : state)
    {
        std::unique_ptr<CDialog> dlg = make(*doc);
        pdt::hooks::PushModalHandler([](CDialog& d) {
            pdt::hooks::ProcessEvents();
            d.UpdateWindow();
            d.EndDialog(IDCANCEL);
        });
        dlg->DoModal();
        pdt::hooks::ProcessEvents();
    }
}

// What the dialog shows at its first paint, made by hand: the container's own controls, every page of the
// option array built eagerly, the option tree filled and its first entry's page shown.
void FirstPaintBaseline(benchmark::State& state, int containerId, OPTIONITEM* (*options)(JobDocument&))
{
    std::unique_ptr<JobDocument> doc = MakeSampleJob();
    bench::PaintCount count(state);
    for (auto _ : state)
    {
        QWidget* w = bench::BuildPage(containerId, nullptr);
        w->setWindowFlags(Qt::Dialog);
        auto* tree = w->findChild<QTreeWidget*>();
        std::vector<QTreeWidgetItem*> items;
        QWidget* first = nullptr;
        for (OPTIONITEM* opt = options(*doc); opt && opt->nID; ++opt)
        {
            QTreeWidgetItem* parent = opt->nParent >= 0 ? items[size_t(opt->nParent)] : tree->invisibleRootItem();
            items.push_back(new QTreeWidgetItem(parent, {QString::fromLatin1(opt->pszTitle)}));
            if (const OptionPageClass* cls = FindOptionPage(opt->nID))
            {
                QWidget* page = bench::BuildPage(int(cls->nTemplateID ? cls->nTemplateID : UINT(opt->nID)), w);
                page->move(227, 8);
                if (!first)
                    first = page;
            }
        }
        if (!items.empty())
            tree->setCurrentItem(items.front());
        if (first)
            first->show();
        w->show();
        pdt::hooks::ProcessEvents();
        w->repaint();
        w->hide();
        w->deleteLater();
        pdt::hooks::ProcessEvents();
    }
}

OPTIONITEM* RecordOptions(JobDocument& doc) { return doc.GetRecordAt(0)->GetOptions(); }
OPTIONITEM* PortableOptions(JobDocument& doc) { return doc.GetPortableOptions(); }
OPTIONITEM* JobOptions(JobDocument& doc) { return doc.GetJobOptions(JSM_JOB); }

void RecordDialog(benchmark::State& state)
{
    FirstPaint(state, [](JobDocument& doc) { return std::make_unique<CDlgDefineRecord>(RecordOptions(doc)); });
}
void RecordDialogBaseline(benchmark::State& state) { FirstPaintBaseline(state, IDD_DEFINE_RECORD, RecordOptions); }
void PortableDialog(benchmark::State& state)
{
    FirstPaint(state, [](JobDocument& doc) {
        return std::make_unique<CDlgDefinePortable>(&doc.Terminal(), PortableOptions(doc));
    });
}
void PortableDialogBaseline(benchmark::State& state) { FirstPaintBaseline(state, IDD_DEFINE_PORTABLE, PortableOptions); }
void JobDialog(benchmark::State& state)
{
    FirstPaint(state, [](JobDocument& doc) { return std::make_unique<CDlgDefineJob>(&doc, JSM_JOB, JobOptions(doc)); });
}
void JobDialogBaseline(benchmark::State& state) { FirstPaintBaseline(state, IDD_DEFINE_JOB, JobOptions); }

BENCHMARK(RecordDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordDialogBaseline)->Name("RecordDialog/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(PortableDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(PortableDialogBaseline)->Name("PortableDialog/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(JobDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(JobDialogBaseline)->Name("JobDialog/baseline")->Unit(benchmark::kMillisecond);

} // namespace
