// The node dialog of a collect node with 15 pages and many links: opening it until its first paint,
// and loading another node into the open window. The baselines build the same widgets from the same
// templates by hand in plain Qt, so the ratio is the cost of the window layer and the dialog logic.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <array>

#include "bench/large_job.h"
#include "host/model/HostNode.h"
#include "host/model/SampleJob.h"
#include "node/CDlgDefineNode.h"
#include "platform/afxhooks.h"
#include "platform/afxres.h"
#include "resources/resource.h"
#include "paint_count.h"
#include "plain_pages.h"

namespace
{

using bench::BuildPage;
using pdt::bench::Flush;

// Fifteen entries: the node pages that exist, repeated, and the two link groups.
std::array<OPTIONITEM, 16> FifteenPages()
{
    std::array<OPTIONITEM, 16> options{};
    const int ids[] = {2115, 2124, 2150, 2115, 2124, 2150, 2115, 2124, 2150, 2115, 2124, 2150, 2115, 2112, 2113};
    for (int i = 0; i < 15; ++i)
        options[size_t(i)] = OPTIONITEM{ids[i], -1, "Page", nullptr, nullptr, nullptr, 0, 0, nullptr};
    return options;
}

// The toolkit objects an open dialog holds: its window and everything under it (widgets, layouts, models,
// validators), counted once, outside the timing.
void CountObjects(benchmark::State& state, int& objects)
{
    if (objects >= 0)
        return;
    state.PauseTiming();
    objects = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            objects += 1 + int(top->findChildren<QObject*>().size());
    state.ResumeTiming();
}

void OpenNodeDialog(benchmark::State& state)
{
    auto doc = MakeBusyJob(int(state.range(0)));
    HostNode* hub = doc->FindNodeByName("Hub");
    auto options = FifteenPages();
    int objects = -1;
    bench::PaintCount count(state);
    for (auto _ : state)
    {
        CDlgDefineNode dlg;
        dlg.CreateDefineNode(hub, options.data());
        dlg.ShowWindow(SW_SHOW);
        Flush();
        dlg.UpdateWindow();
        CountObjects(state, objects);
        dlg.DestroyWindow();
        Flush();
    }
    state.counters["qobjects"] = objects;
}
BENCHMARK(OpenNodeDialog)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond);

void ReloadNode(benchmark::State& state)
{
    auto doc = MakeBusyJob(int(state.range(0)));
    HostNode* hub = doc->FindNodeByName("Hub");
    HostNode* other = doc->FindNodeByName("Node 001");
    auto options = FifteenPages();
    auto otherOptions = FifteenPages();
    CDlgDefineNode dlg;
    dlg.CreateDefineNode(hub, options.data());
    dlg.ShowWindow(SW_SHOW);
    bool onHub = true;
    for (auto _ : state)
    {
        dlg.Release();
        onHub = !onHub;
        dlg.Initial(onHub ? hub : other, onHub ? options.data() : otherOptions.data());
        dlg.InitialDlg();
        dlg.UpdateWindow();
        Flush();
    }
    dlg.DestroyWindow();
    Flush();
}
BENCHMARK(ReloadNode)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond);

void OpenNodeDialogBaseline(benchmark::State& state)
{
    int links = int(state.range(0));
    const int ids[] = {2115, 2124, 2150, 2115, 2124, 2150, 2115, 2124, 2150, 2115, 2124, 2150, 2115, 2112, 2113};
    int objects = -1;
    bench::PaintCount count(state);
    for (auto _ : state)
    {
        auto* w = new QWidget(nullptr, Qt::Dialog);
        w->resize(651, 343);
        auto* tree = new QTreeWidget(w);
        tree->setHeaderHidden(true);
        tree->setGeometry(9, 8, 205, 287);
        QTreeWidgetItem* in = nullptr;
        QTreeWidgetItem* out = nullptr;
        QWidget* first = nullptr;
        for (int id : ids)
        {
            auto* item = new QTreeWidgetItem(tree, QStringList(QStringLiteral("Page")));
            (id == 2112 ? in : id == 2113 ? out : item) = item;
            QWidget* page = BuildPage(id, w);
            page->move(227, 8);
            if (!first)
            {
                first = page;
                tree->setCurrentItem(item);
            }
        }
        for (int i = 0; i < links; ++i)
        {
            new QTreeWidgetItem(i % 2 ? out : in, QStringList(QStringLiteral("-> Node %1").arg(i)));
            BuildPage(IDD_LINK, w)->move(227, 8);
        }
        in->sortChildren(0, Qt::AscendingOrder);
        out->sortChildren(0, Qt::AscendingOrder);
        new QPushButton(QStringLiteral("OK"), w);
        new QPushButton(QStringLiteral("Apply"), w);
        new QPushButton(QStringLiteral("Cancel"), w);
        first->show();
        w->show();
        Flush();
        w->repaint();
        CountObjects(state, objects);
        w->hide();
        w->deleteLater();
        Flush();
    }
    state.counters["qobjects"] = objects;
}
BENCHMARK(OpenNodeDialogBaseline)->Name("OpenNodeDialog/baseline")->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond);

// Reloading in plain Qt: the page widgets of the old node go, those of the new one are built.
void ReloadNodeBaseline(benchmark::State& state)
{
    int links = int(state.range(0));
    auto* w = new QWidget(nullptr, Qt::Dialog);
    w->resize(651, 343);
    auto* tree = new QTreeWidget(w);
    w->show();
    const int ids[] = {2115, 2124, 2150, 2115, 2124, 2150, 2115, 2124, 2150, 2115, 2124, 2150, 2115, 2112, 2113};
    std::vector<QWidget*> pages;
    bool onHub = true;
    for (auto _ : state)
    {
        for (QWidget* p : pages)
            delete p;
        pages.clear();
        tree->clear();
        onHub = !onHub;
        for (int id : ids)
        {
            new QTreeWidgetItem(tree, QStringList(QStringLiteral("Page")));
            pages.push_back(BuildPage(id, w));
        }
        for (int i = 0; i < (onHub ? links : 1); ++i)
            pages.push_back(BuildPage(IDD_LINK, w));
        pages.front()->show();
        w->repaint();
        Flush();
    }
    delete w;
}
BENCHMARK(ReloadNodeBaseline)->Name("ReloadNode/baseline")->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
