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

#include "host/app/HostCommands.h"
#include "host/app/MainFrame.h"
#include "host/jobfile/JobFile.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "platform/afxhooks.h"

namespace
{

constexpr int kColumns = 40;
constexpr int kWidth = 1000, kHeight = 720;

// Nodes on a grid of 40 columns; each links to its right neighbour and to the node below it, with conditions of
// every kind so that most links carry a label.
std::unique_ptr<JobDocument> LargeJob(int nodes)
{
    auto doc = std::make_unique<JobDocument>();
    doc->m_strPathName = "/tmp/Large.pdtjob";
    const int kinds[] = {NODE_SCREEN, NODE_INPUT, NODE_COUNT, NODE_UPLOAD, NODE_ERASE, NODE_EDIT, NODE_PROGRAM};
    for (int i = 0; i < nodes; ++i)
    {
        CString name;
        name.Format("Node %04d", i);
        HostNode* node = doc->AddNode(kinds[i % 7], name);
        node->m_ptPosition = CPoint(40 + i % kColumns * 170, 40 + i / kColumns * 120);
    }
    int links = 0;
    for (int i = 0; links < 2 * nodes; i = (i + 1) % nodes)
    {
        int to = links % 2 ? (i + kColumns) % nodes : (i + 1) % nodes;
        HostLink* link = doc->AddLink(doc->GetNodeAt(i)->m_nID, doc->GetNodeAt(to)->m_nID);
        switch (links % 4)
        {
        case 0: link->m_nCondition = LINK_KEY, link->m_strKey = "F1"; break;
        case 1: link->m_nCondition = LINK_INPUT_DATA, link->m_strInputData = "END"; break;
        case 2: link->m_nCondition = LINK_EXPRESSION, link->m_strExpression = "COUNT < 10"; break;
        default: break;
        }
        ++links;
    }
    doc->SetModifiedFlag(FALSE);
    return doc;
}

void Flush() { pdt::hooks::ProcessEvents(); }

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

// Plain Qt: what the view shows of the job at a scroll position, drawn straight onto an image.
void PaintBaseline(QImage& image, const JobDocument& doc, QPoint scroll, const QFont& index, const QFont& name)
{
    QPainter p(&image);
    p.fillRect(image.rect(), Qt::white);
    const QRect shown(scroll, image.size());
    const int w = doc.m_settings.nNodeWidth, h = doc.m_settings.nNodeHeight;
    auto box = [&](const HostNode* n) { return QRect(n->m_ptPosition.x, n->m_ptPosition.y, w, h); };
    p.translate(-scroll);
    p.setFont(index);
    for (int i = 0; i < doc.GetLinkCount(); ++i)
    {
        const HostLink* link = doc.GetLinkAt(i);
        const HostNode* from = doc.FindNode(link->m_nFromNodeID);
        const HostNode* to = doc.FindNode(link->m_nToNodeID);
        QPoint a = box(from).center(), b = box(to).center();
        if (!QRect(a, b).normalized().adjusted(-20, -20, 20, 20).intersects(shown))
            continue;
        p.setPen(Qt::black);
        p.drawLine(a, b);
        double dx = b.x() - a.x(), dy = b.y() - a.y(), len = std::sqrt(dx * dx + dy * dy);
        if (len > 0)
        {
            dx /= len, dy /= len;
            p.drawLine(b, QPointF(b.x() - dx * 9 - dy * 4.5, b.y() - dy * 9 + dx * 4.5).toPoint());
            p.drawLine(b, QPointF(b.x() - dx * 9 + dy * 4.5, b.y() - dy * 9 - dx * 4.5).toPoint());
        }
        QString label = link->m_nCondition == LINK_KEY          ? QStringLiteral("F1")
                        : link->m_nCondition == LINK_INPUT_DATA ? QStringLiteral("= END")
                        : link->m_nCondition == LINK_EXPRESSION ? QStringLiteral("COUNT < 10")
                                                                : QString();
        if (!label.isEmpty())
        {
            QRect r = p.fontMetrics().boundingRect(label).adjusted(-2, 0, 2, 0);
            r.moveCenter((a + b) / 2);
            p.fillRect(r, Qt::white);
            p.drawText(r, Qt::AlignCenter, label);
        }
    }
    for (int i = 0; i < doc.GetNodeCount(); ++i)
    {
        const HostNode* node = doc.GetNodeAt(i);
        QRect r = box(node);
        if (!r.adjusted(-4, -4, 4, 4).intersects(shown))
            continue;
        COLORREF c = node->m_crColour;
        p.setPen(Qt::black);
        p.setBrush(QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setFont(index);
        p.drawText(r.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop, QString::number(node->m_nID));
        p.setFont(name);
        p.drawText(r.adjusted(4, 2, -4, -2), Qt::AlignCenter, QString::fromLatin1(node->m_strName.c_str()));
    }
}

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
