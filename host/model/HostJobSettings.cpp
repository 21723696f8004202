// What the document writes into the job dialog's general pages and reads back from them.
#include "host/model/HostJobSettings.h"
#include "host/model/DialogPages.h"

#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "host/model/JobOptions.h"
#include "job/CDlgDefineJob.h"
#include "job/CDlgDefineJobBasic.h"
#include "job/CDlgDefineJobColor.h"
#include "job/CDlgDefineJobFlowchart.h"
#include "job/CDlgDefineJobMakeJob.h"
#include "job/CDlgDefineJobPortable.h"
#include "job/CDlgDefineJobSimulateJob.h"

namespace
{

using C = CDlgDefineJobColor;

// The pickers in the order of JobColour, and the node kind each stands for (0: not a kind).
struct ColourPicker
{
    CColourPicker C::*picker;
    int nKind;
};
constexpr ColourPicker kPickers[JC_COUNT] = {
    {&C::m_btnComment, NODE_COMMENT},
    {&C::m_btnMenu, NODE_SCREEN},
    {&C::m_btnCollect, NODE_INPUT},
    {&C::m_btnMath, NODE_COUNT},
    {&C::m_btnEdit, NODE_EDIT},
    {&C::m_btnErase, NODE_ERASE},
    {&C::m_btnUpload, NODE_UPLOAD},
    {&C::m_btnProgram, NODE_PROGRAM},
    {&C::m_btnRunJob, NODE_RUNJOB},
    {&C::m_btnLink, 0},
    {&C::m_btnNodeText, 0},
    {&C::m_btnStartNode, 0},
    {&C::m_btnSelNode, 0},
    {&C::m_btnSelLink, 0},
    {&C::m_btnExcluded, 0},
    {&C::m_btnScreen, 0},
};

using M = CDlgDefineJobMakeJob;
using S = JobSettings;
constexpr std::pair<BOOL M::*, BOOL S::*> kMakeJob[] = {
    {&M::m_bSkipSearchTable, &S::bSkipSearchTable},   {&M::m_bSkipFont, &S::bSkipFont},
    {&M::m_bNoLookupDownload, &S::bNoLookupDownload}, {&M::m_bSkipJobNameFile, &S::bSkipJobNameFile},
    {&M::m_bNoAutoDownload, &S::bNoAutoDownload},     {&M::m_bFastSpeed, &S::bFastSpeed},
    {&M::m_bVersion4Job, &S::bVersion4Job},
};

// The entry whose text is the address, compared exactly ("a" is not an address); -1 for none.
int AddressEntry(CComboBox& list, char address)
{
    const char text[2] = {address, 0};
    CString entry;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        list.GetLBText(i, entry);
        if (entry == text)
            return i;
    }
    return -1;
}

} // namespace

COLORREF DefaultJobColour(int which)
{
    if (which < 0 || which >= JC_COUNT)
        return RGB(0, 0, 0);
    if (int kind = kPickers[which].nKind)
        return HostNode::KindColour(kind);
    switch (which)
    {
    case JC_LINK: return GetSysColor(COLOR_WINDOWTEXT);
    case JC_NODETEXT: return GetSysColor(COLOR_BTNTEXT);
    case JC_STARTNODE: return RGB(255, 192, 203);
    case JC_SELNODE: return GetSysColor(COLOR_HIGHLIGHT);
    case JC_SELLINK: return RGB(255, 0, 0);
    default: return RGB(192, 192, 192); // excluded nodes, screens
    }
}

JobSettings::JobSettings()
{
    for (int i = 0; i < JC_COUNT; ++i)
        crColours[i] = DefaultJobColour(i);
}

BOOL JobDocument::InitialDlgData(CDlgDefineJob* dlg)
{
    if (!dlg)
        return FALSE;
    JobSettings& s = m_settings;
    if (auto* basic = DialogPage<CDlgDefineJobBasic>(dlg, JobOptions::JOB_BASIC))
    {
        basic->m_bNoEscTerminate = s.bNoEscTerminate;
        basic->m_bJobEngineLog = s.bJobEngineLog;
    }
    // An address that is not in the list selects no entry, and is kept unless the user picks one.
    if (auto* portable = DialogPage<CDlgDefineJobPortable>(dlg, JobOptions::JOB_PORTABLE))
        portable->m_cbAddress.SetCurSel(AddressEntry(portable->m_cbAddress, s.chAddress));
    if (auto* flowchart = DialogPage<CDlgDefineJobFlowchart>(dlg, JobOptions::JOB_FLOWCHART))
    {
        flowchart->m_nNodeHeight = s.nNodeHeight;
        flowchart->m_nNodeWidth = s.nNodeWidth;
        flowchart->m_nPageHeight = s.nPageHeight;
        flowchart->m_nPageWidth = s.nPageWidth;
    }
    if (auto* colour = DialogPage<CDlgDefineJobColor>(dlg, JobOptions::JOB_COLOR))
    {
        s.crColours[JC_SCREEN] = m_crScreenBackground;
        for (int i = 0; i < JC_COUNT; ++i)
        {
            (colour->*kPickers[i].picker).SetDefaultColour(DefaultJobColour(i));
            (colour->*kPickers[i].picker).SetColour(s.crColours[i]);
        }
    }
    if (auto* make = DialogPage<CDlgDefineJobMakeJob>(dlg, JobOptions::JOB_MAKEJOB))
        for (const auto& [page, field] : kMakeJob)
            make->*page = s.*field;
    if (auto* simulate = DialogPage<CDlgDefineJobSimulateJob>(dlg, JobOptions::JOB_SIMULATE))
        simulate->m_bLargeWindow = s.bLargeWindow;
    InitialJobLanguagePages(dlg, m_nLanguage, m_language);
    return TRUE;
}

BOOL JobDocument::SaveDlgData(CDlgDefineJob* dlg)
{
    if (!dlg)
        return FALSE;
    JobSettings& s = m_settings;
    if (auto* basic = DialogPage<CDlgDefineJobBasic>(dlg, JobOptions::JOB_BASIC))
    {
        s.bNoEscTerminate = basic->m_bNoEscTerminate;
        s.bJobEngineLog = basic->m_bJobEngineLog;
    }
    if (auto* portable = DialogPage<CDlgDefineJobPortable>(dlg, JobOptions::JOB_PORTABLE))
    {
        CString address;
        if (int sel = portable->m_cbAddress.GetCurSel(); sel >= 0)
            portable->m_cbAddress.GetLBText(sel, address);
        if (address.GetLength() == 1)
            s.chAddress = address[0];
    }
    if (auto* flowchart = DialogPage<CDlgDefineJobFlowchart>(dlg, JobOptions::JOB_FLOWCHART))
    {
        s.nNodeHeight = flowchart->m_nNodeHeight;
        s.nNodeWidth = flowchart->m_nNodeWidth;
        s.nPageHeight = flowchart->m_nPageHeight;
        s.nPageWidth = flowchart->m_nPageWidth;
    }
    // A node kind's "Default" is read as that kind's colour, so the flowchart always has a colour to draw.
    if (auto* colour = DialogPage<CDlgDefineJobColor>(dlg, JobOptions::JOB_COLOR))
    {
        for (int i = 0; i < JC_COUNT; ++i)
        {
            COLORREF c = (colour->*kPickers[i].picker).GetColour();
            s.crColours[i] = c == CLR_DEFAULT ? DefaultJobColour(i) : c;
        }
        m_crScreenBackground = s.crColours[JC_SCREEN];
    }
    if (auto* make = DialogPage<CDlgDefineJobMakeJob>(dlg, JobOptions::JOB_MAKEJOB))
        for (const auto& [page, field] : kMakeJob)
            s.*field = make->*page;
    if (auto* simulate = DialogPage<CDlgDefineJobSimulateJob>(dlg, JobOptions::JOB_SIMULATE))
        s.bLargeWindow = simulate->m_bLargeWindow;
    SaveJobLanguagePages(dlg, m_nLanguage, m_language);
    return TRUE;
}
