#include <QFontDatabase>

#include <cstring>

#include "platform/gdi_p.h"
#include "platform/window_p.h"

#include "support/Support.h"

CFont fontIndex;
int OnJobSimulation = 0;
int ViewDetailedProperties = 0;

namespace
{

// Created with the library, before any dialog can ask for it; a LOGFONT needs no toolkit until it is used.
const bool g_fontIndexCreated = [] {
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(9, 96, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strncpy(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    return fontIndex.CreateFontIndirect(&lf) != FALSE;
}();

bool Has(const CString &lowerStyle, const char *word)
{
    return lowerStyle.Find(word) >= 0;
}

} // namespace

BOOL CreateChineseFont(CFont &font, LPCTSTR face, LPCTSTR style, int points, BOOL bJapanese)
{
    if (!face || !*face || points <= 0 || points > 1000 || std::strlen(face) >= LF_FACESIZE)
        return FALSE;
    // A face the machine does not have would quietly become another, and without any font that writes the
    // script the terminal's font could not be made at all.
    if (!pdt::gdi::IsInstalledFamily(ToQt(face)) ||
        QFontDatabase::families(bJapanese ? QFontDatabase::Japanese : QFontDatabase::SimplifiedChinese).isEmpty())
        return FALSE;
    CString s = style ? style : "";
    s.MakeLower();
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(points, 96, 72);
    // Style names as font pickers write them: "Regular", "Bold", "Bold Italic", "SemiBold", "Light" ...
    lf.lfWeight = Has(s, "semibold") || Has(s, "demibold")                    ? FW_SEMIBOLD
                  : Has(s, "extrabold") || Has(s, "black") || Has(s, "heavy") ? FW_HEAVY
                  : Has(s, "bold")                                            ? FW_BOLD
                  : Has(s, "medium")                                          ? FW_MEDIUM
                  : Has(s, "thin")                                            ? FW_THIN
                  : Has(s, "light")                                           ? FW_LIGHT
                                                                              : FW_NORMAL;
    lf.lfItalic = Has(s, "italic") || Has(s, "oblique");
    lf.lfCharSet = bJapanese ? SHIFTJIS_CHARSET : GB2312_CHARSET;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    // The caller may hand back the font it had: the new one replaces it.
    font.DeleteObject();
    return font.CreateFontIndirect(&lf);
}
