// Shared by the support tests: bitmaps built byte by byte, a host dialog with pickers, buttons, combo boxes and
// edit boxes (from a resource module of the tests' own), and a look at a control's toolkit peer.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

#include "platform/testing/pdttest.h"
#include "support/Support.h"

class QImage;

namespace pdt::test
{

// Ids of the host dialog and of its controls, and of the bitmaps in the tests' resource module.
enum : int
{
    IDD_SUPPORT_HOST = 9700,
    IDC_PICK_NODE = 101, // "Node"
    IDC_PICK_TEXT = 102, // "Text"
    IDC_PICK_BARE = 103, // no text
    IDC_BUTTON_GO = 104, // "Go"
    IDC_COMBO = 106,
    IDC_COMBO_SORTED = 107,
    IDC_MULTI_EDIT = 108,
    IDD_LIST_HOST = 9710,
    IDC_LIST = 110,
    IDB_ARROW24 = 9701,     // 8 x 8, 24 bits, black arrow on white
    IDB_TRUNCATED = 9703,   // a header whose pixels are missing
    IDB_NOT_EMBEDDED = 9704 // named by the script, no file
};

// The 8 x 8 arrow of IDB_ARROW24: black where x <= y and x + y <= 7 ... a right-pointing triangle.
bool ArrowPixel(int x, int y);

// Registers the tests' resource module on first use.
void EnsureSupportTestResources();

// A button's icon at its icon size.
QImage IconImage(HWND button);

struct PickerEvent
{
    UINT message;
    COLORREF colour;
    int id;
    friend bool operator==(const PickerEvent&, const PickerEvent&) = default;
};
std::ostream& operator<<(std::ostream& os, const PickerEvent& e);

// The host dialog: pickers and bitmap buttons subclassed in OnInitDialog, every picker notification recorded.
class SupportHost : public RecordingDialog
{
  public:
    SupportHost() : RecordingDialog(IDD_SUPPORT_HOST) { EnsureSupportTestResources(); }

    CColourPicker m_node, m_text, m_bare;
    CButtonEx m_go;
    std::vector<PickerEvent> events;
    // Called on CPN_SELENDOK after it is recorded, as a property page reacts to the choice.
    std::function<void(SupportHost&, COLORREF, int)> onChosen;

    BOOL OnInitDialog() override;
    CComboBox& Combo(int id) { return *static_cast<CComboBox*>(GetDlgItem(id)); }
    CEdit& Edit(int id) { return *static_cast<CEdit*>(GetDlgItem(id)); }

    template <UINT Message> LRESULT OnPicker(WPARAM wp, LPARAM lp)
    {
        events.push_back({Message, COLORREF(wp), int(lp)});
        if (Message == CPN_SELENDOK && onChosen)
            onChosen(*this, COLORREF(wp), int(lp));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// A shown, modeless host for each test.
class HostTest : public ShownDialog<SupportHost>
{
  protected:
    SupportHost& host = dlg;
};

} // namespace pdt::test
