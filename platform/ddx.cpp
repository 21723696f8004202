// Dialog data exchange: MFC's conversions, messages and failure handling.
#include "platform/afxdd.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace
{

// MFC's prompts for data exchange failures.
constexpr const char* kParseInt = "Please enter an integer.";
constexpr const char* kParseUInt = "Please enter a positive integer.";
constexpr const char* kParseReal = "Please enter a number.";

CString WindowText(HWND h) { return CWnd::FromHandle(h)->GetWindowText(); }

// As MFC reads a number: the whole text, blanks and tabs around it allowed, and a zero must be written as a
// zero ("-0" is refused as MFC refuses it).
bool ParseLong(const CString& text, long long& value)
{
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p == '\0' || std::isspace(static_cast<unsigned char>(*p)))
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(p, &end, 10);
    if (end == p || errno == ERANGE || (value == 0 && *p != '0'))
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == 0;
}

bool IsRadioButton(HWND h)
{
    if (GetWindowClassName(h).CompareNoCase("Button") != 0)
        return false;
    DWORD t = GetWindowStyle(h) & BS_TYPEMASK;
    return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON;
}

} // namespace

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!h)
        throw std::logic_error("data exchange with a control that does not exist: " + std::to_string(id));
    m_hWndLastControl = h;
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND h = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
        throw CUserException();
    if (m_hWndLastControl)
    {
        CWnd::FromHandle(m_hWndLastControl)->SetFocus();
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.m_hWnd == nullptr)
        control.SubclassWindow(pDX->PrepareCtrl(id));
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    HWND h = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(h);
    else
        CWnd::FromHandle(h)->SetWindowText(value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    HWND h = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
    {
        long long v = 0;
        if (!ParseLong(WindowText(h), v) || v < INT32_MIN || v > INT32_MAX)
        {
            AfxMessageBox(kParseInt);
            pDX->Fail();
        }
        value = int(v);
    }
    else
    {
        CString s;
        s.Format("%d", value);
        CWnd::FromHandle(h)->SetWindowText(s);
    }
}

void DDX_Text(CDataExchange* pDX, int id, long& value)
{
    int v = int(value);
    DDX_Text(pDX, id, v);
    value = v;
}

void DDX_Text(CDataExchange* pDX, int id, UINT& value)
{
    HWND h = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
    {
        long long v = 0;
        CString text = WindowText(h);
        if (!ParseLong(text, v) || v < 0 || v > UINT32_MAX || text.Find('-') >= 0)
        {
            AfxMessageBox(kParseUInt);
            pDX->Fail();
        }
        value = UINT(v);
    }
    else
    {
        CString s;
        s.Format("%u", value);
        CWnd::FromHandle(h)->SetWindowText(s);
    }
}

void DDX_Text(CDataExchange* pDX, int id, double& value)
{
    HWND h = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
    {
        CString text = WindowText(h);
        const char* p = text.c_str();
        char* end = nullptr;
        errno = 0;
        double v = std::strtod(p, &end);
        while (end && (*end == ' ' || *end == '\t'))
            ++end;
        if (end == p || !end || *end != 0 || errno == ERANGE || !std::isfinite(v))
        {
            AfxMessageBox(kParseReal);
            pDX->Fail();
        }
        value = v;
    }
    else
    {
        CString s;
        s.Format("%.15g", value);
        CWnd::FromHandle(h)->SetWindowText(s);
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    HWND h = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = int(::SendMessage(h, BM_GETCHECK));
    else
    {
        if (value < 0 || value > 2)
            value = 0; // MFC puts an out-of-range value back to unchecked
        ::SendMessage(h, BM_SETCHECK, WPARAM(value));
    }
}

void DDX_Check(CDataExchange* pDX, int id, bool& value)
{
    int v = value ? 1 : 0;
    DDX_Check(pDX, id, v);
    value = v == 1;
}

void DDX_Radio(CDataExchange* pDX, int id, int& value)
{
    HWND first = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (CWnd* w = CWnd::FromHandle(first); w; w = w->GetWindow(GW_HWNDNEXT))
    {
        HWND h = w->m_hWnd;
        if (h != first && (GetWindowStyle(h) & WS_GROUP))
            break;
        if (!IsRadioButton(h))
            continue;
        if (pDX->m_bSaveAndValidate)
        {
            if (::SendMessage(h, BM_GETCHECK) == BST_CHECKED)
                value = index;
        }
        else
            ::SendMessage(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED);
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index)
{
    HWND h = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        index = int(::SendMessage(h, CB_GETCURSEL));
    else
        ::SendMessage(h, CB_SETCURSEL, WPARAM(index));
}

void DDX_CBString(CDataExchange* pDX, int id, CString& value)
{
    HWND h = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(h);
    else if (::SendMessage(h, CB_SELECTSTRING, WPARAM(-1), LPARAM(value.c_str())) == CB_ERR)
        CWnd::FromHandle(h)->SetWindowText(value);
}

void DDX_CBStringExact(CDataExchange* pDX, int id, CString& value)
{
    HWND h = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(h);
    else
    {
        LRESULT i = ::SendMessage(h, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(value.c_str()));
        if (i == CB_ERR)
            CWnd::FromHandle(h)->SetWindowText(value);
        else
            ::SendMessage(h, CB_SETCURSEL, WPARAM(i));
    }
}

void DDX_LBIndex(CDataExchange* pDX, int id, int& index)
{
    HWND h = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        index = int(::SendMessage(h, LB_GETCURSEL));
    else
        ::SendMessage(h, LB_SETCURSEL, WPARAM(index));
}

void DDX_LBString(CDataExchange* pDX, int id, CString& value)
{
    HWND h = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
    {
        int i = int(::SendMessage(h, LB_GETCURSEL));
        value.Empty();
        if (i >= 0)
            reinterpret_cast<CListBox*>(CWnd::FromHandle(h))->GetText(i, value);
    }
    else if (::SendMessage(h, LB_SELECTSTRING, WPARAM(-1), LPARAM(value.c_str())) == LB_ERR)
        ::SendMessage(h, LB_SETCURSEL, WPARAM(-1));
}

void DDX_Scroll(CDataExchange* pDX, int id, int& value)
{
    HWND h = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = int(::SendMessage(h, SBM_GETPOS));
    else
        ::SendMessage(h, SBM_SETPOS, WPARAM(value), TRUE);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > maxChars)
    {
        CString msg;
        msg.Format("Please enter no more than %d characters.", maxChars);
        AfxMessageBox(msg, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    else if (!pDX->m_bSaveAndValidate && pDX->m_hWndLastControl && pDX->m_bEditLastControl)
        ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, WPARAM(maxChars));
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
    {
        CString msg;
        msg.Format("Please enter an integer between %d and %d.", minVal, maxVal);
        AfxMessageBox(msg, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
    {
        CString msg;
        msg.Format("Please enter an integer between %u and %u.", minVal, maxVal);
        AfxMessageBox(msg, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
    {
        CString msg;
        msg.Format("Please enter a number between %g and %g.", minVal, maxVal);
        AfxMessageBox(msg, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}
