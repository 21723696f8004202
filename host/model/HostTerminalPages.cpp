// What the terminal writes into the portable dialog's pages and reads back from them.
#include "host/model/HostTerminal.h"
#include "host/model/DialogPages.h"

#include "host/model/JobOptions.h"
#include "portable/CDlgDefinePortable.h"
#include "portable/CDlgDefinePortableKeymap.h"
#include "portable/CDlgDefinePortableModel.h"
#include "portable/CDlgDefinePortableSetting.h"
#include "simulation/Keymap.h"

namespace
{

// A radio group: the member of each button and the terminal value it stands for.
template <class Page> struct Choice
{
    int Page::*member;
    int value;
};

struct ModelChoice
{
    int CDlgDefinePortableModel::*member;
    const char* pszModel;
};

// The models the page offers. M-20 and M-20X terminals show no chosen button and keep their model.
constexpr ModelChoice kModels[] = {
    {&CDlgDefinePortableModel::m_nModelM10, "M-10"},   {&CDlgDefinePortableModel::m_nModelM13, "M-13"},
    {&CDlgDefinePortableModel::m_nModelN13, "N-13"},   {&CDlgDefinePortableModel::m_nModelR50, "R-50"},
    {&CDlgDefinePortableModel::m_nModelR50G, "R-50G"},
};

using S = CDlgDefinePortableSetting;
constexpr Choice<S> kFonts[] = {{&S::m_nSmallFont, SCREEN_FONT_SMALL}, {&S::m_nLargeFont, SCREEN_FONT_LARGE}};
constexpr Choice<S> kScanners[] = {{&S::m_nScannerAuto, SCANNER_AUTO}, {&S::m_nScannerPen, SCANNER_PEN}};
constexpr Choice<S> kBuzzers[] = {{&S::m_nBuzzerHigh, BUZZER_HIGH},
                                  {&S::m_nBuzzerMedium, BUZZER_MEDIUM},
                                  {&S::m_nBuzzerLow, BUZZER_LOW},
                                  {&S::m_nBuzzerOff, BUZZER_OFF}};

template <class Page, size_t N> void Show(Page& page, const Choice<Page> (&group)[N], int value)
{
    for (const Choice<Page>& c : group)
        page.*c.member = c.value == value ? 1 : 0;
}

// The chosen button's value; a group without a chosen button keeps what the terminal had.
template <class Page, size_t N> void Read(const Page& page, const Choice<Page> (&group)[N], int& value)
{
    for (const Choice<Page>& c : group)
        if (page.*c.member == 1)
        {
            value = c.value;
            return;
        }
}

} // namespace

BOOL HostTerminal::InitialDlgData(CDlgDefinePortable* dlg)
{
    if (!dlg)
        return FALSE;
    if (auto* model = DialogPage<CDlgDefinePortableModel>(dlg, JobOptions::PORTABLE_MODEL))
        for (const ModelChoice& m : kModels)
            model->*m.member = m_strModel == m.pszModel ? 1 : 0;
    if (auto* setting = DialogPage<CDlgDefinePortableSetting>(dlg, JobOptions::PORTABLE_SETTING))
    {
        Show(*setting, kFonts, m_nFontSize);
        Show(*setting, kScanners, m_nScannerType);
        Show(*setting, kBuzzers, m_nBuzzerVolume);
    }
    if (auto* keymap = DialogPage<CDlgDefinePortableKeymap>(dlg, JobOptions::PORTABLE_KEYMAP))
    {
        keymap->m_bUseMyKeymap = m_bUseMyKeymap;
        CopyKeymap(keymap->m_Keymap, m_keymap);
    }
    return TRUE;
}

// A new model gets its own default keymap: key identifiers differ between the models' keypads, so the
// old keymap (even one edited in this dialog, on the old model's keypad) would not fit the new one.
// This is the loss the model page warns of. The use flag stays as the user left it.
BOOL HostTerminal::SaveDlgData(CDlgDefinePortable* dlg)
{
    if (!dlg)
        return FALSE;
    CString model = m_strModel;
    if (auto* page = DialogPage<CDlgDefinePortableModel>(dlg, JobOptions::PORTABLE_MODEL))
        for (const ModelChoice& m : kModels)
            if (page->*m.member == 1)
                model = m.pszModel;
    if (auto* setting = DialogPage<CDlgDefinePortableSetting>(dlg, JobOptions::PORTABLE_SETTING))
    {
        Read(*setting, kFonts, m_nFontSize);
        Read(*setting, kScanners, m_nScannerType);
        Read(*setting, kBuzzers, m_nBuzzerVolume);
    }
    auto* keymap = DialogPage<CDlgDefinePortableKeymap>(dlg, JobOptions::PORTABLE_KEYMAP);
    if (keymap)
        m_bUseMyKeymap = keymap->m_bUseMyKeymap;
    if (model != m_strModel)
    {
        m_strModel = model;
        ResetKeymap(m_strModel, m_keymap);
    }
    else if (keymap && keymap->m_bKeymapChanged)
        CopyKeymap(m_keymap, keymap->m_Keymap);
    return TRUE;
}

void HostTerminal::GetKeymapInUse(KEYMAP_KEY* pKeymap)
{
    if (m_bUseMyKeymap)
        CopyKeymap(pKeymap, m_keymap);
    else
        ResetKeymap(m_strModel, pKeymap);
}
