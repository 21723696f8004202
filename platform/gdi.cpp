// Fonts: a LOGFONT realised as a toolkit font when a window or device context uses it.
#include "platform/gdi_p.h"

#include <QFontDatabase>
#include <QStringList>
#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cstring>

BOOL CRect::IntersectRect(const RECT& a, const RECT& b)
{
    *this = CRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
    if (IsRectEmpty())
    {
        SetRect(0, 0, 0, 0);
        return FALSE;
    }
    return TRUE;
}

void CRect::UnionRect(const RECT& a, const RECT& b)
{
    CRect ra(a), rb(b);
    if (ra.IsRectEmpty())
        *this = rb;
    else if (rb.IsRectEmpty())
        *this = ra;
    else
        *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom));
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

CGdiObject::~CGdiObject() = default;
BOOL CGdiObject::DeleteObject() { return FALSE; }

CFont::~CFont() { DeleteObject(); }

BOOL CFont::CreateFontIndirect(const LOGFONT* lf)
{
    if (!lf || m_hObject)
        return FALSE;
    auto* rec = new FontRecord;
    rec->lf = *lf;
    rec->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    rec->wrapper.m_hObject = rec;
    m_hObject = rec;
    return TRUE;
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC*)
{
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(pointSize, 96, 720);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName)
{
    LOGFONT lf{height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
               outPrecision, clipPrecision, quality, pitchAndFamily, {}};
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* lf) const
{
    if (!m_hObject || !lf)
        return 0;
    *lf = static_cast<FontRecord*>(m_hObject)->lf;
    return sizeof(LOGFONT);
}

BOOL CFont::DeleteObject()
{
    auto* rec = static_cast<FontRecord*>(m_hObject);
    if (!rec || &rec->wrapper == this)
        return FALSE;
    m_hObject = nullptr;
    rec->wrapper.m_hObject = nullptr;
    delete rec;
    return TRUE;
}

CFont* CFont::FromHandle(HFONT hFont) { return hFont ? &hFont->wrapper : nullptr; }

namespace pdt::gdi
{

QFont ToQFont(const LOGFONT& lf)
{
    QString face = QString::fromLatin1(lf.lfFaceName);
    bool fixed = (lf.lfPitchAndFamily & 3) == FIXED_PITCH || (lf.lfPitchAndFamily & 0xF0) == FF_MODERN;
    QFont f;
    if (!face.isEmpty() && QFontDatabase::families().contains(face, Qt::CaseInsensitive))
        f = QFont(face);
    else
        f = QFontDatabase::systemFont(fixed ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont);
    if (fixed)
        f.setStyleHint(QFont::TypeWriter);
    int h = lf.lfHeight;
    if (h < 0)
        f.setPixelSize(-h);
    else if (h > 0)
    {
        // A positive height is the cell height: take the internal leading off.
        f.setPixelSize(h);
        int cell = QFontMetrics(f).height();
        if (cell > h)
            f.setPixelSize(std::max(1, h * h / cell));
    }
    else
        f.setPixelSize(MulDiv(8, 96, 72));
    f.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold
                : lf.lfWeight >= FW_SEMIBOLD ? QFont::DemiBold
                : lf.lfWeight > 0 && lf.lfWeight <= FW_LIGHT ? QFont::Light
                                                             : QFont::Normal);
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfWidth > 0)
    {
        int avg = QFontMetrics(f).averageCharWidth();
        if (avg > 0)
            f.setStretch(std::clamp(lf.lfWidth * 100 / avg, 1, 4000));
    }
    return f;
}

LOGFONT FromQFont(const QFont& f)
{
    LOGFONT lf{};
    QFontInfo info(f);
    lf.lfHeight = -(f.pixelSize() > 0 ? f.pixelSize() : info.pixelSize());
    lf.lfWeight = f.bold() ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic();
    lf.lfUnderline = f.underline();
    lf.lfStrikeOut = f.strikeOut();
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = info.fixedPitch() ? FIXED_PITCH : VARIABLE_PITCH;
    std::strncpy(lf.lfFaceName, info.family().toLatin1().constData(), LF_FACESIZE - 1);
    return lf;
}

} // namespace pdt::gdi
