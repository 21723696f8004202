// Shared by the platform's dialog tests: the test template that holds one control of each kind.
#pragma once

#include "platform/testing/pdttest.h"
#include "resources/testdlg.h"

namespace pdt::test
{

class ControlsDialog : public RecordingDialog
{
  public:
    explicit ControlsDialog(UINT id = IDD_CONTROLS, CWnd* parent = nullptr) : RecordingDialog(id, parent) {}

    CEdit& Edit(int id) { return *static_cast<CEdit*>(GetDlgItem(id)); }
    CButton& Button(int id) { return *static_cast<CButton*>(GetDlgItem(id)); }
    CComboBox& Combo(int id) { return *static_cast<CComboBox*>(GetDlgItem(id)); }
};

} // namespace pdt::test
