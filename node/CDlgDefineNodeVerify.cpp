#include "node/CDlgDefineNodeVerify.h"

#include "framework/OptionPages.h"
#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeVerify> reg(IDD_NODE_VERIFY);
}

CDlgDefineNodeVerify::CDlgDefineNodeVerify(CWnd *pParent) : CDlgDefineBase(IDD_NODE_VERIFY, pParent)
{
}

const MessageMap &CDlgDefineNodeVerify::GetThisMessageMap()
{
    using Page = CDlgDefineNodeVerify;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_VERIFY_LENGTH, BN_CLICKED, &Page::OnVerifyLength),
                                    mm::Command(IDC_VERIFY_PICTURE, BN_CLICKED, &Page::OnVerifyPicture),
                                    mm::Command(IDC_VERIFY_RANGE, BN_CLICKED, &Page::OnVerifyRange),
                                });
    return map;
}

void CDlgDefineNodeVerify::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_VERIFY_LENGTH, m_bVerifyLength);
    DDX_Check(pDX, IDC_VERIFY_PICTURE, m_bVerifyPicture);
    DDX_Check(pDX, IDC_VERIFY_RANGE, m_bVerifyRange);
    DDX_Check(pDX, IDC_VERIFY_NOBEEP, m_bNoBeep);
    DDX_Check(pDX, IDC_VERIFY_NOERRORSIGN, m_bNoErrorSign);
    DDX_Check(pDX, IDC_VERIFY_NOREINPUT, m_bNoReinput);
    DDX_Text(pDX, IDC_VERIFY_LENGTHFROM, m_nLengthFrom);
    DDX_Text(pDX, IDC_VERIFY_LENGTHTO, m_nLengthTo);
    DDX_Text(pDX, IDC_VERIFY_PICTURETEXT, m_strPicture);
    DDX_Text(pDX, IDC_VERIFY_RANGEFROM, m_strRangeFrom);
    DDX_Text(pDX, IDC_VERIFY_RANGETO, m_strRangeTo);
}

BOOL CDlgDefineNodeVerify::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (bSaveAndValidate)
        return result;
    EnablePageItems(*this, {IDC_VERIFY_LENGTHFROM, IDC_VERIFY_LENGTHTO}, m_bVerifyLength);
    EnablePageItems(*this, {IDC_VERIFY_RANGEFROM, IDC_VERIFY_RANGETO}, m_bVerifyRange);
    EnablePageItems(*this, {IDC_VERIFY_PICTURETEXT}, m_bVerifyPicture);
    return result;
}

void CDlgDefineNodeVerify::OnVerifyLength()
{
    RefreshUI();
}
void CDlgDefineNodeVerify::OnVerifyPicture()
{
    RefreshUI();
}
void CDlgDefineNodeVerify::OnVerifyRange()
{
    RefreshUI();
}
