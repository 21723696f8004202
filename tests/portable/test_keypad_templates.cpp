// Every key button of each keypad model exists, is shown inside the window and is wired to the keypad.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "platform/afxres.h"
#include "tests/simulation/keypad_harness.h"

using namespace pdt::test;

namespace
{

struct Model
{
    const char* name;
    std::vector<int> keys;
};

// What the test list shows for a case: the model and how many keys it checks, not the bytes of the struct.
void PrintTo(const Model& m, std::ostream* os) { *os << m.name << " (" << m.keys.size() << " keys)"; }

std::vector<Model> Models()
{
    const std::vector<int> common = {IDC_KEY_0,     IDC_KEY_1,    IDC_KEY_2,    IDC_KEY_3,  IDC_KEY_4,   IDC_KEY_5,
                                     IDC_KEY_6,     IDC_KEY_7,    IDC_KEY_8,    IDC_KEY_9,  IDC_KEY_DOT, IDC_KEY_CLR,
                                     IDC_KEY_ENTER, IDC_KEY_F1,   IDC_KEY_F2,   IDC_KEY_F3, IDC_KEY_F4,  IDC_KEY_CMD,
                                     IDC_KEY_ALPHA, IDC_KEY_LEFT, IDC_KEY_RIGHT};
    std::vector<int> m10 = common, m13;
    m10.insert(m10.begin(), {IDC_KEY_SPACE, IDC_KEY_UP, IDC_KEY_DOWN});
    m13 = m10;
    m13.insert(m13.begin(), IDC_KEY_ESC2);
    return {{"M-10", m10},  {"M-13", m13},    {"R-50", m13},    {"N-13", m13},
            {"R-50G", m13}, {"M-20", common}, {"M-20X", common}};
}

class KeypadKeys : public KeypadTest, public ::testing::WithParamInterface<Model>
{
};

TEST_P(KeypadKeys, EveryKeyIsAShownButtonThatPicksItself)
{
    Open(GetParam().name, KEYPAD_MODE_EDIT);
    EXPECT_EQ(dlg->GetWindowText(), CString(GetParam().name) + " Keypad");
    EXPECT_EQ(std::memcmp(keypad().m_keymap, keymap, sizeof(keymap)), 0) << "the simulator has a copy";
    CRect client;
    dlg->GetClientRect(&client);
    for (CWnd* w = dlg->GetWindow(GW_CHILD); w; w = w->GetWindow(GW_HWNDNEXT))
    {
        CRect r;
        w->GetWindowRect(&r);
        dlg->ScreenToClient(&r);
        EXPECT_TRUE(w->IsWindowVisible() && r.left >= 0 && r.top >= 0 && r.right <= client.right &&
                    r.bottom <= client.bottom)
            << w->GetDlgCtrlID();
    }
    for (int id : GetParam().keys)
    {
        SCOPED_TRACE(id);
        CWnd* key = dlg->GetDlgItem(id);
        ASSERT_NE(key, nullptr);
        EXPECT_FALSE(key->GetWindowText().IsEmpty());
        Open(GetParam().name, KEYPAD_MODE_EDIT); // shifts latch and change the keys after them
        Press(id);
        EXPECT_TRUE(!Fields().name.IsEmpty() || Pushed(*dlg, id)) << "a click shows a key or latches a shift";
    }
    std::string file = std::string("keypad-") + GetParam().name + ".png";
    EXPECT_TRUE(SavePng(dlg->m_hWnd, OutputPath(file)));
}

std::string ModelName(const ::testing::TestParamInfo<Model>& info)
{
    std::string s;
    for (const char* p = info.param.name; *p; ++p)
        if (*p != '-')
            s += *p;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Models, KeypadKeys, ::testing::ValuesIn(Models()), ModelName);

} // namespace
