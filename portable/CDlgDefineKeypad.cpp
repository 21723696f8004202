#include "portable/CDlgDefineKeypad.h"

#include "resources/resource.h"
#include "support/Support.h"

namespace
{

struct KeyChar
{
    UINT nVirtKey;
    char ch;
};

// Keys that stand for a character, searched in order. The navigation keys act as the numeric pad
// with Num Lock off. The grave accent and the square brackets complete the US punctuation keys.
constexpr KeyChar kPlainKeys[] = {
    {VK_END, '1'},       {VK_DOWN, '2'},      {VK_NEXT, '3'},        {VK_LEFT, '4'},     {VK_CLEAR, '5'},
    {VK_RIGHT, '6'},     {VK_HOME, '7'},      {VK_UP, '8'},          {VK_PRIOR, '9'},    {VK_INSERT, '0'},
    {VK_DELETE, '.'},    {VK_OEM_PLUS, '='},  {VK_OEM_2, '/'},       {VK_DIVIDE, '/'},   {VK_OEM_MINUS, '-'},
    {VK_SUBTRACT, '-'},  {VK_ADD, '+'},       {VK_MULTIPLY, '*'},    {VK_OEM_5, '\\'},   {VK_OEM_7, '\''},
    {VK_OEM_1, ';'},     {VK_OEM_COMMA, ','}, {VK_OEM_PERIOD, '.'},  {VK_OEM_3, '`'},    {VK_OEM_4, '['},
    {VK_OEM_6, ']'},
};

// With Shift: the digit row, then the punctuation keys of a US keyboard, each under its own key's code.
constexpr KeyChar kShiftedKeys[] = {
    {'1', '!'},          {'2', '@'},          {'3', '#'},            {'4', '$'},         {'5', '%'},
    {'6', '^'},          {'7', '&'},          {'8', '*'},            {'9', '('},         {'0', ')'},
    {VK_OEM_3, '~'},     {VK_OEM_MINUS, '_'}, {VK_OEM_PLUS, '+'},    {VK_OEM_4, '{'},    {VK_OEM_6, '}'},
    {VK_OEM_5, '|'},     {VK_OEM_1, ':'},     {VK_OEM_7, '"'},       {VK_OEM_COMMA, '<'}, {VK_OEM_PERIOD, '>'},
    {VK_OEM_2, '?'},
};

template <size_t N> char Lookup(const KeyChar (&table)[N], UINT nVirtKey)
{
    for (const KeyChar& k : table)
        if (k.nVirtKey == nVirtKey)
            return k.ch;
    return 0;
}

} // namespace

CDlgDefineKeypad::CDlgDefineKeypad(int nMode, UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nMode(nMode)
{
}

CDlgDefineKeypad::~CDlgDefineKeypad()
{
    // The simulator writes into the dialog's fields: the window goes first.
    if (::IsWindow(m_hWnd))
        DestroyWindow();
    delete m_pKeypad;
}

const MessageMap& CDlgDefineKeypad::GetThisMessageMap()
{
    using C = CDlgDefineKeypad;
    static const MessageMap map(
        &CDialog::GetThisMessageMap(),
        {
            mm::Command(IDC_KEY_ANYKEY, BN_CLICKED, &C::OnKeyAnykey),
            mm::Command(IDC_KEY_ALPHA, BN_CLICKED, &C::OnKeyAlpha),
            mm::Command(IDC_KEY_CMD, BN_CLICKED, &C::OnKeyCmd),
            mm::Command(IDC_KEY_LEFT, BN_CLICKED, &C::OnKeyPrev),
            mm::Command(IDC_KEY_RIGHT, BN_CLICKED, &C::OnKeyNext),
            mm::Command(IDC_KEY_SET, BN_CLICKED, &C::OnSetKey),
            // Every other key button.
            mm::CommandRange(IDC_KEY_POWER, IDC_KEY_POWER, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_SPACE, IDC_KEY_ENTER2, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_PGUP, IDC_KEY_ESC2, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_F1, IDC_KEY_F8, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_0, IDC_KEY_0, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_1, IDC_KEY_1, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_2, IDC_KEY_2, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_3, IDC_KEY_3, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_4, IDC_KEY_4, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_5, IDC_KEY_5, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_6, IDC_KEY_6, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_7, IDC_KEY_7, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_8, IDC_KEY_8, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_9, IDC_KEY_9, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_DOT, IDC_KEY_DOT, BN_CLICKED, &C::OnKey),
            mm::CommandRange(IDC_KEY_CLR, IDC_KEY_CLR, BN_CLICKED, &C::OnKey),
        });
    return map;
}

void CDlgDefineKeypad::DoDataExchange(CDataExchange*) {}

BOOL CDlgDefineKeypad::OnInitDialog()
{
    CDialog::OnInitDialog();

    CWnd* set = GetDlgItem(IDC_KEY_SET);
    if (m_nMode != KEYPAD_MODE_OTHER)
    {
        if (set)
            set->ShowWindow(SW_HIDE);
        if (CWnd* code = GetDlgItem(IDC_KEY_CODE))
            code->SendMessage(EM_LIMITTEXT, 3);
    }
    if (m_nMode == KEYPAD_MODE_SELECT && m_pKeypad && m_pKeypad->m_nKeyID != 0)
        m_pKeypad->ShowKey(m_pKeypad->m_nKeyID);
    if (m_nMode == KEYPAD_MODE_EDIT && set)
        set->ShowWindow(SW_SHOW);

    if (HWND five = ::GetDlgItem(m_hWnd, IDC_KEY_5))
        SendMessage(WM_NEXTDLGCTL, WPARAM(five), TRUE);
    return FALSE;
}

void CDlgDefineKeypad::OnOK()
{
    // While a job runs the dialog is the terminal's keypad and stays open.
    if (OnJobSimulation)
        return;
    CDialog::OnOK();
}

void CDlgDefineKeypad::OnCancel()
{
    if (OnJobSimulation)
        return;
    CDialog::OnCancel();
}

void CDlgDefineKeypad::OnKeyAnykey()
{
    if (m_pKeypad)
        m_pKeypad->OnKeyAnykey();
}

void CDlgDefineKeypad::OnKeyAlpha()
{
    if (m_pKeypad)
        m_pKeypad->OnKeyAlpha();
}

void CDlgDefineKeypad::OnKeyCmd()
{
    if (m_pKeypad)
        m_pKeypad->OnKeyCmd();
}

void CDlgDefineKeypad::OnKeyPrev()
{
    if (!m_pKeypad)
        return;
    m_pKeypad->m_bClicked = true;
    m_pKeypad->OnKeyPrev();
}

void CDlgDefineKeypad::OnKeyNext()
{
    if (!m_pKeypad)
        return;
    m_pKeypad->m_bClicked = true;
    m_pKeypad->OnKeyNext();
}

void CDlgDefineKeypad::OnKey(UINT)
{
    if (!m_pKeypad)
        return;
    m_pKeypad->m_bClicked = true;
    m_pKeypad->OnKey();
}

void CDlgDefineKeypad::OnSetKey()
{
    if (m_nMode != KEYPAD_MODE_EDIT || !m_pKeypad)
        return;
    // Exit and power keep their codes; with no key chosen there is nothing to set.
    const int id = m_pKeypad->m_nKeyID;
    if (id == IDC_KEY_ESC || id == IDC_KEY_POWER || id == 0)
    {
        MessageBeep(MB_ICONHAND);
        return;
    }
    BOOL bNumber = FALSE;
    const UINT code = GetDlgItemInt(IDC_KEY_CODE, &bNumber, FALSE);
    if (!bNumber || code > 255)
    {
        AfxMessageBox("Invalid key code!", MB_OK | MB_ICONSTOP);
        return;
    }
    m_pKeypad->SetKey(id, static_cast<unsigned char>(code));
    m_pKeypad->ShowKey(id);
}

BOOL CDlgDefineKeypad::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return CDialog::PreTranslateMessage(pMsg);

    const bool simulating = OnJobSimulation != 0;
    bool taken = false;
    if (pMsg->message == WM_KEYDOWN)
    {
        const UINT vk = UINT(pMsg->wParam);
        HWND code = ::GetDlgItem(m_hWnd, IDC_KEY_CODE);
        // A Shift released while another window had the keyboard never told us: ask the keyboard.
        if (m_bShiftDown && GetKeyState(VK_SHIFT) >= 0)
            m_bShiftDown = false;
        if (vk == VK_SHIFT)
            m_bShiftDown = true;
        else if (simulating || !code || pMsg->hwnd != code)
            taken = KeyDown(vk);
        // Outside a simulation the code field takes its digits as typed.
    }
    else if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_SHIFT)
        m_bShiftDown = false;

    // A key the keypad took is not the dialog's as well: a letter would press the button it is the
    // mnemonic of, Space the focused key. Escape still cancels, Tab still moves.
    if (simulating || taken)
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

bool CDlgDefineKeypad::KeyDown(UINT nVirtKey)
{
    const bool shift = m_bShiftDown || GetKeyState(VK_SHIFT) < 0;
    switch (nVirtKey)
    {
    case VK_BACK:
    case VK_SPACE:
        SendCharToKeypad(int(nVirtKey));
        return true;
    case VK_ESCAPE:
        SendCharToKeypad(int(nVirtKey));
        return false;
    case VK_RETURN:
        if (OnJobSimulation)
        {
            SendCharToKeypad(int(nVirtKey));
            return true;
        }
        if (CWnd* ok = GetDlgItem(IDOK))
        {
            ok->SetFocus();
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(ok->m_hWnd));
            return true;
        }
        return false;
    default:
        break;
    }
    // The number pad with Num Lock on types the same digits and point as the main keys.
    if (nVirtKey >= VK_NUMPAD0 && nVirtKey <= VK_NUMPAD9)
    {
        SendCharToKeypad(int('0' + (nVirtKey - VK_NUMPAD0)));
        return true;
    }
    if (nVirtKey == VK_DECIMAL)
    {
        SendCharToKeypad('.');
        return true;
    }
    if (nVirtKey >= '0' && nVirtKey <= '9')
    {
        SendCharToKeypad(shift ? Lookup(kShiftedKeys, nVirtKey) : int(nVirtKey));
        return true;
    }
    if ((nVirtKey >= 'A' && nVirtKey <= 'Z') || (nVirtKey >= VK_F1 && nVirtKey <= VK_F8))
    {
        SendCharToKeypad(int(nVirtKey));
        return true;
    }
    if (char ch = shift ? Lookup(kShiftedKeys, nVirtKey) : Lookup(kPlainKeys, nVirtKey))
    {
        SendCharToKeypad(ch);
        return true;
    }
    return false;
}

void CDlgDefineKeypad::SendCharToKeypad(int nChar)
{
    if (m_pKeypad)
        m_pKeypad->GetKeyFromKeyboard(nChar);
}
