// What the document writes into the job dialog's language, flowchart font and prompt pages and reads back.
#include "host/model/HostJobLanguage.h"
#include "host/model/DialogPages.h"

#include <utility>

#include "host/model/JobOptions.h"
#include "job/CDlgDefineJob.h"
#include "job/CDlgDefineJobFont.h"
#include "job/CDlgDefineJobLanguage.h"
#include "job/CDlgDefineJobPromptEdit.h"
#include "job/CDlgDefineJobPromptErase.h"
#include "job/CDlgDefineJobPromptMain.h"
#include "job/CDlgDefineJobPromptUpload.h"

namespace
{

using S = JobLanguageSettings;
using Font = CDlgDefineJobFont;

struct FontRow
{
    CString Font::*pFace;
    int Font::*pSize;
};
constexpr FontRow kFonts[FF_COUNT] = {
    {&Font::m_strIndexFont, &Font::m_nIndexFontSize},     {&Font::m_strNodeNameFont, &Font::m_nNodeNameFontSize},
    {&Font::m_strProgramFont, &Font::m_nProgramFontSize}, {&Font::m_strScreenFont, &Font::m_nScreenFontSize},
    {&Font::m_strCommentFont, &Font::m_nCommentFontSize},
};

template <class Page> using Prompt = std::pair<CString Page::*, CString S::*>;

using PMain = CDlgDefineJobPromptMain;
constexpr Prompt<PMain> kMain[] = {
    {&PMain::m_strConfirmExit, &S::strConfirmExit},
    {&PMain::m_strDone, &S::strDone},
    {&PMain::m_strAbort, &S::strAbort},
    {&PMain::m_strWriteRecordError, &S::strWriteRecordError},
    {&PMain::m_strWriteFileError, &S::strWriteFileError},
    {&PMain::m_strReadFileError, &S::strReadFileError},
    {&PMain::m_strOpenFileError, &S::strOpenFileError},
    {&PMain::m_strFileNotFound, &S::strFileNotFound},
};
using PErase = CDlgDefineJobPromptErase;
constexpr Prompt<PErase> kErase[] = {
    {&PErase::m_strEraseAll, &S::strEraseAll},
    {&PErase::m_strEraseLast, &S::strEraseLast},
};
using PEdit = CDlgDefineJobPromptEdit;
constexpr Prompt<PEdit> kEdit[] = {
    {&PEdit::m_strBrowse, &S::strBrowse},
    {&PEdit::m_strData, &S::strData},
    {&PEdit::m_strEdit, &S::strEdit},
    {&PEdit::m_strFound, &S::strFound},
    {&PEdit::m_strModifyField, &S::strModifyField},
    {&PEdit::m_strNoData, &S::strNoData},
    {&PEdit::m_strNotFound, &S::strNotFound},
    {&PEdit::m_strSearch, &S::strSearch},
    {&PEdit::m_strSearchNext, &S::strSearchNext},
    {&PEdit::m_strWait, &S::strWait},
};
using PUpload = CDlgDefineJobPromptUpload;
constexpr Prompt<PUpload> kUpload[] = {
    {&PUpload::m_strNoRecord, &S::strNoRecord},
    {&PUpload::m_strSendData, &S::strSendData},
    {&PUpload::m_strTotal, &S::strTotal},
};

template <class Page, size_t N> void FillPrompts(CDlgDefineJob *dlg, int id, const Prompt<Page> (&table)[N], const S &s)
{
    if (auto *page = DialogPage<Page>(dlg, id))
        for (const auto &[member, field] : table)
            page->*member = s.*field;
}
template <class Page, size_t N> void ReadPrompts(CDlgDefineJob *dlg, int id, const Prompt<Page> (&table)[N], S &s)
{
    if (auto *page = DialogPage<Page>(dlg, id))
        for (const auto &[member, field] : table)
            s.*field = page->*member;
}

} // namespace

JobLanguageSettings::JobLanguageSettings()
{
    const std::pair<const char *, int> defaults[FF_COUNT] = {
        {"DejaVu Sans", 8}, {"DejaVu Sans", 9}, {"DejaVu Sans Mono", 9}, {"DejaVu Sans Mono", 10}, {"DejaVu Sans", 9},
    };
    for (int i = 0; i < FF_COUNT; ++i)
        fonts[i] = FlowchartFont{defaults[i].first, defaults[i].second};
}

void InitialJobLanguagePages(CDlgDefineJob *dlg, int nLanguage, const JobLanguageSettings &s)
{
    if (auto *page = DialogPage<CDlgDefineJobLanguage>(dlg, JobOptions::JOB_LANGUAGE))
    {
        page->m_nLanguage = nLanguage;
        page->m_strFontFile = s.strFontFile;
        page->m_bShareFont = s.bShareFont;
        page->m_strDBFontFace = s.strDBFontFace;
        page->m_strDBFontStyle = s.strDBFontStyle;
        page->m_nDBFontSize = s.nDBFontSize;
        page->m_nDBFontCode = s.nDBFontCode;
        page->m_nDBFontOffsetX = s.nDBFontOffsetX;
        page->m_nDBFontOffsetY = s.nDBFontOffsetY;
    }
    if (auto *page = DialogPage<CDlgDefineJobFont>(dlg, JobOptions::JOB_FONT))
        for (int i = 0; i < FF_COUNT; ++i)
        {
            page->*kFonts[i].pFace = s.fonts[i].strFace;
            page->*kFonts[i].pSize = s.fonts[i].nSize;
        }
    FillPrompts(dlg, JobOptions::JOB_PROMPT, kMain, s);
    FillPrompts(dlg, JobOptions::JOB_PROMPT_ERASE, kErase, s);
    FillPrompts(dlg, JobOptions::JOB_PROMPT_EDIT, kEdit, s);
    FillPrompts(dlg, JobOptions::JOB_PROMPT_UPLOAD, kUpload, s);
}

void SaveJobLanguagePages(CDlgDefineJob *dlg, int &nLanguage, JobLanguageSettings &s)
{
    if (auto *page = DialogPage<CDlgDefineJobLanguage>(dlg, JobOptions::JOB_LANGUAGE))
    {
        nLanguage = page->m_nLanguage;
        s.strFontFile = page->m_strFontFile;
        s.bShareFont = page->m_bShareFont;
        s.strDBFontFace = page->m_strDBFontFace;
        s.strDBFontStyle = page->m_strDBFontStyle;
        s.nDBFontSize = page->m_nDBFontSize;
        s.nDBFontCode = page->m_nDBFontCode;
        s.nDBFontOffsetX = page->m_nDBFontOffsetX;
        s.nDBFontOffsetY = page->m_nDBFontOffsetY;
    }
    // A size that is not a point size (a damaged entry typed nowhere, since the edits are read-only) keeps the old.
    if (auto *page = DialogPage<CDlgDefineJobFont>(dlg, JobOptions::JOB_FONT))
        for (int i = 0; i < FF_COUNT; ++i)
        {
            if (!(page->*kFonts[i].pFace).IsEmpty())
                s.fonts[i].strFace = page->*kFonts[i].pFace;
            if (page->*kFonts[i].pSize > 0)
                s.fonts[i].nSize = page->*kFonts[i].pSize;
        }
    ReadPrompts(dlg, JobOptions::JOB_PROMPT, kMain, s);
    ReadPrompts(dlg, JobOptions::JOB_PROMPT_ERASE, kErase, s);
    ReadPrompts(dlg, JobOptions::JOB_PROMPT_EDIT, kEdit, s);
    ReadPrompts(dlg, JobOptions::JOB_PROMPT_UPLOAD, kUpload, s);
}
