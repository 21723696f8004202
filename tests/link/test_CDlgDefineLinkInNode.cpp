// A link page inside the node dialog of the reference host: the keys a person types there and what
// reaches the host's link.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "host/HostLink.h"
#include "host/HostNode.h"
#include "host/JobDocument.h"
#include "link/CDlgDefineLink.h"
#include "node/CDlgDefineNode.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"
#include "support/AppProfile.h"
#include "support/resources/supportres.h"

using namespace pdt::test;

namespace
{

class LinkInNodeDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // The dialog stores its window position; each test keeps its own settings.
        m_settings = std::filesystem::temp_directory_path() /
                     ("pdtdlg-link-" + std::to_string(::getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini");
        std::filesystem::remove(m_settings);
        theReg.SetFileName(m_settings.string());

        HostNode* qty = m_doc.AddNode(NODE_INPUT, "Qty");
        HostNode* done = m_doc.AddNode(NODE_SCREEN, "Done");
        m_link = m_doc.AddLink(qty->m_nID, done->m_nID);
        m_link->m_nCondition = LINK_EXPRESSION;
        m_link->m_strExpression = "QTY > 0";
    }
    void TearDown() override { std::filesystem::remove(m_settings); }

    static CDlgDefineLink* LinkPage(CDlgDefineNode& dlg, int linkId)
    {
        OPTIONITEM* opt = dlg.GetOption(IDD_LINK, linkId);
        return opt ? dynamic_cast<CDlgDefineLink*>(opt->pPage) : nullptr;
    }

    std::filesystem::path m_settings;
    JobDocument m_doc;
    HostLink* m_link = nullptr;
};

TEST_F(LinkInNodeDialog, EnterAddsALineToTheExpressionButIsOkInTheInputValue)
{
    HostNode* from = nullptr;
    OPTIONITEM* options = m_doc.BeginDefineLink(m_link, &from);
    CDlgDefineNode dlg(from, options);
    ExpectModal([&](CDialog& d) {
        CDlgDefineLink* page = LinkPage(dlg, m_link->m_nID);
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(page->IsWindowVisible());
        EXPECT_TRUE(page->GetDlgItem(IDC_LINK_EXPRESSION)->IsWindowEnabled());
        EXPECT_FALSE(page->GetDlgItem(IDC_LINK_INPUTDATA)->IsWindowEnabled());

        Focus(Item(*page, IDC_LINK_EXPRESSION));
        Key(VK_END, false, true);
        Type("\rAND LOC = 1");
        Pump();
        ASSERT_TRUE(d.IsWindowVisible()) << "Enter in the expression does not close the dialog";

        Click(*page, IDC_LINK_GRP_INPUTDATA);
        Type(*page, IDC_LINK_INPUTDATA, "42");
        Key(VK_RETURN);
        Pump();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_link->m_nCondition, LINK_INPUT_DATA);
    EXPECT_EQ(m_link->m_strInputData, "42");
    EXPECT_EQ(m_link->m_strExpression, "QTY > 0\r\nAND LOC = 1");
}

TEST_F(LinkInNodeDialog, TheEditorIsTitledWithTheHostsLabelOfTheLink)
{
    HostNode* from = nullptr;
    OPTIONITEM* options = m_doc.BeginDefineLink(m_link, &from);
    CDlgDefineNode dlg(from, options);
    ExpectModal([&](CDialog& d) {
        CDlgDefineLink* page = LinkPage(dlg, m_link->m_nID);
        ASSERT_NE(page, nullptr);
        ExpectModal([](CDialog& pad) {
            EXPECT_EQ(pad.GetWindowText(), "Link Expression: Qty -> Done");
            Type(pad, IDC_SCRIPTPAD_TEXT, "LOC = 2");
            Click(pad, IDOK);
        });
        Click(*page, IDC_SCRIPTPAD);
        Pump();
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDC_LINK_EXPRESSION);
        EXPECT_EQ(m_link->m_strExpression, "QTY > 0") << "nothing reaches the link before OK";
        Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_link->m_strExpression, "LOC = 2");
    EXPECT_EQ(m_link->m_nCondition, LINK_EXPRESSION);
}

} // namespace
