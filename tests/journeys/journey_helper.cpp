// What the journeys need besides jobhost, run in the journey's own X server:
//   journey_helper locate FILE CONTROL[:ITEM]...
//       makes the gallery's window FILE (the window jobhost makes, on the sample job, laid out with this server's
//       fonts) and prints, one line for each argument, "x y": the centre of the visible control with that id, or
//       of the list box or tree item with that text, in the window's client coordinates (a dialog's or the main
//       window's, whose toolbar buttons have their commands' ids).
//   journey_helper grab WINDOW X Y WIDTH HEIGHT FILE
//       writes what the X window WINDOW shows in that rectangle of its client area to the PNG file FILE.
//   journey_helper modal-node
//       a host that runs the node dialog modally (jobhost opens it modeless): the sample's node "Main Menu" on the
//       page of its link that takes a key. Prints "shown ID TITLE" for each window that shows, with "at ID x y"
//       for its key field, OK and Cancel, and "hidden ID" when it goes; then "ended RESULT".
#include <QApplication>
#include <QListWidget>
#include <QTreeWidget>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <cstdlib>
#include <iostream>
#include <string>

#include "host/app/Gallery.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "host/model/SampleJob.h"
#include "node/CDlgDefineNode.h"
#include "platform/afxwin.h"
#include "platform/window_p.h"
#include "resources/resource.h"

namespace
{

QWidget* TopLevel(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == name)
            return w;
    return nullptr;
}

QWidget* VisibleChild(QWidget* top, int id)
{
    for (QWidget* w : top->findChildren<QWidget*>(QString::number(id)))
        if (w->isVisibleTo(top))
            return w;
    return nullptr;
}

// "x y" of a control, or of a list box item, in the top-level window's client coordinates; empty when missing.
std::string Centre(QWidget* top, const std::string& arg)
{
    const size_t colon = arg.find(':');
    QWidget* control = VisibleChild(top, std::atoi(arg.substr(0, colon).c_str()));
    if (!control)
        return {};
    QPoint at = control->mapTo(top, control->rect().center());
    if (colon != std::string::npos)
    {
        const QString text = QString::fromStdString(arg.substr(colon + 1));
        QRect item;
        if (auto* list = qobject_cast<QListWidget*>(control);
            list && !list->findItems(text, Qt::MatchExactly).isEmpty())
            item = list->visualItemRect(list->findItems(text, Qt::MatchExactly).first());
        const auto inTree = Qt::MatchExactly | Qt::MatchRecursive;
        if (auto* tree = qobject_cast<QTreeWidget*>(control); tree && !tree->findItems(text, inTree).isEmpty())
            item = tree->visualItemRect(tree->findItems(text, inTree).first());
        if (item.isEmpty())
            return {};
        at = static_cast<QAbstractScrollArea*>(control)->viewport()->mapTo(top, item.center());
    }
    return std::to_string(at.x()) + " " + std::to_string(at.y());
}

int Locate(int argc, char** argv)
{
    for (const GalleryEntry& e : GalleryEntries())
    {
        if (e.file != argv[2])
            continue;
        auto doc = MakeSampleJob();
        CWnd* wnd = e.make(*doc);
        if (!wnd)
            return 1;
        wnd->ShowWindow(SW_SHOW);
        QApplication::processEvents();
        // A dialog's widget is named by its template id; another window (the main window) is its own peer.
        auto* dlg = dynamic_cast<CDialog*>(wnd);
        QWidget* top = dlg ? TopLevel(QString::number(dlg->GetTemplateID())) : pdt::win::Peer(wnd->m_hWnd);
        int status = top ? 0 : 1;
        for (int i = 3; i < argc && top; ++i)
        {
            const std::string at = Centre(top, argv[i]);
            if (at.empty())
            {
                std::cerr << "journey_helper: no " << argv[i] << " in " << argv[2] << "\n";
                status = 1;
            }
            std::cout << at << "\n";
        }
        wnd->DestroyWindow();
        delete wnd;
        return status;
    }
    std::cerr << "journey_helper: the gallery has no " << argv[2] << "\n";
    return 1;
}

int Grab(char** argv)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot = screen ? screen->grabWindow(WId(std::strtoul(argv[2], nullptr, 0)), std::atoi(argv[3]),
                                                     std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]))
                                : QPixmap();
    return !shot.isNull() && shot.save(QString::fromLocal8Bit(argv[7]), "PNG") ? 0 : 1;
}

// Reports the windows that show and go, with where their key field and buttons are.
class WindowReporter : public QObject
{
  protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || !w->isWindow() || w->objectName().isEmpty())
            return false;
        if (e->type() == QEvent::Show)
        {
            std::cout << "shown " << w->objectName().toStdString() << " " << w->windowTitle().toStdString() << "\n";
            for (int id : {int(IDC_LINK_KEY), int(IDOK), int(IDCANCEL)})
                if (const std::string at = Centre(w, std::to_string(id)); !at.empty())
                    std::cout << "at " << id << " " << at << "\n";
            std::cout.flush();
        }
        else if (e->type() == QEvent::Hide)
            std::cout << "hidden " << w->objectName().toStdString() << std::endl;
        return false;
    }
};

int ModalNode()
{
    auto doc = MakeSampleJob();
    HostNode* node = doc->FindNodeByName("Main Menu");
    const HostLink* keyed = nullptr;
    for (int i = 0; i < doc->GetLinkCount() && node; ++i)
        if (const HostLink* l = doc->GetLinkAt(i); l->m_nFromNodeID == node->m_nID && l->m_nCondition == LINK_KEY)
            keyed = l;
    if (!keyed)
        return 1;
    OPTIONITEM* options = doc->BeginDefineNode(node);
    doc->m_nLastOptionID = IDD_LINK;
    doc->m_nLastOptionSub = keyed->m_nID;
    WindowReporter reporter;
    qApp->installEventFilter(&reporter);
    CDlgDefineNode dlg(node, options);
    const INT_PTR result = dlg.DoModal();
    std::cout << "ended " << result << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc >= 3 && std::string(argv[1]) == "locate")
        return Locate(argc, argv);
    if (argc == 8 && std::string(argv[1]) == "grab")
        return Grab(argv);
    if (argc == 2 && std::string(argv[1]) == "modal-node")
        return ModalNode();
    std::cerr
        << "usage: journey_helper locate FILE CONTROL[:ITEM]... | grab WINDOW X Y WIDTH HEIGHT FILE | modal-node\n";
    return 2;
}
