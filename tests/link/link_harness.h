// Shared by the link page tests: a small popup that holds one page where the node dialog's page area
// would be, and a link object that answers like the host's.
#pragma once

#include <gtest/gtest.h>

#include "framework/HostObjects.h"
#include "platform/afxres.h"
#include "platform/testing/pdttest.h"

namespace pdt::test
{

constexpr int kPageHolder = 29110;

// Registered in the resource chain for the whole test program, beside the library's own templates.
inline const char kHolderScript[] =
    "29110 DIALOGEX 0, 0, 245, 205\n"
    "STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
    "CAPTION \"Link page\"\n"
    "FONT 8, \"MS Shell Dlg\", 400, 0, 0x1\n"
    "BEGIN\n"
    "    DEFPUSHBUTTON   \"OK\",IDOK,135,185,50,14\n"
    "    PUSHBUTTON      \"Cancel\",IDCANCEL,190,185,50,14\n"
    "END\n";
inline pdt::ResourceModule holderResources("linktests", "holder.rc",
                                           {{"holder.rc", reinterpret_cast<const unsigned char*>(kHolderScript),
                                             sizeof(kHolderScript) - 1}});

// Stands in for the container: counts the OK and Cancel commands that reach it and stays open.
class PageHolder : public RecordingDialog
{
  public:
    PageHolder() : RecordingDialog(kPageHolder) { closes = false; }
};

class TestLink : public CNodeLink
{
  public:
    BOOL InitialDlgData(CDlgDefineLink*) override { return TRUE; }
    BOOL SaveDlgData(CDlgDefineLink*) override { return TRUE; }
    CString GetLabel() override { return m_label; }
    void Define() override {}
    CString m_label = "Scan Pallet -> Store";
};

// A page created as the container creates it: hidden and disabled from its template, then enabled and shown.
template <class Page> class PageTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(holder.Create(kPageHolder));
        holder.ShowWindow(SW_SHOW);
        ASSERT_TRUE(page.Create(page.GetTemplateID(), &holder));
        page.EnableWindow(TRUE);
        page.ShowWindow(SW_SHOW);
        Pump();
    }
    void TearDown() override
    {
        page.DestroyWindow();
        holder.DestroyWindow();
        Pump();
    }
    // What the node dialog does once the host has filled the members.
    void Load()
    {
        page.UpdateData(FALSE);
        Pump();
    }
    CString Text(int id) const { return page.GetDlgItem(id)->GetWindowText(); }
    bool Checked(int id) const { return page.IsDlgButtonChecked(id) == BST_CHECKED; }
    bool Enabled(int id) const { return page.GetDlgItem(id)->IsWindowEnabled(); }

    PageHolder holder;
    Page page;
};

} // namespace pdt::test
