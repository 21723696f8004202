#include "node/CDlgDefineNodeVerifyLookupFile.h"

#include "framework/OptionPages.h"
#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeVerifyLookupFile> reg(IDD_NODE_VERIFYLOOKUPFILE);
}

CDlgDefineNodeVerifyLookupFile::CDlgDefineNodeVerifyLookupFile(CWnd* pParent)
    : CDlgDefineBase(IDD_NODE_VERIFYLOOKUPFILE, pParent)
{
}

const MessageMap& CDlgDefineNodeVerifyLookupFile::GetThisMessageMap()
{
    using Page = CDlgDefineNodeVerifyLookupFile;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_BROWSE, BN_CLICKED, &Page::OnBrowse),
                                    mm::Command(IDC_VERIFY_LOOKUPFILE, BN_CLICKED, &Page::OnVerifyLookupFile),
                                    mm::Command(IDC_SEEK_BINARYSEARCH, BN_CLICKED, &Page::OnSeekBinarySearch),
                                });
    return map;
}

void CDlgDefineNodeVerifyLookupFile::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_VERIFY_LOOKUPFILE, m_bVerifyLookupFile);
    DDX_Text(pDX, IDC_FIELDNO, m_nFieldNo);
    DDX_Text(pDX, IDC_TOTALFIELDS, m_nTotalFields);
    DDX_Text(pDX, IDC_LOOKUPFILE, m_strLookupFile);
    DDX_Check(pDX, IDC_SEEK_FULLKEY, m_bFullKeyMatch);
    DDX_Check(pDX, IDC_SEEK_BEGINNING, m_nSearchFromBeginning);
    DDX_Check(pDX, IDC_SEEK_CURRENT, m_nSearchFromCurrent);
    DDX_Check(pDX, IDC_SEEK_BINARYSEARCH, m_bBinarySearch);
}

BOOL CDlgDefineNodeVerifyLookupFile::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    if (auto* separators = static_cast<CComboBox*>(GetDlgItem(IDC_FIELDSEPARATOR)))
        InitialFieldTerminatorList(*separators, true);
    return TRUE;
}

// A binary search always starts over and compares whole keys, so its choice takes the other search options away.
BOOL CDlgDefineNodeVerifyLookupFile::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (bSaveAndValidate)
        return result;
    BOOL on = m_bVerifyLookupFile;
    EnablePageItems(
        *this, {IDC_LOOKUPFILE, IDC_BROWSE, IDC_FIELDNO, IDC_TOTALFIELDS, IDC_FIELDSEPARATOR, IDC_SEEK_BINARYSEARCH},
        on);
    EnablePageItems(*this, {IDC_SEEK_BEGINNING, IDC_SEEK_CURRENT, IDC_SEEK_FULLKEY}, on && !m_bBinarySearch);
    return result;
}

void CDlgDefineNodeVerifyLookupFile::OnBrowse()
{
    if (!UpdateData(TRUE))
        return; // the refused field has the focus; the browser would start from a name the person replaced
    if (BrowseFile(this, m_strLookupFile, true, "LOOKUP",
                   "Data Files (*.dat; *.txt)|*.dat; *.txt|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"))
        UpdateData(FALSE);
}

void CDlgDefineNodeVerifyLookupFile::OnVerifyLookupFile() { RefreshUI(); }
void CDlgDefineNodeVerifyLookupFile::OnSeekBinarySearch() { RefreshUI(); }
