// The definition dialog of one flowchart node: the host's pages for the node, plus one link page per
// link of the node under the incoming and outgoing entries. It can stay open while the host loads one
// node after another into it.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefine.h"

class PDTDLG_API CDlgDefineNode : public CDlgDefine
{
  public:
    CDlgDefineNode();
    CDlgDefineNode(CNodeBase* pNode, OPTIONITEM* pOptions, CWnd* pParent = nullptr);
    ~CDlgDefineNode() override;

    BOOL CreateDefineNode(CNodeBase* pNode, OPTIONITEM* pOptions, CWnd* pParent = nullptr);
    void Initial(CNodeBase* pNode, OPTIONITEM* pOptions);
    void InitialDlg();
    void Release();

    OPTIONITEM* GetOption(int nID, int nSubID) override;
    int GetOptionNo(int nID, int nSubID) override;
    int GetActiveOptionID(int* pSubID) override;
    void SaveSettingUI() override;
    void OnOKProcess(BOOL bApply) override;
    BOOL InitialData() override;
    BOOL SaveData() override;
    void DeleteOption(OPTIONITEM* pOption) override;

    CNodeBase* m_pNode = nullptr;
    int m_nLinkCount = 0;
    int m_nLinkUsed = 0;
    int m_nLinkCapacity = 0;
    OPTIONITEM* m_pLinkOptions = nullptr;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnBnClickedApply();
    void OnDestroy();
    LRESULT OnHelp(WPARAM, LPARAM);
    void OnIgnoredCommand();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    DECLARE_MESSAGE_MAP()

  private:
    void AddLinkEntries();
    void FreeLinkEntries();
    bool HasLinkEntry(const CNodeLink* pLink) const;
    void UpdateTitle();

    bool m_bLoaded = false; // InitialDlg has filled the window and no Release has emptied it
};
