#include "node/CDlgDefineNodeErase.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeErase> reg(IDD_NODE_ERASE);
}

CDlgDefineNodeErase::CDlgDefineNodeErase(CWnd* pParent) : CDlgDefineBase(IDD_NODE_ERASE, pParent)
{
}

const MessageMap& CDlgDefineNodeErase::GetThisMessageMap()
{
    static const MessageMap map(
        &CDlgDefineBase::GetThisMessageMap(),
        {
            mm::Command(IDC_RECORDLIST, CBN_SELCHANGE, &CDlgDefineNodeErase::OnSelchangeListRecord),
        });
    return map;
}

void CDlgDefineNodeErase::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_ERASE_WHOLEFILE, m_nDeleteWholeFile);
    DDX_Check(pDX, IDC_ERASE_LASTRECORD, m_nDeleteLastRecord);
}

void CDlgDefineNodeErase::OnSelchangeListRecord()
{
    SelChangeRecordList();
}
