#include "record/CDlgDefineRecordEORLink.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
const OptionPageRegistration<CDlgDefineRecordEORLink> reg(IDD_RECORD_EORLINK);
}

CDlgDefineRecordEORLink::CDlgDefineRecordEORLink(CWnd* pParent) : CDlgDefineBase(IDD_RECORD_EORLINK, pParent)
{
}

const MessageMap& CDlgDefineRecordEORLink::GetThisMessageMap()
{
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Notify(IDC_RECORD_LINKS, NM_DBLCLK, &CDlgDefineRecordEORLink::OnDblclkListlink),
                                });
    return map;
}

void CDlgDefineRecordEORLink::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RECORD_LINKS, m_lcLinks);
    DDX_Check(pDX, IDC_RECORD_NOEORENFORCEMENT, m_bDisableEOREnforcement);
}

BOOL CDlgDefineRecordEORLink::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    DWORD style = m_lcLinks.GetExtendedStyle();
    style &= ~(LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP);
    m_lcLinks.SetExtendedStyle(style | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    static const LISTHEADER header[] = {{"Link", 400, LVCFMT_LEFT}, {nullptr, 0, 0}};
    SetListHeader(m_lcLinks, header);
    m_lcLinks.SetFont(&fontIndex, TRUE);
    return TRUE;
}

// The link is edited in the host's own link editor; the EOR option lives on the link.
void CDlgDefineRecordEORLink::OnDblclkListlink(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    POSITION pos = m_lcLinks.GetFirstSelectedItemPosition();
    if (!pos)
        return;
    int item = m_lcLinks.GetNextSelectedItem(pos);
    if (auto* link = reinterpret_cast<CNodeLink*>(m_lcLinks.GetItemData(item)))
        link->Define();
}
