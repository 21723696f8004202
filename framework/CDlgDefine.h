// The option-tree container behind every definition dialog: the tree on the left, the page of the
// selected entry on the right, every page created when the dialog opens.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "framework/HostObjects.h"
#include "framework/OptionItem.h"
#include "platform/afxcmn.h"

class PDTDLG_API CDlgDefine : public CDialog
{
  public:
    CDlgDefine(OPTIONITEM* pOptions, UINT templateId, CWnd* pParent = nullptr);
    ~CDlgDefine() override;

    OPTIONITEM* m_pOptions = nullptr;      // the host's array; not owned
    OPTIONITEM* m_pActiveOption = nullptr; // entry whose page is shown
    CVTR5Doc* m_pDoc = nullptr;

    virtual OPTIONITEM* GetOption(int nID, int nSubID);
    virtual int GetOptionNo(int nID, int nSubID);
    virtual int GetActiveOptionID(int* pSubID);
    virtual void InsertOption(OPTIONITEM* pOption);
    virtual void ActiveOption(OPTIONITEM* pOption, BOOL bActive);
    virtual void SelectOption(int nID, int nSubID);
    virtual void SelectOption(HTREEITEM hItem);
    virtual void SaveSettingUI();
    virtual void OnOKProcess(BOOL bApply);
    virtual BOOL InitialData();
    virtual BOOL SaveData();
    virtual void DeleteOption(OPTIONITEM* pOption);

    void InitialOptionTree();
    void ReleaseOptionTree();

    CTreeCtrl& GetOptionTree() const;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DoDataExchange(CDataExchange*) override {}
    void OnDestroy();
    void OnSelchangedOptionTree(NMHDR* pNMHDR, LRESULT* pResult);

    // The document flag that keeps an expandable entry's expanded state, or null.
    BYTE* ExpandFlag(int nID) const;
    void ExpandItem(HTREEITEM hItem, BYTE flag);
    bool IsExpanded(HTREEITEM hItem) const;
    // Stores the item's expanded state into the flag, unless the item has no children to show.
    void StoreExpanded(HTREEITEM hItem, BYTE& flag) const;
    // Entries of the host's array, up to the terminating one.
    int OptionCount() const;
    // The tree item an entry goes under; an out-of-range parent is reported and gives the top level.
    HTREEITEM ParentItemOf(const OPTIONITEM* pOption);

    DECLARE_MESSAGE_MAP()

  private:
    bool m_bReleasing = false; // the tree is being emptied: its selection changes mean nothing
};
