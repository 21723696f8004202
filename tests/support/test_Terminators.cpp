// Terminator lists in combo boxes, the names of codes, and the small combo and edit helpers.
#include <QPlainTextEdit>
#include <QPoint>
#include <QVariant>

#include "support_harness.h"

using namespace pdt::test;

namespace
{

using Entries = std::vector<std::pair<CString, int>>;

Entries Listed(CComboBox& combo)
{
    Entries out;
    for (int i = 0; i < combo.GetCount(); ++i)
    {
        CString s;
        combo.GetLBText(i, s);
        out.emplace_back(s, int(combo.GetItemData(i)));
    }
    return out;
}

using Terminators = HostTest;

TEST_F(Terminators, FieldListWithAndWithoutNone)
{
    CComboBox& combo = host.Combo(IDC_COMBO);
    InitialFieldTerminatorList(combo, true);
    const Entries withNone{{"None", 0},           {"Tab", 9},      {"Space", 32}, {"Comma (,)", 44}, {"Colon (:)", 58},
                           {"Semicolon (;)", 59}, {"Bar (|)", 124}};
    EXPECT_EQ(Listed(combo), withNone);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "the caller selects";

    // Filling again replaces the list rather than adding to it.
    InitialFieldTerminatorList(combo, false);
    Entries without(withNone.begin() + 1, withNone.end());
    EXPECT_EQ(Listed(combo), without);
}

TEST_F(Terminators, RecordListHoldsColonAndSemicolonAndCrLf)
{
    CComboBox& combo = host.Combo(IDC_COMBO);
    InitialRecordTerminatorList(combo);
    const Entries expected{{"CR", 13}, {"LF", 10},        {"CR+LF", TERMINATOR_CRLF}, {"ETX", 3},
                           {"Tab", 9}, {"Comma (,)", 44}, {"Colon (:)", 58},          {"Semicolon (;)", 59}};
    EXPECT_EQ(Listed(combo), expected);
    EXPECT_GT(TERMINATOR_CRLF, 127) << "not a character a single terminator could be";
}

TEST_F(Terminators, NamesAgreeWithTheListsAndUnknownCodesAreReadable)
{
    for (auto fill : {+[](CComboBox& c) { InitialFieldTerminatorList(c, true); },
                      +[](CComboBox& c) { InitialRecordTerminatorList(c); }})
    {
        CComboBox& combo = host.Combo(IDC_COMBO);
        fill(combo);
        for (auto& [name, code] : Listed(combo))
            EXPECT_EQ(GetTerminatorName(code), name) << code;
    }
    EXPECT_EQ(GetTerminatorName(123), "Char 123");
    EXPECT_EQ(GetTerminatorName(-1), "Char -1");
    EXPECT_EQ(GetTerminatorName(0x0D0A), "Char 3338");
}

TEST_F(Terminators, SortedComboKeepsEachNameWithItsCode)
{
    CComboBox& combo = host.Combo(IDC_COMBO_SORTED);
    InitialRecordTerminatorList(combo);
    Entries listed = Listed(combo);
    ASSERT_EQ(listed.size(), 8u);
    EXPECT_EQ(listed.front().first, "Colon (:)") << "sorted by the combo box";
    for (auto& [name, code] : listed)
        EXPECT_EQ(GetTerminatorName(code), name);
}

TEST_F(Terminators, SelectedItemDataFollowsTheChoice)
{
    CComboBox& combo = host.Combo(IDC_COMBO);
    InitialRecordTerminatorList(combo);
    EXPECT_EQ(GetCurSelDataFromComboBox(combo), 0) << "nothing selected";
    ChooseComboItem(Item(host, IDC_COMBO), 2);
    EXPECT_EQ(GetCurSelDataFromComboBox(combo), TERMINATOR_CRLF);
    ChooseComboItem(Item(host, IDC_COMBO), 7);
    EXPECT_EQ(GetCurSelDataFromComboBox(combo), 59);

    CComboBox unattached;
    EXPECT_EQ(GetCurSelDataFromComboBox(unattached), 0);
    InitialFieldTerminatorList(unattached, true); // nothing to fill, nothing to crash
    InitialRecordTerminatorList(unattached);
}

TEST_F(Terminators, EditTabStopsAreFourDialogUnitsPerCharacter)
{
    auto* editor = qobject_cast<QPlainTextEdit*>(Peer(Item(host, IDC_MULTI_EDIT)));
    ASSERT_NE(editor, nullptr);
    int baseX = Peer(host.m_hWnd)->property("pdt_baseunits").toPoint().x();
    ASSERT_GT(baseX, 0);

    SetEditTabStops(&host, IDC_MULTI_EDIT, 4);
    EXPECT_NEAR(editor->tabStopDistance(), 4 * baseX, 1);
    SetEditTabStops(&host, host.Edit(IDC_MULTI_EDIT), 10);
    EXPECT_NEAR(editor->tabStopDistance(), 10 * baseX, 1);
    SetEditTabStops(&host, IDC_MULTI_EDIT, 0);
    EXPECT_NEAR(editor->tabStopDistance(), 8 * baseX, 1) << "no width: the edit box's default of 8 characters";

    // Tab stops now in effect: typing into the box still works.
    Focus(Item(host, IDC_MULTI_EDIT));
    Type("x");
    EXPECT_EQ(host.Edit(IDC_MULTI_EDIT).GetWindowText(), "x");

    // Nothing to set: no crash, nothing changed.
    SetEditTabStops(&host, 4242, 4);
    SetEditTabStops(nullptr, IDC_MULTI_EDIT, 4);
    SetEditTabStops(&host, IDC_SINGLE_EDIT, 4);
    CEdit unattached;
    SetEditTabStops(&host, unattached, 4);
    EXPECT_NEAR(editor->tabStopDistance(), 8 * baseX, 1);
}

} // namespace
