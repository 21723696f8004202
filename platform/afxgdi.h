// GDI objects. Fonts are described by a LOGFONT and realised by the platform when a window uses them.
#pragma once

#include "platform/afxtypes.h"

typedef void* HGDIOBJ;
struct FontRecord;
typedef FontRecord* HFONT;

class CDC;

class CGdiObject
{
  public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    virtual BOOL DeleteObject();
};

class CFont : public CGdiObject
{
  public:
    ~CFont() override;
    BOOL CreateFontIndirect(const LOGFONT* lf);
    // Height in tenths of a point, at the screen's 96 pixels per inch.
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, LPCTSTR faceName);
    int GetLogFont(LOGFONT* lf) const;
    BOOL DeleteObject() override;
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT hFont); // a wrapper owned by the font record
};
