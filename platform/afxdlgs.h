// Common dialogs: the font-selection dialog, run on a template of the resource chain as ChooseFont runs it.
#pragma once

#include "platform/afxwin.h"

typedef LOGFONT* LPLOGFONT;

// A template named by number, as ChooseFont's lpTemplateName takes it.
inline LPCTSTR MAKEINTRESOURCE(UINT id) { return reinterpret_cast<LPCTSTR>(uintptr_t(WORD(id))); }
inline bool IS_INTRESOURCE(LPCTSTR name) { return (reinterpret_cast<uintptr_t>(name) >> 16) == 0; }

// CHOOSEFONT flags.
enum : DWORD
{
    CF_SCREENFONTS = 0x00000001,
    CF_PRINTERFONTS = 0x00000002,
    CF_BOTH = 0x00000003,
    CF_SHOWHELP = 0x00000004,
    CF_ENABLEHOOK = 0x00000008,
    CF_ENABLETEMPLATE = 0x00000010,
    CF_ENABLETEMPLATEHANDLE = 0x00000020,
    CF_INITTOLOGFONTSTRUCT = 0x00000040,
    CF_USESTYLE = 0x00000080,
    CF_EFFECTS = 0x00000100,
    CF_APPLY = 0x00000200,
    CF_ANSIONLY = 0x00000400,
    CF_SCRIPTSONLY = 0x00000400,
    CF_NOVECTORFONTS = 0x00000800,
    CF_NOOEMFONTS = 0x00000800,
    CF_NOSIMULATIONS = 0x00001000,
    CF_LIMITSIZE = 0x00002000,
    CF_FIXEDPITCHONLY = 0x00004000,
    CF_WYSIWYG = 0x00008000,
    CF_FORCEFONTEXIST = 0x00010000,
    CF_SCALABLEONLY = 0x00020000,
    CF_TTONLY = 0x00040000,
    CF_NOFACESEL = 0x00080000,
    CF_NOSTYLESEL = 0x00100000,
    CF_NOSIZESEL = 0x00200000,
};

// nFontType bits.
enum : WORD
{
    BOLD_FONTTYPE = 0x0100,
    ITALIC_FONTTYPE = 0x0200,
    REGULAR_FONTTYPE = 0x0400,
    SCREEN_FONTTYPE = 0x2000,
};

// Control ids that every font dialog template carries (dlgs.h names); a template of one's own keeps them.
constexpr int psh3 = 1026;    // Apply, shown only with CF_APPLY
constexpr int pshHelp = 1038; // Help, shown only with CF_SHOWHELP
constexpr int chx1 = 1040;    // "Strikeout"
constexpr int chx2 = 1041;    // "Underline"
constexpr int grp1 = 1072;    // "Effects"
constexpr int grp2 = 1073;    // "Sample"
constexpr int stc1 = 1088;    // "Font:"
constexpr int stc2 = 1089;    // "Font style:"
constexpr int stc3 = 1090;    // "Size:"
constexpr int stc4 = 1091;    // "Color:"
constexpr int stc5 = 1092;    // the sample text
constexpr int stc6 = 1093;    // the font description
constexpr int cmb1 = 1136;    // face names
constexpr int cmb2 = 1137;    // styles
constexpr int cmb3 = 1138;    // sizes
constexpr int cmb4 = 1139;    // colours

// The standard template, in the platform's own resources.
constexpr UINT IDD_FONTDIALOG = 1543;

struct CHOOSEFONT
{
    DWORD lStructSize;
    HWND hwndOwner;
    void* hDC; // printer fonts are not offered
    LPLOGFONT lpLogFont;
    int iPointSize; // tenths of a point, on OK
    DWORD Flags;
    COLORREF rgbColors;
    LPARAM lCustData;
    void* lpfnHook;         // not called; derive from CFontDialog instead
    LPCTSTR lpTemplateName; // MAKEINTRESOURCE(id) of a template in the resource chain, with CF_ENABLETEMPLATE
    HANDLE hInstance;
    LPTSTR lpszStyle; // the style name, on OK; the initial style with CF_USESTYLE
    WORD nFontType;
    int nSizeMin; // points, with CF_LIMITSIZE
    int nSizeMax;
};

class CFontDialog : public CDialog
{
  public:
    explicit CFontDialog(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
    ~CFontDialog() override;

    CHOOSEFONT m_cf;
    LOGFONT m_lf; // the chosen font after OK

    INT_PTR DoModal() override;

    // While the dialog is open: the font its controls show; afterwards the chosen one.
    void GetCurrentFont(LPLOGFONT lplf);
    // The choice made with OK.
    CString GetFaceName() const;
    CString GetStyleName() const;
    int GetSize() const; // tenths of a point
    COLORREF GetColor() const;
    int GetWeight() const;
    BOOL IsStrikeOut() const;
    BOOL IsUnderline() const;
    BOOL IsBold() const;
    BOOL IsItalic() const;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    // The controls, one member each, so that a dialog on a template of its own can change any of them.
    virtual void FillFaceList();
    virtual void FillStyleList();
    virtual void FillSizeList();
    virtual void FillColorList();
    virtual void UpdateSample();
    // Reads the controls into a complete logical font; with bReport, refuses a bad choice with a message and
    // puts the focus on the control at fault.
    virtual BOOL ReadControls(LOGFONT& lf, int& tenths, COLORREF& colour, CString& style, BOOL bReport);

    virtual void OnSelchangeFace();
    virtual void OnEditchangeFace();
    virtual void OnSelchangeStyle();
    virtual void OnSelchangeSize();
    virtual void OnEffectsChanged();

    CComboBox* Combo(int id) const { return static_cast<CComboBox*>(GetDlgItem(id)); }

    CFont m_fontSample;

    DECLARE_MESSAGE_MAP()

  private:
    void SelectInitialFont();
    char m_szStyleName[64] = {};
};
