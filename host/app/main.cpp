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
#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "host/model/SampleJob.h"
#include "job/CDlgDefineFontChinese.h"
#include "job/CDlgDefineJob.h"
#include "node/CDlgBarcodeSetting.h"
#include "node/CDlgDefineNode.h"
#include "platform/afxhooks.h"
#include "portable/CDlgDefineKeypadModels.h"
#include "portable/CDlgDefinePortable.h"
#include "record/CDlgDefineRecord.h"
#include "resources/resource.h"
#include "simulation/Keymap.h"
#include "simulation/PortableScreen.h"
#include "support/AppProfile.h"

namespace
{

struct GalleryEntry
{
    const char* file;
    std::function<void(CDialog*&)> make; // creates the dialog, modeless, ready to render
    std::function<CWnd*()> window = {};  // or any other top-level window, when make is empty
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

// The portable dialog of the sample's terminal, opened on one of its pages.
CDialog* MakePortableDialog(int optionId)
{
    JobDocument& doc = SampleJob();
    doc.m_nLastPortableOption = optionId;
    auto* dlg = new CDlgDefinePortable(&doc.Terminal(), doc.GetPortableOptions());
    dlg->Create(IDD_DEFINE_PORTABLE);
    return dlg;
}

// The job dialog of the sample job in a mode, opened on one of its pages (the language mode opens on none).
CDialog* MakeJobDialog(JOBSETTINGMODE mode, int optionId)
{
    JobDocument& doc = SampleJob();
    (mode == JSM_GLOBAL ? doc.m_nLastGlobalJobOption : doc.m_nLastJobOption) = optionId;
    auto* dlg = new CDlgDefineJob(&doc, mode, doc.GetJobOptions(mode));
    dlg->Create(IDD_DEFINE_JOB);
    return dlg;
}

// The record dialog of one of the sample's records, opened on one of its pages.
CDialog* MakeRecordDialog(int recordIndex, int optionId)
{
    HostRecord* record = SampleJob().GetRecordAt(recordIndex);
    OPTIONITEM* options = record->GetOptions();
    auto* dlg = new CDlgDefineRecord(options);
    for (OPTIONITEM* opt = options; opt->nID; ++opt)
        if (opt->nID == optionId)
            dlg->m_pInitialOption = opt;
    dlg->Create(IDD_DEFINE_RECORD);
    return dlg;
}

// The double-byte font dialog on the sample job's font, in a language and a Chinese code.
CDialog* MakeFontChinese(int language, int code)
{
    const JobLanguageSettings& s = SampleJob().m_language;
    auto* dlg = new CDlgDefineFontChinese(language, TRUE, nullptr);
    dlg->m_strFace = s.strDBFontFace;
    dlg->m_strStyle = s.strDBFontStyle;
    dlg->m_strSize.Format("%d", s.nDBFontSize);
    dlg->m_nCode = code;
    dlg->m_nOffsetX = 1;
    dlg->m_nOffsetY = -1;
    dlg->Create(IDD_DBFONT);
    return dlg;
}

// A small top-level window holding a portable screen, as the simulator shows it.
class ScreenFrame : public CFrameWnd
{
  public:
    ScreenFrame() : m_screen(RGB(0xC8, 0xE0, 0x90))
    {
        Create(nullptr, "Portable screen", WS_POPUP | WS_CAPTION, CRect(0, 0, 480, 260));
    }
    // Sets the screen up and fits the frame around it.
    CPortableScreen& Screen(const char* model, CSize cells, int language)
    {
        m_screen.Create(CSize(460, 260), CRect(6, 6, 466, 266), 4254, this);
        m_screen.Initial(model, cells, language);
        CRect r;
        m_screen.GetWindowRect(&r);
        MoveWindow(0, 0, r.Width() + 12, r.Height() + 12);
        return m_screen;
    }

  private:
    CPortableScreen m_screen;
};

CWnd* MakeEditScreen()
{
    auto* frame = new ScreenFrame;
    CPortableScreen& screen = frame->Screen("M-20", CSize(21, 8), 0);
    screen.SetPrompt("MAIN MENU\r\n1. Receive goods\r\n2. Pick order\r\n3. Stock count\r\n\r\nSelect 1-3:");
    return frame;
}

CWnd* MakeJapaneseScreen()
{
    // The screen font takes its charset from the settings, as a Japanese set-up has it; the user's value goes back.
    CString charset = theReg.GetString("Settings", "FONT_CHARSET", "");
    theReg.WriteInt("Settings", "FONT_CHARSET", SHIFTJIS_CHARSET);
    auto* frame = new ScreenFrame;
    CPortableScreen& screen = frame->Screen("M-20", CSize(21, 8), 2);
    if (charset.IsEmpty())
        theReg.DeleteValue("Settings", "FONT_CHARSET");
    else
        theReg.WriteString("Settings", "FONT_CHARSET", charset);
    screen.EnableSimulation(true);
    // Shift JIS: "scan the item" and "quantity: 12", then half-width katakana.
    char text[] = "\x8f\xa4\x95\x69\x82\xf0\x83\x58\x83\x4c\x83\x83\x83\x93\r\n"
                  "\x90\x94\x97\xca\x3a\x20\x31\x32\r\n"
                  "\xbd\xb7\xac\xdd\x20\x4f\x4b";
    screen.PrintStringTty(text);
    screen.RefreshScreen(true, false);
    return frame;
}

// The keypad dialog of a model picking a key, with the Enter key preselected.
CDialog* MakeKeypad(const char* model)
{
    CString name(model);
    KEYMAP_KEY keymap[KEYMAP_SIZE];
    ResetKeymap(name, keymap);
    CDlgDefineKeypad* dlg = CreateKeypadDialog(name, KEYPAD_MODE_SELECT, keymap);
    dlg->m_pKeypad->m_nKeyID = IDC_KEY_ENTER;
    dlg->Create(dlg->GetTemplateID());
    return dlg;
}

std::vector<GalleryEntry> Gallery()
{
    return {
        {"node-basic.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_BASIC); }},
        {"node-screen.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Main Menu", IDD_NODE_SCREEN); }},
        {"node-position.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_SCREENPOSITION); }},
        {"node-notes.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_NOTES); }},
        {"node-link.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Count Items", IDD_LINK, 3); }},
        {"node-comment.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Note", IDD_NODE_CMTFONTCOLOR); }},
        {"node-input.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_INPUT); }},
        {"node-input-device.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_INPUTFROMDEVICE); }},
        {"node-input-barcode.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_INPUTBARCODE); }},
        {"node-input-formula.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_INPUTFROMFORMULA); }},
        {"node-input-lookup.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Quantity", IDD_NODE_INPUTFROMLOOKUPFILE); }},
        {"node-verify.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_VERIFY); }},
        {"node-verify-lookup.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_VERIFYLOOKUPFILE); }},
        {"node-verify-qualifier.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Scan Item", IDD_NODE_VERIFYQUALIFIER); }},
        {"node-count-type.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Count Items", IDD_NODE_INPUT); }},
        {"node-count-initial.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Count Items", IDD_NODE_COUNTINITIAL); }},
        {"node-count-operation.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Count Items", 2147); }},
        {"barcode-setting.png",
         [](CDialog*& dlg) {
             auto* setting = new CDlgBarcodeSetting(1, 0x1E); // Code 39 with every option it has
             setting->Create(IDD_BARCODE_SETTING);
             dlg = setting;
         }},
        {"portable-model.png", [](CDialog*& dlg) { dlg = MakePortableDialog(IDD_PORTABLE_MODEL); }},
        {"portable-setting.png", [](CDialog*& dlg) { dlg = MakePortableDialog(IDD_PORTABLE_SETTING); }},
        {"portable-keymap.png", [](CDialog*& dlg) { dlg = MakePortableDialog(IDD_PORTABLE_KEYMAP); }},
        {"job-global-flowchart.png", [](CDialog*& dlg) { dlg = MakeJobDialog(JSM_GLOBAL, IDD_JOB_FLOWCHART); }},
        {"job-global-color.png", [](CDialog*& dlg) { dlg = MakeJobDialog(JSM_GLOBAL, IDD_JOB_COLOR); }},
        {"job-global-makejob.png", [](CDialog*& dlg) { dlg = MakeJobDialog(JSM_GLOBAL, IDD_JOB_MAKEJOB); }},
        {"job-global-simulate.png", [](CDialog*& dlg) { dlg = MakeJobDialog(JSM_GLOBAL, IDD_JOB_SIMULATEJOB); }},
        {"job-basic.png", [](CDialog*& dlg) { dlg = MakeJobDialog(JSM_JOB, IDD_JOB_BASIC); }},
        {"job-portable.png", [](CDialog*& dlg) { dlg = MakeJobDialog(JSM_JOB, IDD_JOB_PORTABLE); }},
        {"node-upload.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Upload", IDD_NODE_UPLOAD); }},
        {"node-erase.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Clear Counts", IDD_NODE_ERASE); }},
        {"node-edit.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Review Counts", IDD_NODE_EDIT); }},
        {"node-program.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Totals", IDD_NODE_PROGRAM); }},
        {"node-runjob.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Receiving", IDD_NODE_RUNJOB); }},
        {"node-hotkey.png", [](CDialog*& dlg) { dlg = MakeNodeDialog("Totals", IDD_NODE_HOTKEY); }},
        {"job-language.png",
         [](CDialog*& dlg) {
             SampleJob().m_nLanguage = 1; // Chinese: the double-byte font controls are in use
             dlg = MakeJobDialog(JSM_LANGUAGE, 0);
         }},
        {"record-fields.png", [](CDialog*& dlg) { dlg = MakeRecordDialog(0, IDD_RECORD_FIELD); }},
        {"record-separators.png", [](CDialog*& dlg) { dlg = MakeRecordDialog(1, IDD_RECORD_SEPARATOR); }},
        {"record-eorlinks.png", [](CDialog*& dlg) { dlg = MakeRecordDialog(1, IDD_RECORD_EORLINK); }},
        {"record-comment.png", [](CDialog*& dlg) { dlg = MakeRecordDialog(0, IDD_NODE_NOTES); }},
        {"job-prompts.png", [](CDialog*& dlg) { dlg = MakeJobDialog(JSM_JOB, IDD_JOB_PROMPTMAIN); }},
        {"job-prompts-edit.png", [](CDialog*& dlg) { dlg = MakeJobDialog(JSM_JOB, IDD_JOB_PROMPTEDIT); }},
        {"job-global-fonts.png", [](CDialog*& dlg) { dlg = MakeJobDialog(JSM_GLOBAL, IDD_JOB_FONT); }},
        {"font-chinese-gb.png", [](CDialog*& dlg) { dlg = MakeFontChinese(1, 1); }},
        {"font-chinese-big5.png", [](CDialog*& dlg) { dlg = MakeFontChinese(1, 2); }},
        {"font-japanese.png", [](CDialog*& dlg) { dlg = MakeFontChinese(2, 1); }},
        {"screen-edit.png", nullptr, MakeEditScreen},
        {"screen-japanese.png", nullptr, MakeJapaneseScreen},
        {"keypad-m10.png", [](CDialog*& dlg) { dlg = MakeKeypad("M-10"); }},
        {"keypad-m13.png", [](CDialog*& dlg) { dlg = MakeKeypad("M-13"); }},
        {"keypad-n13.png", [](CDialog*& dlg) { dlg = MakeKeypad("N-13"); }},
        {"keypad-m20.png", [](CDialog*& dlg) { dlg = MakeKeypad("M-20"); }},
        {"keypad-m20x.png", [](CDialog*& dlg) { dlg = MakeKeypad("M-20X"); }},
        {"keypad-r50.png", [](CDialog*& dlg) { dlg = MakeKeypad("R-50"); }},
        {"keypad-r50g.png", [](CDialog*& dlg) { dlg = MakeKeypad("R-50G"); }},
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
        CWnd* dlg = nullptr;
        if (e.make)
        {
            CDialog* made = nullptr;
            e.make(made);
            dlg = made;
        }
        else
            dlg = e.window();
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
    return gallery ? RenderGallery(gallery) : RunInteractive();
}
