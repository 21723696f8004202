// The link page driven as a person uses it: choosing the condition kind, filling its field, ticking the
// actions, and the expression editor; and what the host sees in the members afterwards.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "framework/OptionPages.h"
#include "link/CDlgDefineLink.h"
#include "link_harness.h"
#include "resources/resource.h"
#include "support/resources/supportres.h"

using namespace pdt::test;

namespace
{

// The fields that depend on the condition kind.
const int kConditionFields[] = {IDC_LINK_KEY,     IDC_LINK_INPUTDATA,  IDC_LINK_PASSALWAYS, IDC_LINK_SUCCESS,
                                IDC_LINK_FAIL,    IDC_LINK_EXPRESSION, IDC_SCRIPTPAD};
const int kKindRadios[] = {IDC_LINK_GRP_KEYINPUT, IDC_LINK_GRP_INPUTDATA, IDC_LINK_GRP_VERIFY,
                           IDC_LINK_GRP_EXPRESSION};
const int kActionChecks[] = {IDC_LINK_EOR, IDC_LINK_INIT, IDC_LINK_RRLI, IDC_LINK_ALARM, IDC_LINK_EXCLUDE};

const std::map<int, std::set<int>> kFieldsOfKind = {
    {IDC_LINK_GRP_KEYINPUT, {IDC_LINK_KEY}},
    {IDC_LINK_GRP_INPUTDATA, {IDC_LINK_INPUTDATA}},
    {IDC_LINK_GRP_VERIFY, {IDC_LINK_PASSALWAYS, IDC_LINK_SUCCESS, IDC_LINK_FAIL}},
    {IDC_LINK_GRP_EXPRESSION, {IDC_LINK_EXPRESSION, IDC_SCRIPTPAD}},
};

class LinkPage : public PageTest<CDlgDefineLink>
{
  protected:
    void SetUp() override
    {
        PageTest::SetUp();
        page.m_pLink = &link;
    }

    std::set<int> EnabledFields() const
    {
        std::set<int> on;
        for (int id : kConditionFields)
            if (Enabled(id))
                on.insert(id);
        return on;
    }
    // The kind radios and the actions are never switched off by the condition kind.
    void ExpectKindsAndActionsUsable() const
    {
        for (int id : kKindRadios)
            EXPECT_TRUE(Enabled(id)) << "radio " << id;
        for (int id : kActionChecks)
            EXPECT_TRUE(Enabled(id)) << "check box " << id;
    }
    void AddRecords()
    {
        page.m_cbRecord.SetItemData(page.m_cbRecord.AddString("Pallets"), 30);
        page.m_cbRecord.SetItemData(page.m_cbRecord.AddString("Cartons"), 10);
        page.m_cbRecord.SetItemData(page.m_cbRecord.AddString("Returns"), 20);
    }

    TestLink link;
};

TEST_F(LinkPage, NewPageHasEveryConditionFieldDisabled)
{
    EXPECT_EQ(EnabledFields(), std::set<int>{});
    ExpectKindsAndActionsUsable();
    for (int id : kKindRadios)
        EXPECT_FALSE(Checked(id));
}

TEST_F(LinkPage, LinkWithoutConditionKindShowsItsValuesButNoField)
{
    page.m_strKey = "F1";
    page.m_strInputData = "99";
    page.m_strExpression = "QTY > 0";
    page.m_bSuccess = TRUE;
    Load();
    EXPECT_EQ(EnabledFields(), std::set<int>{});
    EXPECT_FALSE(Enabled(IDC_RECORDLIST)) << "no EOR: no record to choose";
    EXPECT_EQ(Text(IDC_LINK_KEY), "F1");
    EXPECT_EQ(Text(IDC_LINK_INPUTDATA), "99");
    EXPECT_EQ(Text(IDC_LINK_EXPRESSION), "QTY > 0");
    EXPECT_TRUE(Checked(IDC_LINK_SUCCESS));

    Click(page, IDC_LINK_GRP_INPUTDATA);
    EXPECT_EQ(EnabledFields(), std::set<int>{IDC_LINK_INPUTDATA}) << "a click on a kind opens its field";
}

TEST_F(LinkPage, EachKindRadioEnablesExactlyItsOwnFields)
{
    // Every kind after every other, so that a field left on by the previous kind shows.
    for (int first : kKindRadios)
        for (int second : kKindRadios)
        {
            Click(page, first);
            Click(page, second);
            EXPECT_EQ(EnabledFields(), kFieldsOfKind.at(second)) << "after " << first << " then " << second;
            for (int id : kKindRadios)
                EXPECT_EQ(Checked(id), id == second) << "radio " << id << " after a click on " << second;
            ExpectKindsAndActionsUsable();
        }
}

TEST_F(LinkPage, LoadingOneKindSelectsItsFields)
{
    struct Case
    {
        BOOL CDlgDefineLink::*flag;
        int radio;
    };
    for (Case c : {Case{&CDlgDefineLink::m_bKeyInput, IDC_LINK_GRP_KEYINPUT},
                   Case{&CDlgDefineLink::m_bInputData, IDC_LINK_GRP_INPUTDATA},
                   Case{&CDlgDefineLink::m_bVerifyStatus, IDC_LINK_GRP_VERIFY},
                   Case{&CDlgDefineLink::m_bExpression, IDC_LINK_GRP_EXPRESSION}})
    {
        page.m_bKeyInput = page.m_bInputData = page.m_bVerifyStatus = page.m_bExpression = FALSE;
        page.*c.flag = TRUE;
        Load();
        EXPECT_EQ(EnabledFields(), kFieldsOfKind.at(c.radio)) << "kind " << c.radio;
        EXPECT_TRUE(Checked(c.radio));
    }
}

TEST_F(LinkPage, TwoKindsSetTheFirstInOrderWins)
{
    struct Case
    {
        BOOL key, input, verify, expression;
        int wins;
    };
    for (Case c : {Case{FALSE, FALSE, TRUE, TRUE, IDC_LINK_GRP_VERIFY},
                   Case{TRUE, FALSE, FALSE, TRUE, IDC_LINK_GRP_KEYINPUT},
                   Case{FALSE, TRUE, TRUE, FALSE, IDC_LINK_GRP_INPUTDATA},
                   Case{FALSE, TRUE, FALSE, TRUE, IDC_LINK_GRP_INPUTDATA},
                   Case{TRUE, TRUE, TRUE, TRUE, IDC_LINK_GRP_KEYINPUT}})
    {
        page.m_bKeyInput = c.key;
        page.m_bInputData = c.input;
        page.m_bVerifyStatus = c.verify;
        page.m_bExpression = c.expression;
        Load();
        EXPECT_EQ(EnabledFields(), kFieldsOfKind.at(c.wins)) << "expected the fields of " << c.wins;
    }

    // The host gets back what it wrote: each radio's flag travels on its own.
    page.m_bKeyInput = FALSE;
    page.m_bInputData = page.m_bVerifyStatus = page.m_bExpression = TRUE;
    Load();
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_FALSE(page.m_bKeyInput);
    EXPECT_TRUE(page.m_bInputData);
    EXPECT_TRUE(page.m_bVerifyStatus);
    EXPECT_TRUE(page.m_bExpression);
}

TEST_F(LinkPage, LoadingWithoutAKindKeepsTheFieldsAsTheyAre)
{
    page.m_bVerifyStatus = TRUE;
    Load();
    page.m_bVerifyStatus = FALSE;
    Load();
    EXPECT_EQ(EnabledFields(), kFieldsOfKind.at(IDC_LINK_GRP_VERIFY));

    Click(page, IDC_LINK_GRP_EXPRESSION);
    page.m_bExpression = FALSE;
    Load();
    EXPECT_EQ(EnabledFields(), kFieldsOfKind.at(IDC_LINK_GRP_EXPRESSION));
}

TEST_F(LinkPage, WhatThePersonChoosesReachesTheMembers)
{
    page.m_bInputData = TRUE;
    page.m_strInputData = "OLD";
    page.m_bSuccess = TRUE;
    page.m_bAlarm = TRUE;
    page.m_bExcludeFromMakeJob = TRUE;
    Load();
    EXPECT_TRUE(Checked(IDC_LINK_ALARM));
    EXPECT_TRUE(Checked(IDC_LINK_EXCLUDE));
    EXPECT_FALSE(Checked(IDC_LINK_INIT));

    Type(page, IDC_LINK_INPUTDATA, "12345");
    Click(page, IDC_LINK_GRP_VERIFY);
    Click(page, IDC_LINK_FAIL);
    Click(page, IDC_LINK_INIT);
    Click(page, IDC_LINK_RRLI);
    Click(page, IDC_LINK_ALARM);
    Click(page, IDC_LINK_EXCLUDE);
    ASSERT_TRUE(page.UpdateData(TRUE));

    EXPECT_EQ(page.m_strInputData, "12345");
    EXPECT_FALSE(page.m_bInputData);
    EXPECT_TRUE(page.m_bVerifyStatus) << "the verification radios are a group of their own";
    EXPECT_FALSE(page.m_bPassAlways);
    EXPECT_FALSE(page.m_bSuccess);
    EXPECT_TRUE(page.m_bFail);
    EXPECT_TRUE(page.m_bINIT);
    EXPECT_TRUE(page.m_bRRLI);
    EXPECT_FALSE(page.m_bAlarm);
    EXPECT_FALSE(page.m_bExcludeFromMakeJob);
    EXPECT_FALSE(page.m_bEOR);
}

TEST_F(LinkPage, ArrowKeysStayInsideEachRadioGroup)
{
    // With the key edit open, Up from the first kind wraps to the last kind, not into the edit.
    Click(page, IDC_LINK_GRP_KEYINPUT);
    ASSERT_EQ(FocusId(), IDC_LINK_GRP_KEYINPUT);
    Key(VK_UP);
    EXPECT_EQ(FocusId(), IDC_LINK_GRP_EXPRESSION);
    EXPECT_TRUE(Checked(IDC_LINK_GRP_EXPRESSION));
    const int order[] = {IDC_LINK_GRP_KEYINPUT, IDC_LINK_GRP_INPUTDATA, IDC_LINK_GRP_VERIFY,
                         IDC_LINK_GRP_EXPRESSION};
    for (int expected : order)
    {
        Key(VK_DOWN);
        EXPECT_EQ(FocusId(), expected);
        EXPECT_TRUE(Checked(expected));
        EXPECT_EQ(EnabledFields(), kFieldsOfKind.at(expected)) << "the arrow chooses the kind as a click does";
    }

    Click(page, IDC_LINK_GRP_VERIFY);
    Click(page, IDC_LINK_PASSALWAYS);
    ASSERT_EQ(FocusId(), IDC_LINK_PASSALWAYS);
    for (int expected : {IDC_LINK_SUCCESS, IDC_LINK_FAIL, IDC_LINK_PASSALWAYS})
    {
        Key(VK_RIGHT);
        EXPECT_EQ(FocusId(), expected);
        EXPECT_TRUE(Checked(expected));
        EXPECT_TRUE(Checked(IDC_LINK_GRP_VERIFY));
    }
}

TEST_F(LinkPage, EorSwitchesTheRecordListAtOnceAndKeepsTheRecord)
{
    AddRecords();
    Load();
    EXPECT_FALSE(Enabled(IDC_RECORDLIST));

    CString first;
    page.m_cbRecord.GetLBText(0, first);
    EXPECT_EQ(first, "Cartons") << "the records are listed sorted";

    Click(page, IDC_LINK_EOR);
    EXPECT_TRUE(Enabled(IDC_RECORDLIST));
    EXPECT_TRUE(page.m_bEOR) << "the click saves the page";

    ChooseComboItem(page.m_cbRecord, 1);
    ASSERT_EQ(page.m_cbRecord.GetCurSel(), 1);
    EXPECT_EQ(page.m_cbRecord.GetItemData(1), 30u);

    Click(page, IDC_LINK_EOR);
    EXPECT_FALSE(Enabled(IDC_RECORDLIST));
    EXPECT_FALSE(page.m_bEOR);
    EXPECT_EQ(page.m_cbRecord.GetCurSel(), 1) << "clearing EOR keeps the chosen record";

    Click(page, IDC_LINK_EOR);
    EXPECT_TRUE(Enabled(IDC_RECORDLIST));
    EXPECT_EQ(page.m_cbRecord.GetCurSel(), 1);
}

TEST_F(LinkPage, LoadingEorEnablesTheRecordListWhateverTheKind)
{
    AddRecords();
    page.m_bEOR = TRUE;
    Load();
    EXPECT_TRUE(Enabled(IDC_RECORDLIST));
    EXPECT_TRUE(Checked(IDC_LINK_EOR));

    page.m_bEOR = FALSE;
    page.m_bKeyInput = TRUE;
    Load();
    EXPECT_FALSE(Enabled(IDC_RECORDLIST));
}

TEST_F(LinkPage, EnterInTheExpressionStartsALineButElsewhereIsTheContainersOk)
{
    Click(page, IDC_LINK_GRP_EXPRESSION);
    Type(page, IDC_LINK_EXPRESSION, "QTY > 0\rAND LOC = 1");
    Pump();
    EXPECT_EQ(holder.oks, 0);
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.m_strExpression, "QTY > 0\r\nAND LOC = 1");

    Click(page, IDC_LINK_GRP_INPUTDATA);
    Type(page, IDC_LINK_INPUTDATA, "7");
    Key(VK_RETURN);
    Pump();
    EXPECT_EQ(holder.oks, 1);

    Key(VK_ESCAPE);
    Pump();
    EXPECT_EQ(holder.cancels, 0) << "Escape in a page does nothing";
    EXPECT_TRUE(page.IsWindowVisible());
}

TEST_F(LinkPage, ExpressionEditorTakesTheTypedTextAndGivesTheFocusBack)
{
    page.m_bExpression = TRUE;
    Load();
    EXPECT_TRUE(Enabled(IDC_SCRIPTPAD));
    Type(page, IDC_LINK_EXPRESSION, "QTY > 0");

    ExpectModal([](CDialog& pad) {
        EXPECT_EQ(pad.GetWindowText(), "Link Expression: Scan Pallet -> Store");
        EXPECT_EQ(pad.GetDlgItem(IDC_SCRIPTPAD_TEXT)->GetWindowText(), "QTY > 0")
            << "the editor starts from what is in the page, saved or not";
        Type(pad, IDC_SCRIPTPAD_TEXT, "QTY > 10\rOR LOC = 2");
        Click(pad, IDOK);
    });
    Click(page, IDC_SCRIPTPAD);
    Pump();

    EXPECT_EQ(page.m_strExpression, "QTY > 10\r\nOR LOC = 2");
    EXPECT_EQ(Text(IDC_LINK_EXPRESSION), "QTY > 10\r\nOR LOC = 2");
    EXPECT_EQ(FocusId(), IDC_LINK_EXPRESSION);
}

TEST_F(LinkPage, CancelledExpressionEditorLeavesTheTextAndStillFocusesTheExpression)
{
    link.m_label = "-> Done, #4";
    page.m_bExpression = TRUE;
    page.m_strExpression = "A = B";
    Load();

    ExpectModal([](CDialog& pad) {
        EXPECT_EQ(pad.GetWindowText(), "Link Expression: -> Done, #4");
        Type(pad, IDC_SCRIPTPAD_TEXT, "thrown away");
        Click(pad, IDCANCEL);
    });
    Click(page, IDC_SCRIPTPAD);
    Pump();

    EXPECT_EQ(page.m_strExpression, "A = B");
    EXPECT_EQ(Text(IDC_LINK_EXPRESSION), "A = B");
    EXPECT_EQ(FocusId(), IDC_LINK_EXPRESSION);
    EXPECT_EQ(EnabledFields(), kFieldsOfKind.at(IDC_LINK_GRP_EXPRESSION));
}

TEST_F(LinkPage, ControlsCarryTheirTexts)
{
    const std::map<int, const char*> texts = {
        {IDC_LINK_GRP_KEYINPUT, "Keypad Input:"},
        {IDC_LINK_GRP_INPUTDATA, "Input Data:"},
        {IDC_LINK_GRP_VERIFY, "Verify Node's Status:"},
        {IDC_LINK_GRP_EXPRESSION, "Expression:"},
        {IDC_LINK_PASSALWAYS, "Pass Always"},
        {IDC_LINK_SUCCESS, "Success"},
        {IDC_LINK_FAIL, "Fail"},
        {IDC_LINK_EOR, "EOR, Write Record:"},
        {IDC_LINK_INIT, "INIT, Activate Initializatioin"},
        {IDC_LINK_RRLI, "RRLI, Reset \"Repeat Last Input\" For All Nodes"},
        {IDC_LINK_ALARM, "Alarm"},
        {IDC_LINK_EXCLUDE, "* Exclude When Make Job"},
        {IDC_SCRIPTPAD, ">>"},
    };
    for (auto [id, text] : texts)
        EXPECT_EQ(Text(id), text) << "control " << id;
}

TEST_F(LinkPage, LayoutKeepsEveryControlOnThePageWithoutOverlaps)
{
    CRect client;
    page.GetClientRect(&client);
    std::vector<std::pair<int, CRect>> boxes;
    int frames = 0;
    for (CWnd* w : Children())
    {
        CRect r;
        w->GetWindowRect(&r);
        page.ScreenToClient(&r);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
            << "control " << w->GetDlgCtrlID() << " leaves the page";
        if (GetWindowClassName(*w).CompareNoCase("Button") == 0 && (w->GetStyle() & BS_TYPEMASK) == BS_GROUPBOX)
        {
            EXPECT_TRUE(w->GetWindowText().IsEmpty()) << "the frames have no text";
            ++frames;
            continue;
        }
        boxes.push_back({w->GetDlgCtrlID(), r});
    }
    EXPECT_EQ(frames, 4);
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j)
        {
            EXPECT_FALSE(Overlap(boxes[i].second, boxes[j].second))
                << "controls " << boxes[i].first << " and " << boxes[j].first << " overlap";
        }
}

TEST_F(LinkPage, PictureOfAFilledPage)
{
    page.m_cbRecord.AddString("Pallets");
    page.m_cbRecord.AddString("Cartons");
    page.m_cbRecord.SetCurSel(1);
    page.m_bEOR = TRUE;
    page.m_bExpression = TRUE;
    page.m_strExpression = "IF QTY > 0 AND LOC <> \"\"\r\n\tGOOD = 1";
    page.m_strKey = "F1";
    page.m_strInputData = "END";
    page.m_bSuccess = TRUE;
    page.m_bRRLI = TRUE;
    Load();
    EXPECT_TRUE(SavePng(page.m_hWnd, OutputPath("link.png")));
}

TEST(LinkPageClass, OptionIdCreatesALinkPageThatStartsHiddenAndDisabled)
{
    const OptionPageClass* cls = FindOptionPage(IDD_LINK);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->nTemplateID, UINT(IDD_LINK));
    CDlgDefineBase* created = cls->create(nullptr);
    auto* link = dynamic_cast<CDlgDefineLink*>(created);
    ASSERT_NE(link, nullptr);

    PageHolder holder;
    ASSERT_TRUE(holder.Create(kPageHolder));
    holder.ShowWindow(SW_SHOW);
    ASSERT_TRUE(link->Create(cls->nTemplateID, &holder));
    EXPECT_EQ(link->GetParent(), &holder);
    EXPECT_FALSE(link->IsWindowVisible());
    EXPECT_FALSE(link->IsWindowEnabled());
    EXPECT_TRUE(link->GetStyle() & WS_CHILD);
    link->DestroyWindow();
    delete link;
    holder.DestroyWindow();
    Pump();
}

} // namespace
