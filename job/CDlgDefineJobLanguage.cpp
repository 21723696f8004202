#include "job/CDlgDefineJobLanguage.h"

#include <cstdlib>

#include "framework/OptionPages.h"
#include "job/CDlgDefineFontChinese.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobLanguage> reg(IDD_JOB_LANGUAGE);

using L = CDlgDefineJobLanguage;

struct Language
{
    int L::*pnState;
    int nCode;
};
// The order in which a saved choice is looked for.
constexpr Language kLanguages[] = {
    {&L::m_nEnglish, 0}, {&L::m_nChinese, 1}, {&L::m_nSpanish, 4},  {&L::m_nGerman, 5},
    {&L::m_nFrench, 6},  {&L::m_nItalian, 7}, {&L::m_nJapanese, 2},
};

// The whole text must be a number; anything else is 0.
int NumberOf(const CString &text)
{
    char *end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    return end && end != text.c_str() && *end == 0 && v >= -0x7FFFFFFFL && v <= 0x7FFFFFFFL ? int(v) : 0;
}
} // namespace

CDlgDefineJobLanguage::CDlgDefineJobLanguage(CWnd *pParent) : CDlgDefineBase(IDD_JOB_LANGUAGE, pParent)
{
}

const MessageMap &CDlgDefineJobLanguage::GetThisMessageMap()
{
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_LANG_DBFONT, BN_CLICKED, &L::OnChineseFont),
                                    mm::Command(IDC_LANG_BROWSE, BN_CLICKED, &L::OnBrowse),
                                    mm::Command(IDC_LANG_CHINESE, BN_CLICKED, &L::OnSelLanguage),
                                    mm::Command(IDC_LANG_ENGLISH, BN_CLICKED, &L::OnSelLanguage),
                                    mm::Command(IDC_LANG_FRENCH, BN_CLICKED, &L::OnSelLanguage),
                                    mm::Command(IDC_LANG_GERMAN, BN_CLICKED, &L::OnSelLanguage),
                                    mm::Command(IDC_LANG_ITALIAN, BN_CLICKED, &L::OnSelLanguage),
                                    mm::Command(IDC_LANG_JAPANESE, BN_CLICKED, &L::OnSelLanguage),
                                    mm::Command(IDC_LANG_SPANISH, BN_CLICKED, &L::OnSelLanguage),
                                    mm::Command(IDC_LANG_SHAREFONT, BN_CLICKED, &L::OnShareFont),
                                });
    return map;
}

void CDlgDefineJobLanguage::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LANG_FONTFILE, m_strFontFile);
    DDX_Check(pDX, IDC_LANG_SHAREFONT, m_bShareFont);
    DDX_Check(pDX, IDC_LANG_SPANISH, m_nSpanish);
    DDX_Check(pDX, IDC_LANG_GERMAN, m_nGerman);
    DDX_Check(pDX, IDC_LANG_FRENCH, m_nFrench);
    DDX_Check(pDX, IDC_LANG_ITALIAN, m_nItalian);
    DDX_Check(pDX, IDC_LANG_JAPANESE, m_nJapanese);
    DDX_Check(pDX, IDC_LANG_ENGLISH, m_nEnglish);
    DDX_Check(pDX, IDC_LANG_CHINESE, m_nChinese);
}

BOOL CDlgDefineJobLanguage::UpdateData(BOOL bSaveAndValidate)
{
    if (bSaveAndValidate)
    {
        BOOL result = CDlgDefineBase::UpdateData(TRUE);
        m_nLanguage = 0;
        for (const Language &l : kLanguages)
            if (this->*l.pnState == 1)
            {
                m_nLanguage = l.nCode;
                break;
            }
        return result;
    }

    // A code outside the table chooses no radio at all.
    for (const Language &l : kLanguages)
        this->*l.pnState = l.nCode == m_nLanguage ? 1 : -1;
    BOOL result = CDlgDefineBase::UpdateData(FALSE);
    bool japanese = m_nJapanese == 1;
    bool doubleByte = japanese || m_nChinese == 1;
    if (CWnd *w = GetDlgItem(IDC_LANG_DBFONT))
        w->EnableWindow(doubleByte);
    if (CWnd *w = GetDlgItem(IDC_LANG_SHAREFONT))
        w->EnableWindow(doubleByte);
    SetDlgItemText(IDC_LANG_FONTGROUP, japanese ? "Define Japanese Font" : "Define Chinese Font");
    SetDlgItemText(IDC_LANG_DBFONT, japanese ? "Japanese Font" : "Chinese Font");
    SetDlgItemText(IDC_LANG_SHAREFONT,
                   japanese ? "Share Japanese Font With Font File:" : "Share Chinese Font With Font File:");
    bool shared = doubleByte && m_bShareFont;
    if (CWnd *w = GetDlgItem(IDC_LANG_FONTFILE))
        w->EnableWindow(shared);
    if (CWnd *w = GetDlgItem(IDC_LANG_BROWSE))
        w->EnableWindow(shared);
    return result;
}

BOOL CDlgDefineJobLanguage::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    OnSelLanguage();
    return TRUE;
}

void CDlgDefineJobLanguage::OnSelLanguage()
{
    RefreshUI();
}
void CDlgDefineJobLanguage::OnShareFont()
{
    RefreshUI();
}

void CDlgDefineJobLanguage::OnChineseFont()
{
    UpdateData(TRUE);
    CDlgDefineFontChinese dlg(m_nLanguage, TRUE, this);
    // The dialog knows only GB and Big5: anything else is GB from now on, whatever the user does there.
    if (m_nDBFontCode != 1 && m_nDBFontCode != 2)
        m_nDBFontCode = 1;
    dlg.m_strFace = m_strDBFontFace;
    dlg.m_strStyle = m_strDBFontStyle;
    dlg.m_strSize.Format("%d", m_nDBFontSize);
    dlg.m_nCode = m_nDBFontCode;
    dlg.m_nOffsetX = m_nDBFontOffsetX;
    dlg.m_nOffsetY = m_nDBFontOffsetY;
    if (dlg.DoModal() != IDOK)
        return;
    m_strDBFontFace = dlg.m_strFace;
    m_strDBFontStyle = dlg.m_strStyle;
    m_nDBFontSize = NumberOf(dlg.m_strSize);
    m_nDBFontCode = dlg.m_nCode;
    m_nDBFontOffsetX = dlg.m_nOffsetX;
    m_nDBFontOffsetY = dlg.m_nOffsetY;
}

void CDlgDefineJobLanguage::OnBrowse()
{
    const char *filter = m_nJapanese == 1 ? "Japanese Font Files (*.ccb)|*.ccb|All Files (*.*)|*.*||"
                                          : "Chinese Font Files (*.ccb)|*.ccb|All Files (*.*)|*.*||";
    UpdateData(TRUE);
    if (BrowseFile(this, m_strFontFile, TRUE, "CHINESEFONT", filter))
        UpdateData(FALSE);
}
