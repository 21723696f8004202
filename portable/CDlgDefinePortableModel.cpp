#include "portable/CDlgDefinePortableModel.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefinePortableModel> reg(IDD_PORTABLE_MODEL);
}

CDlgDefinePortableModel::CDlgDefinePortableModel(CWnd* pParent) : CDlgDefineBase(IDD_PORTABLE_MODEL, pParent) {}

void CDlgDefinePortableModel::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PORTABLE_M10, m_nModelM10);
    DDX_Check(pDX, IDC_PORTABLE_M13, m_nModelM13);
    DDX_Check(pDX, IDC_PORTABLE_N13, m_nModelN13);
    DDX_Check(pDX, IDC_PORTABLE_R50, m_nModelR50);
    DDX_Check(pDX, IDC_PORTABLE_R50G, m_nModelR50G);
}
