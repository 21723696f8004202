#include "node/CDlgDefineNodeUpload.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeUpload> reg(IDD_NODE_UPLOAD);
}

CDlgDefineNodeUpload::CDlgDefineNodeUpload(CWnd* pParent) : CDlgDefineBase(IDD_NODE_UPLOAD, pParent)
{
}

const MessageMap& CDlgDefineNodeUpload::GetThisMessageMap()
{
    static const MessageMap map(
        &CDlgDefineBase::GetThisMessageMap(),
        {
            mm::Command(IDC_RECORDLIST, CBN_SELCHANGE, &CDlgDefineNodeUpload::OnSelchangeListRecord),
            mm::Command(IDC_BROWSE, BN_CLICKED, &CDlgDefineNodeUpload::OnBrowse),
            mm::Command(IDC_UPLOAD_NOTE, BN_CLICKED, &CDlgDefineNodeUpload::OnNote),
        });
    return map;
}

void CDlgDefineNodeUpload::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_UPLOAD_CTRLZ, m_bSendCtrlZ);
    DDX_Check(pDX, IDC_UPLOAD_ALL, m_nUploadAll);
    DDX_Check(pDX, IDC_UPLOAD_CURRENT, m_nUploadCurrent);
}

void CDlgDefineNodeUpload::OnSelchangeListRecord()
{
    SelChangeRecordList();
}

// The data-file row stays hidden: an upload always sends a record's file.
void CDlgDefineNodeUpload::OnBrowse()
{
}

void CDlgDefineNodeUpload::OnNote()
{
    AfxMessageBox("To transfer file from portable to host PC, Relink Manager can do the job easier and quicker. All "
                  "need to do is just drag and drop files between host and portable windows in Relink Manager.\n\n"
                  "Upload node needs a multipoint protocol aware receiver running at host (PC) side to constantly "
                  "polling data. Relink Manager is such a receiver.",
                  MB_ICONINFORMATION);
}
