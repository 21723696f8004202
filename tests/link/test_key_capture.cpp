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

TEST_F(KeyCapture, ShiftedKeysArriveByTheirNames)
{
    ExpectModal([](CDialog& d) {
        Click(d, IDC_KEY_CMD);
        Click(d, IDC_KEY_ALPHA);
        Click(d, IDOK);
    });
    ClickKeyField();
    EXPECT_EQ(Text(IDC_LINK_KEY), "Exit");

    ExpectModal([](CDialog& d) {
        Click(d, IDC_KEY_RIGHT);
        Key(VK_RETURN);
        Pump();
    });
    ClickKeyField();
    EXPECT_EQ(Text(IDC_LINK_KEY), "Right") << "the stored \"*Rig\" is shown by its full name";
}

TEST_F(KeyCapture, TheFieldsKeyIsPreselected)
{
    page.m_strKey = "right";
    Load();
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(Keypad(d).m_pKeypad->m_nKeyID, 0) << "only \"Right\" itself names the key";
        Click(d, IDCANCEL);
    });
    ClickKeyField();

    page.m_strKey = "Right";
    Load();
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(Keypad(d).m_pKeypad->m_nKeyID, IDC_KEY_RIGHT);
        EXPECT_EQ(Shown(d), (KeyFields{"Right", "16", ""}));
        Click(d, IDC_KEY_ANYKEY);
        Click(d, IDOK);
    });
    ClickKeyField();
    EXPECT_EQ(Text(IDC_LINK_KEY), "Any-key");

    ExpectModal([](CDialog& d) {
        EXPECT_EQ(Keypad(d).m_pKeypad->m_nKeyID, IDC_KEY_ANYKEY);
        Click(d, IDCANCEL);
    });
    ClickKeyField();
}

TEST_F(KeyCapture, CancelOrNoKeyLeavesTheField)
{
    page.m_strKey = "F1";
    Load();
    ExpectModal([](CDialog& d) {
        Click(d, IDC_KEY_9);
        Click(d, IDCANCEL);
    });
    ClickKeyField();
    EXPECT_EQ(Text(IDC_LINK_KEY), "F1");
    EXPECT_EQ(FocusId(), IDC_LINK_GRP_KEYINPUT);

    ExpectModal([](CDialog& d) {
        Click(d, IDC_KEY_POWER); // no key
        Click(d, IDOK);
    });
    ClickKeyField();
    EXPECT_EQ(Text(IDC_LINK_KEY), "F1");
    EXPECT_EQ(FocusId(), IDC_LINK_GRP_KEYINPUT);
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

// Which template each model has is the keypad's own business (its tests walk them all); the page passes the
// job's model on.
TEST_F(KeyCapture, TheJobsModelOpensItsKeypad)
{
    const std::pair<const char*, int> models[] = {{"R-50G", IDD_KEYPAD_R50G}, {"M-13", IDD_KEYPAD_M13}};
    for (auto [model, templateId] : models)
    {
        SCOPED_TRACE(model);
        UseModel(model);
        ExpectModal([templateId = templateId](CDialog& d) {
            EXPECT_EQ(d.GetTemplateID(), UINT(templateId));
            Type("7");
            Click(d, IDOK);
        });
        ClickKeyField();
        EXPECT_EQ(Text(IDC_LINK_KEY), "7");
    }
}

TEST_F(KeyCapture, LettersComeFromTheTerminalsOwnKeymap)
{
    UseModel("M-20");
    ExpectModal([](CDialog& d) {
        Click(d, IDC_KEY_ALPHA);
        Click(d, IDC_KEY_LEFT);
        Click(d, IDC_KEY_1);
        Click(d, IDOK);
    });
    ClickKeyField();
    EXPECT_EQ(Text(IDC_LINK_KEY), "P");
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

} // namespace

namespace
{

// Where Tab takes the focus from the condition radios, a turn around the page and a little more.
std::vector<int> TabRound(int presses, bool back = false)
{
    std::vector<int> seen;
    for (int i = 0; i < presses; ++i)
    {
        Key(VK_TAB, back);
        Pump();
        seen.push_back(FocusId());
    }
    return seen;
}

bool Has(const std::vector<int>& ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST_F(KeyCapture, TabGoesRoundEveryControlButNeverIntoTheKeyField)
{
    page.m_bEOR = TRUE;
    page.m_bPassAlways = TRUE; // a host always gives the verification one result
    Load();
    struct Case
    {
        int radio;                  // the condition kind chosen
        std::vector<int> reachable; // fields of that kind that Tab reaches
    };
    const Case cases[] = {
        {IDC_LINK_GRP_KEYINPUT, {}},
        {IDC_LINK_GRP_INPUTDATA, {IDC_LINK_INPUTDATA}},
        {IDC_LINK_GRP_VERIFY, {IDC_LINK_PASSALWAYS}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.radio);
        Click(page, c.radio);
        Pump();
        for (bool back : {false, true})
        {
            std::vector<int> seen = TabRound(14, back);
            EXPECT_FALSE(Has(seen, IDC_LINK_KEY)) << "no keypad opens; the key field is left out";
            for (int id : c.reachable)
                EXPECT_TRUE(Has(seen, id)) << id;
            for (int id : {c.radio, IDC_LINK_EOR, IDC_RECORDLIST, IDC_LINK_INIT, IDC_LINK_RRLI, IDC_LINK_ALARM,
                           IDC_LINK_EXCLUDE})
                EXPECT_TRUE(Has(seen, id)) << id << (back ? " going back" : "");
        }
    }

    // The expression takes Tab characters itself; Tab gets there and Shift+Tab reaches its editor button.
    Click(page, IDC_LINK_GRP_EXPRESSION);
    Key(VK_TAB);
    Pump();
    EXPECT_EQ(FocusId(), IDC_LINK_EXPRESSION);
    Focus(Item(page, IDC_LINK_EOR));
    Key(VK_TAB, true);
    Pump();
    EXPECT_EQ(FocusId(), IDC_SCRIPTPAD);

    // A click still picks the key.
    Click(page, IDC_LINK_GRP_KEYINPUT);
    ExpectModal([](CDialog& d) {
        Click(d, IDC_KEY_F1);
        Click(d, IDOK);
    });
    ClickKeyField();
    EXPECT_EQ(Text(IDC_LINK_KEY), "F1");
}

} // namespace
