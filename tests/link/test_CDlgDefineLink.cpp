// The link page driven as a person uses it: choosing the condition kind, filling its field, ticking the
// actions, and the expression editor; and what the host sees in the members afterwards.
#include <gtest/gtest.h>

#include <map>
#include <set>

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

TEST_F(LinkPage, ALinkWithoutConditionKindShowsItsValuesButNoField)
{
    EXPECT_EQ(EnabledFields(), std::set<int>{});
    page.m_strKey = "F1";
    page.m_strInputData = "99";
    page.m_strExpression = "QTY > 0";
    page.m_bSuccess = TRUE;
    Load();
    EXPECT_EQ(EnabledFields(), std::set<int>{});
    ExpectKindsAndActionsUsable();
    EXPECT_FALSE(Enabled(IDC_RECORDLIST)) << "no EOR: no record to choose";
    EXPECT_EQ(Text(IDC_LINK_KEY), "F1");
    EXPECT_EQ(Text(IDC_LINK_EXPRESSION), "QTY > 0");
    EXPECT_TRUE(Checked(IDC_LINK_SUCCESS));
    for (int id : kKindRadios)
        EXPECT_FALSE(Checked(id));

    Click(page, IDC_LINK_GRP_INPUTDATA);
    EXPECT_EQ(EnabledFields(), std::set<int>{IDC_LINK_INPUTDATA}) << "a click on a kind opens its field";
}

TEST_F(LinkPage, LoadingAKindSelectsItsFieldsAndOfSeveralTheFirstInOrderWins)
{
    struct Case
    {
        BOOL key, input, verify, expression;
        int wins;
    };
    for (Case c : {Case{TRUE, FALSE, FALSE, FALSE, IDC_LINK_GRP_KEYINPUT},
                   Case{FALSE, TRUE, FALSE, FALSE, IDC_LINK_GRP_INPUTDATA},
                   Case{FALSE, FALSE, TRUE, FALSE, IDC_LINK_GRP_VERIFY},
                   Case{FALSE, FALSE, FALSE, TRUE, IDC_LINK_GRP_EXPRESSION},
                   Case{FALSE, FALSE, TRUE, TRUE, IDC_LINK_GRP_VERIFY},
                   Case{TRUE, FALSE, FALSE, TRUE, IDC_LINK_GRP_KEYINPUT},
                   Case{FALSE, TRUE, TRUE, FALSE, IDC_LINK_GRP_INPUTDATA}})
    {
        page.m_bKeyInput = c.key;
        page.m_bInputData = c.input;
        page.m_bVerifyStatus = c.verify;
        page.m_bExpression = c.expression;
        Load();
        EXPECT_EQ(EnabledFields(), kFieldsOfKind.at(c.wins)) << "expected the fields of " << c.wins;
        EXPECT_TRUE(Checked(c.wins));
    }

    // The host gets back what it wrote: each radio's flag travels on its own.
    page.m_bKeyInput = FALSE;
    page.m_bInputData = page.m_bVerifyStatus = page.m_bExpression = TRUE;
    Load();
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_FALSE(page.m_bKeyInput);
    EXPECT_TRUE(page.m_bInputData && page.m_bVerifyStatus && page.m_bExpression);
}

TEST_F(LinkPage, WhatThePersonChoosesReachesTheMembers)
{
    page.m_bInputData = TRUE;
    page.m_strInputData = "OLD";
    page.m_bSuccess = TRUE;
    page.m_bAlarm = TRUE;
    page.m_bExcludeFromMakeJob = TRUE;
    Load();
    EXPECT_TRUE(Checked(IDC_LINK_ALARM) && Checked(IDC_LINK_EXCLUDE));

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
    EXPECT_TRUE(!page.m_bPassAlways && !page.m_bSuccess && page.m_bFail);
    EXPECT_TRUE(page.m_bINIT && page.m_bRRLI && !page.m_bEOR);
    EXPECT_FALSE(page.m_bAlarm || page.m_bExcludeFromMakeJob);
}

// The EOR box switches the record list at once, and clearing it keeps the chosen record.
TEST_F(LinkPage, EorSwitchesTheRecordListAtOnceAndKeepsTheRecord)
{
    AddRecords();
    Load();
    EXPECT_FALSE(Enabled(IDC_RECORDLIST));
    Click(page, IDC_LINK_EOR);
    EXPECT_TRUE(Enabled(IDC_RECORDLIST));
    ChooseComboItem(page.m_cbRecord, 1);
    Click(page, IDC_LINK_EOR);
    EXPECT_FALSE(Enabled(IDC_RECORDLIST));
    EXPECT_EQ(page.m_cbRecord.GetCurSel(), 1);
}

} // namespace
