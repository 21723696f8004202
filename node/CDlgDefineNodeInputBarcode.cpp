#include "node/CDlgDefineNodeInputBarcode.h"

#include "framework/OptionPages.h"
#include "node/CDlgBarcodeSetting.h"
#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeInputBarcode> reg(IDD_NODE_INPUTBARCODE);

bool HasSettings(int code)
{
    for (int c : {1, 8, 2, 3, 17, 18, 19, 20, 4, 9})
        if (c == code)
            return true;
    return false;
}
} // namespace

CDlgDefineNodeInputBarcode::CDlgDefineNodeInputBarcode(CWnd *pParent) : CDlgDefineBase(IDD_NODE_INPUTBARCODE, pParent)
{
}

const MessageMap &CDlgDefineNodeInputBarcode::GetThisMessageMap()
{
    using Page = CDlgDefineNodeInputBarcode;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_BARCODE_SET, BN_CLICKED, &Page::OnSetBarcode),
                                    mm::Command(IDC_BARCODE_CLEARALL, BN_CLICKED, &Page::OnClearAll),
                                    mm::Notify(IDC_BARCODE_LIST, NM_DBLCLK, &Page::OnDblclkBarcodelist),
                                });
    return map;
}

void CDlgDefineNodeInputBarcode::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BARCODE_LIST, m_lcBarcode);
    DDX_Check(pDX, IDC_BARCODE_SET, m_bSetBarcode);
    DDX_Check(pDX, IDC_BARCODE_SETTOALL, m_bSetToAll);
}

BOOL CDlgDefineNodeInputBarcode::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    DWORD style = m_lcBarcode.GetExtendedStyle();
    style &= ~DWORD(LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    style |= LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES;
    m_lcBarcode.SetExtendedStyle(style);
    static const LISTHEADER header[] = {{"Barcode Name", 2000, LVCFMT_LEFT}, {nullptr, 0, 0}};
    SetListHeader(m_lcBarcode, header);
    if (fontIndex.GetSafeHandle())
        m_lcBarcode.SetFont(&fontIndex, TRUE);
    m_lcBarcode.Invalidate();
    return TRUE;
}

BOOL CDlgDefineNodeInputBarcode::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (!bSaveAndValidate)
        EnablePageItems(*this, {IDC_BARCODE_LIST, IDC_BARCODE_CLEARALL}, m_bSetBarcode);
    return result;
}

void CDlgDefineNodeInputBarcode::OnSetBarcode()
{
    RefreshUI();
}

void CDlgDefineNodeInputBarcode::OnClearAll()
{
    for (int i = 0; i < m_lcBarcode.GetItemCount(); ++i)
        m_lcBarcode.SetCheck(i, FALSE);
}

// The settings of the selected symbology; the item's check box is left as it is.
void CDlgDefineNodeInputBarcode::OnDblclkBarcodelist(NMHDR *, LRESULT *pResult)
{
    *pResult = 0;
    int item = m_lcBarcode.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0)
        return;
    auto data = WORD(m_lcBarcode.GetItemData(item));
    int code = data & 0xFF;
    if (!HasSettings(code))
        return;
    CDlgBarcodeSetting dlg(code, (data >> 8) & 0xFF, this);
    if (dlg.DoModal() != IDOK)
        return;
    auto newData = WORD(((dlg.m_nOptions & 0xFF) << 8) | (dlg.m_nType & 0xFF));
    if (m_pDoc)
    {
        CString name;
        m_pDoc->GetBarcodeName(newData, name);
        m_lcBarcode.SetItemText(item, 0, name);
    }
    m_lcBarcode.SetItemData(item, newData);
}
