#include "link/CDlgDefineLink.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "portable/CDlgDefineKeypadModels.h"
#include "resources/resource.h"
#include "simulation/Keymap.h"
#include "support/Support.h"

static const OptionPageRegistration<CDlgDefineLink> reg(IDD_LINK);

CDlgDefineLink::CDlgDefineLink(CWnd* pParent) : CDlgDefineBase(IDD_LINK, pParent) {}

const MessageMap& CDlgDefineLink::GetThisMessageMap()
{
    using C = CDlgDefineLink;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_LINK_GRP_KEYINPUT, BN_CLICKED, &C::OnLinkcdxGrpKeyinput),
                                    mm::Command(IDC_LINK_GRP_INPUTDATA, BN_CLICKED, &C::OnLinkcdxGrpInputdata),
                                    mm::Command(IDC_LINK_GRP_VERIFY, BN_CLICKED, &C::OnLinkcdxGrpVerify),
                                    mm::Command(IDC_LINK_GRP_EXPRESSION, BN_CLICKED, &C::OnLinkcdxGrpExpression),
                                    mm::Command(IDC_LINK_EOR, BN_CLICKED, &C::OnLinkcdxEor),
                                    mm::Command(IDC_LINK_KEY, EN_SETFOCUS, &C::OnSetfocusLinkcdxKey),
                                    mm::Command(IDC_LINK_KEY, EN_KILLFOCUS, &C::OnKillfocusLinkcdxKey),
                                    mm::Command(IDC_SCRIPTPAD, BN_CLICKED, &C::OnScriptPad),
                                    mm::Destroy(&C::OnDestroy),
                                });
    return map;
}

void CDlgDefineLink::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RECORDLIST, m_cbRecord);
    DDX_Text(pDX, IDC_LINK_EXPRESSION, m_strExpression);
    DDX_Text(pDX, IDC_LINK_KEY, m_strKey);
    // Each radio has its own flag, so the host sees one BOOL per button.
    DDX_Check(pDX, IDC_LINK_PASSALWAYS, m_bPassAlways);
    DDX_Check(pDX, IDC_LINK_SUCCESS, m_bSuccess);
    DDX_Check(pDX, IDC_LINK_FAIL, m_bFail);
    DDX_Check(pDX, IDC_LINK_EOR, m_bEOR);
    DDX_Check(pDX, IDC_LINK_RRLI, m_bRRLI);
    DDX_Check(pDX, IDC_LINK_ALARM, m_bAlarm);
    DDX_Check(pDX, IDC_LINK_GRP_KEYINPUT, m_bKeyInput);
    DDX_Check(pDX, IDC_LINK_GRP_INPUTDATA, m_bInputData);
    DDX_Check(pDX, IDC_LINK_GRP_VERIFY, m_bVerifyStatus);
    DDX_Check(pDX, IDC_LINK_GRP_EXPRESSION, m_bExpression);
    DDX_Text(pDX, IDC_LINK_INPUTDATA, m_strInputData);
    DDX_Check(pDX, IDC_LINK_INIT, m_bINIT);
    DDX_Control(pDX, IDC_SCRIPTPAD, m_btnScriptPad);
    DDX_Check(pDX, IDC_LINK_EXCLUDE, m_bExcludeFromMakeJob);
}

BOOL CDlgDefineLink::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    m_bDestroying = false;
    SetEditTabStops(this, IDC_LINK_EXPRESSION, 4);
    m_btnScriptPad.SetMaskedBitmap(IDB_BUTTON, 8, 8, RGB(255, 255, 255));
    // Nothing is chosen until the host's data arrive.
    SelectGroup(0);
    return TRUE;
}

BOOL CDlgDefineLink::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (!bSaveAndValidate)
    {
        // A link with no condition kind keeps whatever is enabled now.
        if (m_bKeyInput)
            SelectGroup(IDC_LINK_GRP_KEYINPUT);
        else if (m_bInputData)
            SelectGroup(IDC_LINK_GRP_INPUTDATA);
        else if (m_bVerifyStatus)
            SelectGroup(IDC_LINK_GRP_VERIFY);
        else if (m_bExpression)
            SelectGroup(IDC_LINK_GRP_EXPRESSION);
        if (m_cbRecord.GetSafeHwnd())
            m_cbRecord.EnableWindow(m_bEOR);
    }
    return result;
}

void CDlgDefineLink::SelectGroup(int nID)
{
    auto enable = [this](int id, BOOL on) {
        if (CWnd* ctl = GetDlgItem(id))
            ctl->EnableWindow(on);
    };
    for (int id : {IDC_LINK_KEY, IDC_LINK_INPUTDATA, IDC_LINK_PASSALWAYS, IDC_LINK_SUCCESS, IDC_LINK_FAIL,
                   IDC_LINK_EXPRESSION, IDC_SCRIPTPAD})
        enable(id, FALSE);

    switch (nID)
    {
    case IDC_LINK_GRP_KEYINPUT:
        enable(IDC_LINK_KEY, TRUE);
        break;
    case IDC_LINK_GRP_INPUTDATA:
        enable(IDC_LINK_INPUTDATA, TRUE);
        break;
    case IDC_LINK_GRP_VERIFY:
        enable(IDC_LINK_PASSALWAYS, TRUE);
        enable(IDC_LINK_SUCCESS, TRUE);
        enable(IDC_LINK_FAIL, TRUE);
        break;
    case IDC_LINK_GRP_EXPRESSION:
        enable(IDC_LINK_EXPRESSION, TRUE);
        enable(IDC_SCRIPTPAD, TRUE);
        break;
    default:
        break;
    }
}

void CDlgDefineLink::OnLinkcdxGrpKeyinput() { SelectGroup(IDC_LINK_GRP_KEYINPUT); }
void CDlgDefineLink::OnLinkcdxGrpInputdata() { SelectGroup(IDC_LINK_GRP_INPUTDATA); }
void CDlgDefineLink::OnLinkcdxGrpVerify() { SelectGroup(IDC_LINK_GRP_VERIFY); }
void CDlgDefineLink::OnLinkcdxGrpExpression() { SelectGroup(IDC_LINK_GRP_EXPRESSION); }

void CDlgDefineLink::OnLinkcdxEor()
{
    UpdateData(TRUE);
    m_cbRecord.EnableWindow(m_bEOR);
}

// The key is never typed: each time the key field gets the focus, the terminal's keypad opens to pick it.
void CDlgDefineLink::OnSetfocusLinkcdxKey()
{
    // Focus coming back to the field while the keypad is open must not open a second one.
    if (m_nKeypadLock > 0 || m_bDestroying)
        return;
    ++m_nKeypadLock;

    CTerminal* terminal = m_pDoc ? m_pDoc->m_pTerminal : m_pTerminal;
    CDlgDefineKeypad* keypad =
        terminal ? CreateKeypadDialog(terminal->m_strModel, KEYPAD_MODE_SELECT, terminal->m_keymap, this) : nullptr;
    if (keypad)
    {
        CString key;
        GetDlgItemText(IDC_LINK_KEY, key);
        keypad->m_pKeypad->m_nKeyID = GetKeyIDWKM(key.c_str(), terminal->m_keymap);
        if (keypad->DoModal() == IDOK && keypad->m_pKeypad->m_nKeyID != 0)
            if (const char* name = GetKeyNameWKM(keypad->m_pKeypad->m_nKeyID, terminal->m_keymap))
                SetDlgItemText(IDC_LINK_KEY, name);
        delete keypad;
    }

    --m_nKeypadLock;
    // Leave the field, so that the next click on it picks again.
    if (HWND radio = ::GetDlgItem(m_hWnd, IDC_LINK_GRP_KEYINPUT))
        SendMessage(WM_NEXTDLGCTL, WPARAM(radio), TRUE);
}

void CDlgDefineLink::OnKillfocusLinkcdxKey() {}

void CDlgDefineLink::OnDestroy()
{
    m_bDestroying = true;
    Default();
}

void CDlgDefineLink::OnScriptPad()
{
    UpdateData(TRUE);
    CString title;
    title.Format("Link Expression: %s", m_pLink ? m_pLink->GetLabel().c_str() : "");
    ScriptPad(m_strExpression, title, this);
    UpdateData(FALSE);
    // Back in the expression, whether the editor was confirmed or cancelled.
    if (CWnd* edit = GetDlgItem(IDC_LINK_EXPRESSION))
        edit->SetFocus();
}
