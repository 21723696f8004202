#include "find/CDlgFind.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/AppProfile.h"

namespace
{
constexpr const char* kSettings = "Settings";
constexpr const char* kFind = "Find";
constexpr const char* kFirstIndex = "FIND_INDEX0";
constexpr const char* kMaxTitles = "FIND_MAXTITLES";

CString HistoryKey(int number)
{
    CString key;
    key.Format("FIND%d", number);
    return key;
}

// The history is kept in UTF-8, so that a text searched for in a job of one code page lists right in a job of
// another (as '?' where the job's code page lacks a character). A value that is not UTF-8 was stored in the code
// page of its day and is listed as it stands.
CString Listed(const CString& stored)
{
    const std::string& bytes = stored.str();
    return IsUtf8(bytes) ? CString::FromUtf8(bytes) : stored;
}

// A history whose numbers have reached the largest int (a damaged or hand-edited FIND_INDEX0) can grow no
// further: it is stored again from 1, oldest first, each value as it was. The new values are written before the
// old ones go, so that an interrupted renumbering leaves every text in the store. Returns the next free number.
int RenumberHistory(const std::vector<CString>& stored, int first)
{
    const int count = int(stored.size());
    for (int i = 0; i < count; ++i)
        theReg.WriteString(kFind, HistoryKey(i + 1), stored[size_t(i)]);
    theReg.WriteInt(kSettings, kFirstIndex, 1);
    for (int n = std::max(first, count + 1);; ++n)
    {
        theReg.DeleteValue(kFind, HistoryKey(n));
        if (n == INT_MAX)
            break;
    }
    return count + 1;
}
} // namespace

CDlgFind::CDlgFind(CWnd* pParent) : CDialog(IDD_FIND, pParent) {}

void CDlgFind::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIND_TEXT, m_cbFind);
    DDX_Text(pDX, IDC_FIND_PROMPT, m_strPrompt);
    DDX_Check(pDX, IDC_FIND_MATCHCASE, m_bMatchCase);
    DDX_Check(pDX, IDC_FIND_OUTPUTTOPANE2, m_bOutputToPane2);
}

BOOL CDlgFind::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The history is one run of numbers from the oldest upward; the first gap ends it.
    m_nFirstIndex = m_nNextIndex = theReg.GetInt(kSettings, kFirstIndex, 1);
    std::vector<CString> stored;
    for (CString text = theReg.GetString(kFind, HistoryKey(m_nNextIndex)); !text.IsEmpty();
         text = theReg.GetString(kFind, HistoryKey(m_nNextIndex)))
    {
        m_cbFind.InsertString(0, Listed(text));
        stored.push_back(text);
        if (m_nNextIndex == INT_MAX)
            break;
        ++m_nNextIndex;
    }
    if (m_nNextIndex == INT_MAX && !stored.empty())
    {
        m_nNextIndex = RenumberHistory(stored, m_nFirstIndex);
        m_nFirstIndex = 1;
    }

    if (m_cbFind.GetCount() > 0)
        m_cbFind.SetCurSel(0);
    else if (m_nNextIndex != 1)
    {
        // An empty history starts numbering again at 1, once the store says so; otherwise the next text goes
        // where the stored first number will look for it.
        if (theReg.WriteInt(kSettings, kFirstIndex, 1))
            m_nFirstIndex = m_nNextIndex = 1;
    }

    m_cbFind.SetFocus();
    return FALSE;
}

void CDlgFind::OnOK()
{
    m_cbFind.GetWindowText(m_strFind);
    if (m_strFind.IsEmpty())
        return;

    // The list counts only what the store holds, so a text that could not be stored never pushes the oldest
    // one out.
    int stored = m_cbFind.GetCount();
    if (m_cbFind.FindStringExact(-1, m_strFind) == CB_ERR)
    {
        m_cbFind.InsertString(0, m_strFind);
        if (theReg.WriteString(kFind, HistoryKey(m_nNextIndex), CString(m_strFind.ToUtf8())))
        {
            // The last number has no successor: the next dialog stores the history again from 1.
            if (m_nNextIndex < INT_MAX)
                ++m_nNextIndex;
            ++stored;
        }
    }

    // At most one value is dropped per OK. The first number moves before the value goes: a failure between
    // the two leaves a stale value below the run, never a run that starts at a missing value (which would
    // load as an empty history).
    if (stored > theReg.GetInt(kSettings, kMaxTitles, 32) && theReg.WriteInt(kSettings, kFirstIndex, m_nFirstIndex + 1))
    {
        if (theReg.DeleteValue(kFind, HistoryKey(m_nFirstIndex)))
            ++m_nFirstIndex;
        else
            theReg.WriteInt(kSettings, kFirstIndex, m_nFirstIndex); // keep the value in the run
    }

    CDialog::OnOK();
}
