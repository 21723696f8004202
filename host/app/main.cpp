// jobhost: the reference host. With a display it opens the library's dialogs in real windows;
// with --gallery DIR it renders each of them to a PNG file instead.
#include <QApplication>

#include <cstring>
#include <string>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "find/CDlgFind.h"
#include "host/app/Gallery.h"
#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "host/model/SampleJob.h"
#include "job/CDlgDefineJob.h"
#include "node/CDlgDefineNode.h"
#include "portable/CDlgDefinePortable.h"
#include "record/CDlgDefineRecord.h"

namespace
{

JobDocument& SampleJob()
{
    static std::unique_ptr<JobDocument> doc = MakeSampleJob();
    return *doc;
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
    auto* recordRow = new QHBoxLayout;
    auto* records = new QComboBox;
    for (int i = 0; i < doc.GetRecordCount(); ++i)
        records->addItem(QString::fromStdString(doc.GetRecordAt(i)->m_strName.ToUtf8()), i);
    auto* defineRecord = new QPushButton(QStringLiteral("Define Record..."));
    recordRow->addWidget(new QLabel(QStringLiteral("Record:")));
    recordRow->addWidget(records, 1);
    recordRow->addWidget(defineRecord);
    layout->addLayout(recordRow);
    auto* find = new QPushButton(QStringLiteral("Find..."));
    layout->addWidget(find);
    auto* settings = new QHBoxLayout;
    auto* portable = new QPushButton(QStringLiteral("Portable..."));
    auto* global = new QPushButton(QStringLiteral("Global Settings..."));
    auto* job = new QPushButton(QStringLiteral("Job Settings..."));
    auto* language = new QPushButton(QStringLiteral("Language..."));
    for (QPushButton* b : {portable, global, job, language})
        settings->addWidget(b);
    layout->addLayout(settings);
    auto* status = new QLabel;
    layout->addWidget(status);

    QObject::connect(define, &QPushButton::clicked, [&] {
        HostNode* node = doc.FindNode(nodes->currentData().toInt());
        CDlgDefineNode dlg(node, doc.BeginDefineNode(node));
        dlg.DoModal();
        status->setText(doc.IsModified() ? QStringLiteral("The job has changes.") : QString());
    });
    QObject::connect(defineRecord, &QPushButton::clicked, [&] {
        HostRecord* record = doc.GetRecordAt(records->currentData().toInt());
        if (!record)
            return;
        CDlgDefineRecord dlg(record->GetOptions());
        dlg.DoModal();
        records->setItemText(records->currentIndex(), QString::fromStdString(record->m_strName.ToUtf8()));
        status->setText(doc.IsModified() ? QStringLiteral("The job has changes.") : QString());
    });
    QObject::connect(find, &QPushButton::clicked, [&] {
        CDlgFind dlg;
        dlg.m_strPrompt = "Search the job for a node, a link or a record.";
        if (dlg.DoModal() == IDOK)
            status->setText(QStringLiteral("Find \"%1\"").arg(QString::fromStdString(dlg.m_strFind.ToUtf8())));
    });
    auto changed = [&] { status->setText(doc.IsModified() ? QStringLiteral("The job has changes.") : QString()); };
    QObject::connect(portable, &QPushButton::clicked, [&] {
        CDlgDefinePortable dlg(&doc.Terminal(), doc.GetPortableOptions());
        dlg.DoModal();
        changed();
    });
    auto jobDialog = [&](JOBSETTINGMODE mode) {
        CDlgDefineJob dlg(&doc, mode, doc.GetJobOptions(mode));
        dlg.DoModal();
        changed();
    };
    QObject::connect(global, &QPushButton::clicked, [&] { jobDialog(JSM_GLOBAL); });
    QObject::connect(job, &QPushButton::clicked, [&] { jobDialog(JSM_JOB); });
    QObject::connect(language, &QPushButton::clicked, [&] { jobDialog(JSM_LANGUAGE); });
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
    return gallery ? RunGallery(gallery) : RunInteractive();
}
