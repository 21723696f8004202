// The gallery renders every dialog template the library has, lists each picture in its index, and keeps going
// past an entry that fails.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <QWidget>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "find/CDlgFind.h"
#include "host/app/Gallery.h"
#include "host/app/res/simulation.h"
#include "host/model/JobDocument.h"
#include "host/model/SampleJob.h"
#include "node/CDlgDefineNode.h"
#include "platform/afxres.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"
#include "support/AppProfile.h"

using namespace pdt::test;

namespace
{

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The dialog templates compiled into the library, as the resource chain has them.
std::set<int> LibraryTemplates()
{
    std::set<int> ids;
    for (const pdt::ResourceModule* module : pdt::ResourceChain())
        if (module->Name() == "pdtdlg")
            for (const auto& [id, dialog] : module->Script().dialogs)
                ids.insert(id);
    return ids;
}

int ColourCount(const QImage& image, int enough)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height() && int(colours.size()) < enough; ++y)
        for (int x = 0; x < image.width() && int(colours.size()) < enough; ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

TEST(Gallery, RendersEveryTemplateOfTheLibraryAndIndexesEachPicture)
{
    const std::set<int> library = LibraryTemplates();
    ASSERT_GT(library.size(), 50u) << "the library's resources were not found";

    const std::string dir = TempDir() + "/gallery";
    const std::vector<GalleryShot> shots = RenderGallery(dir, GalleryEntries());
    const std::string index = ReadFile(dir + "/index.html");

    std::set<int> shown;
    std::set<std::string> files;
    for (const GalleryShot& s : shots)
    {
        SCOPED_TRACE(s.file);
        EXPECT_EQ(s.error, "");
        EXPECT_TRUE(files.insert(s.file).second) << "two entries share a file";
        shown.insert(s.templates.begin(), s.templates.end());
        EXPECT_NE(index.find("href=\"" + s.file + "\""), std::string::npos) << "not linked from the index";
        EXPECT_NE(index.find(s.family), std::string::npos);
        QImage image(QString::fromStdString(dir + "/" + s.file));
        ASSERT_FALSE(image.isNull()) << "no picture";
        EXPECT_GT(ColourCount(image, 3), 1) << "blank picture";
        for (int id : s.templates)
            EXPECT_NE(index.find(std::to_string(id)), std::string::npos) << "template " << id << " not in the index";
    }
    for (int id : library)
        EXPECT_TRUE(shown.count(id)) << "template " << id << " is in no picture of the gallery";
    for (int id : shown)
        EXPECT_TRUE(library.count(id) || id == IDD_SIMULATION) // jobhost's own window is the one other template
            << "template " << id << " shown but not one of the library's";

    // Nothing else lies in the folder: every file there is one the index names.
    for (const auto& f : std::filesystem::directory_iterator(dir))
        EXPECT_TRUE(files.count(f.path().filename().string()) || f.path().filename() == "index.html")
            << f.path();
}

// Each window the gallery makes, on the sample job and shown, for `check`; destroyed after it.
void ForEachGalleryWindow(const std::function<void(CWnd*)>& check)
{
    for (const GalleryEntry& e : GalleryEntries())
    {
        SCOPED_TRACE(e.file);
        std::unique_ptr<JobDocument> doc = MakeSampleJob();
        std::unique_ptr<CWnd> wnd(e.make(*doc));
        ASSERT_NE(wnd, nullptr);
        wnd->ShowWindow(SW_SHOW);
        Pump();
        check(wnd.get());
        wnd->DestroyWindow();
        Pump();
    }
}

// Every control of every window the gallery makes draws inside that window: none is left without a widget, and
// none has a widget of its own on the desktop (as a list created on a page not yet shown once had).
TEST(Gallery, EveryVisibleControlIsInsideItsWindow)
{
    ForEachGalleryWindow([](CWnd* wnd) {
    QWidget* top = Peer(wnd->m_hWnd);
    int checked = 0;
    std::function<void(CWnd*)> walk = [&](CWnd* parent) {
        for (CWnd* c = parent->GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT))
        {
            if (!c->IsWindowVisible())
                continue;
            QWidget* w = Peer(c->m_hWnd);
            ASSERT_NE(w, nullptr) << "control " << c->GetDlgCtrlID();
            EXPECT_EQ(w->window(), top) << "control " << c->GetDlgCtrlID() << " is a window of its own";
            EXPECT_TRUE(w->isVisible()) << "control " << c->GetDlgCtrlID();
            ++checked;
            walk(c);
        }
    };
    walk(wnd);
    EXPECT_GT(checked, 0);
    });
}

// Tab and Shift+Tab walk every window of the library's templates as a person at the keyboard would: each visible,
// enabled control with a tab stop is reached, a radio group at one of its buttons, and no control keeps the focus.
bool IsRadio(CWnd* c)
{
    UINT type = UINT(c->GetStyle() & 0x0F);
    return (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) && c->SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON;
}

// The tab stops of a window, its pages included; each radio group is one stop, known by its first button.
void CollectTabStops(CWnd* parent, std::map<HWND, HWND>& groupOf, std::set<HWND>& stops)
{
    HWND group = nullptr;
    for (CWnd* c = parent->GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT))
    {
        const bool usable = c->IsWindowVisible() && c->IsWindowEnabled();
        if (!IsRadio(c) || (c->GetStyle() & WS_GROUP))
            group = nullptr;
        if (usable && IsRadio(c))
        {
            if (!group)
                group = c->m_hWnd;
            groupOf[c->m_hWnd] = group;
            stops.insert(group);
        }
        else if (usable && (c->GetStyle() & WS_TABSTOP))
            stops.insert(c->m_hWnd);
        if (usable && c->GetWindow(GW_CHILD)) // a page inside its container
            CollectTabStops(c, groupOf, stops);
    }
}

TEST(Gallery, TabAndShiftTabReachEveryTabStopAndNothingKeepsTheFocus)
{
    ForEachGalleryWindow([](CWnd* wnd) {
    std::map<HWND, HWND> groupOf;
    std::set<HWND> stops;
    CollectTabStops(wnd, groupOf, stops);
    if (stops.size() > 1)
        for (bool backwards : {false, true})
        {
            CWnd::FromHandle(*stops.begin())->SetFocus();
            Pump();
            std::set<HWND> reached;
            HWND last = ::GetFocus();
            for (size_t i = 0; i < 2 * stops.size() + 2; ++i)
            {
                Key(VK_TAB, backwards);
                HWND now = ::GetFocus();
                ASSERT_NE(now, last) << (backwards ? "Shift+Tab" : "Tab") << " left the focus on control "
                                     << CWnd::FromHandle(now)->GetDlgCtrlID();
                reached.insert(groupOf.count(now) ? groupOf[now] : now);
                last = now;
            }
            for (HWND stop : stops)
                EXPECT_TRUE(reached.count(stop)) << (backwards ? "Shift+Tab" : "Tab") << " never reaches control "
                                                 << CWnd::FromHandle(stop)->GetDlgCtrlID();
        }
    });
}

TEST(Gallery, AFailedEntryIsReportedAndTheOthersAreRendered)
{
    // The user's settings, which the gallery must leave alone although its dialogs store their positions.
    const std::string settings = TempDir() + "/user.ini";
    const std::string before = theReg.GetFileName();
    theReg.SetFileName(settings);
    theReg.WriteString("Settings", "WPOS_DEFINEBOX", "1 2 3 4");
    const std::string settingsText = ReadFile(settings);

    auto find = [](JobDocument&) -> CWnd* {
        auto* dlg = new CDlgFind;
        dlg->Create(IDD_FIND);
        return dlg;
    };
    const std::vector<GalleryEntry> entries = {
        {"Broken", "throws.png", "a maker that throws", [](JobDocument&) -> CWnd* { throw std::runtime_error("boom"); }},
        {"Broken", "null.png", "a maker that makes nothing", [](JobDocument&) -> CWnd* { return nullptr; }},
        {"Good", "find.png", "Find", find},
        {"Good", "find.png", "the same file again", find},
        {"Good", "node.png", "a node dialog", [](JobDocument& doc) -> CWnd* {
             HostNode* node = doc.GetNodeAt(0);
             auto* dlg = new CDlgDefineNode;
             dlg->CreateDefineNode(node, doc.BeginDefineNode(node));
             return dlg;
         }},
    };
    const std::string dir = TempDir() + "/partial";
    const std::vector<GalleryShot> shots = RenderGallery(dir, entries);
    ASSERT_EQ(shots.size(), entries.size());
    EXPECT_EQ(shots[0].error, "boom");
    EXPECT_NE(shots[1].error, "");
    EXPECT_EQ(shots[2].error, "");
    EXPECT_NE(shots[3].error, "") << "a second picture under one name would hide the first";
    EXPECT_EQ(shots[4].error, "");
    EXPECT_EQ(shots[2].templates, std::vector<int>{IDD_FIND});
    EXPECT_EQ(shots[4].templates.front(), IDD_DEFINE_NODE);
    EXPECT_EQ(shots[4].templates.size(), 2u) << "the container and the one page it shows";
    EXPECT_TRUE(std::filesystem::exists(dir + "/find.png"));
    EXPECT_TRUE(std::filesystem::exists(dir + "/node.png"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/throws.png"));

    const std::string index = ReadFile(dir + "/index.html");
    EXPECT_NE(index.find("throws.png failed: boom"), std::string::npos);
    EXPECT_NE(index.find("null.png failed"), std::string::npos);
    EXPECT_NE(index.find("3 failed"), std::string::npos);

    EXPECT_EQ(theReg.GetFileName(), settings);
    EXPECT_EQ(ReadFile(settings), settingsText);
    theReg.SetFileName(before);
}

} // namespace
