// The option-tree container, driven through the node dialog on the reference host: filling the tree,
// moving between pages, validation in array order, Cancel, expanded states and the window position.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../host/define_harness.h"
#include "node/CDlgDefineNode.h"
#include "platform/afxdd.h"
#include "resources/testpages.h"

using namespace pdt::test;

namespace
{

// Option ids that no library page uses: the test's own pages, and one without any page class.
constexpr int kFirstTestPage = 2130;
constexpr int kSecondTestPage = 2131;
constexpr int kNoPageClass = 2135;

// A page with a number that must be an integer; it counts what the container asks of it.
class NumberPage : public CDlgDefineBase
{
  public:
    NumberPage() : CDlgDefineBase(IDD_TESTPAGE) {}

    int m_nNumber = 0;
    int m_nChecked = 0;
    int m_nShown = 0;
    int m_nHidden = 0;

    int OnActiveOption(CDlgDefine*, int bActive) override
    {
        ++(bActive ? m_nShown : m_nHidden);
        return TRUE;
    }

  protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TESTPAGE_NUMBER, m_nNumber);
        DDX_Check(pDX, IDC_TESTPAGE_CHECK, m_nChecked);
    }
};

const OptionPageRegistration<NumberPage> g_first(kFirstTestPage, IDD_TESTPAGE);
const OptionPageRegistration<NumberPage> g_second(kSecondTestPage, IDD_TESTPAGE);

OPTIONITEM Entry(int id, int parent, const char* title)
{
    return OPTIONITEM{id, parent, title, nullptr, nullptr, nullptr, 0, 0, nullptr};
}
OPTIONITEM End() { return Entry(0, -1, nullptr); }

NumberPage* PageOf(CDlgDefine& dlg, int id)
{
    OPTIONITEM* opt = dlg.GetOption(id, 0);
    return opt ? dynamic_cast<NumberPage*>(opt->pPage) : nullptr;
}

class Container : public DefineDialogTest
{
  protected:
    void SetUp() override
    {
        DefineDialogTest::SetUp();
        m_node = m_doc.AddNode(NODE_SCREEN, "Welcome");
        ASSERT_NE(m_node, nullptr);
    }
    HostNode* m_node = nullptr;
};

TEST_F(Container, TreeFollowsTheArrayAndEveryPageIsCreatedHiddenOnThePageArea)
{
    std::vector<OPTIONITEM> options = {Entry(2115, -1, "Basic"), Entry(kFirstTestPage, -1, "First"),
                                       Entry(kSecondTestPage, 1, "Second"), Entry(2124, -1, "Notes"), End()};
    CDlgDefineNode dlg(m_node, options.data());
    ExpectModal([&](CDialog&) {
        EXPECT_EQ(Labels(dlg), (std::vector<CString>{"Basic", "First", "Notes"}));
        EXPECT_EQ(Labels(dlg, options[1].hItem), (std::vector<CString>{"Second"}));
        EXPECT_EQ(options[2].hParentItem, options[1].hItem);

        CRect frame;
        dlg.GetDlgItem(IDC_PAGEFRAME)->GetWindowRect(&frame);
        EXPECT_FALSE(dlg.GetDlgItem(IDC_PAGEFRAME)->IsWindowVisible()) << "the page area is only a marker";
        for (size_t i = 0; i + 1 < options.size(); ++i)
        {
            ASSERT_NE(options[i].pPage, nullptr) << options[i].pszTitle;
            EXPECT_TRUE(options[i].pPage->IsWindowEnabled()) << options[i].pszTitle;
            CRect page;
            options[i].pPage->GetWindowRect(&page);
            EXPECT_EQ(page, frame) << options[i].pszTitle;
        }
        // Nothing remembered: the basic page opens, and only it is shown.
        EXPECT_EQ(ShownPages(dlg), std::vector<int>{2115});
        EXPECT_EQ(PageOf(dlg, kFirstTestPage)->m_nShown, 0);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    for (OPTIONITEM& opt : options)
        EXPECT_EQ(opt.pPage, nullptr) << "pages are deleted with the window";
}

TEST_F(Container, ClickingItemsSwitchesPagesAndTheActiveItemIsNotActivatedAgain)
{
    std::vector<OPTIONITEM> options = {Entry(2115, -1, "Basic"), Entry(kFirstTestPage, -1, "First"),
                                       Entry(kSecondTestPage, -1, "Second"), End()};
    CDlgDefineNode dlg(m_node, options.data());
    ExpectModal([&](CDialog&) {
        NumberPage* first = PageOf(dlg, kFirstTestPage);
        NumberPage* second = PageOf(dlg, kSecondTestPage);
        ASSERT_TRUE(first && second);

        ClickItem(dlg, "First");
        ClickItem(dlg, "First");
        EXPECT_EQ(ShownPages(dlg), std::vector<int>{kFirstTestPage});
        EXPECT_EQ(dlg.GetActiveOptionID(nullptr), kFirstTestPage);
        EXPECT_EQ(first->m_nShown, 1) << "the shown page is not activated again";
        EXPECT_EQ(first->m_nHidden, 0);

        ClickItem(dlg, "Second");
        EXPECT_EQ(ShownPages(dlg), std::vector<int>{kSecondTestPage});
        EXPECT_EQ(first->m_nHidden, 1);
        EXPECT_EQ(second->m_nShown, 1);

        ClickItem(dlg, "Basic");
        EXPECT_EQ(ShownPages(dlg), std::vector<int>{2115});
        EXPECT_EQ(second->m_nHidden, 1);
        Click(dlg, IDCANCEL);
    });
    dlg.DoModal();
}

TEST_F(Container, AnIdWithoutAPageClassIsReportedAndItsItemStaysWithoutAPage)
{
    std::vector<OPTIONITEM> options = {Entry(2115, -1, "Basic"), Entry(kNoPageClass, -1, "Nowhere"),
                                       Entry(kFirstTestPage, -1, "First"), End()};
    CDlgDefineNode dlg(m_node, options.data());
    ExpectMessageBox(IDOK);
    ExpectModal([&](CDialog&) {
        ASSERT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(MessageBoxes()[0].text, "Create property dialog failed!");
        EXPECT_EQ(MessageBoxes()[0].type & MB_ICONMASK, UINT(MB_ICONSTOP));
        EXPECT_EQ(Labels(dlg), (std::vector<CString>{"Basic", "Nowhere", "First"}));
        EXPECT_EQ(options[1].pPage, nullptr);
        ASSERT_NE(options[2].pPage, nullptr) << "the entries after it still get their pages";

        NumberPage* first = PageOf(dlg, kFirstTestPage);
        ClickItem(dlg, "First");
        EXPECT_EQ(first->m_nShown, 1);

        // Selecting it hides the shown page and shows none; the active entry stays the old one.
        ClickItem(dlg, "Nowhere");
        EXPECT_EQ(SelectedLabel(dlg), "Nowhere");
        EXPECT_TRUE(ShownPages(dlg).empty());
        EXPECT_EQ(first->m_nHidden, 1);
        EXPECT_EQ(dlg.m_pActiveOption, &options[2]);

        // So going back to the entry that is still the active one brings nothing back.
        ClickItem(dlg, "First");
        EXPECT_EQ(first->m_nShown, 1);
        EXPECT_TRUE(ShownPages(dlg).empty());

        ClickItem(dlg, "Basic");
        EXPECT_EQ(ShownPages(dlg), std::vector<int>{2115});
        Click(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(MessageBoxes().size(), 1u) << "reported once, when the tree is filled";
}

TEST_F(Container, InvalidPagesAreShownInArrayOrderWhateverPageIsInFront)
{
    std::vector<OPTIONITEM> options = {Entry(2115, -1, "Basic"), Entry(kFirstTestPage, -1, "First"),
                                       Entry(kSecondTestPage, -1, "Second"), End()};
    CDlgDefineNode dlg(m_node, options.data());
    ExpectModal([&](CDialog&) {
        NumberPage* first = PageOf(dlg, kFirstTestPage);
        NumberPage* second = PageOf(dlg, kSecondTestPage);
        ASSERT_TRUE(first && second);
        ClickItem(dlg, "Second");
        Type(*second, IDC_TESTPAGE_NUMBER, "two");
        ClickItem(dlg, "First");
        Type(*first, IDC_TESTPAGE_NUMBER, "one");
        ClickItem(dlg, "Basic");

        ExpectMessageBox(IDOK);
        Click(dlg, IDOK);
        EXPECT_EQ(MessageBoxes().back().text, "Please enter an integer.");
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(SelectedLabel(dlg), "First");
        EXPECT_EQ(ShownPages(dlg), std::vector<int>{kFirstTestPage});
        EXPECT_FALSE(m_doc.IsModified());

        Type(*first, IDC_TESTPAGE_NUMBER, "1");
        ExpectMessageBox(IDOK);
        Click(dlg, IDOK);
        EXPECT_EQ(MessageBoxes().size(), 2u);
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(SelectedLabel(dlg), "Second");
        EXPECT_EQ(ShownPages(dlg), std::vector<int>{kSecondTestPage});

        Type(*second, IDC_TESTPAGE_NUMBER, "2");
        Click(dlg, IDOK);
        EXPECT_EQ(first->m_nNumber, 1);
        EXPECT_EQ(second->m_nNumber, 2);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.m_nUpdateCount, 1) << "only the OK that passed updates the views";
    EXPECT_EQ(m_node->m_nDefineUpdates, 3) << "the node hears of every OK, also of the failed ones";
}

TEST_F(Container, CancelStoresNothingButTheExpandedStates)
{
    // The expandable entries are known by id; a test page stands in for the screen page.
    auto screen = ScopedOptionPage::Register<NumberPage>(2127, IDD_TESTPAGE);
    std::vector<OPTIONITEM> options = {Entry(2115, -1, "Basic"), Entry(2127, -1, "Screen"),
                                       Entry(kFirstTestPage, 1, "Position"), End()};
    m_doc.m_bExpandScreen = 0;
    {
        CDlgDefineNode dlg(m_node, options.data());
        ExpectModal([&](CDialog&) {
            EXPECT_FALSE(IsExpanded(dlg, options[1].hItem));
            Type(*options[0].pPage, IDC_NODE_NAME, "Renamed");
            ToggleExpand(dlg, options[1].hItem);
            EXPECT_TRUE(IsExpanded(dlg, options[1].hItem));
            Click(dlg, IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(m_node->m_strName, "Welcome");
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.m_nUpdateCount, 0);
    EXPECT_EQ(m_doc.m_bExpandScreen, 1);

    CDlgDefineNode again(m_node, options.data());
    ExpectModal([&](CDialog&) {
        EXPECT_TRUE(IsExpanded(again, options[1].hItem)) << "restored when the dialog opens again";
        ToggleExpand(again, options[1].hItem);
        EXPECT_FALSE(IsExpanded(again, options[1].hItem));
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    EXPECT_EQ(m_doc.m_bExpandScreen, 0);
}

TEST_F(Container, WindowPositionIsStoredOnCloseAndTheNextDialogTakesItButNotItsSize)
{
    std::vector<OPTIONITEM> options = {Entry(2115, -1, "Basic"), End()};
    CRect placed;
    {
        CDlgDefineNode dlg;
        ASSERT_TRUE(dlg.CreateDefineNode(m_node, options.data(), nullptr));
        dlg.ShowWindow(SW_SHOW);
        dlg.SetWindowPos(nullptr, 60, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Pump();
        dlg.GetWindowRect(&placed);
        dlg.DestroyWindow();
    }
    CString stored = theReg.GetString("Settings", "WPOS_DEFINEBOX", "");
    EXPECT_EQ(stored, CString(std::to_string(placed.left) + "," + std::to_string(placed.top) + "," +
                              std::to_string(placed.right) + "," + std::to_string(placed.bottom)));

    // Whichever of the four dialogs closed last wrote the shared key; only its position is taken.
    theReg.WriteString("Settings", "WPOS_DEFINEBOX", "70,50,170,90");
    CDlgDefineNode next(m_node, options.data());
    ExpectModal([&](CDialog&) {
        CRect r;
        next.GetWindowRect(&r);
        EXPECT_EQ(r.TopLeft(), CPoint(70, 50));
        EXPECT_EQ(r.Size(), placed.Size()) << "the template's size stays";
        Click(next, IDCANCEL);
    });
    next.DoModal();
}

} // namespace
