#include "job/CDlgDefineJobFlowchart.h"

#include <algorithm>

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobFlowchart> reg(IDD_JOB_FLOWCHART);

struct Spinner
{
    int nBar;
    int nEdit;
    long long nStep;
    long long nMin;
    long long nMax;
};

constexpr Spinner kSpinners[] = {
    {IDC_JOB_SPINNODEHEIGHT, IDC_JOB_NODEHEIGHT, 5, 25, 100},
    {IDC_JOB_SPINNODEWIDTH, IDC_JOB_NODEWIDTH, 10, 50, 200},
    {IDC_JOB_SPINPAGEHEIGHT, IDC_JOB_PAGEHEIGHT, 100, 800, 8000},
    {IDC_JOB_SPINPAGEWIDTH, IDC_JOB_PAGEWIDTH, 100, 1100, 11000},
};
} // namespace

CDlgDefineJobFlowchart::CDlgDefineJobFlowchart(CWnd* pParent) : CDlgDefineBase(IDD_JOB_FLOWCHART, pParent) {}

const MessageMap& CDlgDefineJobFlowchart::GetThisMessageMap()
{
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Scroll(WM_VSCROLL, &CDlgDefineJobFlowchart::OnVScroll),
                                });
    return map;
}

void CDlgDefineJobFlowchart::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_JOB_NODEHEIGHT, m_nNodeHeight);
    DDX_Text(pDX, IDC_JOB_NODEWIDTH, m_nNodeWidth);
    DDX_Text(pDX, IDC_JOB_PAGEHEIGHT, m_nPageHeight);
    DDX_Text(pDX, IDC_JOB_PAGEWIDTH, m_nPageWidth);
}

// Up adds a step and stops at the maximum, down takes one off and stops at the minimum. A value the host gave
// outside the range, or text that is not a number (read as 0), comes into the range with the first press either
// way: a press never leaves a value the page's OK would refuse or show it wrapped.
void CDlgDefineJobFlowchart::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    if (!pScrollBar || (nSBCode != SB_LINEUP && nSBCode != SB_LINEDOWN))
        return;
    int bar = pScrollBar->GetDlgCtrlID();
    const Spinner* s =
        std::find_if(std::begin(kSpinners), std::end(kSpinners), [bar](const Spinner& sp) { return sp.nBar == bar; });
    if (s == std::end(kSpinners))
        return;
    long long value = int(GetDlgItemInt(s->nEdit, nullptr, TRUE));
    value = nSBCode == SB_LINEUP ? value + s->nStep : value - s->nStep;
    value = std::clamp(value, s->nMin, s->nMax);
    SetDlgItemInt(s->nEdit, UINT(value), TRUE);
}
