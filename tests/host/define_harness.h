// Shared by the tests that open definition dialogs on the reference host: a settings file of the
// test's own, and ways to look at and click the option tree as a person would.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/CDlgDefine.h"
#include "framework/OptionPages.h"
#include "host/model/DialogPages.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "host/model/NodeOptions.h"
#include "node/CDlgDefineNode.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace pdt::test
{

// Each test gets its own settings file, so window positions never leak between tests, and short labels.
class HostSettingsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        theReg.SetFileName(TempDir() + "/settings.ini");
        ViewDetailedProperties = 0;
    }
    void TearDown() override { ViewDetailedProperties = 0; }
};

// The same with a job of the test's own on which the definition dialogs open.
class DefineDialogTest : public HostSettingsTest
{
  protected:
    void SetUp() override
    {
        HostSettingsTest::SetUp();
        m_doc.m_strPathName = "C:\\jobs\\Demo.job";
    }

    JobDocument m_doc;
};

// What a person sees of a page's controls.
inline bool Enabled(const CWnd& page, int id) { return page.GetDlgItem(id)->IsWindowEnabled(); }
inline bool Shown(const CWnd& page, int id) { return page.GetDlgItem(id)->IsWindowVisible(); }
inline bool Checked(const CWnd& page, int id) { return page.IsDlgButtonChecked(id) == BST_CHECKED; }
inline CString Text(const CWnd& page, int id) { return page.GetDlgItem(id)->GetWindowText(); }
inline CComboBox& Combo(const CWnd& page, int id) { return *static_cast<CComboBox*>(page.GetDlgItem(id)); }
// Which of the controls are enabled, and which are checked.
template <class Ids> std::set<int> EnabledAmong(const CWnd& page, const Ids& ids)
{
    std::set<int> on;
    for (int id : ids)
        if (page.GetDlgItem(id)->IsWindowEnabled())
            on.insert(id);
    return on;
}
inline std::set<int> EnabledAmong(const CWnd& page, std::initializer_list<int> ids)
{
    return EnabledAmong<std::initializer_list<int>>(page, ids);
}
template <class Ids> std::set<int> CheckedAmong(const CWnd& page, const Ids& ids)
{
    std::set<int> on;
    for (int id : ids)
        if (page.IsDlgButtonChecked(id) == BST_CHECKED)
            on.insert(id);
    return on;
}
// The chosen item's text; "<none>" when nothing is chosen.
inline CString ComboText(const CWnd& page, int id)
{
    CComboBox& combo = Combo(page, id);
    CString text("<none>");
    if (combo.GetCurSel() >= 0)
        combo.GetLBText(combo.GetCurSel(), text);
    return text;
}
// Picks the item with that text from the dropped-down list, as a person does.
inline void Choose(const CWnd& page, int id, const char* text)
{
    CComboBox& combo = Combo(page, id);
    int at = combo.FindStringExact(-1, text);
    ASSERT_GE(at, 0) << text;
    ChooseComboItem(combo.m_hWnd, at);
    Pump();
}

inline CTreeCtrl& Tree(const CDlgDefine& dlg) { return dlg.GetOptionTree(); }

// Labels of the children of an item (the top level for null), in the tree's order.
inline std::vector<CString> Labels(const CDlgDefine& dlg, HTREEITEM parent = nullptr)
{
    CTreeCtrl& tree = Tree(dlg);
    std::vector<CString> labels;
    for (HTREEITEM h = parent ? tree.GetChildItem(parent) : tree.GetRootItem(); h; h = tree.GetNextSiblingItem(h))
        labels.push_back(tree.GetItemText(h));
    return labels;
}

// The first item, depth first, with that label; null when there is none.
inline HTREEITEM FindItem(const CDlgDefine& dlg, const char* label, HTREEITEM from = nullptr)
{
    CTreeCtrl& tree = Tree(dlg);
    for (HTREEITEM h = from ? tree.GetChildItem(from) : tree.GetRootItem(); h; h = tree.GetNextSiblingItem(h))
    {
        if (tree.GetItemText(h) == label)
            return h;
        if (HTREEITEM found = FindItem(dlg, label, h))
            return found;
    }
    return nullptr;
}

inline bool IsExpanded(const CDlgDefine& dlg, HTREEITEM item)
{
    return item && (Tree(dlg).GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// A left click on the item's label.
inline void ClickItem(const CDlgDefine& dlg, HTREEITEM item)
{
    ASSERT_NE(item, nullptr) << "no such tree item";
    CTreeCtrl& tree = Tree(dlg);
    tree.EnsureVisible(item);
    CRect r;
    ASSERT_TRUE(tree.GetItemRect(item, &r, TRUE)) << "item is not shown";
    ClickAt(tree.m_hWnd, r.CenterPoint());
    Pump();
}
inline void ClickItem(const CDlgDefine& dlg, const char* label) { ClickItem(dlg, FindItem(dlg, label)); }

// The item's expand button toggled with the keyboard, as a person does with the tree focused.
inline void ToggleExpand(const CDlgDefine& dlg, HTREEITEM item)
{
    ClickItem(dlg, item);
    Key(IsExpanded(dlg, item) ? VK_LEFT : VK_RIGHT);
    Pump();
}

inline CString SelectedLabel(const CDlgDefine& dlg)
{
    HTREEITEM sel = Tree(dlg).GetSelectedItem();
    return sel ? Tree(dlg).GetItemText(sel) : CString("<none>");
}

// Pages of the host's array whose windows are shown; a container shows at most one.
inline std::vector<int> ShownPages(const CDlgDefine& dlg)
{
    std::vector<int> ids;
    for (OPTIONITEM* opt = dlg.m_pOptions; opt && opt->nID; ++opt)
        if (opt->pPage && opt->pPage->IsWindowVisible())
            ids.push_back(opt->nID);
    return ids;
}

// The page of an entry (of a link, for a link page) when it is of that class; null otherwise.
template <class Page> Page* PageOf(CDlgDefine& dlg, int id, int sub = 0)
{
    OPTIONITEM* opt = dlg.GetOption(id, sub);
    return opt ? dynamic_cast<Page*>(opt->pPage) : nullptr;
}

// Runs a node's dialog modally, on its document's array unless `options` are given, as the host does; `work` acts
// in it as a person does and must close it. Returns how the dialog ended.
inline INT_PTR RunNodeDialog(HostNode* node, const std::function<void(CDlgDefineNode&)>& work,
                             OPTIONITEM* options = nullptr)
{
    auto* doc = static_cast<JobDocument*>(node->GetDocument());
    CDlgDefineNode dlg(node, options ? options : doc->BeginDefineNode(node));
    ExpectModal([&](CDialog&) { work(dlg); });
    return dlg.DoModal();
}

// Clicks the entry's label and returns its page, which must then be the only one shown.
template <class Page> Page& ShowPage(const CDlgDefine& dlg, const char* label, int id)
{
    ClickItem(dlg, label);
    Page* page = DialogPage<Page>(const_cast<CDlgDefine*>(&dlg), id);
    if (!page)
        throw std::runtime_error("no page " + std::to_string(id)); // the test fails, nothing crashes
    EXPECT_EQ(ShownPages(dlg), std::vector<int>{id});
    return *page;
}

// Replaces the page class of an option id for one test and puts the old one back afterwards. An id that
// had no class keeps the test's: there is no way to unregister, so use ids no other test expects empty.
class ScopedOptionPage
{
  public:
    template <class Page> static ScopedOptionPage Register(int optionId, UINT templateId)
    {
        ScopedOptionPage s(optionId);
        OptionPageRegistration<Page> reg(optionId, templateId);
        return s;
    }
    ScopedOptionPage(ScopedOptionPage&& o) noexcept : m_id(o.m_id), m_had(o.m_had), m_old(o.m_old) { o.m_id = 0; }
    ~ScopedOptionPage()
    {
        if (m_id && m_had)
            RegisterOptionPage(m_id, m_old.nTemplateID, m_old.create);
    }

  private:
    explicit ScopedOptionPage(int id) : m_id(id)
    {
        if (const OptionPageClass* old = FindOptionPage(id))
        {
            m_had = true;
            m_old = *old;
        }
    }
    int m_id;
    bool m_had = false;
    OptionPageClass m_old{};
};

} // namespace pdt::test
