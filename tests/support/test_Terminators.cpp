// Terminator lists in combo boxes, the names of codes, and the small combo and edit helpers.
#include <QPlainTextEdit>

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

TEST_F(Terminators, ListsHoldTheirCodesUnderTheNamesGetTerminatorNameGives)
{
    CComboBox& combo = host.Combo(IDC_COMBO);
    InitialFieldTerminatorList(combo, true);
    const Entries withNone{{"None", 0},           {"Tab", 9},      {"Space", 32}, {"Comma (,)", 44}, {"Colon (:)", 58},
                           {"Semicolon (;)", 59}, {"Bar (|)", 124}};
    EXPECT_EQ(Listed(combo), withNone);
    // Filling again replaces the list rather than adding to it.
    InitialFieldTerminatorList(combo, false);
    EXPECT_EQ(Listed(combo), Entries(withNone.begin() + 1, withNone.end()));

    // A sorted combo box keeps each name with its code.
    CComboBox& sorted = host.Combo(IDC_COMBO_SORTED);
    InitialRecordTerminatorList(sorted);
    Entries listed = Listed(sorted);
    ASSERT_EQ(listed.size(), 8u);
    EXPECT_EQ(listed.front().first, "Colon (:)");
    for (auto& [name, code] : listed)
        EXPECT_EQ(GetTerminatorName(code), name) << code;
    EXPECT_EQ(GetTerminatorName(123), "Char 123");
}

TEST_F(Terminators, EditTabStopsAreFourDialogUnitsPerCharacter)
{
    auto* editor = qobject_cast<QPlainTextEdit*>(Peer(Item(host, IDC_MULTI_EDIT)));
    ASSERT_NE(editor, nullptr);
    int baseX = Peer(host.m_hWnd)->property("pdt_baseunits").toPoint().x();
    ASSERT_GT(baseX, 0);

    SetEditTabStops(&host, host.Edit(IDC_MULTI_EDIT), 10);
    EXPECT_NEAR(editor->tabStopDistance(), 10 * baseX, 1);
    SetEditTabStops(&host, IDC_MULTI_EDIT, 0);
    EXPECT_NEAR(editor->tabStopDistance(), 8 * baseX, 1) << "no width: the edit box's default of 8 characters";

    // Nothing to set: no crash, nothing changed.
    SetEditTabStops(&host, 4242, 4);
    SetEditTabStops(nullptr, IDC_MULTI_EDIT, 4);
    CEdit unattached;
    SetEditTabStops(&host, unattached, 4);
    EXPECT_NEAR(editor->tabStopDistance(), 8 * baseX, 1);
}

} // namespace
