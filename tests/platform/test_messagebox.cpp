// Message boxes: a prompt from the string table, and the keys a person answers a real box with.
#include "dialog_harness.h"

#include <QTest>
#include <QWidget>

using namespace pdt::test;

namespace
{

UINT Icon(const SeenMessageBox& box) { return box.type & MB_ICONMASK; }

TEST(MessageBoxes, APromptIdIsLoadedFromTheStringTable)
{
    ExpectMessageBox(IDOK);
    AfxMessageBox(IDS_GREETING);
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes()[0].text, "Hello from the string table");
    EXPECT_EQ(Icon(MessageBoxes()[0]), UINT(MB_ICONEXCLAMATION));

    CString text = "unchanged";
    EXPECT_TRUE(AfxLoadString(IDS_GREETING, text));
    EXPECT_EQ(text, "Hello from the string table");
    EXPECT_FALSE(AfxLoadString(5999, text));
    EXPECT_EQ(text, "");
}

// The keys a person answers a real box with, as Win32's boxes take them.
struct BoxKeys
{
    const char* name;
    UINT type;
    std::vector<UINT> keys; // pressed one at a time in the box; a letter is pressed without Alt
    int answer;
};

void PrintTo(const BoxKeys& c, std::ostream* os) { *os << c.name; }

class RealMessageBoxKeys : public ShownDialog<ControlsDialog>, public ::testing::WithParamInterface<BoxKeys>
{
};

TEST_P(RealMessageBoxKeys, AnswerTheBoxAndNeverReachItsOwner)
{
    const BoxKeys& c = GetParam();
    std::vector<std::function<void()>> steps;
    for (UINT vk : c.keys)
        steps.push_back([vk] { Key(vk); });
    int answer = 0;
    std::vector<std::string> seen = InToolkitWindows(steps, [&] { answer = dlg.MessageBox("Really?", "Asking", c.type); });
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(seen, std::vector<std::string>(c.keys.size(), "Asking")) << "each key went to the box";
    EXPECT_EQ(dlg.oks + dlg.cancels, 0) << "the owner heard Enter or Escape";
    EXPECT_TRUE(dlg.IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, RealMessageBoxKeys,
    ::testing::Values(BoxKeys{"EnterIsTheFirstButton", MB_YESNOCANCEL, {VK_RETURN}, IDYES},
                      BoxKeys{"EnterIsTheDefaultButton", MB_OKCANCEL | MB_DEFBUTTON2, {VK_RETURN}, IDCANCEL},
                      BoxKeys{"EscapeIsCancel", MB_YESNOCANCEL, {VK_ESCAPE}, IDCANCEL},
                      BoxKeys{"EscapeIsTheOnlyButton", MB_OK, {VK_ESCAPE}, IDOK},
                      BoxKeys{"EscapeDoesNothingWithoutCancel", MB_YESNO, {VK_ESCAPE, 'N'}, IDNO},
                      BoxKeys{"EscapeDoesNothingInAbortRetryIgnore", MB_ABORTRETRYIGNORE, {VK_ESCAPE, 'I'}, IDIGNORE},
                      BoxKeys{"APlainLetterIsTheMnemonic", MB_YESNOCANCEL, {'N'}, IDNO},
                      BoxKeys{"SpacePressesTheFocusedButton", MB_YESNOCANCEL, {VK_TAB, VK_SPACE}, IDNO}),
    [](const ::testing::TestParamInfo<BoxKeys>& info) { return std::string(info.param.name); });

using BoxOverDialog = ShownDialog<ControlsDialog>;

// While a box is up its owner is disabled: typing goes nowhere but the box, even when the window system hands a
// key to the owner's window (as one without modal windows of its own does).
TEST_F(BoxOverDialog, KeysNeverReachTheWindowTheBoxDisables)
{
    dlg.SetDlgItemText(IDC_NAME, "kept");
    Focus(Item(dlg, IDC_NAME));
    QWidget* edit = Peer(Item(dlg, IDC_NAME));
    int answer = 0;
    InToolkitWindows({[] { Type("xz"); },
                      [&] {
                          QTest::keyClick(edit, Qt::Key_Q);
                          QTest::keyClick(edit, Qt::Key_Return);
                          QTest::keyClick(edit, Qt::Key_Escape);
                          EXPECT_EQ(MessageBoxTextInFront(), "Stop") << "a key sent to the owner closed the box";
                      },
                      [] { Key(VK_RETURN); }},
                     [&] { answer = dlg.MessageBox("Stop", "Stopped", MB_OK); });
    EXPECT_EQ(answer, IDOK);
    CString text;
    dlg.GetDlgItemText(IDC_NAME, text);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(dlg.oks + dlg.cancels, 0);
    EXPECT_EQ(dlg.Count(IDOK, BN_CLICKED) + dlg.Count(IDCANCEL, BN_CLICKED), 0);
}

} // namespace
