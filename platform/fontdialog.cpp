// The font-selection dialog: ChooseFont's behaviour on a template of the resource chain, with the installed
// families of the toolkit's font database.
#include "platform/afxdlgs.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/afxdd.h"
#include "platform/gdi_p.h"
#include "platform/window_p.h"

namespace
{

constexpr int kScreenDpi = 96;
constexpr int kDefaultTenths = 100; // without an initial font

constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

struct NamedColour
{
    COLORREF colour;
    const char* name;
};
// The sixteen colours of the Windows font dialog, in its order.
constexpr NamedColour kColours[] = {
    {RGB(0, 0, 0), "Black"},        {RGB(128, 0, 0), "Maroon"},    {RGB(0, 128, 0), "Green"},
    {RGB(128, 128, 0), "Olive"},    {RGB(0, 0, 128), "Navy"},      {RGB(128, 0, 128), "Purple"},
    {RGB(0, 128, 128), "Teal"},     {RGB(128, 128, 128), "Gray"},  {RGB(192, 192, 192), "Silver"},
    {RGB(255, 0, 0), "Red"},        {RGB(0, 255, 0), "Lime"},      {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 0, 255), "Blue"},       {RGB(255, 0, 255), "Fuchsia"}, {RGB(0, 255, 255), "Aqua"},
    {RGB(255, 255, 255), "White"},
};

const char* const kRegular = "Regular";
const char* const kItalic = "Italic";
const char* const kBold = "Bold";
const char* const kBoldItalic = "Bold Italic";

CString FaceOf(const LOGFONT& lf) { return CString(lf.lfFaceName, int(strnlen(lf.lfFaceName, LF_FACESIZE))); }

bool Contains(CString text, const char* word)
{
    text.MakeLower();
    return text.Find(word) >= 0;
}

CString StyleName(bool bold, bool italic)
{
    return bold ? (italic ? kBoldItalic : kBold) : (italic ? kItalic : kRegular);
}

// "10", "10.5": whole or tenths of a point.
CString FormatSize(int tenths)
{
    CString s;
    if (tenths % 10 == 0)
        s.Format("%d", tenths / 10);
    else
        s.Format("%d.%d", tenths / 10, tenths % 10);
    return s;
}

// A positive number of points with at most one decimal that counts; 0 when the text is not one.
int ParseSize(CString text)
{
    text.Trim();
    if (text.IsEmpty())
        return 0;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (!end || *end || !std::isfinite(v) || v <= 0 || v > 1638)
        return 0;
    return int(std::lround(v * 10));
}

// The pixel height of the initial font, in whole points as the size box shows them.
int TenthsFromLogFont(const LOGFONT& lf)
{
    if (lf.lfHeight == 0)
        return kDefaultTenths;
    int px = lf.lfHeight < 0 ? -lf.lfHeight : pdt::gdi::ToQFont(lf).pixelSize();
    return std::max(1, MulDiv(px, 72, kScreenDpi)) * 10;
}

QWidget* PeerOf(const CWnd* wnd) { return wnd && IsWindow(wnd->m_hWnd) ? pdt::win::Peer(wnd->m_hWnd) : nullptr; }

} // namespace

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC*, CWnd* pParentWnd)
    : CDialog(IDD_FONTDIALOG, pParentWnd)
{
    std::memset(&m_cf, 0, sizeof(m_cf));
    std::memset(&m_lf, 0, sizeof(m_lf));
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpszStyle = m_szStyleName;
    m_cf.Flags = dwFlags;
    if (lplfInitial)
    {
        m_cf.lpLogFont = lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
        m_lf = *lplfInitial;
    }
    else
        m_cf.lpLogFont = &m_lf;
}

CFontDialog::~CFontDialog()
{
    // The sample holds our font: the window goes first.
    if (IsWindow(m_hWnd) && m_hWnd->wnd == this)
        DestroyWindow();
}

const MessageMap& CFontDialog::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(),
                                {
                                    mm::Command(cmb1, CBN_SELCHANGE, &CFontDialog::OnSelchangeFace),
                                    mm::Command(cmb1, CBN_EDITCHANGE, &CFontDialog::OnEditchangeFace),
                                    mm::Command(cmb2, CBN_SELCHANGE, &CFontDialog::OnSelchangeStyle),
                                    mm::Command(cmb2, CBN_EDITCHANGE, &CFontDialog::OnSelchangeStyle),
                                    mm::Command(cmb3, CBN_SELCHANGE, &CFontDialog::OnSelchangeSize),
                                    mm::Command(cmb3, CBN_EDITCHANGE, &CFontDialog::OnSelchangeSize),
                                    mm::Command(chx1, BN_CLICKED, &CFontDialog::OnEffectsChanged),
                                    mm::Command(chx2, BN_CLICKED, &CFontDialog::OnEffectsChanged),
                                    mm::Command(cmb4, CBN_SELCHANGE, &CFontDialog::OnEffectsChanged),
                                });
    return map;
}

INT_PTR CFontDialog::DoModal()
{
    UINT id = IDD_FONTDIALOG;
    if ((m_cf.Flags & CF_ENABLETEMPLATE) && m_cf.lpTemplateName)
    {
        LPCTSTR name = m_cf.lpTemplateName;
        if (IS_INTRESOURCE(name))
            id = UINT(reinterpret_cast<uintptr_t>(name));
        else if (name[0] == '#')
            id = UINT(std::atoi(name + 1));
        else
            id = 0; // templates are found by number only
    }
    m_nIDTemplate = id;
    if (!m_pParentWnd && m_cf.hwndOwner)
        m_pParentWnd = CWnd::FromHandle(m_cf.hwndOwner);
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_cf.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
    // A template that cannot be built is a failed ChooseFont: Cancel to the caller.
    return CDialog::DoModal() == IDOK ? IDOK : IDCANCEL;
}

BOOL CFontDialog::OnInitDialog()
{
    if (!CDialog::OnInitDialog())
        return FALSE;
    auto hide = [this](std::initializer_list<int> ids) {
        for (int id : ids)
            if (CWnd* w = GetDlgItem(id))
                w->ShowWindow(SW_HIDE);
    };
    if (!(m_cf.Flags & CF_EFFECTS))
        hide({grp1, chx1, chx2, stc4, cmb4});
    if (!(m_cf.Flags & CF_APPLY))
        hide({psh3});
    if (!(m_cf.Flags & CF_SHOWHELP))
        hide({pshHelp});
    FillFaceList();
    FillSizeList();
    FillColorList();
    SelectInitialFont();
    UpdateSample();
    return TRUE;
}

void CFontDialog::FillFaceList()
{
    CComboBox* faces = Combo(cmb1);
    if (!faces)
        return;
    faces->ResetContent();
    for (const QString& family : QFontDatabase::families())
    {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        if ((m_cf.Flags & CF_FIXEDPITCHONLY) && !QFontDatabase::isFixedPitch(family))
            continue;
        if ((m_cf.Flags & (CF_SCALABLEONLY | CF_TTONLY)) && !QFontDatabase::isScalable(family))
            continue;
        // A face that the logical font's 32 bytes cannot carry could never be chosen.
        CString name = FromQt(family);
        if (name.IsEmpty() || name.GetLength() >= LF_FACESIZE || ToQt(name) != family)
            continue;
        faces->InsertString(-1, name); // the database's order is already alphabetical
    }
}

void CFontDialog::FillStyleList()
{
    CComboBox* styles = Combo(cmb2);
    if (!styles)
        return;
    CString keep = styles->GetWindowText();
    CString face;
    if (CComboBox* faces = Combo(cmb1))
        face = faces->GetWindowText().Trim();
    bool italic = false, bold = false, boldItalic = false;
    QString family = ToQt(face);
    for (const QString& s : QFontDatabase::styles(family))
    {
        bool i = QFontDatabase::italic(family, s);
        bool b = QFontDatabase::weight(family, s) >= QFont::DemiBold;
        italic |= i && !b;
        bold |= b && !i;
        boldItalic |= b && i;
    }
    // Like GDI, the toolkit makes a missing bold or italic face from the regular one.
    bool simulate = !(m_cf.Flags & CF_NOSIMULATIONS);
    styles->ResetContent();
    styles->InsertString(-1, kRegular);
    if (italic || simulate)
        styles->InsertString(-1, kItalic);
    if (bold || simulate)
        styles->InsertString(-1, kBold);
    if (boldItalic || simulate)
        styles->InsertString(-1, kBoldItalic);
    int at = keep.IsEmpty() ? 0 : styles->FindStringExact(-1, keep);
    styles->SetCurSel(at >= 0 ? at : 0);
}

void CFontDialog::FillSizeList()
{
    CComboBox* sizes = Combo(cmb3);
    if (!sizes)
        return;
    sizes->ResetContent();
    for (int points : kSizes)
    {
        if ((m_cf.Flags & CF_LIMITSIZE) && (points < m_cf.nSizeMin || points > m_cf.nSizeMax))
            continue;
        sizes->InsertString(-1, FormatSize(points * 10)); // numeric order, whatever the template's sorting
    }
}

void CFontDialog::FillColorList()
{
    CComboBox* colours = Combo(cmb4);
    if (!colours)
        return;
    colours->ResetContent();
    for (const NamedColour& c : kColours)
        colours->SetItemData(colours->InsertString(-1, c.name), c.colour);
}

void CFontDialog::SelectInitialFont()
{
    bool init = (m_cf.Flags & CF_INITTOLOGFONTSTRUCT) && m_cf.lpLogFont;
    LOGFONT lf{};
    if (init)
        lf = *m_cf.lpLogFont;

    if (CComboBox* faces = Combo(cmb1))
    {
        CString face = init ? FaceOf(lf) : FromQt(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
        int at = face.IsEmpty() ? -1 : faces->FindStringExact(-1, face);
        if (at < 0 && !init && faces->GetCount() > 0)
            at = 0;
        faces->SetCurSel(at);
        if (at < 0)
            faces->SetWindowText(face); // a face that is not installed stays as written
    }

    FillStyleList();
    if (CComboBox* styles = Combo(cmb2))
    {
        CString style = StyleName(lf.lfWeight >= FW_SEMIBOLD, lf.lfItalic != 0);
        if ((m_cf.Flags & CF_USESTYLE) && m_cf.lpszStyle && *m_cf.lpszStyle)
            style = m_cf.lpszStyle;
        int at = styles->FindStringExact(-1, style);
        styles->SetCurSel(at >= 0 ? at : 0);
    }

    if (CComboBox* sizes = Combo(cmb3))
    {
        CString size = FormatSize(init ? TenthsFromLogFont(lf) : kDefaultTenths);
        int at = sizes->FindStringExact(-1, size);
        if (at >= 0)
            sizes->SetCurSel(at);
        else
            sizes->SetWindowText(size);
    }

    CheckDlgButton(chx1, lf.lfStrikeOut ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(chx2, lf.lfUnderline ? BST_CHECKED : BST_UNCHECKED);

    if (CComboBox* colours = Combo(cmb4))
    {
        COLORREF want = m_cf.rgbColors & 0xFFFFFF;
        int at = -1;
        for (int i = 0; i < colours->GetCount() && at < 0; ++i)
            if (COLORREF(colours->GetItemData(i)) == want)
                at = i;
        if (at < 0)
        {
            at = colours->InsertString(-1, "Custom");
            colours->SetItemData(at, want);
        }
        colours->SetCurSel(at);
        // Each name with its colour beside it, as the owner-drawn list of Windows shows them.
        if (auto* box = qobject_cast<QComboBox*>(PeerOf(colours)))
            for (int i = 0; i < colours->GetCount(); ++i)
            {
                COLORREF c = COLORREF(colours->GetItemData(i));
                QPixmap swatch(24, 12);
                swatch.fill(QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
                {
                    QPainter p(&swatch);
                    p.setPen(Qt::black);
                    p.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
                }
                box->setItemIcon(i, QIcon(swatch));
            }
    }
}

BOOL CFontDialog::ReadControls(LOGFONT& lf, int& tenths, COLORREF& colour, CString& style, BOOL bReport)
{
    CString caption = GetWindowText();
    auto refuse = [&](int id, const char* text) {
        if (bReport)
        {
            MessageBox(text, caption, MB_OK | MB_ICONEXCLAMATION);
            if (CWnd* ctl = GetDlgItem(id))
                GotoDlgCtrl(ctl);
        }
        return FALSE;
    };
    BOOL ok = TRUE;
    bool init = (m_cf.Flags & CF_INITTOLOGFONTSTRUCT) && m_cf.lpLogFont;

    CString face;
    if (CComboBox* faces = Combo(cmb1))
    {
        face = faces->GetWindowText().Trim();
        int at = face.IsEmpty() ? -1 : faces->FindStringExact(-1, face);
        if (at >= 0)
            faces->GetLBText(at, face); // the installed spelling
        else if (face.IsEmpty() || (m_cf.Flags & CF_FORCEFONTEXIST))
            ok = ok && refuse(cmb1, "There is no font with that name.\nChoose a font from the list of fonts.");
    }
    else if (init)
        face = FaceOf(*m_cf.lpLogFont);

    style = kRegular;
    if (CComboBox* styles = Combo(cmb2))
    {
        CString typed = styles->GetWindowText().Trim();
        int at = typed.IsEmpty() ? -1 : styles->FindStringExact(-1, typed);
        if (at >= 0)
            styles->GetLBText(at, style);
        else if (!typed.IsEmpty() && !(m_cf.Flags & CF_FORCEFONTEXIST))
            style = typed;
        else if (!typed.IsEmpty())
            ok = ok && refuse(cmb2, "There is no style of that name.\nChoose a style from the list of styles.");
    }
    bool bold = Contains(style, "bold");
    bool italic = Contains(style, "italic") || Contains(style, "oblique");

    tenths = init ? TenthsFromLogFont(*m_cf.lpLogFont) : kDefaultTenths;
    if (CComboBox* sizes = Combo(cmb3))
    {
        int typed = ParseSize(sizes->GetWindowText());
        if (typed <= 0)
            ok = ok && refuse(cmb3, "Size must be a number.");
        else if ((m_cf.Flags & CF_LIMITSIZE) && (typed < m_cf.nSizeMin * 10 || typed > m_cf.nSizeMax * 10))
        {
            CString text;
            text.Format("Size must be between %d and %d points.", m_cf.nSizeMin, m_cf.nSizeMax);
            ok = ok && refuse(cmb3, text);
        }
        else
            tenths = typed;
    }

    colour = m_cf.rgbColors;
    if (CComboBox* colours = Combo(cmb4); colours && colours->GetCurSel() >= 0)
        colour = COLORREF(colours->GetItemData(colours->GetCurSel()));

    // Every byte is decided here, so that a caller may copy the whole record.
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -MulDiv(tenths, kScreenDpi, 720);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic;
    lf.lfUnderline = GetDlgItem(chx2) ? IsDlgButtonChecked(chx2) == BST_CHECKED
                                      : (init && m_cf.lpLogFont->lfUnderline);
    lf.lfStrikeOut = GetDlgItem(chx1) ? IsDlgButtonChecked(chx1) == BST_CHECKED
                                      : (init && m_cf.lpLogFont->lfStrikeOut);
    // Script and rendering hints are the caller's; the dialog offers no choice of them.
    lf.lfCharSet = init ? m_cf.lpLogFont->lfCharSet : DEFAULT_CHARSET;
    if (init)
    {
        lf.lfOutPrecision = m_cf.lpLogFont->lfOutPrecision;
        lf.lfClipPrecision = m_cf.lpLogFont->lfClipPrecision;
        lf.lfQuality = m_cf.lpLogFont->lfQuality;
    }
    lf.lfPitchAndFamily = QFontDatabase::isFixedPitch(ToQt(face)) ? (FIXED_PITCH | FF_MODERN) : VARIABLE_PITCH;
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return ok;
}

void CFontDialog::UpdateSample()
{
    CWnd* sample = GetDlgItem(stc5);
    if (!sample)
        return;
    LOGFONT lf;
    int tenths;
    COLORREF colour;
    CString style;
    if (!ReadControls(lf, tenths, colour, style, FALSE))
        return; // half-typed: the last good sample stays
    m_fontSample.DeleteObject();
    m_fontSample.CreateFontIndirect(&lf);
    sample->SetFont(&m_fontSample);
    if (QWidget* w = PeerOf(sample))
    {
        QPalette p = w->palette();
        COLORREF c = (m_cf.Flags & CF_EFFECTS) ? colour : GetSysColor(COLOR_WINDOWTEXT);
        p.setColor(QPalette::WindowText, QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
        w->setPalette(p);
    }
}

void CFontDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    LOGFONT lf;
    int tenths;
    COLORREF colour;
    CString style;
    if (!ReadControls(lf, tenths, colour, style, TRUE))
        return;
    m_lf = lf;
    if (m_cf.lpLogFont)
        *m_cf.lpLogFont = lf; // ChooseFont answers in the caller's record
    m_cf.iPointSize = tenths;
    if (m_cf.Flags & CF_EFFECTS)
        m_cf.rgbColors = colour;
    if (m_cf.lpszStyle)
    {
        std::strncpy(m_cf.lpszStyle, style.c_str(), LF_FACESIZE - 1);
        m_cf.lpszStyle[LF_FACESIZE - 1] = 0;
    }
    m_cf.nFontType = WORD(SCREEN_FONTTYPE | (lf.lfWeight >= FW_SEMIBOLD ? BOLD_FONTTYPE : REGULAR_FONTTYPE) |
                          (lf.lfItalic ? ITALIC_FONTTYPE : 0));
    EndDialog(IDOK);
}

void CFontDialog::OnSelchangeFace()
{
    FillStyleList();
    UpdateSample();
}

void CFontDialog::OnEditchangeFace()
{
    // A typed name that is in the list counts as chosen.
    if (CComboBox* faces = Combo(cmb1); faces && faces->FindStringExact(-1, faces->GetWindowText()) >= 0)
        FillStyleList();
    UpdateSample();
}

void CFontDialog::OnSelchangeStyle() { UpdateSample(); }
void CFontDialog::OnSelchangeSize() { UpdateSample(); }
void CFontDialog::OnEffectsChanged() { UpdateSample(); }

void CFontDialog::GetCurrentFont(LPLOGFONT lplf)
{
    if (!lplf)
        return;
    if (!IsWindow(m_hWnd))
    {
        *lplf = m_lf;
        return;
    }
    int tenths;
    COLORREF colour;
    CString style;
    ReadControls(*lplf, tenths, colour, style, FALSE);
}

CString CFontDialog::GetFaceName() const { return FaceOf(*m_cf.lpLogFont); }
CString CFontDialog::GetStyleName() const { return m_cf.lpszStyle ? CString(m_cf.lpszStyle) : CString(); }
int CFontDialog::GetSize() const { return m_cf.iPointSize; }
COLORREF CFontDialog::GetColor() const { return m_cf.rgbColors; }
int CFontDialog::GetWeight() const { return m_cf.lpLogFont->lfWeight; }
BOOL CFontDialog::IsStrikeOut() const { return m_cf.lpLogFont->lfStrikeOut ? TRUE : FALSE; }
BOOL CFontDialog::IsUnderline() const { return m_cf.lpLogFont->lfUnderline ? TRUE : FALSE; }
BOOL CFontDialog::IsBold() const { return m_cf.lpLogFont->lfWeight >= FW_SEMIBOLD ? TRUE : FALSE; }
BOOL CFontDialog::IsItalic() const { return m_cf.lpLogFont->lfItalic ? TRUE : FALSE; }
