// Shared by the support tests: bitmaps built byte by byte, a host dialog with pickers, buttons, combo boxes and
// edit boxes (from a resource module of the tests' own), and a look at a control's toolkit peer.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/testing/pdttest.h"
#include "support/Support.h"

class QWidget;
class QImage;

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << "," << p.y << ")";
}

namespace pdt::test
{

// Ids of the host dialog and of its controls, and of the bitmaps in the tests' resource module.
enum : int
{
    IDD_SUPPORT_HOST = 9700,
    IDC_PICK_NODE = 101,   // "Node"
    IDC_PICK_TEXT = 102,   // "Text"
    IDC_PICK_BARE = 103,   // no text
    IDC_BUTTON_GO = 104,   // "Go"
    IDC_BUTTON_ICON = 105, // no text
    IDC_COMBO = 106,
    IDC_COMBO_SORTED = 107,
    IDC_MULTI_EDIT = 108,
    IDC_SINGLE_EDIT = 109,
    IDD_LIST_HOST = 9710,
    IDC_LIST = 110,
    IDB_ARROW24 = 9701,     // 8 x 8, 24 bits, black arrow on white
    IDB_PALETTE8 = 9702,    // 5 x 3, 8 bits, magenta background
    IDB_TRUNCATED = 9703,   // a header whose pixels are missing
    IDB_NOT_EMBEDDED = 9704 // named by the script, no file
};

struct BmpLayout
{
    int width = 1;
    int height = 1;
    int bitCount = 24;
    bool topDown = false;
    bool coreHeader = false;
    uint32_t compression = 0;
    std::vector<COLORREF> palette;               // for 1, 4 and 8 bits
    std::vector<uint32_t> masks;                 // BI_BITFIELDS: red, green, blue
    std::function<uint32_t(int x, int y)> value; // palette index, COLORREF (24/32 bits) or raw 16-bit value
};
std::string MakeBmp(const BmpLayout& layout);

// The 8 x 8 arrow of IDB_ARROW24: black where x <= y and x + y <= 7 ... a right-pointing triangle.
bool ArrowPixel(int x, int y);

// Registers the tests' resource module on first use.
void EnsureSupportTestResources();

// The toolkit widget behind a window.
QWidget* Peer(HWND h);
// Pixel of a button's icon at its icon size, or of any pixmap-bearing widget's icon.
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
class SupportHost : public CDialog
{
  public:
    SupportHost() : CDialog(IDD_SUPPORT_HOST)
    {
        EnsureSupportTestResources();
    }

    CColourPicker m_node, m_text, m_bare;
    CButtonEx m_go, m_icon;
    std::vector<PickerEvent> events;
    std::vector<std::pair<int, int>> commands; // (id, notification code) of every WM_COMMAND
    // Called on CPN_SELENDOK after it is recorded, as a property page reacts to the choice.
    std::function<void(SupportHost&, COLORREF, int)> onChosen;

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override
    {
        commands.emplace_back(LOWORD(wp), int(HIWORD(wp)));
        return CDialog::OnCommand(wp, lp);
    }
    CComboBox& Combo(int id)
    {
        return *static_cast<CComboBox*>(GetDlgItem(id));
    }
    CEdit& Edit(int id)
    {
        return *static_cast<CEdit*>(GetDlgItem(id));
    }

    LRESULT OnDropDown(WPARAM wp, LPARAM lp)
    {
        return Record(CPN_DROPDOWN, wp, lp);
    }
    LRESULT OnCloseUp(WPARAM wp, LPARAM lp)
    {
        return Record(CPN_CLOSEUP, wp, lp);
    }
    LRESULT OnSelEndOk(WPARAM wp, LPARAM lp);
    LRESULT OnSelEndCancel(WPARAM wp, LPARAM lp)
    {
        return Record(CPN_SELENDCANCEL, wp, lp);
    }
    DECLARE_MESSAGE_MAP()

  private:
    LRESULT Record(UINT message, WPARAM wp, LPARAM lp)
    {
        events.push_back({message, COLORREF(wp), int(lp)});
        return 0;
    }
};

// A shown, modeless host for each test.
class HostTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(IDD_SUPPORT_HOST));
        host.ShowWindow(SW_SHOW);
        Pump();
    }
    void TearDown() override
    {
        host.DestroyWindow();
        Pump();
    }
    SupportHost host;
};

} // namespace pdt::test
