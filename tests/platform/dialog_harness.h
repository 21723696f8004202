// Shared by the platform's dialog tests: a dialog that records the notifications its controls send.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/testing/pdttest.h"
#include "resources/testdlg.h"

namespace pdt::test
{

struct Notification
{
    int id;
    int code;
    friend bool operator==(const Notification&, const Notification&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Notification& n)
    {
        return os << "{" << n.id << ", 0x" << std::hex << n.code << std::dec << "}";
    }
};

// Every WM_COMMAND the dialog receives is recorded before the message map sees it; OK and Cancel are counted
// and then do what CDialog does.
class RecordingDialog : public CDialog
{
  public:
    explicit RecordingDialog(UINT id = IDD_CONTROLS, CWnd* parent = nullptr) : CDialog(id, parent) {}

    std::vector<Notification> notes;
    int oks = 0;
    int cancels = 0;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        notes.push_back({LOWORD(wParam), int(HIWORD(wParam))});
        return CDialog::OnCommand(wParam, lParam);
    }
    void OnOK() override
    {
        ++oks;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancels;
        CDialog::OnCancel();
    }

    int Count(int id, int code) const
    {
        int n = 0;
        for (const Notification& note : notes)
            n += note.id == id && note.code == code;
        return n;
    }
    std::vector<int> Codes(int id) const
    {
        std::vector<int> codes;
        for (const Notification& note : notes)
            if (note.id == id)
                codes.push_back(note.code);
        return codes;
    }
    void Forget() { notes.clear(); }

    CEdit& Edit(int id) { return *static_cast<CEdit*>(GetDlgItem(id)); }
    CButton& Button(int id) { return *static_cast<CButton*>(GetDlgItem(id)); }
    CComboBox& Combo(int id) { return *static_cast<CComboBox*>(GetDlgItem(id)); }
};

// A modeless dialog, shown and in front, for tests that do not need the modal loop.
template <class Dlg> class ShownDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Create(dlg.GetTemplateID()));
        dlg.ShowWindow(SW_SHOW);
        Pump();
        opened = dlg.notes;
        dlg.Forget();
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        Pump();
    }
    Dlg dlg;
    std::vector<Notification> opened; // what the dialog heard while it was created and shown
};

inline int FocusId() { return ::GetDlgCtrlID(::GetFocus()); }

} // namespace pdt::test
