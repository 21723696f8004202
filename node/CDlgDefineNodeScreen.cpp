#include "node/CDlgDefineNodeScreen.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
// The screen page takes the job's screen background, so it registers a factory of its own.
struct Registration
{
    Registration()
    {
        RegisterOptionPage(IDD_NODE_SCREEN, IDD_NODE_SCREEN, [](CVTR5Doc* doc) -> CDlgDefineBase* {
            return new CDlgDefineNodeScreen(doc ? doc->m_crScreenBackground : RGB(255, 255, 255));
        });
    }
} const reg;
} // namespace

CDlgDefineNodeScreen::CDlgDefineNodeScreen(COLORREF crBackground, CWnd* pParent)
    : CDlgDefineBase(IDD_NODE_SCREEN, pParent), m_screen(crBackground)
{
}

void CDlgDefineNodeScreen::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SCREEN_INFO, m_strScreenInfo);
    DDX_Check(pDX, IDC_SCREEN_NOCLEARONEXIT, m_bNoClearOnExit);
    DDX_Check(pDX, IDC_SCREEN_NOCLEARBEFORE, m_bNoClearBeforeDisplay);
    DDX_Check(pDX, IDC_SCREEN_HIDECURSOR, m_bHideCursor);
}

// The screen fills the room between the caption and the first option, to the page's right edge.
BOOL CDlgDefineNodeScreen::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    CRect client, caption, option;
    GetClientRect(&client);
    GetDlgItem(IDC_SCREEN_INFO)->GetWindowRect(&caption);
    ScreenToClient(&caption);
    GetDlgItem(IDC_SCREEN_NOCLEARBEFORE)->GetWindowRect(&option);
    ScreenToClient(&option);
    CRect room(caption.left, caption.bottom, client.right, option.top);
    return m_screen.Create(CSize(room.Width(), room.Height()), room, IDC_SCREEN_WINDOW, this) != 0;
}

void CDlgDefineNodeScreen::CloseOption(bool bClose)
{
    for (int id : {IDC_SCREEN_NOCLEARBEFORE, IDC_SCREEN_NOCLEARONEXIT, IDC_SCREEN_HIDECURSOR})
        if (CWnd* w = GetDlgItem(id))
            w->ShowWindow(bClose ? SW_HIDE : SW_SHOW);
}

void CDlgDefineNodeScreen::SetScreenSize(CSize size)
{
    m_strScreenInfo.Format("Screen: rows: %d, columns: %d", size.cy, size.cx);
    UpdateData(FALSE);
}
