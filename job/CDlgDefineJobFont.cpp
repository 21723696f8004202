#include "job/CDlgDefineJobFont.h"

#include <cstring>

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "platform/afxdlgs.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobFont> reg(IDD_JOB_FONT);
}

CDlgDefineJobFont::CDlgDefineJobFont(CWnd *pParent) : CDlgDefineBase(IDD_JOB_FONT, pParent)
{
}

const MessageMap &CDlgDefineJobFont::GetThisMessageMap()
{
    using F = CDlgDefineJobFont;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_FONT_INDEXDEFINE, BN_CLICKED, &F::OnFontdefine1),
                                    mm::Command(IDC_FONT_NODENAMEDEFINE, BN_CLICKED, &F::OnFontdefine2),
                                    mm::Command(IDC_FONT_PROGRAMDEFINE, BN_CLICKED, &F::OnFontdefine3),
                                    mm::Command(IDC_FONT_SCREENDEFINE, BN_CLICKED, &F::OnFontdefine4),
                                    mm::Command(IDC_FONT_COMMENTDEFINE, BN_CLICKED, &F::OnFontdefine5),
                                });
    return map;
}

void CDlgDefineJobFont::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FONT_INDEXFACE, m_strIndexFont);
    DDX_Text(pDX, IDC_FONT_NODENAMEFACE, m_strNodeNameFont);
    DDX_Text(pDX, IDC_FONT_PROGRAMFACE, m_strProgramFont);
    DDX_Text(pDX, IDC_FONT_SCREENFACE, m_strScreenFont);
    DDX_Text(pDX, IDC_FONT_COMMENTFACE, m_strCommentFont);
    DDX_Text(pDX, IDC_FONT_INDEXSIZE, m_nIndexFontSize);
    DDX_Text(pDX, IDC_FONT_NODENAMESIZE, m_nNodeNameFontSize);
    DDX_Text(pDX, IDC_FONT_PROGRAMSIZE, m_nProgramFontSize);
    DDX_Text(pDX, IDC_FONT_SCREENSIZE, m_nScreenFontSize);
    DDX_Text(pDX, IDC_FONT_COMMENTSIZE, m_nCommentFontSize);
}

void CDlgDefineJobFont::OnFontdefine1()
{
    OnDefineFont(IDC_FONT_INDEXFACE, IDC_FONT_INDEXSIZE);
}
void CDlgDefineJobFont::OnFontdefine2()
{
    OnDefineFont(IDC_FONT_NODENAMEFACE, IDC_FONT_NODENAMESIZE);
}
void CDlgDefineJobFont::OnFontdefine3()
{
    OnDefineFont(IDC_FONT_PROGRAMFACE, IDC_FONT_PROGRAMSIZE);
}
void CDlgDefineJobFont::OnFontdefine4()
{
    OnDefineFont(IDC_FONT_SCREENFACE, IDC_FONT_SCREENSIZE);
}
void CDlgDefineJobFont::OnFontdefine5()
{
    OnDefineFont(IDC_FONT_COMMENTFACE, IDC_FONT_COMMENTSIZE);
}

void CDlgDefineJobFont::OnDefineFont(int nFaceID, int nSizeID)
{
    CString face;
    GetDlgItemText(nFaceID, face);
    int size = int(GetDlgItemInt(nSizeID, nullptr, TRUE)); // not a number: 0
    if (!DefineFont(face, size))
        return;
    SetDlgItemText(nFaceID, face);
    SetDlgItemInt(nSizeID, UINT(size), TRUE);
}

// Sizes are points; the font dialog works in pixels of this screen, negative for the character height.
bool CDlgDefineJobFont::DefineFont(CString &strFace, int &nSize)
{
    CClientDC dc(this);
    int resolution = dc.GetDeviceCaps(LOGPIXELSY);
    if (resolution <= 0)
        resolution = 96;
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -MulDiv(nSize, resolution, 72);
    std::strncpy(lf.lfFaceName, strFace.c_str(), LF_FACESIZE - 1); // a longer name is cut, never overrun
    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS, nullptr, nullptr);
    if (dlg.DoModal() != IDOK)
        return false;
    nSize = -MulDiv(dlg.m_lf.lfHeight, 72, resolution);
    strFace = CString(dlg.m_lf.lfFaceName, int(strnlen(dlg.m_lf.lfFaceName, LF_FACESIZE)));
    return true;
}
