// The base of every option page: a child dialog on a definition container's page area.
#pragma once

#include "framework/Export.h"

#include "framework/HostObjects.h"
#include "platform/afxwin.h"

class CDlgDefine;

class PDTDLG_API CDlgDefineBase : public CDialog
{
  public:
    explicit CDlgDefineBase(UINT templateId, CWnd* pParent = nullptr);

    CVTR5Doc* m_pDoc = nullptr;
    CNodeBase* m_pNode = nullptr;
    void* m_pObject = nullptr;
    CTerminal* m_pTerminal = nullptr;

    // Called before the page is shown (TRUE) or hidden (FALSE); pages refresh what depends on others.
    virtual int OnActiveOption(CDlgDefine* pContainer, int bActive);
    virtual BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Save the controls and load them again, so that one control's change reaches the others' state.
    void RefreshUI();
    // Lets the user pick a data file for edit 4155; the record choice in 4300 is cleared.
    void BrowseFileName(LPCTSTR categoryKey, bool open);
    // Puts the data file of the record chosen in 4300 into edit 4155.
    void SelChangeRecordList();

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
};
