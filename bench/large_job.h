// The large job the benchmarks of the main window work on, and what plain Qt draws of it: their baseline.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>

#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "platform/afxhooks.h"

namespace pdt::bench
{

constexpr int kColumns = 40;
constexpr int kWidth = 1000, kHeight = 720; // the main window the job is shown in

// What the toolkit still has to do (deferred deletes, posted messages), done before the next iteration.
inline void Flush() { pdt::hooks::ProcessEvents(); }

// Nodes on a grid of 40 columns; each links to its right neighbour and to the node below it, with conditions of
// every kind so that most links carry a label.
inline std::unique_ptr<JobDocument> LargeJob(int nodes)
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

// Plain Qt: what the view shows of the job at a scroll position (and a scale) in an area of `size`, drawn
// straight onto any painter's device.
inline void PaintJob(QPainter& p, QSize size, const JobDocument& doc, QPoint scroll, const QFont& index,
                     const QFont& name, double scale = 1.0)
{
    p.fillRect(QRect(QPoint(), size), Qt::white);
    const QRect shown(scroll / scale, size / scale);
    const int w = doc.m_settings.nNodeWidth, h = doc.m_settings.nNodeHeight;
    auto box = [&](const HostNode* n) { return QRect(n->m_ptPosition.x, n->m_ptPosition.y, w, h); };
    p.translate(-scroll);
    p.scale(scale, scale);
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

inline void PaintBaseline(QImage& image, const JobDocument& doc, QPoint scroll, const QFont& index, const QFont& name,
                          double scale = 1.0)
{
    QPainter p(&image);
    PaintJob(p, image.size(), doc, scroll, index, name, scale);
}

} // namespace pdt::bench
