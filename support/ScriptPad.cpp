#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPlainTextEdit>

#include "platform/gdi_p.h"
#include "platform/window_p.h"
#include "support/Support.h"
#include "support/resources/supportres.h"

namespace
{

// Tab types a tab, as in a program editor; Shift+Tab and Ctrl+Tab still leave the box, so the buttons stay
// reachable from the keyboard.
class CScriptEdit : public CEdit
{
  public:
    UINT OnGetDlgCode()
    {
        UINT code = UINT(Default());
        if (GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0)
            code |= DLGC_WANTTAB;
        return code;
    }
    DECLARE_MESSAGE_MAP()
};

const MessageMap& CScriptEdit::GetThisMessageMap()
{
    static const MessageMap map(&CEdit::GetThisMessageMap(), {mm::GetDlgCode(&CScriptEdit::OnGetDlgCode)});
    return map;
}

// Any mix of CR LF, LF and lone CR becomes CR LF, which is what the edit box shows as line breaks.
CString WindowsLineEnds(const CString& text)
{
    const std::string& s = text.str();
    std::string out;
    out.reserve(s.size() + s.size() / 16);
    for (size_t i = 0; i < s.size(); ++i)
    {
        if (s[i] == '\r')
        {
            if (i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
            out += "\r\n";
        }
        else if (s[i] == '\n')
            out += "\r\n";
        else
            out += s[i];
    }
    return CString(std::move(out));
}

class CScriptPadDlg : public CDialog
{
  public:
    CScriptPadDlg(const CString& text, LPCTSTR title, CWnd* parent)
        : CDialog(IDD_SCRIPTPAD, parent), m_text(text), m_title(title ? title : "")
    {
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (!m_title.IsEmpty())
            SetWindowText(m_title);
        if (!m_edit.SubclassDlgItem(IDC_SCRIPTPAD_TEXT, this))
            return TRUE;
        if (auto* editor = qobject_cast<QPlainTextEdit*>(pdt::win::Peer(m_edit.m_hWnd)))
        {
            // Programs line up in columns: a fixed-pitch face and tab stops every four characters.
            QFont font = pdt::gdi::FixedPitchFont();
            font.setPixelSize(MulDiv(9, 96, 72));
            editor->setFont(font);
            editor->setTabStopDistance(4 * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
        }
        m_edit.SetWindowText(WindowsLineEnds(m_text));
        m_edit.SetModify(FALSE);
        GotoDlgCtrl(&m_edit);
        m_edit.SetSel(0, 0); // the caret at the start, nothing selected: a key typed must not replace the program
        return FALSE;
    }

    void OnOK() override
    {
        if (IsWindow(m_edit.m_hWnd))
            m_text = m_edit.GetWindowText();
        CDialog::OnOK();
    }

    CString m_text;

  private:
    CString m_title;
    CScriptEdit m_edit;
};

} // namespace

BOOL ScriptPad(CString& text, LPCTSTR title, CWnd* parent)
{
    CScriptPadDlg dlg(text, title, parent);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    text = dlg.m_text;
    return TRUE;
}
