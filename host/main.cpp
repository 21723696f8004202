// jobhost: the reference host. With a display it opens the library's dialogs in real windows;
// with --gallery DIR it renders each of them to a PNG file instead.
#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "find/CDlgFind.h"
#include "host/HostNode.h"
#include "host/SampleJob.h"
#include "node/CDlgDefineNode.h"
#include "platform/afxhooks.h"
#include "resources/resource.h"

namespace
{

struct GalleryEntry
{
    const char* file;
    std::function<void(CDialog*&)> make; // creates the dialog, modeless, ready to render
};

JobDocument& SampleJob()
{
    static std::unique_ptr<JobDocument> doc = MakeSampleJob();
    return *doc;
}

// The node dialog of the sample's scan node, opened on one of its pages.
CDialog* MakeNodeDialog(const char* nodeName, int optionId, int optionSub = 0)
{
    JobDocument& doc = SampleJob();
    HostNode* node = doc.FindNodeByName(nodeName);
    OPTIONITEM* options = doc.BeginDefineNode(node);
    doc.m_nLastOptionID = optionId;
    doc.m_nLastOptionSub = optionSub;
    doc.m_bExpandLinkIn = doc.m_bExpandLinkOut = 1;
    auto* dlg = new CDlgDefineNode;
    dlg->CreateDefineNode(node, options);
    return dlg;
}

std::vector<GalleryEntry> Gallery()
{
    return {
        {"node-basic.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_BASIC); }},
        {"node-notes.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_NOTES); }},
        {"node-link.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Count Items", IDD_LINK, 3); }},
        {"node-comment.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Note", IDD_NODE_CMTFONTCOLOR); }},
        {"find.png",
         [](CDialog*& dlg) {
             auto* find = new CDlgFind;
             find->m_strPrompt = "Search the job for a node, a link or a record.";
             find->Create(IDD_FIND);
             dlg = find;
         }},
    };
}

int RenderGallery(const char* folder)
{
    QDir().mkpath(QString::fromLocal8Bit(folder));
    int failures = 0;
    for (const GalleryEntry& e : Gallery())
    {
        CDialog* dlg = nullptr;
        e.make(dlg);
        std::string path = std::string(folder) + "/" + e.file;
        dlg->ShowWindow(SW_SHOW);
        pdt::hooks::ProcessEvents();
        if (pdt::hooks::SaveWindowImage(dlg->m_hWnd, path.c_str()))
            std::printf("%s\n", path.c_str());
        else
        {
            std::fprintf(stderr, "jobhost: could not render %s\n", path.c_str());
            ++failures;
        }
        dlg->DestroyWindow();
        delete dlg;
        pdt::hooks::ProcessEvents();
    }
    return failures ? 1 : 0;
}

// A small window standing in for the flowchart: pick a node of the sample job and define it, or search.
int RunInteractive()
{
    JobDocument& doc = SampleJob();
    QWidget window;
    window.setWindowTitle(QStringLiteral("jobhost - Warehouse"));
    auto* layout = new QVBoxLayout(&window);
    auto* row = new QHBoxLayout;
    auto* nodes = new QComboBox;
    for (int i = 0; i < doc.GetNodeCount(); ++i)
        nodes->addItem(QString::fromStdString(doc.GetNodeAt(i)->m_strName.ToUtf8()), doc.GetNodeAt(i)->m_nID);
    auto* define = new QPushButton(QStringLiteral("Define Node..."));
    row->addWidget(new QLabel(QStringLiteral("Node:")));
    row->addWidget(nodes, 1);
    row->addWidget(define);
    layout->addLayout(row);
    auto* find = new QPushButton(QStringLiteral("Find..."));
    layout->addWidget(find);
    auto* status = new QLabel;
    layout->addWidget(status);

    QObject::connect(define, &QPushButton::clicked, [&] {
        HostNode* node = doc.FindNode(nodes->currentData().toInt());
        CDlgDefineNode dlg(node, doc.BeginDefineNode(node));
        dlg.DoModal();
        status->setText(doc.IsModified() ? QStringLiteral("The job has changes.") : QString());
    });
    QObject::connect(find, &QPushButton::clicked, [&] {
        CDlgFind dlg;
        dlg.m_strPrompt = "Search the job for a node, a link or a record.";
        if (dlg.DoModal() == IDOK)
            status->setText(QStringLiteral("Find \"%1\"").arg(QString::fromStdString(dlg.m_strFind.ToUtf8())));
    });
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    const char* gallery = nullptr;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gallery") == 0 && i + 1 < argc)
            gallery = argv[++i];
    if (gallery && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("jobhost"));
    return gallery ? RenderGallery(gallery) : RunInteractive();
}
