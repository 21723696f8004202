#include "job/CDlgDefineFontChinese.h"

#include <algorithm>
#include <cstdlib>

#include "resources/resource.h"
#include "support/Support.h"

namespace
{

constexpr int kCell = 16;    // captured pixels each way
constexpr int kZoom = 2;     // each shown as 2 x 2
constexpr int kSampleAt = 5; // where the sample text starts in its area
constexpr int kNarrow = 12;  // columns of a 16 x 12 cell

// The same two characters, "font", in both Chinese encodings; two kanji and two kana in Shift-JIS.
const char kGB[] = "\xD7\xD6\x20\xCC\xE5, AaBbYyZz";
const char kBig5[] = "\xA6\x72\x20\xC5\xE9, AaBbYyZz";
const char kShiftJis[] = "\x95\xB6\x20\x8E\x9A\x20\x82\xA0\x20\x82\xA2, AaBbYyZz";
const char kLatin[] = "AaBbYyZz";

} // namespace

CDlgDefineFontChinese::CDlgDefineFontChinese(int nLanguage, BOOL, CWnd *pParent)
    : CFontDialog(nullptr, CF_SCREENFONTS | CF_ENABLETEMPLATE | CF_LIMITSIZE, nullptr, pParent), m_nLanguage(nLanguage)
{
    m_cf.lpTemplateName = MAKEINTRESOURCE(IDD_DBFONT);
    m_cf.nSizeMin = 5;
    m_cf.nSizeMax = 32;
}

const MessageMap &CDlgDefineFontChinese::GetThisMessageMap()
{
    using D = CDlgDefineFontChinese;
    static const MessageMap map(&CFontDialog::GetThisMessageMap(),
                                {
                                    mm::Paint(&D::OnPaint),
                                    mm::Scroll(WM_HSCROLL, &D::OnHScroll),
                                    mm::Scroll(WM_VSCROLL, &D::OnVScroll),
                                    mm::Command(IDC_DBFONT_GB, BN_CLICKED, &D::OnCodeChange),
                                    mm::Command(IDC_DBFONT_BIG5, BN_CLICKED, &D::OnCodeChange),
                                    mm::Command(cmb1, CBN_EDITCHANGE, &D::OnEditChangeCmb1),
                                    mm::Command(cmb2, CBN_EDITCHANGE, &D::OnEditChangeCmb1),
                                    mm::Command(cmb3, CBN_EDITCHANGE, &D::OnEditChangeCmb1),
                                });
    return map;
}

BOOL CDlgDefineFontChinese::OnInitDialog()
{
    CFontDialog::OnInitDialog();
    for (int id : {stc5, stc6})
        if (CWnd *w = GetDlgItem(id))
            w->ShowWindow(SW_HIDE);
    CheckDlgButton(IDC_DBFONT_GB, m_nCode == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_DBFONT_BIG5, m_nCode == 2 ? BST_CHECKED : BST_UNCHECKED);

    if (CComboBox *faces = Combo(cmb1))
    {
        if (faces->SelectString(0, m_strFace) == CB_ERR)
        {
            CString text;
            text.Format("Font [%s] not found", m_strFace.c_str());
            MessageBox(text, GetWindowText(), MB_OK | MB_ICONERROR);
            m_strFace.Empty();
            faces->SetCurSel(-1);
        }
        FillStyleList(); // the styles of the face now chosen
    }
    if (CComboBox *styles = Combo(cmb2))
        styles->SelectString(0, m_strStyle);
    if (CComboBox *sizes = Combo(cmb3))
        sizes->SelectString(0, m_strSize);

    // A stored shift outside the bars' range shows its bar at the nearest end, and stays what the host gave until
    // that bar is moved: an OK without scrolling hands back the offsets it was given.
    struct Bar
    {
        int id;
        int pos;
    };
    for (Bar bar : {Bar{IDC_DBFONT_HSCROLL, m_nOffsetX}, Bar{IDC_DBFONT_VSCROLL, m_nOffsetY}})
        if (auto *sb = static_cast<CScrollBar *>(GetDlgItem(bar.id)))
        {
            sb->SetScrollRange(-kOffsetLimit, kOffsetLimit);
            sb->SetScrollPos(std::clamp(bar.pos, -kOffsetLimit, kOffsetLimit));
        }

    if (m_nLanguage == 2)
    {
        SetWindowText("Select Japanese Font");
        for (int id : {IDC_DBFONT_CODEGROUP, IDC_DBFONT_GB, IDC_DBFONT_BIG5})
            if (CWnd *w = GetDlgItem(id))
                w->ShowWindow(SW_HIDE);
    }
    else
        SetWindowText("Select Chinese Font");
    if (!m_b16x16)
        SetDlgItemText(IDC_DBFONT_CELLFRAME, "16x12");
    return TRUE;
}

// What the boxes show is the choice, even when it was typed after the last paint.
void CDlgDefineFontChinese::OnOK()
{
    GetDlgItemText(cmb1, m_strFace);
    GetDlgItemText(cmb2, m_strStyle);
    GetDlgItemText(cmb3, m_strSize);
    CFontDialog::OnOK();
}

// The common dialog redraws its sample on every choice; here the whole painting follows it.
void CDlgDefineFontChinese::UpdateSample()
{
    InvalidateItemArea(IDC_DBFONT_SAMPLE);
}

// Typing does not repaint: a half-typed face or size is no font. A choice from a list does.
void CDlgDefineFontChinese::OnEditchangeFace()
{
}
void CDlgDefineFontChinese::OnEditChangeCmb1()
{
}

void CDlgDefineFontChinese::InvalidateItemArea(int id)
{
    CWnd *item = GetDlgItem(id);
    if (!item)
        return;
    CRect r;
    item->GetWindowRect(&r);
    ScreenToClient(&r);
    InvalidateRect(&r, FALSE);
}

void CDlgDefineFontChinese::OnPaint()
{
    CPaintDC dc(this);
    GetDlgItemText(cmb1, m_strFace);
    GetDlgItemText(cmb2, m_strStyle);
    GetDlgItemText(cmb3, m_strSize);
    if (m_strFace.IsEmpty() || m_strStyle.IsEmpty() || m_strSize.IsEmpty())
        return;
    CFont font;
    if (!CreateChineseFont(font, m_strFace, m_strStyle, std::atoi(m_strSize.c_str()), m_nLanguage == 2))
    {
        MessageBox("Create sample font failed!", GetWindowText(), MB_OK | MB_ICONERROR);
        return;
    }
    BYTE bits[2 * kCell];
    if (DrawSample(font, bits))
        DrawCell(bits);
}

bool CDlgDefineFontChinese::DrawSample(CFont &font, BYTE bits[32])
{
    CWnd *sample = GetDlgItem(IDC_DBFONT_SAMPLE);
    if (!sample)
        return false;
    sample->Invalidate();
    sample->UpdateWindow();

    const char *text = nullptr;
    BYTE charset = 0;
    if (m_nLanguage == 1 && IsDlgButtonChecked(IDC_DBFONT_GB) == BST_CHECKED)
        m_nCode = 1, text = kGB, charset = GB2312_CHARSET;
    else if (m_nLanguage == 1 && IsDlgButtonChecked(IDC_DBFONT_BIG5) == BST_CHECKED)
        m_nCode = 2, text = kBig5, charset = CHINESEBIG5_CHARSET;
    else if (m_nLanguage == 2)
        text = kShiftJis, charset = SHIFTJIS_CHARSET;
    else if (m_nLanguage != 1)
        text = kLatin, charset = ANSI_CHARSET;

    // The bytes are read in the code page of the font's character set: the same face, in the encoding shown.
    LOGFONT lf{};
    font.GetLogFont(&lf);
    lf.lfCharSet = charset;
    CFont shown;
    shown.CreateFontIndirect(&lf);

    CClientDC sdc(sample);
    CRect client;
    sample->GetClientRect(&client);
    sdc.IntersectClipRect(&client);
    sdc.FillSolidRect(&client, RGB(255, 255, 255));
    CFont *old = sdc.SelectObject(&shown);
    sdc.SetTextColor(RGB(0, 0, 0));
    sdc.SetBkColor(RGB(255, 255, 255));
    if (text)
        sdc.TextOut(kSampleAt, kSampleAt, text, int(std::char_traits<char>::length(text)));
    sdc.SelectObject(old);

    // One bit a pixel: the sample's background reads as 1, anything drawn as 0.
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap capture;
    capture.CreateCompatibleBitmap(&mem, kCell, kCell);
    CBitmap *oldBitmap = mem.SelectObject(&capture);
    mem.BitBlt(0, 0, kCell, kCell, &sdc, kSampleAt, kSampleAt, SRCCOPY);
    mem.SelectObject(oldBitmap);
    bool ok = capture.GetBitmapBits(2 * kCell, bits) == 2 * kCell;
    mem.DeleteDC();
    return ok;
}

void CDlgDefineFontChinese::DrawCell(const BYTE bits[32])
{
    CWnd *cell = GetDlgItem(IDC_DBFONT_CELL);
    if (!cell)
        return;
    cell->Invalidate();
    cell->UpdateWindow();

    CClientDC cdc(cell);
    CRect r;
    cell->GetClientRect(&r);
    CRect box(r.left + (r.Width() - kCell * kZoom) / 2, r.top + (r.Height() - kCell * kZoom) / 2, 0, 0);
    box.right = box.left + (m_b16x16 ? kCell : kNarrow) * kZoom;
    box.bottom = box.top + kCell * kZoom;
    cdc.FillSolidRect(&r, RGB(255, 255, 255));
    CBrush black(RGB(0, 0, 0));
    CRect frame = box;
    frame.InflateRect(2, 2);
    cdc.FrameRect(&frame, &black);
    CRgn clip;
    clip.CreateRectRgnIndirect(&box);
    cdc.SelectClipRgn(&clip);

    // A shift of more than a cell puts the whole glyph outside the box, however far: the same picture, and no
    // overflow for a shift the host gave near the integer's limits.
    auto shift = [](int offset) { return kZoom * std::clamp(offset, -(kCell + 1), kCell + 1); };
    int x0 = box.left + shift(m_nOffsetX), y0 = box.top + shift(m_nOffsetY);
    for (int row = 0; row < kCell; ++row)
        for (int col = 0; col < kCell; ++col)
        {
            if ((bits[2 * row + col / 8] >> (7 - col % 8)) & 1)
                continue;
            int x = x0 + kZoom * col, y = y0 + kZoom * row;
            cdc.SetPixel(x, y, RGB(0, 0, 0));
            cdc.SetPixel(x + 1, y, RGB(0, 0, 0));
            cdc.SetPixel(x, y + 1, RGB(0, 0, 0));
            cdc.SetPixel(x + 1, y + 1, RGB(0, 0, 0));
        }
    cdc.SelectClipRgn(nullptr);
}

void CDlgDefineFontChinese::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar *pScrollBar)
{
    OnScroll(nSBCode, nPos, pScrollBar);
}
void CDlgDefineFontChinese::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar *pScrollBar)
{
    OnScroll(nSBCode, nPos, pScrollBar);
}

void CDlgDefineFontChinese::OnScroll(UINT nSBCode, UINT nPos, CScrollBar *pScrollBar)
{
    if (!pScrollBar)
        return;
    int id = pScrollBar->GetDlgCtrlID();
    int *offset = id == IDC_DBFONT_HSCROLL ? &m_nOffsetX : id == IDC_DBFONT_VSCROLL ? &m_nOffsetY : nullptr;
    if (!offset)
        return;
    int pos = pScrollBar->GetScrollPos();
    switch (nSBCode)
    {
    case SB_LINEUP:
    case SB_PAGEUP:
        pos -= 1;
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
        pos += 1;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        pos = short(WORD(nPos));
        break; // the message carries 16 bits with their sign
    default:
        return;
    }
    if (pos < -kOffsetLimit || pos > kOffsetLimit)
        return;
    *offset = pos;
    pScrollBar->SetScrollPos(pos);
    InvalidateItemArea(IDC_DBFONT_CELL);
}

void CDlgDefineFontChinese::OnCodeChange()
{
    InvalidateItemArea(IDC_DBFONT_SAMPLE);
}
