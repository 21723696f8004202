#include "framework/CDlgDefine.h"

#include <functional>

#include "framework/OptionPages.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
constexpr int kBasicPage = 2115;
constexpr int kLinkPage = 2111;
constexpr const char* kSettings = "Settings";
constexpr const char* kWindowPosition = "WPOS_DEFINEBOX";
} // namespace

CDlgDefine::CDlgDefine(OPTIONITEM* pOptions, UINT templateId, CWnd* pParent)
    : CDialog(templateId, pParent), m_pOptions(pOptions)
{
}

CDlgDefine::~CDlgDefine()
{
    if (IsWindow(m_hWnd))
        DestroyWindow();
}

const MessageMap& CDlgDefine::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(),
                                {
                                    mm::Destroy(&CDlgDefine::OnDestroy),
                                    mm::Notify(IDC_OPTIONTREE, TVN_SELCHANGED, &CDlgDefine::OnSelchangedOptionTree),
                                });
    return map;
}

CTreeCtrl& CDlgDefine::GetOptionTree() const { return *static_cast<CTreeCtrl*>(GetDlgItem(IDC_OPTIONTREE)); }

BYTE* CDlgDefine::ExpandFlag(int nID) const
{
    if (!m_pDoc)
        return nullptr;
    switch (nID)
    {
    case 2127: return &m_pDoc->m_bExpandScreen;
    case 2119: return &m_pDoc->m_bExpandInput;
    case 2133: return &m_pDoc->m_bExpandVerify;
    case 2145: return &m_pDoc->m_bExpandCountInitial;
    case 2147: return &m_pDoc->m_bExpandCountOp1;
    case 2148: return &m_pDoc->m_bExpandCountOp2;
    default: return nullptr;
    }
}

void CDlgDefine::ExpandItem(HTREEITEM hItem, BYTE flag)
{
    if (hItem && flag)
        GetOptionTree().Expand(hItem, TVE_EXPAND);
}

void CDlgDefine::StoreExpanded(HTREEITEM hItem, BYTE& flag) const
{
    // An item without children cannot be expanded: it says nothing about how the user likes the group.
    if (hItem && GetOptionTree().ItemHasChildren(hItem))
        flag = IsExpanded(hItem) ? 1 : 0;
}

bool CDlgDefine::IsExpanded(HTREEITEM hItem) const
{
    return hItem && (GetOptionTree().GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

BOOL CDlgDefine::OnInitDialog()
{
    CDialog::OnInitDialog();
    InitialOptionTree();
    SetWindowPosition(this, kSettings, kWindowPosition, theReg, 1);
    return TRUE;
}

void CDlgDefine::InitialOptionTree()
{
    CTreeCtrl& tree = GetOptionTree();
    tree.SetFont(&fontIndex, TRUE);
    if (!m_pDoc || !m_pOptions)
        return;
    tree.SetRedraw(FALSE);
    for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
        InsertOption(opt);
    InitialData();
    for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
    {
        if (!opt->pPage)
            continue;
        opt->pPage->UpdateData(FALSE);
        if (BYTE* flag = ExpandFlag(opt->nID))
            ExpandItem(opt->hItem, *flag);
    }
    tree.SetRedraw(TRUE);
    tree.Invalidate(TRUE);
}

int CDlgDefine::OptionCount() const
{
    int count = 0;
    while (m_pOptions && m_pOptions[count].nID)
        ++count;
    return count;
}

HTREEITEM CDlgDefine::ParentItemOf(const OPTIONITEM* pOption)
{
    if (pOption->nParent == -1)
        return nullptr;
    // An entry of the host's array may only hang under an entry before it; an entry of our own (a link)
    // under any entry of the array. Anything else would read a tree item that is not there yet, or past
    // the array's end.
    const int count = OptionCount();
    const bool inArray = std::greater_equal<const OPTIONITEM*>()(pOption, m_pOptions) &&
                         std::less<const OPTIONITEM*>()(pOption, m_pOptions + count);
    const int limit = inArray ? int(pOption - m_pOptions) : count;
    if (pOption->nParent >= 0 && pOption->nParent < limit)
        return m_pOptions[pOption->nParent].hItem;
    CString text;
    text.Format("The option \"%s\" (%d) names entry %d as its parent, which does not stand before it in the "
                "option list. It is shown at the top level.",
                pOption->pszTitle ? pOption->pszTitle : "", pOption->nID, pOption->nParent);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
}

void CDlgDefine::InsertOption(OPTIONITEM* pOption)
{
    CTreeCtrl& tree = GetOptionTree();
    HTREEITEM parent = ParentItemOf(pOption);
    pOption->hItem = tree.InsertItem(pOption->pszTitle ? pOption->pszTitle : "", parent ? parent : TVI_ROOT, TVI_LAST);
    tree.SetItemData(pOption->hItem, DWORD_PTR(pOption));
    pOption->hParentItem = parent;

    const OptionPageClass* cls = FindOptionPage(pOption->nID);
    CDlgDefineBase* page = cls ? cls->create(m_pDoc) : nullptr;
    if (page)
    {
        page->m_pDoc = m_pDoc;
        if (!page->Create(cls->nTemplateID, this))
        {
            delete page;
            page = nullptr;
        }
    }
    pOption->pPage = page;
    if (!page)
    {
        AfxMessageBox("Create property dialog failed!", MB_OK | MB_ICONSTOP);
        return;
    }
    CRect area;
    GetDlgItem(IDC_PAGEFRAME)->GetWindowRect(&area);
    ScreenToClient(&area);
    page->SetWindowPos(nullptr, area.left, area.top, area.Width(), area.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    page->EnableWindow(TRUE);
}

OPTIONITEM* CDlgDefine::GetOption(int nID, int)
{
    if (!m_pOptions || nID == kLinkPage)
        return nullptr;
    for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
        if (opt->nID == nID)
            return opt;
    return nullptr;
}

int CDlgDefine::GetOptionNo(int nID, int)
{
    if (!m_pOptions)
        return -1;
    for (int i = 0; m_pOptions[i].nID; ++i)
        if (m_pOptions[i].nID == nID)
            return i;
    return -1;
}

int CDlgDefine::GetActiveOptionID(int*) { return m_pActiveOption ? m_pActiveOption->nID : -1; }

void CDlgDefine::ActiveOption(OPTIONITEM* pOption, BOOL bActive)
{
    if (!pOption || !pOption->pPage)
        return;
    pOption->pPage->OnActiveOption(this, bActive);
    if (bActive)
    {
        pOption->pPage->ShowWindow(SW_SHOW);
        m_pActiveOption = pOption;
    }
    else
        pOption->pPage->ShowWindow(SW_HIDE);
}

void CDlgDefine::SelectOption(HTREEITEM hItem)
{
    if (!hItem || m_bReleasing)
        return;
    auto* opt = reinterpret_cast<OPTIONITEM*>(GetOptionTree().GetItemData(hItem));
    if (!opt || opt == m_pActiveOption)
        return;
    if (m_pActiveOption)
        ActiveOption(m_pActiveOption, FALSE);
    ActiveOption(opt, TRUE);
}

void CDlgDefine::SelectOption(int nID, int nSubID)
{
    OPTIONITEM* opt = GetOption(nID, nSubID);
    if (!opt)
        opt = GetOption(kBasicPage, 0);
    if (!opt || !opt->hItem)
        return;
    GetOptionTree().SelectItem(opt->hItem);
}

void CDlgDefine::OnSelchangedOptionTree(NMHDR*, LRESULT* pResult)
{
    SelectOption(GetOptionTree().GetSelectedItem());
    *pResult = 0;
}

void CDlgDefine::SaveSettingUI()
{
    if (!m_pDoc || !m_pOptions)
        return;
    for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
        if (BYTE* flag = ExpandFlag(opt->nID); flag && opt->pPage)
            StoreExpanded(opt->hItem, *flag);
}

void CDlgDefine::OnOKProcess(BOOL bApply)
{
    SaveSettingUI();
    if (m_pOptions)
        for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
            if (opt->pPage && !opt->pPage->UpdateData(TRUE))
            {
                SelectOption(opt->nID, 0);
                return;
            }
    if (!SaveData())
        return;
    if (!bApply)
        CDialog::OnOK();
    if (m_pDoc)
    {
        m_pDoc->SetModifiedFlag(TRUE);
        m_pDoc->UpdateAllViews(m_pDoc->GetMainView(), 0, nullptr);
    }
}

BOOL CDlgDefine::InitialData() { return TRUE; }
BOOL CDlgDefine::SaveData() { return TRUE; }
void CDlgDefine::DeleteOption(OPTIONITEM*) {}

void CDlgDefine::OnOK() { OnOKProcess(FALSE); }

void CDlgDefine::OnCancel()
{
    SaveSettingUI();
    CDialog::OnCancel();
}

BOOL CDlgDefine::PreTranslateMessage(MSG* pMsg)
{
    // Keys typed inside a page never get here: the page's dialog manager takes them.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DELETE)
        if (HTREEITEM sel = GetOptionTree().GetSelectedItem())
            if (auto* opt = reinterpret_cast<OPTIONITEM*>(GetOptionTree().GetItemData(sel)); opt && opt->pPage)
                DeleteOption(opt);
    return CDialog::PreTranslateMessage(pMsg);
}

void CDlgDefine::ReleaseOptionTree()
{
    if (!m_pOptions)
        return;
    m_bReleasing = true;
    for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
        if (opt->pPage)
        {
            opt->pPage->DestroyWindow();
            delete opt->pPage;
            opt->pPage = nullptr;
        }
    if (CWnd* tree = GetDlgItem(IDC_OPTIONTREE))
        static_cast<CTreeCtrl*>(tree)->DeleteAllItems();
    m_bReleasing = false;
    m_pOptions = nullptr;
    m_pActiveOption = nullptr;
    m_pDoc = nullptr;
}

void CDlgDefine::OnDestroy()
{
    ReleaseOptionTree();
    PutWindowPosition(this, kSettings, kWindowPosition, theReg);
    Default();
}
