#include "node/CDlgDefineNodeInputFromLookupFile.h"

#include "framework/OptionPages.h"
#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeInputFromLookupFile> reg(IDD_NODE_INPUTFROMLOOKUPFILE);

constexpr DWORD kVerifyByLookupFile = 0x08;
} // namespace

CDlgDefineNodeInputFromLookupFile::CDlgDefineNodeInputFromLookupFile(CWnd *pParent)
    : CDlgDefineBase(IDD_NODE_INPUTFROMLOOKUPFILE, pParent)
{
}

const MessageMap &CDlgDefineNodeInputFromLookupFile::GetThisMessageMap()
{
    using Page = CDlgDefineNodeInputFromLookupFile;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_INPUT_DEVICE_FORMULA, BN_CLICKED, &Page::OnInputDeviceFormula),
                                    mm::Command(IDC_USEDEFAULT, BN_CLICKED, &Page::OnUseDefault),
                                    mm::Command(IDC_NODELIST, CBN_SELCHANGE, &Page::OnSelchangeNodelist),
                                });
    return map;
}

void CDlgDefineNodeInputFromLookupFile::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NODELIST, m_cbCollectNode);
    DDX_Check(pDX, IDC_INPUT_DEVICE_FORMULA, m_bFromLookupFile);
    DDX_Text(pDX, IDC_FIELDNO, m_nFieldNo);
    DDX_Text(pDX, IDC_LOOKUPFILE, m_strLookupFile);
    DDX_Text(pDX, IDC_DEFAULTVALUE, m_strDefaultValue);
    DDX_Check(pDX, IDC_USEDEFAULT, m_bUseDefault);
}

BOOL CDlgDefineNodeInputFromLookupFile::OnInitDialog()
{
    return CDlgDefineBase::OnInitDialog();
}

BOOL CDlgDefineNodeInputFromLookupFile::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (bSaveAndValidate)
        return result;
    BOOL on = m_bFromLookupFile;
    EnablePageItems(*this, {IDC_NODELIST, IDC_FIELDNO, IDC_LOOKUPFILE, IDC_USEDEFAULT}, on);
    EnablePageItems(*this, {IDC_DEFAULTVALUE}, on && m_bUseDefault);
    OnSelchangeNodelist(); // the lookup-file line always matches the chosen node after a load
    return result;
}

void CDlgDefineNodeInputFromLookupFile::OnInputDeviceFormula()
{
    RefreshUI();
}
void CDlgDefineNodeInputFromLookupFile::OnUseDefault()
{
    RefreshUI();
}

void CDlgDefineNodeInputFromLookupFile::OnSelchangeNodelist()
{
    if (!m_cbCollectNode.m_hWnd || !m_pNode || !m_pDoc)
        return;
    int sel = m_cbCollectNode.GetCurSel();
    if (sel < 0)
        return;
    CNodeBase *node = m_pDoc->GetNodeByID(int(m_cbCollectNode.GetItemData(sel)));
    CString line;
    // A node deleted since the list was filled has no lookup file to name: the line is left empty rather than
    // naming a node that is gone or keeping the file of the node chosen before.
    if (node)
    {
        line.Format("Not defined in node: %s", node->m_strName.c_str());
        if ((node->m_dwVerifyFlags & kVerifyByLookupFile) && !node->m_strVerifyLookupFile.IsEmpty())
            line = node->m_strVerifyLookupFile;
    }
    SetDlgItemText(IDC_LOOKUPFILE, line);
}
