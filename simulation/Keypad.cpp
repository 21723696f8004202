// The keypad simulator and the shift meanings of the seven terminal models.
#include "simulation/Keypad.h"

#include <cstring>
#include <iterator>

#include "resources/resource.h"
#include "simulation/Keymap.h"

namespace
{

constexpr KEYPAD_RULE Map(int nFrom, int nTo) { return {nFrom, nFrom, nTo - nFrom}; }
constexpr KEYPAD_RULE Shift(int nFirst, int nLast, int nOffset) { return {nFirst, nLast, nOffset}; }

// Command shift of the M-10 and the M-13 family. Up and Down swap against the keymap's layer 4
// (Up gives PgDn here); the terminal behaves this way, so it stays.
constexpr KEYPAD_RULE kCmdM13[] = {
    Map(IDC_KEY_ALPHA, IDC_KEY_ESC),   Map(IDC_KEY_UP, IDC_KEY_PGDN), Map(IDC_KEY_DOWN, IDC_KEY_PGUP),
    Shift(IDC_KEY_F1, IDC_KEY_F4, 4), Map(IDC_KEY_DOT, IDC_KEY_DOT + 4), Map(IDC_KEY_CLR, IDC_KEY_CLR + 4),
    Shift(IDC_KEY_0, IDC_KEY_9, 4),
};

// The M-20 has no command characters: its command shift only turns Right into Exit.
constexpr KEYPAD_RULE kCmdM20[] = {Map(IDC_KEY_RIGHT, IDC_KEY_ESC)};

// "7", "8" and "9" keep their plain meaning on the M-20X.
constexpr KEYPAD_RULE kCmdM20X[] = {
    Map(IDC_KEY_LEFT, IDC_KEY_UP), Map(IDC_KEY_RIGHT, IDC_KEY_DOWN), Shift(IDC_KEY_F1, IDC_KEY_F4, 4),
    Map(IDC_KEY_DOT, IDC_KEY_ESC), Shift(IDC_KEY_0, IDC_KEY_6, 4),
};

// Keys that carry letters; the offset comes from the selectors.
constexpr KEYPAD_RULE kAlphaKeys[] = {Shift(IDC_KEY_0, IDC_KEY_9 + 4, 0), Shift(IDC_KEY_DOT, IDC_KEY_DOT, 0)};
constexpr KEYPAD_RULE kAlphaKeysM20X[] = {Shift(IDC_KEY_0, IDC_KEY_9 + 4, 0)};

template <size_t N> constexpr int Count(const KEYPAD_RULE (&)[N]) { return int(N); }

// The C library's isprint in the "C" locale, whatever locale the host runs in.
bool IsPrintable(unsigned char byCode) { return byCode >= 0x20 && byCode < 0x7F; }

} // namespace

CKeypad::CKeypad(int nModel, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CDialog* pDlg)
    : m_pDlg(pDlg), m_hSmuWnd(nullptr), m_nModel(nModel), m_nKeyID(0), m_bClicked(false), m_bCmdDown(false),
      m_bAlphaDown(false), m_bPrevDown(false), m_bNextDown(false), m_bShowKey(true)
{
    ResetKeypad(pKeymap);
}

CKeypad::~CKeypad() = default;

void CKeypad::ResetKeypad(KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE])
{
    if (pKeymap)
        CopyKeymap(m_keymap, *pKeymap);
    else
        std::memset(m_keymap, 0, sizeof(m_keymap));
}

bool CKeypad::TranslateCmdKey(int&) { return false; }
bool CKeypad::TranslateAlphaKey(int&) { return false; }

void CKeypad::PressKey(int& nKeyID)
{
    if (TranslateCmdKey(nKeyID))
        ReleaseKeyCmd();
    else
        TranslateAlphaKey(nKeyID);
    m_nKeyID = nKeyID;
}

void CKeypad::PressKeyAnykey() { m_nKeyID = IDC_KEY_ANYKEY; }

void CKeypad::PressKeyCmd() { m_bCmdDown = !m_bCmdDown; }

void CKeypad::PressKeyAlpha(bool bToggle)
{
    // With the command shift on, "Alp" may be a key of its own (Esc on the M-10 and M-13 family).
    int id = IDC_KEY_ALPHA;
    if (TranslateCmdKey(id))
    {
        m_nKeyID = id;
        ReleaseKeyCmd();
        return;
    }
    m_nKeyID = 0;
    if (bToggle)
    {
        m_bAlphaDown = !m_bAlphaDown;
        if (!m_bAlphaDown)
            ReleaseKeyAlpha();
    }
    else
        ReleaseKeyAlpha();
}

void CKeypad::PressKeyPrev(bool bToggle) { m_bPrevDown = bToggle ? !m_bPrevDown : false; }
void CKeypad::PressKeyNext(bool bToggle) { m_bNextDown = bToggle ? !m_bNextDown : false; }

void CKeypad::ReleaseKeyCmd() { m_bCmdDown = false; }

void CKeypad::ReleaseKeyAlpha()
{
    ReleaseKeyPrev();
    ReleaseKeyNext();
    m_bAlphaDown = false;
}

void CKeypad::ReleaseKeyPrev() { m_bPrevDown = false; }
void CKeypad::ReleaseKeyNext() { m_bNextDown = false; }

void CKeypad::OnKeyAlpha()
{
    PressKeyAlpha(true);
    // Under the command shift "Alp" may have been a key (Esc): show what the owner will read.
    if (m_nKeyID != 0)
        ShowKey(m_nKeyID);
    ReleaseKeyCmd();
    RefreshButtons();
}

void CKeypad::OnKeyCmd()
{
    PressKeyCmd();
    ReleaseKeyAlpha();
    RefreshButtons();
}

void CKeypad::OnKeyPrev()
{
    // Without the alpha shift "<" is an ordinary key.
    if (!m_bAlphaDown)
    {
        OnKey();
        return;
    }
    PressKeyPrev(true);
    ReleaseKeyNext();
    RefreshButtons();
}

void CKeypad::OnKeyNext()
{
    if (!m_bAlphaDown)
    {
        OnKey();
        return;
    }
    PressKeyNext(true);
    ReleaseKeyPrev();
    RefreshButtons();
}

void CKeypad::OnKeyAnykey()
{
    PressKeyAnykey();
    ShowKey(IDC_KEY_ANYKEY);
}

void CKeypad::OnKey()
{
    if (!m_bClicked)
        return;

    // The button just clicked has the focus; anything outside the keypad is no key.
    int id = 0;
    if (CWnd* focus = CWnd::GetFocus(); focus && m_pDlg && m_pDlg->IsChild(focus))
        id = focus->GetDlgCtrlID();
    switch (id)
    {
    case IDC_KEY_ENTER2: id = IDC_KEY_ENTER; break;
    case IDC_KEY_ESC2: id = IDC_KEY_ESC; break;
    case IDC_KEY_POWER:
    case IDOK:
    case IDCANCEL: id = 0; break;
    default: break;
    }

    PressKey(id);
    ShowKey(id);
    // Letters follow one another under one alpha shift; a selector and the command shift last one key.
    if (m_bAlphaDown)
    {
        ReleaseKeyPrev();
        ReleaseKeyNext();
    }
    if (m_bCmdDown)
        ReleaseKeyCmd();
    RefreshButtons();
}

void CKeypad::RefreshButtons()
{
    if (m_bAlphaDown)
        FocusControl(IDC_KEY_5);
    SetPushed(IDC_KEY_ALPHA, m_bAlphaDown);
    if (m_bCmdDown)
        FocusControl(IDC_KEY_RIGHT);
    SetPushed(IDC_KEY_CMD, m_bCmdDown);
    if (m_bPrevDown)
        FocusControl(IDC_KEY_5);
    SetPushed(IDC_KEY_LEFT, m_bPrevDown);
    if (m_bNextDown)
        FocusControl(IDC_KEY_5);
    SetPushed(IDC_KEY_RIGHT, m_bNextDown);
}

void CKeypad::ShowKey(int nKeyID)
{
    if (!m_bShowKey || !m_pDlg || !::IsWindow(m_pDlg->GetSafeHwnd()))
        return;
    if (nKeyID == 0)
    {
        m_pDlg->SetDlgItemText(IDC_KEY_NAME, "");
        m_pDlg->SetDlgItemText(IDC_KEY_CODE, "");
        m_pDlg->SetDlgItemText(IDC_KEY_CHAR, "");
        return;
    }
    const char* name = GetKeyNameWKM(nKeyID, m_keymap);
    m_pDlg->SetDlgItemText(IDC_KEY_NAME, name ? name : "");
    const unsigned char code = GetKeyCodeWKM(nKeyID, m_keymap);
    CString text;
    text.Format("%u", unsigned(code));
    m_pDlg->SetDlgItemText(IDC_KEY_CODE, text);
    if (IsPrintable(code))
        text.Format(" %c", char(code));
    else
        text.Empty();
    m_pDlg->SetDlgItemText(IDC_KEY_CHAR, text);
}

void CKeypad::SetKey(int nKeyID, unsigned char byCode) { SetKeyCodeWKM(nKeyID, byCode, m_keymap); }

void CKeypad::GetKeyFromKeyboard(int nChar)
{
    m_bClicked = false;
    m_nKeyID = GetKeyIDWKM(static_cast<unsigned char>(nChar), m_keymap);
    if (m_nKeyID != 0)
        ShowKey(m_nKeyID);
}

bool CKeypad::ApplyRules(const KEYPAD_RULE* pRules, int nRules, int& nKeyID)
{
    for (int i = 0; i < nRules; ++i)
        if (nKeyID >= pRules[i].nFirst && nKeyID <= pRules[i].nLast)
        {
            nKeyID += pRules[i].nOffset;
            return true;
        }
    return false;
}

bool CKeypad::TranslateAlphaRange(const KEYPAD_RULE* pRanges, int nRanges, int& nKeyID) const
{
    int id = nKeyID;
    if (!ApplyRules(pRanges, nRanges, id))
        return false;
    nKeyID += m_bPrevDown ? 1 : m_bNextDown ? 3 : 2;
    return true;
}

void CKeypad::FocusControl(int nID)
{
    if (!m_pDlg || !::IsWindow(m_pDlg->GetSafeHwnd()))
        return;
    if (HWND h = ::GetDlgItem(m_pDlg->m_hWnd, nID))
        m_pDlg->SendMessage(WM_NEXTDLGCTL, WPARAM(h), TRUE);
}

void CKeypad::SetPushed(int nID, bool bPushed)
{
    if (!m_pDlg || !::IsWindow(m_pDlg->GetSafeHwnd()))
        return;
    if (HWND h = ::GetDlgItem(m_pDlg->m_hWnd, nID))
        ::SendMessage(h, BM_SETSTATE, bPushed, 0);
}

// ---------------------------------------------------------------------------------------------------------------
// The models: each supplies only its tables.

#define PDT_KEYPAD_MODEL(Class, Model, CmdRules, AlphaKeys)                                                          \
    Class::Class(KEYMAP_KEY(*pKeymap)[KEYMAP_SIZE], CDialog* pDlg) : CKeypad(Model, pKeymap, pDlg) {}                 \
    bool Class::TranslateCmdKey(int& nKeyID)                                                                         \
    {                                                                                                                \
        return m_bCmdDown && ApplyRules(CmdRules, Count(CmdRules), nKeyID);                                          \
    }                                                                                                                \
    bool Class::TranslateAlphaKey(int& nKeyID)                                                                       \
    {                                                                                                                \
        return m_bAlphaDown && TranslateAlphaRange(AlphaKeys, Count(AlphaKeys), nKeyID);                             \
    }

PDT_KEYPAD_MODEL(CKeypadM10, KEYPAD_MODEL_M10, kCmdM13, kAlphaKeys)
PDT_KEYPAD_MODEL(CKeypadM13, KEYPAD_MODEL_M13, kCmdM13, kAlphaKeys)
PDT_KEYPAD_MODEL(CKeypadN13, KEYPAD_MODEL_N13, kCmdM13, kAlphaKeys)
PDT_KEYPAD_MODEL(CKeypadR50, KEYPAD_MODEL_R50, kCmdM13, kAlphaKeys)
PDT_KEYPAD_MODEL(CKeypadR50G, KEYPAD_MODEL_R50G, kCmdM13, kAlphaKeys)
PDT_KEYPAD_MODEL(CKeypadM20, KEYPAD_MODEL_M20, kCmdM20, kAlphaKeys)
PDT_KEYPAD_MODEL(CKeypadM20X, KEYPAD_MODEL_M20X, kCmdM20X, kAlphaKeysM20X)

#undef PDT_KEYPAD_MODEL
