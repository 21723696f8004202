// The key of a link is picked on the terminal's keypad: entering the key field opens the keypad dialog
// of the job's terminal model, and what was picked there lands in the field.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "link/CDlgDefineLink.h"
#include "link_harness.h"
#include "portable/CDlgDefineKeypad.h"
#include "resources/resource.h"
#include "simulation/Keymap.h"
#include "tests/simulation/keypad_harness.h"

using namespace pdt::test;

namespace
{

class KeyCapture : public PageTest<CDlgDefineLink>
{
  protected:
    void SetUp() override
    {
        PageTest::SetUp();
        UseModel("M-10");
        page.m_pDoc = &doc;
        page.m_pLink = &link;
        page.m_bKeyInput = TRUE;
        Load();
    }
    void UseModel(const char* model)
    {
        doc.Terminal().m_strModel = model;
        ResetKeymap(doc.Terminal().m_strModel, doc.Terminal().m_keymap);
    }
    // A person clicks into the key field.
    void ClickKeyField()
    {
        Click(page, IDC_LINK_KEY);
        Pump();
    }
    static CDlgDefineKeypad& Keypad(CDialog& d) { return static_cast<CDlgDefineKeypad&>(d); }

    JobDocument doc;
    TestLink link;
};

TEST_F(KeyCapture, OkWithAKeyWritesItsNameAndTheFocusMovesOn)
{
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(d.GetTemplateID(), UINT(IDD_KEYPAD_M10));
        EXPECT_EQ(Keypad(d).m_nMode, KEYPAD_MODE_SELECT);
        EXPECT_FALSE(d.GetDlgItem(IDC_KEY_SET)->IsWindowVisible());
        Click(d, IDC_KEY_F3);
        Click(d, IDOK);
    });
    ClickKeyField();
    EXPECT_EQ(Text(IDC_LINK_KEY), "F3");
    EXPECT_EQ(FocusId(), IDC_LINK_GRP_KEYINPUT);
    EXPECT_EQ(page.m_nKeypadLock, 0);

    page.UpdateData(TRUE);
    EXPECT_EQ(page.m_strKey, "F3") << "the host reads the picked key";
}

TEST_F(KeyCapture, NoSecondKeypadWhileOneIsOpen)
{
    ExpectModal([this](CDialog& d) {
        EXPECT_EQ(page.m_nKeypadLock, 1);
        // The key field gets the focus again behind the keypad: an unexpected second dialog fails the test.
        Focus(Item(page, IDC_LINK_KEY));
        Focus(d.GetDlgItem(IDC_KEY_5)->m_hWnd);
        Click(d, IDC_KEY_0);
        Click(d, IDOK);
    });
    ClickKeyField();
    EXPECT_EQ(Text(IDC_LINK_KEY), "0");
    EXPECT_EQ(page.m_nKeypadLock, 0);
}

// A model the library does not know, or a page without a document: a keypad here would be an unexpected modal
// dialog.
TEST_F(KeyCapture, AnUnknownModelOrNoDocumentOpensNothing)
{
    struct Row
    {
        const char* model;
        bool withDocument;
    };
    for (Row row : {Row{"m-10", true}, Row{"M-30", true}, Row{"", true}, Row{"M-10", false}})
    {
        SCOPED_TRACE(std::string(row.model) + (row.withDocument ? "" : " without a document"));
        doc.Terminal().m_strModel = row.model;
        page.m_pDoc = row.withDocument ? &doc : nullptr;
        page.m_strKey = "F2";
        Load();
        ClickKeyField();
        EXPECT_EQ(Text(IDC_LINK_KEY), "F2");
        EXPECT_EQ(FocusId(), IDC_LINK_GRP_KEYINPUT);
        EXPECT_EQ(page.m_nKeypadLock, 0);
    }
}

// Tab and Shift+Tab go round the page but never into the key field, whose focus would open a keypad.
TEST_F(KeyCapture, TabGoesRoundEveryControlButNeverIntoTheKeyField)
{
    page.m_bEOR = TRUE;
    Load();
    Click(page, IDC_LINK_GRP_KEYINPUT);
    for (bool back : {false, true})
        for (int i = 0; i < 14; ++i)
        {
            Key(VK_TAB, back);
            Pump();
            EXPECT_NE(FocusId(), IDC_LINK_KEY) << (back ? "going back" : "going on");
        }
}

} // namespace
