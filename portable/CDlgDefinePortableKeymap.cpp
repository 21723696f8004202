#include "portable/CDlgDefinePortableKeymap.h"

#include <memory>

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "portable/CDlgDefineKeypadModels.h"
#include "resources/resource.h"
#include "simulation/Keymap.h"

namespace
{
const OptionPageRegistration<CDlgDefinePortableKeymap> reg(IDD_PORTABLE_KEYMAP);
}

CDlgDefinePortableKeymap::CDlgDefinePortableKeymap() : CDlgDefineBase(IDD_PORTABLE_KEYMAP) {}

const MessageMap& CDlgDefinePortableKeymap::GetThisMessageMap()
{
    static const MessageMap map(
        &CDlgDefineBase::GetThisMessageMap(),
        {
            mm::Command(IDC_PORTABLE_KEYPAD, BN_CLICKED, &CDlgDefinePortableKeymap::OnKeypad),
            mm::Command(IDC_PORTABLE_RESETKEYMAP, BN_CLICKED, &CDlgDefinePortableKeymap::OnResetKeymap),
        });
    return map;
}

void CDlgDefinePortableKeymap::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PORTABLE_USEMYKEYMAP, m_bUseMyKeymap);
}

// The keypad is the one of the model the document's terminal has now, not of a model chosen on the
// model page but not yet saved: the keymap being edited belongs to that terminal. A model the library
// has no keypad for opens nothing.
void CDlgDefinePortableKeymap::OnKeypad()
{
    CVTR5Doc* doc = m_pTerminal ? m_pTerminal->GetDocument() : nullptr;
    CTerminal* terminal = doc ? doc->m_pTerminal : nullptr;
    if (!terminal)
        return;
    std::unique_ptr<CDlgDefineKeypad> keypad(
        CreateKeypadDialog(terminal->m_strModel, KEYPAD_MODE_EDIT, m_Keymap, this));
    if (!keypad)
        return;
    if (keypad->DoModal() == IDOK)
    {
        m_bKeymapChanged = true;
        CopyKeymap(m_Keymap, keypad->m_pKeypad->m_keymap);
    }
}

void CDlgDefinePortableKeymap::OnResetKeymap()
{
    // Without a terminal there is no model to take the default from.
    if (!m_pTerminal)
        return;
    if (AfxMessageBox("Reset keymap to portable default?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_bKeymapChanged = true;
    ResetKeymap(m_pTerminal->m_strModel, m_Keymap);
}
