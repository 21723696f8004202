// A push button with a colour swatch that drops down a palette: standard colours, "Default" and "More Colors...".
#pragma once

#include <memory>

#include "platform/afxwin.h"

// Sent to the parent: wParam is the colour, lParam the picker's control id.
constexpr UINT CPN_SELCHANGE = WM_USER + 1001;    // not sent: the palette reports only the final choice
constexpr UINT CPN_DROPDOWN = WM_USER + 1002;     // the palette opened
constexpr UINT CPN_CLOSEUP = WM_USER + 1003;      // the palette closed (after SELENDOK or SELENDCANCEL)
constexpr UINT CPN_SELENDOK = WM_USER + 1004;     // a colour was chosen; CLR_DEFAULT for the "Default" entry
constexpr UINT CPN_SELENDCANCEL = WM_USER + 1005; // closed without a choice; wParam is the colour kept

class CColourPicker : public CButton
{
  public:
    CColourPicker();
    ~CColourPicker() override;

    // CLR_DEFAULT shows the default colour; GetColour still reports CLR_DEFAULT.
    void SetColour(COLORREF colour);
    COLORREF GetColour() const
    {
        return m_colour;
    }
    // What "Default" stands for on the swatch.
    void SetDefaultColour(COLORREF colour);
    COLORREF GetDefaultColour() const
    {
        return m_defaultColour;
    }
    // Entry texts; an empty text leaves the entry out of the palette.
    void SetDefaultText(LPCTSTR text)
    {
        m_defaultText = text ? text : "";
    }
    void SetCustomText(LPCTSTR text)
    {
        m_customText = text ? text : "";
    }

    // The palette: opened by a click on the button; open until a choice is made or it is dismissed.
    void ShowPalette();
    BOOL IsPaletteOpen() const;

  protected:
    void PreSubclassWindow() override;

  private:
    struct PeerLink;
    void LinkPeer();
    void UpdateSwatch();
    void Finish(bool chosen, COLORREF colour);

    COLORREF m_colour = CLR_DEFAULT;
    COLORREF m_defaultColour = RGB(0, 0, 0);
    CString m_defaultText = "Default";
    CString m_customText = "More Colors...";
    std::unique_ptr<PeerLink> m_link;
    std::shared_ptr<int> m_life; // lets a callback tell whether the picker outlived the parent's handler
    HWND m_linkWaits = nullptr;  // the window whose widget the swatch waits for
};
