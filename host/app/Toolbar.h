// jobhost's toolbar: a button for each node kind, the link tool (pressed while it is on), Find and Run. Its
// buttons send their commands to the owner as the menu items do, and give the focus back when used.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/afxcmn.h"
#include "platform/afxwin.h"

class Toolbar : public CWnd
{
  public:
    BOOL Create(CWnd* owner, UINT id);
    int GetHeight() const { return m_nHeight; }
    void SetLinkTool(bool on);
    void EnableCommand(UINT command, bool enable);
    CWnd* GetButton(UINT command) const; // null: no such button

    std::function<void()> onUsed; // after a button's command: the owner puts the focus back

    DECLARE_MESSAGE_MAP()

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint();

  private:
    CWnd* m_pOwner = nullptr;
    std::vector<std::unique_ptr<CButton>> m_buttons;
    CToolTipCtrl m_tips;
    int m_nHeight = 28;
};
