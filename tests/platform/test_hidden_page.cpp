// Pages created hidden: radio groups, edits and drop-down lists answer as on a page shown before, before the page
// has its toolkit widgets, and the widgets it gets when it is shown agree with what the calls made of it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cstring>
#include <functional>
#include <sstream>

#include "platform/afxcmn.h"
#include "platform/window_p.h"
#include "dialog_harness.h"

using namespace pdt::test;

namespace
{

struct Kind
{
    const char* name;
    std::vector<int> ids;
    // Drives the controls through the API and says what they answered.
    std::function<void(RecordingDialog& page, std::ostream& out)> drive;
    // What the widgets of the shown page show.
    std::function<void(RecordingDialog& page, std::ostream& out)> shown;
    const char* expectShown;
};

QWidget* W(CWnd& page, int id) { return Peer(::GetDlgItem(page.m_hWnd, id)); }
template <class T> T* As(CWnd& page, int id) { return dynamic_cast<T*>(W(page, id)); }
std::string Text(CWnd& page, int id)
{
    CString s;
    page.GetDlgItemText(id, s);
    return s.str();
}
std::string Codes(RecordingDialog& page, int id)
{
    std::string s;
    for (int c : page.Codes(id))
        s += std::to_string(c) + ",";
    return s;
}
CComboBox& Combo(CWnd& page, int id) { return *static_cast<CComboBox*>(page.GetDlgItem(id)); }
std::string Items(QComboBox* c)
{
    std::string s;
    for (int i = 0; i < c->count(); ++i)
        s += c->itemText(i).toStdString() + ";";
    return s + " current " + std::to_string(c->currentIndex());
}

const Kind kKinds[] = {
    {"automatic radio group",
     {IDC_LZ_R1, IDC_LZ_R2, IDC_LZ_R3},
     [](RecordingDialog& p, std::ostream& out) {
         p.CheckRadioButton(IDC_LZ_R1, IDC_LZ_R3, IDC_LZ_R2);
         out << p.GetCheckedRadioButton(IDC_LZ_R1, IDC_LZ_R3) << " stops ";
         for (int id : {IDC_LZ_R1, IDC_LZ_R2, IDC_LZ_R3})
             out << ((p.GetDlgItem(id)->GetStyle() & WS_TABSTOP) != 0);
         // The arrow keys' next button in the group, as the dialog manager finds it.
         out << " next " << p.GetNextDlgGroupItem(p.GetDlgItem(IDC_LZ_R3))->GetDlgCtrlID();
     },
     [](RecordingDialog& p, std::ostream& out) {
         for (int id : {IDC_LZ_R1, IDC_LZ_R2, IDC_LZ_R3})
             out << As<QAbstractButton>(p, id)->isChecked();
     },
     "010"},
    {"single-line edit",
     {IDC_LZ_EDIT},
     [](RecordingDialog& p, std::ostream& out) {
         auto& e = *static_cast<CEdit*>(p.GetDlgItem(IDC_LZ_EDIT));
         e.SetLimitText(5);
         e.SetWindowText("abc def");
         e.SendMessage(EM_SETREADONLY, TRUE);
         out << Text(p, IDC_LZ_EDIT) << " " << e.GetWindowTextLength() << " limit " << e.GetLimitText()
             << " heard " << Codes(p, IDC_LZ_EDIT) << " read-only " << ((e.GetStyle() & ES_READONLY) != 0);
     },
     [](RecordingDialog& p, std::ostream& out) {
         auto* e = As<QLineEdit>(p, IDC_LZ_EDIT);
         out << e->text().toStdString() << " caret " << e->cursorPosition() << " read-only " << e->isReadOnly();
     },
     "abc def caret 0 read-only 1"},
    {"multi-line edit",
     {IDC_LZ_MULTI},
     [](RecordingDialog& p, std::ostream& out) {
         int stops = 16;
         p.GetDlgItem(IDC_LZ_MULTI)->SendMessage(EM_SETTABSTOPS, 1, LPARAM(&stops));
         p.SetDlgItemText(IDC_LZ_MULTI, "one\r\ntwo\tthree\r\n");
         out << Text(p, IDC_LZ_MULTI) << " heard " << Codes(p, IDC_LZ_MULTI);
     },
     [](RecordingDialog& p, std::ostream& out) {
         auto* e = As<QPlainTextEdit>(p, IDC_LZ_MULTI);
         out << e->toPlainText().replace('\n', "|").toStdString() << " tab " << e->tabStopDistance();
     },
     "one|two\tthree| tab "},
    {"drop-down list",
     {IDC_LZ_DROPLIST},
     [](RecordingDialog& p, std::ostream& out) {
         CComboBox& c = Combo(p, IDC_LZ_DROPLIST);
         for (const char* s : {"pear", "apple", "fig"})
             out << c.AddString(s); // sorted
         out << " " << c.GetCurSel() << c.SetCurSel(1) << c.InsertString(0, "zed") << c.GetCurSel();
         out << c.SetItemData(3, 77) << c.DeleteString(1) << c.GetCurSel() << " find " << c.FindString(-1, "PE")
             << c.FindStringExact(-1, "fig") << c.FindString(2, "z") << c.GetItemData(2) << " " << Text(p, IDC_LZ_DROPLIST);
         CString item;
         c.GetLBText(2, item);
         out << " " << item.str() << c.GetLBTextLen(0) << c.SetCurSel(9) << c.GetCurSel() << c.DeleteString(0)
             << c.GetCurSel() << c.SelectString(-1, "PEAR") << c.GetCount() << c.GetDroppedState();
         c.EnableWindow(FALSE);
     },
     [](RecordingDialog& p, std::ostream& out) {
         auto* c = As<QComboBox>(p, IDC_LZ_DROPLIST);
         out << Items(c) << " enabled " << c->isEnabled() << " data " << Combo(p, IDC_LZ_DROPLIST).GetItemData(1);
     },
     "fig;pear; current 1 enabled 0 data 77"},
};

// A host with the same page twice: one shown (and hidden again) before the test drives it, one never shown.
class TwoPages : public ControlsDialog
{
  public:
    TwoPages() : ControlsDialog(IDD_HOST) {}
    RecordingDialog early{0};
    RecordingDialog late{0};
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        early.Create(IDD_LAZYPAGE, this);
        late.Create(IDD_LAZYPAGE, this);
        early.ShowWindow(SW_SHOW);
        early.ShowWindow(SW_HIDE);
        return TRUE;
    }
};

bool HasWidget(HWND h) { return h->peer != nullptr; }

class NeverShownPage : public ::testing::TestWithParam<Kind>
{
};

TEST_P(NeverShownPage, AnswersAsAShownPageAndItsWidgetsShowWhatItWasTold)
{
    const Kind& kind = GetParam();
    TwoPages host;
    ASSERT_TRUE(host.Create(IDD_HOST));
    host.ShowWindow(SW_SHOW);
    Pump();
    host.early.Forget();
    host.late.Forget();

    std::ostringstream early, late;
    kind.drive(host.early, early);
    kind.drive(host.late, late);
    EXPECT_EQ(late.str(), early.str()) << "what the controls answered";
    EXPECT_FALSE(HasWidget(host.late.m_hWnd)) << "the page got its widgets before it was shown";
    for (int id : kind.ids)
        EXPECT_FALSE(HasWidget(::GetDlgItem(host.late.m_hWnd, id)));

    host.late.ShowWindow(SW_SHOW);
    host.early.ShowWindow(SW_SHOW);
    Pump();
    for (int id : kind.ids)
    {
        EXPECT_TRUE(host.late.GetDlgItem(id)->IsWindowVisible());
        EXPECT_EQ(W(host.late, id)->geometry(), W(host.early, id)->geometry());
    }
    std::ostringstream shownEarly, shownLate;
    kind.shown(host.early, shownEarly);
    kind.shown(host.late, shownLate);
    EXPECT_EQ(shownLate.str(), shownEarly.str());
    EXPECT_EQ(shownLate.str().substr(0, std::strlen(kind.expectShown)), kind.expectShown);
    host.DestroyWindow();
    Pump();
}

INSTANTIATE_TEST_SUITE_P(Kinds, NeverShownPage, ::testing::ValuesIn(kKinds), [](const auto& info) {
    std::string n;
    for (char c : std::string(info.param.name))
        n += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return n;
});

} // namespace
