// The page of one link of a node: the condition under which the job follows the link, and what
// happens when it does. The host's link object fills and reads the public members.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "support/ButtonEx.h"

class PDTDLG_API CDlgDefineLink : public CDlgDefineBase
{
  public:
    explicit CDlgDefineLink(CWnd* pParent = nullptr);

    CComboBox m_cbRecord; // the host fills it and reads its selection
    CString m_strExpression;
    CString m_strKey;
    BOOL m_bPassAlways = FALSE;
    BOOL m_bSuccess = FALSE;
    BOOL m_bFail = FALSE;
    BOOL m_bEOR = FALSE;
    BOOL m_bRRLI = FALSE;
    BOOL m_bAlarm = FALSE;
    BOOL m_bKeyInput = FALSE;
    BOOL m_bInputData = FALSE;
    BOOL m_bVerifyStatus = FALSE;
    BOOL m_bExpression = FALSE;
    CString m_strInputData;
    BOOL m_bINIT = FALSE;
    CButtonEx m_btnScriptPad;
    BOOL m_bExcludeFromMakeJob = FALSE;

    CNodeLink* m_pLink = nullptr; // not owned
    int m_nKeypadLock = 0;        // above 0 while the keypad dialog is open

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;
    // Enables the fields of one condition kind (its radio's id), or of none (0).
    void SelectGroup(int nID);

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnLinkcdxGrpKeyinput();
    void OnLinkcdxGrpInputdata();
    void OnLinkcdxGrpVerify();
    void OnLinkcdxGrpExpression();
    void OnLinkcdxEor();
    void OnSetfocusLinkcdxKey();
    void OnKillfocusLinkcdxKey();
    void OnScriptPad();
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

  private:
    bool m_bDestroying = false; // the page's controls go one by one and may pass the focus to the key field
};
