// Opening the Find dialog: create from its template, show, paint once, destroy.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "find/CDlgFind.h"
#include "platform/afxhooks.h"
#include "resources/resource.h"

namespace
{

void FindDialog(benchmark::State& state)
{
    for (auto _ : state)
    {
        CDlgFind dlg;
        dlg.Create(IDD_FIND);
        dlg.ShowWindow(SW_SHOW);
        dlg.UpdateWindow();
        dlg.DestroyWindow();
        pdt::hooks::ProcessEvents();
    }
}
BENCHMARK(FindDialog)->Unit(benchmark::kMicrosecond);

// The same widgets, placed by hand.
void FindDialogBaseline(benchmark::State& state)
{
    for (auto _ : state)
    {
        auto* w = new QWidget(nullptr, Qt::Dialog);
        w->setWindowTitle(QStringLiteral("Find"));
        w->setFixedSize(321, 172);
        auto* prompt = new QLabel(w);
        prompt->setGeometry(12, 11, 297, 33);
        prompt->setWordWrap(true);
        (new QLabel(QStringLiteral("Find:"), w))->setGeometry(12, 52, 40, 13);
        auto* combo = new QComboBox(w);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        combo->setGeometry(55, 50, 254, combo->sizeHint().height());
        (new QCheckBox(QStringLiteral("Match Case"), w))->setGeometry(12, 86, 137, 16);
        (new QCheckBox(QStringLiteral("Output To Pane 2"), w))->setGeometry(12, 107, 171, 16);
        auto* ok = new QPushButton(QStringLiteral("OK"), w);
        ok->setDefault(true);
        ok->setGeometry(130, 138, 86, 23);
        (new QPushButton(QStringLiteral("Cancel"), w))->setGeometry(223, 138, 86, 23);
        w->show();
        combo->setFocus();
        w->repaint();
        w->hide();
        w->deleteLater();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(FindDialogBaseline)->Name("FindDialog/baseline")->Unit(benchmark::kMicrosecond);

} // namespace
