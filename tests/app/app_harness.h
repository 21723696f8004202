// Shared by the main window's tests: a shown main window on a job, the settings file of the definition dialogs'
// tests, and ways to reach the flowchart and the menus as a person does, with the mouse.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "host/app/HostCommands.h"
#include "host/app/MainFrame.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "host/model/SampleJob.h"
#include "node/CDlgDefineNode.h"
#include "support/Seams.h"
#include "tests/host/define_harness.h"

namespace pdt::test
{

// A job named `file` of nodes at points of the page (screen nodes unless a kind is given) and links between
// them by name, unchanged since it was made.
struct NodeAt
{
    const char* name;
    CPoint at;
    int kind = NODE_SCREEN;
};
inline std::unique_ptr<JobDocument> JobOf(const char* file, std::initializer_list<NodeAt> nodes,
                                          std::initializer_list<std::pair<const char*, const char*>> links = {})
{
    auto doc = std::make_unique<JobDocument>();
    doc->m_strPathName = CString("/tmp/") + file;
    for (const NodeAt& n : nodes)
        doc->AddNode(n.kind, n.name)->m_ptPosition = n.at;
    for (auto [from, to] : links)
        doc->AddLink(doc->FindNodeByName(from)->m_nID, doc->FindNodeByName(to)->m_nID);
    doc->SetModifiedFlag(FALSE);
    return doc;
}

class MainWindowTest : public HostSettingsTest
{
  public: // the cases' lambdas and tables reach the window through these
    void SetUp() override
    {
        HostSettingsTest::SetUp();
        SetSimulateHandler(nullptr);
    }
    void TearDown() override
    {
        pdt::support::SetFileDialogHandler(nullptr);
        SetSimulateHandler(nullptr);
        if (frame)
        {
            frame->DestroyWindow(); // no questions: only the user's commands ask
            frame.reset();
        }
        Pump();
        HostSettingsTest::TearDown();
    }

    // Opens the window on a job; the sample job when none is given.
    void Open(std::unique_ptr<JobDocument> doc = nullptr, CRect rect = CRect(20, 20, 1020, 720))
    {
        frame = std::make_unique<MainFrame>();
        ASSERT_TRUE(frame->Create(doc ? std::move(doc) : MakeSampleJob(), rect));
        frame->ShowWindow(SW_SHOW);
        Pump();
    }

    JobDocument& Doc() { return frame->GetDocument(); }
    FlowchartView& View() { return frame->GetView(); }
    HWND ViewWnd() { return frame->GetView().m_hWnd; }
    HostNode* Node(const char* name) { return Doc().FindNodeByName(name); }

    // Where a node's box is in the view's client area: its centre, and a point inside it away from its texts.
    CPoint Centre(const HostNode* node) { return View().PageToClient(View().GetNodeRect(*node).CenterPoint()); }
    CPoint Body(const HostNode* node)
    {
        CRect r = View().GetNodeRect(*node);
        return View().PageToClient(CPoint(r.right - 6, r.bottom - 6));
    }

    // The Basic page of the node dialog beside the flowchart.
    CWnd& BasicPage()
    {
        CDlgDefineNode* dlg = frame->GetNodeDialog();
        OPTIONITEM* opt = dlg ? dlg->GetOption(IDD_NODE_BASIC, 0) : nullptr;
        if (!opt || !opt->pPage)
            throw std::runtime_error("no basic page");
        return *opt->pPage;
    }

    // A click on a title of the menu bar, answering its popup with a command (0 dismisses it).
    void Menu(const char* title, UINT command)
    {
        MenuBar& bar = frame->GetMenuBar();
        int index = bar.FindMenu(title);
        ASSERT_GE(index, 0) << "no menu " << title;
        ExpectPopupMenu(int(command));
        ClickAt(bar.m_hWnd, bar.GetItemRect(index).CenterPoint());
        Pump();
    }
    // The item of the last popup with that command, searched through its submenus.
    static const pdt::hooks::MenuItemInfo* FindMenuItem(const std::vector<pdt::hooks::MenuItemInfo>& items, UINT id)
    {
        for (const auto& item : items)
        {
            if (item.id == id)
                return &item;
            if (const auto* found = FindMenuItem(item.children, id))
                return found;
        }
        return nullptr;
    }
    const pdt::hooks::MenuItemInfo* LastMenuItem(UINT id)
    {
        return PopupMenus().empty() ? nullptr : FindMenuItem(PopupMenus().back().items, id);
    }

    std::unique_ptr<MainFrame> frame;
};

} // namespace pdt::test
