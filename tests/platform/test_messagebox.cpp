// Message boxes: the icon AfxMessageBox adds, the caption, the answers, the string table and the beep.
#include "dialog_harness.h"

using namespace pdt::test;

namespace
{

UINT Icon(const SeenMessageBox& box) { return box.type & MB_ICONMASK; }

TEST(MessageBoxes, AfxMessageBoxPicksTheIconThatFitsTheButtons)
{
    ExpectMessageBox(IDOK);
    ExpectMessageBox(IDOK);
    ExpectMessageBox(IDYES);
    ExpectMessageBox(IDCANCEL);
    ExpectMessageBox(IDRETRY);
    AfxMessageBox("ok");
    AfxMessageBox("ok or cancel", MB_OKCANCEL);
    AfxMessageBox("yes or no", MB_YESNO);
    AfxMessageBox("yes, no or cancel", MB_YESNOCANCEL);
    AfxMessageBox("retry", MB_RETRYCANCEL);
    const auto& boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[1].type, UINT(MB_OKCANCEL | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[2].type, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes[3].type, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(Icon(boxes[4]), 0u) << "retry boxes get no icon of their own";
}

TEST(MessageBoxes, AGivenIconAndDefaultButtonAreKeptAndTheAnswerIsReturned)
{
    ExpectMessageBox(IDNO);
    ExpectMessageBox(IDCANCEL);
    EXPECT_EQ(AfxMessageBox("careful", MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(AfxMessageBox("second", MB_OKCANCEL), IDCANCEL);
    ASSERT_EQ(MessageBoxes().size(), 2u);
    EXPECT_EQ(MessageBoxes()[0].type, UINT(MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2));
    EXPECT_EQ(MessageBoxes()[1].text, "second");
}

// A check that runs validation quietly: no box reaches the person (nor the test's answers), each answers as its
// default button, and boxes speak again once the last quiet scope ends.
TEST(MessageBoxes, QuietBoxesAnswerTheirDefaultButtonUnseen)
{
    struct Case
    {
        UINT type;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNOCANCEL, IDYES},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_RETRYCANCEL | MB_DEFBUTTON3, IDCANCEL}, // past the last button: the last
    };
    {
        CQuietMessageBoxes outer;
        {
            CQuietMessageBoxes inner;
            for (const Case& c : cases)
                EXPECT_EQ(AfxMessageBox("unseen", c.type), c.answer) << std::hex << c.type;
        }
        EXPECT_EQ(AfxMessageBox("still unseen", MB_YESNO), IDYES) << "the outer scope still holds";
    }
    EXPECT_TRUE(MessageBoxes().empty());
    ExpectMessageBox(IDNO);
    EXPECT_EQ(AfxMessageBox("seen", MB_YESNO), IDNO);
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes()[0].text, "seen");
}

TEST(MessageBoxes, TheApplicationNameIsTheCaption)
{
    ExpectMessageBox(IDOK);
    ExpectMessageBox(IDOK);
    ExpectMessageBox(IDOK);
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_CONTROLS));
    AfxMessageBox("from the application");
    dlg.MessageBox("from a window");
    dlg.MessageBox("with a caption", "Own caption", MB_OK);
    const auto& boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].caption, AfxGetAppName());
    EXPECT_EQ(boxes[1].caption, AfxGetAppName()) << "CWnd::MessageBox without a caption uses the application's name";
    EXPECT_EQ(boxes[2].caption, "Own caption");
    EXPECT_EQ(Icon(boxes[1]), 0u) << "only AfxMessageBox adds an icon";
    dlg.DestroyWindow();
}

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

TEST(MessageBoxes, AMessageBoxFromAModalDialogKeepsItOpen)
{
    ControlsDialog dlg;
    ExpectModal([](CDialog& d) {
        ExpectMessageBox(IDYES);
        EXPECT_EQ(AfxMessageBox("Save?", MB_YESNO), IDYES);
        EXPECT_TRUE(d.IsWindowVisible());
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

} // namespace
