#include "host/app/Gallery.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>

#include "find/CDlgFind.h"
#include "host/app/MainFrame.h"
#include "host/app/SimulationWindow.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "host/model/SampleJob.h"
#include "job/CDlgDefineFontChinese.h"
#include "job/CDlgDefineJob.h"
#include "node/CDlgDefineNode.h"
#include "platform/afxhooks.h"
#include "platform/afxres.h"
#include "portable/CDlgDefineKeypadModels.h"
#include "portable/CDlgDefinePortable.h"
#include "record/CDlgDefineRecord.h"
#include "resources/resource.h"
#include "simulation/Keymap.h"
#include "simulation/PortableScreen.h"
#include "support/AppProfile.h"

namespace
{

// What came up while an entry was made and shown, when RunGallery answers message boxes and modal loops.
std::vector<std::string> g_interruptions;

// A file name part from a label: "From Lookup File" -> "from-lookup-file".
std::string Slug(const std::string& text)
{
    std::string out;
    for (unsigned char c : text)
        if (std::isalnum(c))
            out += char(std::tolower(c));
        else if (!out.empty() && out.back() != '-')
            out += '-';
    while (!out.empty() && out.back() == '-')
        out.pop_back();
    return out;
}

// An entry's part of a file name; a child entry carries its parent's label too ("prompts-upload").
std::string OptionSlug(const OPTIONITEM* options, const OPTIONITEM& opt)
{
    if (opt.nParent < 0 || !options[opt.nParent].pszTitle)
        return Slug(opt.pszTitle);
    return Slug(options[opt.nParent].pszTitle) + "-" + Slug(opt.pszTitle);
}

// A container that did not open on the page asked for shows something else: that is this entry's failure.
template <class Dlg> Dlg* ExpectPage(Dlg* dlg, int optionId, int sub = 0)
{
    int shownSub = 0;
    const int shown = dlg->GetActiveOptionID(&shownSub);
    if (shown == optionId && (!sub || shownSub == sub))
        return dlg;
    dlg->DestroyWindow();
    delete dlg;
    throw std::runtime_error("the dialog opened on option " + std::to_string(shown) + " instead of " +
                             std::to_string(optionId));
}

// The node dialog on a node, opened on one of its pages (a link page: sub is the link's id).
CWnd* MakeNodeDialog(JobDocument& doc, const CString& nodeName, int optionId, int sub = 0)
{
    HostNode* node = doc.FindNodeByName(nodeName);
    if (!node)
        throw std::runtime_error("the sample job has no node \"" + nodeName.ToUtf8() + "\"");
    OPTIONITEM* options = doc.BeginDefineNode(node);
    doc.m_nLastOptionID = optionId;
    doc.m_nLastOptionSub = sub;
    doc.m_bExpandLinkIn = doc.m_bExpandLinkOut = 1;
    auto* dlg = new CDlgDefineNode;
    dlg->CreateDefineNode(node, options);
    return ExpectPage(dlg, optionId, sub);
}

CWnd* MakePortableDialog(JobDocument& doc, int optionId)
{
    doc.m_nLastPortableOption = optionId;
    auto* dlg = new CDlgDefinePortable(&doc.Terminal(), doc.GetPortableOptions());
    dlg->Create(IDD_DEFINE_PORTABLE);
    return ExpectPage(dlg, optionId);
}

CWnd* MakeJobDialog(JobDocument& doc, JOBSETTINGMODE mode, int optionId)
{
    (mode == JSM_GLOBAL ? doc.m_nLastGlobalJobOption : doc.m_nLastJobOption) = optionId;
    auto* dlg = new CDlgDefineJob(&doc, mode, doc.GetJobOptions(mode));
    dlg->Create(IDD_DEFINE_JOB);
    return ExpectPage(dlg, optionId);
}

CWnd* MakeRecordDialog(JobDocument& doc, int recordIndex, int optionId)
{
    HostRecord* record = doc.GetRecordAt(recordIndex);
    if (!record)
        throw std::runtime_error("the sample job has no record " + std::to_string(recordIndex));
    OPTIONITEM* options = record->GetOptions();
    auto* dlg = new CDlgDefineRecord(options);
    for (OPTIONITEM* opt = options; opt->nID; ++opt)
        if (opt->nID == optionId)
            dlg->m_pInitialOption = opt;
    dlg->Create(IDD_DEFINE_RECORD);
    return ExpectPage(dlg, optionId);
}

// The double-byte font dialog on the job's font, in a language and a Chinese code.
CWnd* MakeFontChinese(JobDocument& doc, int language, int code)
{
    const JobLanguageSettings& s = doc.m_language;
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

// The keypad dialog of a model with the Enter key preselected.
CWnd* MakeKeypad(const char* model, int mode)
{
    CString name(model);
    KEYMAP_KEY keymap[KEYMAP_SIZE];
    ResetKeymap(name, keymap);
    CDlgDefineKeypad* dlg = CreateKeypadDialog(name, mode, keymap);
    if (!dlg)
        throw std::runtime_error(std::string("no keypad dialog for the model ") + model);
    dlg->m_pKeypad->m_nKeyID = IDC_KEY_ENTER;
    dlg->Create(dlg->GetTemplateID());
    return dlg;
}

// A small top-level window holding a portable screen, as the simulator shows it.
class ScreenFrame : public CFrameWnd
{
  public:
    explicit ScreenFrame(const char* title) : m_screen(RGB(0xC8, 0xE0, 0x90))
    {
        Create(nullptr, title, WS_POPUP | WS_CAPTION, CRect(0, 0, 480, 260));
    }
    // Sets the screen up and fits the frame around it.
    CPortableScreen& Screen(const char* model, CSize cells, int language)
    {
        m_screen.Create(CSize(460, 260), CRect(6, 6, 466, 266), IDC_SCREEN_WINDOW, this);
        m_screen.Initial(model, cells, language);
        CRect r;
        m_screen.GetWindowRect(&r);
        MoveWindow(0, 0, r.Width() + 12, r.Height() + 12);
        return m_screen;
    }

  private:
    CPortableScreen m_screen;
};

// What each job language shows on the terminal, in the bytes of its code page: a menu for the editor's
// look, a scan-and-count exchange for the simulation's.
struct ScreenLanguage
{
    int code;
    const char* name;
    const char* prompt;
    const char* output;
};
const ScreenLanguage kScreenLanguages[] = {
    {0, "English", "MAIN MENU\r\n1. Receive goods\r\n2. Pick order\r\n3. Stock count\r\n\r\nSelect 1-3:",
     "Scan item:\r\n4006381333931\r\nQuantity: 12\r\nOK"},
    // GB2312: "main menu", "scan item", "quantity: 12", "please enter".
    {1, "Chinese", "\xd6\xf7\xb2\xcb\xb5\xa5\r\n1. \xc9\xa8\xc3\xe8\xc9\xcc\xc6\xb7\r\n2. \xca\xfd\xc1\xbf",
     "\xc9\xa8\xc3\xe8\xc9\xcc\xc6\xb7\r\n4006381333931\r\n\xca\xfd\xc1\xbf\x3a\x20\x31\x32\r\n\xc7\xeb\xca\xe4\xc8\xeb"},
    // Shift JIS: "main menu", "scan the item", "quantity: 12", then half-width katakana.
    {2, "Japanese", "\x83\x81\x83\x43\x83\x93\x83\x81\x83\x6a\x83\x85\x81\x5b\r\n1. \x8f\xa4\x95\x69",
     "\x8f\xa4\x95\x69\x82\xf0\x83\x58\x83\x4c\x83\x83\x83\x93\r\n\x90\x94\x97\xca\x3a\x20\x31\x32\r\n"
     "\xbd\xb7\xac\xdd\x20\x4f\x4b"},
    // Windows-1252 for the others.
    {4, "Spanish", "Men\xfa principal\r\n1. Recibir\r\n2. Contar", "Art\xed" "culo:\r\n4006381333931\r\nCantidad: 12"},
    {5, "German", "Hauptmen\xfc\r\n1. Wareneingang\r\n2. Z\xe4hlen", "Artikel pr\xfc" "fen\r\n4006381333931\r\nMenge: 12"},
    {6, "French", "Menu principal\r\n1. R\xe9" "ception\r\n2. Inventaire",
     "Article scann\xe9\r\n4006381333931\r\nQuantit\xe9: 12"},
    {7, "Italian", "Men\xf9 principale\r\n1. Ricevimento\r\n2. Conteggio",
     "Articolo:\r\n4006381333931\r\nQuantit\xe0: 12"},
};

CWnd* MakeScreen(const ScreenLanguage& lang, bool simulation)
{
    CString title;
    title.Format("Portable screen - %s%s", lang.name, simulation ? " - simulation" : "");
    auto* frame = new ScreenFrame(title.c_str());
    CPortableScreen& screen = frame->Screen("M-20", CSize(21, 8), lang.code);
    if (simulation)
    {
        screen.EnableSimulation(true);
        std::string text = lang.output;
        screen.PrintStringTty(text.data());
        screen.RefreshScreen(true, false);
    }
    else
        screen.SetPrompt(lang.prompt);
    return frame;
}

void AddNodeEntries(std::vector<GalleryEntry>& out, JobDocument& sample)
{
    for (int kind : {NODE_SCREEN, NODE_INPUT, NODE_COUNT, NODE_UPLOAD, NODE_ERASE, NODE_EDIT, NODE_PROGRAM, NODE_RUNJOB,
                     NODE_COMMENT})
    {
        const std::string kindName = HostNode::KindName(kind);
        HostNode* node = nullptr;
        for (int i = 0; i < sample.GetNodeCount() && !node; ++i)
            if (sample.GetNodeAt(i)->m_nKind == kind)
                node = sample.GetNodeAt(i);
        if (!node)
        {
            out.push_back({"Node dialog: " + kindName, "node-" + Slug(kindName) + ".png",
                           "a " + kindName + " node", [](JobDocument&) -> CWnd* {
                               throw std::runtime_error("the sample job has no node of this kind");
                           }});
            continue;
        }
        const CString name = node->m_strName;
        OPTIONITEM* options = sample.GetNodeOptions(kind);
        for (OPTIONITEM* opt = options; opt && opt->nID; ++opt)
        {
            const int id = opt->nID;
            out.push_back({"Node dialog: " + kindName, "node-" + Slug(kindName) + "-" + OptionSlug(options, *opt) + ".png",
                           "node \"" + name.ToUtf8() + "\" on its \"" + opt->pszTitle + "\" page",
                           [name, id](JobDocument& doc) { return MakeNodeDialog(doc, name, id); }});
        }
    }
}

// One link page for each condition the sample's links use, seen from the node it leaves, and one seen from
// the node it enters.
void AddLinkEntries(std::vector<GalleryEntry>& out, JobDocument& sample)
{
    static const std::map<int, const char*> conditions = {{LINK_NO_CONDITION, "no condition"},
                                                          {LINK_KEY, "key"},
                                                          {LINK_INPUT_DATA, "input data"},
                                                          {LINK_VERIFY, "verify"},
                                                          {LINK_EXPRESSION, "expression"}};
    std::set<int> seen;
    for (int i = 0; i < sample.GetLinkCount(); ++i)
    {
        HostLink* link = sample.GetLinkAt(i);
        if (!seen.insert(link->m_nCondition).second)
            continue;
        auto cond = conditions.find(link->m_nCondition);
        const std::string condition = cond == conditions.end() ? "other" : cond->second;
        const CString from = sample.FindNode(link->m_nFromNodeID)->m_strName;
        const CString to = sample.FindNode(link->m_nToNodeID)->m_strName;
        const int linkId = link->m_nID;
        const std::string what = "link " + from.ToUtf8() + " -> " + to.ToUtf8() + " (" + condition + ")";
        out.push_back({"Links", "link-" + Slug(condition) + ".png", what + ", from the node it leaves",
                       [from, linkId](JobDocument& doc) { return MakeNodeDialog(doc, from, IDD_LINK, linkId); }});
        if (i == 0)
            out.push_back({"Links", "link-incoming.png", what + ", from the node it enters",
                           [to, linkId](JobDocument& doc) { return MakeNodeDialog(doc, to, IDD_LINK, linkId); }});
    }
}

void AddRecordEntries(std::vector<GalleryEntry>& out, JobDocument& sample)
{
    for (int r = 0; r < sample.GetRecordCount(); ++r)
    {
        HostRecord* record = sample.GetRecordAt(r);
        const std::string name = record->m_strName.ToUtf8();
        OPTIONITEM* options = record->GetOptions();
        for (OPTIONITEM* opt = options; opt->nID; ++opt)
        {
            const int id = opt->nID;
            out.push_back({"Record dialog", "record-" + Slug(name) + "-" + OptionSlug(options, *opt) + ".png",
                           "record \"" + name + "\" on its \"" + opt->pszTitle + "\" page",
                           [r, id](JobDocument& doc) { return MakeRecordDialog(doc, r, id); }});
        }
    }
}

void AddPortableAndJobEntries(std::vector<GalleryEntry>& out, JobDocument& sample)
{
    OPTIONITEM* portable = sample.GetPortableOptions();
    for (OPTIONITEM* opt = portable; opt->nID; ++opt)
    {
        const int id = opt->nID;
        out.push_back({"Portable dialog", "portable-" + OptionSlug(portable, *opt) + ".png",
                       std::string("the terminal on its \"") + opt->pszTitle + "\" page",
                       [id](JobDocument& doc) { return MakePortableDialog(doc, id); }});
    }
    const struct
    {
        JOBSETTINGMODE mode;
        const char* family;
        const char* prefix;
        const char* what;
    } modes[] = {{JSM_GLOBAL, "Job dialog: global settings", "job-global-", "global settings"},
                 {JSM_JOB, "Job dialog: the job's settings", "job-", "the sample job's settings"}};
    for (const auto& m : modes)
    {
        OPTIONITEM* options = sample.GetJobOptions(m.mode);
        for (OPTIONITEM* opt = options; opt->nID; ++opt)
        {
            const int id = opt->nID;
            const JOBSETTINGMODE mode = m.mode;
            out.push_back({m.family, m.prefix + OptionSlug(options, *opt) + ".png",
                           std::string(m.what) + " on the \"" + opt->pszTitle + "\" page",
                           [mode, id](JobDocument& doc) { return MakeJobDialog(doc, mode, id); }});
        }
    }
    // The language page names its double-byte font after the language, so each of those shows.
    for (const ScreenLanguage& lang : kScreenLanguages)
    {
        if (lang.code > 2)
            break;
        for (OPTIONITEM* opt = sample.GetJobOptions(JSM_LANGUAGE); opt->nID; ++opt)
        {
            const int id = opt->nID, code = lang.code;
            out.push_back({"Job dialog: language",
                           "job-" + Slug(opt->pszTitle) + "-" + Slug(lang.name) + ".png",
                           std::string("a job in ") + lang.name + " on the \"" + opt->pszTitle + "\" page",
                           [id, code](JobDocument& doc) {
                               doc.m_nLanguage = code;
                               return MakeJobDialog(doc, JSM_LANGUAGE, id);
                           }});
        }
    }
}

void AddSmallDialogEntries(std::vector<GalleryEntry>& out)
{
    for (const char* model : {"M-10", "M-13", "N-13", "M-20", "M-20X", "R-50", "R-50G"})
        out.push_back({"Keypad dialogs", "keypad-" + Slug(model) + ".png",
                       std::string("the ") + model + " keypad picking a key, Enter preselected",
                       [model](JobDocument&) { return MakeKeypad(model, KEYPAD_MODE_SELECT); }});
    out.push_back({"Keypad dialogs", "keypad-m-20-edit.png", "the M-20 keypad setting key codes",
                   [](JobDocument&) { return MakeKeypad("M-20", KEYPAD_MODE_EDIT); }});

    // The settings dialog itself is the library's own: a host sees its template.
    out.push_back({"Other dialogs", "barcode-setting.png", "the barcode settings template",
                   [](JobDocument&) {
                       auto* setting = new CDialog(IDD_BARCODE_SETTING);
                       setting->Create(IDD_BARCODE_SETTING);
                       return static_cast<CWnd*>(setting);
                   }});
    out.push_back({"Other dialogs", "font-chinese-gb.png", "double-byte font, Chinese in GB",
                   [](JobDocument& doc) { return MakeFontChinese(doc, 1, 1); }});
    out.push_back({"Other dialogs", "font-chinese-big5.png", "double-byte font, Chinese in Big5",
                   [](JobDocument& doc) { return MakeFontChinese(doc, 1, 2); }});
    out.push_back({"Other dialogs", "font-japanese.png", "double-byte font, Japanese",
                   [](JobDocument& doc) { return MakeFontChinese(doc, 2, 1); }});
    out.push_back({"Other dialogs", "find.png", "Find with a prompt", [](JobDocument&) {
                       auto* find = new CDlgFind;
                       find->m_strPrompt = "Search the job for a node, a link or a record.";
                       find->Create(IDD_FIND);
                       return static_cast<CWnd*>(find);
                   }});
}

void AddScreenEntries(std::vector<GalleryEntry>& out)
{
    for (const ScreenLanguage& lang : kScreenLanguages)
        for (bool simulation : {false, true})
            out.push_back({"Portable screen",
                           "screen-" + Slug(lang.name) + (simulation ? "-simulation" : "-edit") + ".png",
                           std::string("an M-20 screen in ") + lang.name +
                               (simulation ? ", output of a simulation" : ", a screen text being edited"),
                           [&lang, simulation](JobDocument&) { return MakeScreen(lang, simulation); }});
    out.push_back({"Portable screen", "simulation-window.png",
                   "the sample job simulated: a stock count under way on the M-20's screen and keypad, with the "
                   "record written so far and the log",
                   [](JobDocument& doc) { return MakeSimulationInProgress(doc); }});
}

// jobhost's own window on the sample job: as it opens, and with a node selected.
void AddMainWindowEntries(std::vector<GalleryEntry>& out)
{
    out.push_back({"Main window", "main-window.png", "the flowchart of the sample job", [](JobDocument& doc) {
                       return CreateMainFrameForGallery(doc);
                   }});
    out.push_back({"Main window", "main-window-selected.png", "the sample job with the node \"Scan Item\" selected",
                   [](JobDocument& doc) {
                       CWnd* wnd = CreateMainFrameForGallery(doc);
                       if (auto* frame = dynamic_cast<MainFrame*>(wnd))
                           frame->GetView().SelectNode(doc.FindNodeByName("Scan Item"));
                       return wnd;
                   }});
}

// The dialog templates in a window as it shows: its own, then those of its visible child dialogs (pages).
void CollectTemplates(CWnd* wnd, std::vector<int>& ids)
{
    if (auto* dlg = dynamic_cast<CDialog*>(wnd); dlg && dlg->GetTemplateID())
        ids.push_back(int(dlg->GetTemplateID()));
    for (CWnd* child = wnd->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        if (child->IsWindowVisible())
        {
            CWnd* own = CWnd::FromHandlePermanent(child->m_hWnd); // the page object, not a wrapper
            CollectTemplates(own ? own : child, ids);
        }
}

// More than one colour: a window that rendered nothing is a failure too.
bool HasContent(const std::string& path)
{
    QImage image(QString::fromStdString(path));
    if (image.isNull())
        return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first)
                return true;
    return false;
}

// Symbolic names of the library's templates, for the index.
std::map<int, std::string> TemplateNames()
{
    std::map<int, std::string> names;
    for (const pdt::ResourceModule* module : pdt::ResourceChain())
        try
        {
            for (const auto& [name, value] : module->Script().defines)
                if (name.rfind("IDD_", 0) == 0 && !names.count(int(value)))
                    names[int(value)] = name;
        }
        catch (const std::exception&)
        {
            // a module whose script does not parse names nothing
        }
    return names;
}

std::string Html(const std::string& text)
{
    std::string out;
    for (char c : text)
        switch (c)
        {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    return out;
}

bool WriteIndex(const std::string& folder, const std::vector<GalleryShot>& shots)
{
    const std::map<int, std::string> names = TemplateNames();
    std::ofstream html(folder + "/index.html", std::ios::binary | std::ios::trunc);
    html << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>jobhost gallery</title>\n"
            "<style>body{font-family:sans-serif;margin:1em}h2{border-bottom:1px solid #888}"
            ".grid{display:flex;flex-wrap:wrap;gap:12px}.shot{width:260px;font-size:12px}"
            ".shot img{max-width:256px;max-height:200px;border:1px solid #ccc}.failed{color:#b00}</style>"
            "</head><body>\n<h1>jobhost gallery</h1>\n";
    int failed = 0;
    for (const GalleryShot& s : shots)
        failed += !s.error.empty();
    html << "<p>" << shots.size() << " pictures, " << failed << " failed.</p>\n";
    if (failed)
    {
        html << "<ul class=\"failed\">\n";
        for (const GalleryShot& s : shots)
            if (!s.error.empty())
                html << "<li>" << Html(s.file) << ": " << Html(s.error) << "</li>\n";
        html << "</ul>\n";
    }
    std::string family;
    for (const GalleryShot& s : shots)
    {
        if (s.family != family)
        {
            html << (family.empty() ? "" : "</div>\n") << "<h2>" << Html(s.family) << "</h2>\n<div class=\"grid\">\n";
            family = s.family;
        }
        html << "<div class=\"shot\">";
        if (s.error.empty())
            html << "<a href=\"" << Html(s.file) << "\"><img src=\"" << Html(s.file) << "\" alt=\"" << Html(s.file)
                 << "\"></a>";
        else
            html << "<p class=\"failed\">" << Html(s.file) << " failed: " << Html(s.error) << "</p>";
        html << "<br><b>" << Html(s.title) << "</b><br>" << Html(s.what);
        if (!s.templates.empty())
        {
            html << "<br>template";
            for (size_t i = 0; i < s.templates.size(); ++i)
            {
                auto n = names.find(s.templates[i]);
                html << (i ? ", " : " ") << s.templates[i] << (n == names.end() ? "" : " " + n->second);
            }
        }
        html << "</div>\n";
    }
    if (!family.empty())
        html << "</div>\n";
    html << "</body></html>\n";
    return bool(html.flush());
}

// Renders one entry; the error is filled in when anything went wrong.
void Render(const GalleryEntry& e, const std::string& folder, GalleryShot& shot)
{
    std::unique_ptr<JobDocument> doc = MakeSampleJob();
    CWnd* wnd = nullptr;
    try
    {
        wnd = e.make(*doc);
    }
    catch (const std::exception& ex)
    {
        shot.error = ex.what();
    }
    catch (...)
    {
        shot.error = "the window could not be made";
    }
    if (!wnd)
    {
        if (shot.error.empty())
            shot.error = "the window could not be made";
        return;
    }
    wnd->ShowWindow(SW_SHOW);
    pdt::hooks::ProcessEvents();
    shot.title = wnd->GetWindowText().ToUtf8();
    CollectTemplates(wnd, shot.templates);
    const std::string path = folder + "/" + e.file;
    if (!pdt::hooks::SaveWindowImage(wnd->m_hWnd, path.c_str()))
        shot.error = "the image could not be written";
    else if (!HasContent(path))
        shot.error = "the image is blank";
    if (!g_interruptions.empty() && shot.error.empty())
        shot.error = g_interruptions.front();
    wnd->DestroyWindow();
    delete wnd;
    pdt::hooks::ProcessEvents();
}

} // namespace

std::vector<GalleryEntry> GalleryEntries()
{
    std::unique_ptr<JobDocument> sample = MakeSampleJob();
    std::vector<GalleryEntry> entries;
    AddMainWindowEntries(entries);
    AddNodeEntries(entries, *sample);
    AddLinkEntries(entries, *sample);
    AddRecordEntries(entries, *sample);
    AddPortableAndJobEntries(entries, *sample);
    AddSmallDialogEntries(entries);
    AddScreenEntries(entries);
    return entries;
}

std::vector<GalleryShot> RenderGallery(const std::string& folder, const std::vector<GalleryEntry>& entries)
{
    QDir().mkpath(QString::fromStdString(folder));
    // A settings store of its own: the user's window positions and screen font neither change the pictures nor
    // get changed by them.
    QTemporaryDir scratch;
    const std::string userSettings = theReg.GetFileName();
    if (scratch.isValid())
        theReg.SetFileName(scratch.filePath(QStringLiteral("gallery.ini")).toStdString());

    std::vector<GalleryShot> shots;
    std::set<std::string> files;
    for (const GalleryEntry& e : entries)
    {
        GalleryShot& shot = shots.emplace_back();
        shot.family = e.family;
        shot.file = e.file;
        shot.what = e.what;
        g_interruptions.clear();
        if (!files.insert(e.file).second)
            shot.error = "another entry has the same file name";
        else
            Render(e, folder, shot);
        if (!shot.error.empty())
            std::fprintf(stderr, "jobhost: could not render %s/%s: %s\n", folder.c_str(), e.file.c_str(),
                         shot.error.c_str());
    }

    theReg.SetFileName(userSettings);
    if (!WriteIndex(folder, shots))
    {
        std::fprintf(stderr, "jobhost: could not write %s/index.html\n", folder.c_str());
        shots.push_back({"", "index.html", "", "", {}, "could not be written"});
    }
    return shots;
}

int RunGallery(const char* folder)
{
    // Nothing may wait for a person: a message box or a modal loop is answered and fails its entry.
    pdt::hooks::SetMessageBoxHandler([](const pdt::hooks::MessageBoxRequest& r) {
        g_interruptions.push_back("a message box came up: " + r.text.ToUtf8());
        return int(IDOK);
    });
    pdt::hooks::SetFallbackModalHandler([](CDialog& dlg) {
        g_interruptions.push_back("a modal dialog came up: template " + std::to_string(dlg.GetTemplateID()));
        dlg.EndDialog(IDCANCEL);
    });
    const std::vector<GalleryShot> shots = RenderGallery(folder, GalleryEntries());
    pdt::hooks::SetFallbackModalHandler({});
    pdt::hooks::SetMessageBoxHandler({});
    int failures = 0;
    for (const GalleryShot& s : shots)
        if (s.error.empty())
            std::printf("%s/%s\n", folder, s.file.c_str());
        else
            ++failures;
    std::printf("%s/index.html\n", folder);
    return failures ? 1 : 0;
}
