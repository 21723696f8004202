// A host's portable array may leave pages out: what the remaining pages hold is stored and nothing else moves.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/model/HostNodeCollect.h"
#include "portable_harness.h"

using namespace pdt::test;

namespace
{

using PortablePartialArray = PortableDialogTest;

TEST_F(PortablePartialArray, WithoutTheKeymapPageTheKeymapStaysAsItWas)
{
    UseModel("M-10");
    Terminal().m_keymap[0].byKeyCode ^= 0x20; // a keymap of the user's
    Terminal().m_bUseMyKeymap = TRUE;
    KEYMAP_KEY before[KEYMAP_SIZE];
    std::memcpy(before, Terminal().m_keymap, sizeof before);
    std::vector<OPTIONITEM> options = {
        {JobOptions::PORTABLE_MODEL, -1, "Model", nullptr, nullptr, nullptr, 0, 0, nullptr},
        {JobOptions::PORTABLE_SETTING, -1, "Settings", nullptr, nullptr, nullptr, 0, 0, nullptr},
        {0, -1, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
    };
    CDlgDefinePortable dlg(&Terminal(), options.data());
    ExpectModal([&](CDialog&) {
        Click(ShowPage<CDlgDefinePortableSetting>(dlg, "Settings", JobOptions::PORTABLE_SETTING),
              IDC_PORTABLE_BUZZERLOW);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Terminal().m_nBuzzerVolume, BUZZER_LOW);
    EXPECT_TRUE(Terminal().m_bUseMyKeymap);
    EXPECT_EQ(std::memcmp(before, Terminal().m_keymap, sizeof before), 0);
}

// A count operator a damaged job holds has no name and takes no operand.
TEST(CountOperators, AnOperatorOutsideTheListHasNoNameAndNoOperand)
{
    for (int op : {-1, int(OP_COUNT), 1000})
    {
        EXPECT_EQ(OperatorName(op), nullptr) << op;
        EXPECT_FALSE(OperatorTakesOperand(op)) << op;
    }
}

} // namespace
