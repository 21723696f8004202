// The job's language settings in the reference host's document: the double-byte terminal font, the five
// flowchart fonts and the prompts that replace the terminal's standard ones. The language code itself is the
// document's m_nLanguage, which the screens read too.
#pragma once

#include "platform/afxstr.h"
#include "platform/afxtypes.h"

class CDlgDefineJob;

struct FlowchartFont
{
    CString strFace;
    int nSize = 0; // points
};

enum FlowchartFontKind : int
{
    FF_INDEX,
    FF_NODENAME,
    FF_PROGRAM,
    FF_SCREEN,
    FF_COMMENT,
    FF_COUNT
};

struct JobLanguageSettings
{
    JobLanguageSettings();

    // The double-byte font: shared with a font file, or made from a PC font.
    CString strFontFile;
    BOOL bShareFont = FALSE;
    CString strDBFontFace = "WenQuanYi Micro Hei";
    CString strDBFontStyle = "Regular";
    int nDBFontSize = 12;
    int nDBFontCode = 1; // 1 GB, 2 Big5
    int nDBFontOffsetX = 0;
    int nDBFontOffsetY = 0;

    FlowchartFont fonts[FF_COUNT];

    // Prompts; empty keeps the terminal's standard one.
    CString strConfirmExit, strDone, strAbort, strWriteRecordError, strWriteFileError, strReadFileError,
        strOpenFileError, strFileNotFound;
    CString strEraseAll, strEraseLast;
    CString strBrowse, strData, strEdit, strFound, strModifyField, strNoData, strNotFound, strSearch, strSearchNext,
        strWait;
    CString strNoRecord, strSendData, strTotal;
};

// Fill the language, font and prompt pages the dialog has, and read them back.
void InitialJobLanguagePages(CDlgDefineJob *dlg, int nLanguage, const JobLanguageSettings &s);
void SaveJobLanguagePages(CDlgDefineJob *dlg, int &nLanguage, JobLanguageSettings &s);
