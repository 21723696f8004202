#include "portable/CDlgDefinePortable.h"

#include "resources/resource.h"

CDlgDefinePortable::CDlgDefinePortable(CTerminal* pTerminal, OPTIONITEM* pOptions, CWnd* pParent)
    : CDlgDefine(pOptions, IDD_DEFINE_PORTABLE, pParent), m_pTerminal(pTerminal)
{
    m_pDoc = pTerminal ? pTerminal->GetDocument() : nullptr;
}

BOOL CDlgDefinePortable::OnInitDialog()
{
    CDlgDefine::OnInitDialog();
    if (!m_pOptions || !m_pDoc)
        return TRUE;
    for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
        if (opt->pPage)
            opt->pPage->m_pTerminal = m_pTerminal;
    SelectOption(m_pDoc->m_nLastPortableOption, 0);
    return TRUE;
}

void CDlgDefinePortable::SaveSettingUI()
{
    CDlgDefine::SaveSettingUI();
    if (m_pDoc)
        m_pDoc->m_nLastPortableOption = GetActiveOptionID(nullptr);
}

BOOL CDlgDefinePortable::InitialData() { return m_pTerminal ? m_pTerminal->InitialDlgData(this) : TRUE; }
BOOL CDlgDefinePortable::SaveData() { return m_pTerminal ? m_pTerminal->SaveDlgData(this) : TRUE; }

void CDlgDefinePortable::OnOK()
{
    SaveSettingUI();
    CDlgDefine::OnOK();
}

void CDlgDefinePortable::OnCancel()
{
    SaveSettingUI();
    CDlgDefine::OnCancel();
}
