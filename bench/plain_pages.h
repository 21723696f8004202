// Shared by the dialog benchmarks' baselines: a template's widgets built by hand in plain Qt.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>

#include "platform/afxres.h"
#include "platform/rcscript.h"

namespace bench
{

// Plain Qt: the widgets of one template, placed at the template's pixel rectangles. Each control is the Qt
// widget a person would pick for it by hand: a list box a QListWidget, a tree or report list a QTreeWidget.
inline QWidget* BuildPage(int templateId, QWidget* parent)
{
    const pdt::rc::DialogTemplate* t = pdt::FindDialogTemplate(templateId);
    auto* page = new QWidget(parent);
    if (!t)
        return page;
    // Dialog units to pixels as Windows converts them: the font's average letter width and its height.
    static const QSize base = [] {
        QFontMetrics fm(QApplication::font());
        return QSize((fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2,
                     fm.height());
    }();
    auto px = [](int du, int unit, int div) { return du * unit / div; };
    page->resize(px(t->cx, base.width(), 4), px(t->cy, base.height(), 8));
    for (const auto& c : t->controls)
    {
        QWidget* w;
        QString text = QString::fromLatin1(c.text.c_str());
        DWORD type = c.style & 0xF;
        if (c.className == "Button")
            w = type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ? static_cast<QWidget*>(new QCheckBox(text, page))
                : type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON ? new QRadioButton(text, page)
                : type == BS_GROUPBOX ? static_cast<QWidget*>(new QGroupBox(text, page))
                                      : new QPushButton(text, page);
        else if (c.className == "Edit")
            w = (c.style & ES_MULTILINE) ? static_cast<QWidget*>(new QPlainTextEdit(page)) : new QLineEdit(page);
        else if (c.className == "ComboBox")
            w = new QComboBox(page);
        else if (c.className == "Static")
        {
            auto* label = new QLabel(text, page);
            label->setWordWrap(type <= SS_RIGHT); // left, centred and right text wrap at words
            w = label;
        }
        else if (c.className == "ListBox")
            w = new QListWidget(page);
        else if (c.className == "SysTreeView32" || c.className == "SysListView32")
        {
            auto* tree = new QTreeWidget(page);
            tree->setHeaderHidden(c.className == "SysTreeView32"); // a tree view has no header
            w = tree;
        }
        else if (c.className == "ScrollBar")
            w = new QScrollBar(page);
        else
            w = new QFrame(page);
        w->setGeometry(px(c.x, base.width(), 4), px(c.y, base.height(), 8), px(c.cx, base.width(), 4),
                       px(c.cy, base.height(), 8));
    }
    page->hide();
    return page;
}

} // namespace bench
