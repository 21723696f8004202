#include "host/model/HostNode.h"
#include "host/model/DialogPages.h"
#include "host/model/HostTerminal.h"

#include <cstring>

#include "host/model/HostLink.h"
#include "host/model/JobDocument.h"
#include "host/model/NodeOptions.h"
#include "link/CDlgDefineLinkIn.h"
#include "link/CDlgDefineLinkOut.h"
#include "node/CDlgDefineNode.h"
#include "node/CDlgDefineNodeBasic.h"
#include "node/CDlgDefineNodeCmtFontColor.h"
#include "node/CDlgDefineNodeNotes.h"
#include "node/CDlgDefineNodeScreen.h"
#include "node/CDlgDefineNodeScreenPosition.h"

namespace
{

struct KindInfo
{
    int nKind;
    const char* pszName;
    const char* pszDescription;
    COLORREF crDefault;
};

const KindInfo kKinds[] = {
    {NODE_SCREEN, "Screen", "Screen node: shows a screen of text on the terminal and waits for a key.",
     RGB(0x80, 0xC0, 0xFF)},
    {NODE_INPUT, "Input", "Input node: collects data from the keypad, the scanner, a formula or a lookup file, "
                          "and may verify it.",
     RGB(0x80, 0xFF, 0x80)},
    {NODE_COUNT, "Count", "Count node: sets or changes a counter of the job.", RGB(0xFF, 0xFF, 0x80)},
    {NODE_UPLOAD, "Upload", "Upload node: sends a data file or its last record to the host computer.",
     RGB(0xFF, 0xC0, 0x80)},
    {NODE_ERASE, "Erase", "Erase node: deletes a data file or its last record.", RGB(0xFF, 0x80, 0x80)},
    {NODE_EDIT, "Edit", "Edit node: browses and edits the records of a data file.", RGB(0xC0, 0xC0, 0xFF)},
    {NODE_PROGRAM, "Program", "Program node: runs code written in the job's program language.",
     RGB(0xFF, 0x80, 0xFF)},
    {NODE_RUNJOB, "Run Job", "Run job node: loads and runs another job.", RGB(0x80, 0xFF, 0xFF)},
    {NODE_COMMENT, "Comment", "Comment: a note on the flowchart; it is not part of the job.",
     RGB(0xFF, 0xFF, 0xC0)},
};

const KindInfo* FindKind(int kind)
{
    for (const KindInfo& k : kKinds)
        if (k.nKind == kind)
            return &k;
    return nullptr;
}

// The page of an entry, when the dialog has that entry and the library could create its page.
LOGFONT DefaultCommentFont()
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -13;
    lf.lfWeight = 400;
    std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
    return lf;
}

CString LinkCountText(int count, const char* direction)
{
    CString text;
    if (count == 0)
        text.Format("This node has no %s links.", direction);
    else
        text.Format("This node has %d %s link%s.", count, direction, count == 1 ? "" : "s");
    return text;
}

} // namespace
// The stored text as a screen that holds all of it reads it back: every line end (CR LF, a lone CR,
// a lone LF) as CR LF, since the screen keeps each as one mark.
CString HostNode::ScreenTextAsRead(const CString& text)
{
    std::string out;
    const char* p = text.c_str();
    for (; *p; ++p)
    {
        if (*p == '\r' || *p == '\n')
        {
            if (*p == '\r' && p[1] == '\n')
                ++p;
            out += "\r\n";
        }
        else
            out += *p;
    }
    return CString(out.c_str(), int(out.size()));
}


HostNode::HostNode(JobDocument* doc, int id, int kind, const CString& name)
    : m_crColour(KindColour(kind)), m_lfFont(DefaultCommentFont()), m_crText(RGB(0, 0, 0)),
      m_crBack(RGB(0xFF, 0xFF, 0xFF)), m_pDoc(doc)
{
    m_nID = id;
    m_nKind = kind;
    m_strName = name;
    m_strDescription = KindDescription(kind);
}

bool HostNode::IsKnownKind(int kind) { return FindKind(kind) != nullptr; }

const char* HostNode::KindName(int kind)
{
    const KindInfo* k = FindKind(kind);
    return k ? k->pszName : nullptr;
}

const char* HostNode::KindDescription(int kind)
{
    const KindInfo* k = FindKind(kind);
    return k ? k->pszDescription : "";
}

COLORREF HostNode::KindColour(int kind)
{
    const KindInfo* k = FindKind(kind);
    return k ? k->crDefault : RGB(0xC0, 0xC0, 0xC0);
}

CString HostNode::GetLabel() const
{
    CString label;
    label.Format("%s (%d)", m_strName.c_str(), m_nID);
    return label;
}

CString HostNode::GetTypeName()
{
    const char* name = KindName(m_nKind);
    return name ? CString(name) : CString("Unknown");
}

COLORREF HostNode::GetDefaultColour() { return KindColour(m_nKind); }

void HostNode::OnDefineUpdated(BOOL redraw)
{
    ++m_nDefineUpdates;
    m_bLastRedraw = redraw;
}

CVTR5Doc* HostNode::GetDocument() { return m_pDoc; }

BOOL HostNode::InitialDlgData(CDlgDefineNode* dlg)
{
    if (!dlg)
        return FALSE;

    if (auto* basic = DialogPage<CDlgDefineNodeBasic>(dlg, NodeOptions::BASIC))
    {
        basic->m_strName = m_strName;
        basic->m_strDescription = m_strDescription;
        basic->m_bStartNode = m_bStartNode;
        basic->m_bGlobalAccess = m_bGlobalAccess;
        basic->m_bExcludeFromMakeJob = m_bExcludeFromMakeJob;
        basic->m_btnColor.SetDefaultColour(GetDefaultColour());
        basic->m_btnColor.SetColour(m_crColour);
    }

    if (auto* notes = DialogPage<CDlgDefineNodeNotes>(dlg, NodeOptions::NOTES))
        notes->m_strComment = m_strComment;

    if (auto* screen = DialogPage<CDlgDefineNodeScreen>(dlg, NodeOptions::SCREEN); screen && m_pDoc)
    {
        CSize size = m_pDoc->GetScreenSize();
        screen->m_screen.Initial(m_pDoc->Terminal().m_strModel, size, m_pDoc->m_nLanguage);
        screen->m_screen.SetPrompt(m_strScreenText);
        // What the screen shows is what it would hand back untouched. When that is not the stored text,
        // the user hears it now, before an edit could drop the rest; without an edit the text stays.
        m_strScreenShown = screen->m_screen.GetPrompt();
        if (m_strScreenShown != ScreenTextAsRead(m_strScreenText))
        {
            CString text;
            text.Format("The screen text of node \"%s\" does not fit the terminal's screen of %d rows and %d "
                        "columns. It is kept as it is unless you edit the screen; an edit keeps only what the "
                        "screen shows.",
                        m_strName.c_str(), int(size.cy), int(size.cx));
            AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        }
        screen->m_bNoClearOnExit = m_bNoClearOnExit;
        screen->m_bNoClearBeforeDisplay = m_bNoClearBeforeDisplay;
        screen->m_bHideCursor = m_bHideCursor;
        screen->SetScreenSize(size);
        // Leaving and clearing apply to screen (menu) nodes only.
        screen->CloseOption(m_nKind != NODE_SCREEN);
    }

    if (auto* pos = DialogPage<CDlgDefineNodeScreenPosition>(dlg, NodeOptions::SCREEN_POSITION))
    {
        const DisplayPosition& p = m_position;
        pos->m_nPrintFollowing = !p.bPrintDirect;
        pos->m_nPrintDirect = p.bPrintDirect;
        pos->m_bClearToEnd = p.bClearToEnd;
        pos->m_nPromptRow = p.nPromptRow;
        pos->m_nPromptColumn = p.nPromptColumn;
        pos->m_strPositionMark = p.strPositionMark;
        pos->m_nInputAtCurrent = !p.bInputAtLocation;
        pos->m_nInputAtLocation = p.bInputAtLocation;
        pos->m_nInputRow = p.nInputRow;
        pos->m_nInputColumn = p.nInputColumn;
        pos->m_bNoPositionMark = p.bNoPositionMark;
        pos->m_bAsPassword = p.bAsPassword;
        pos->m_bNoDisplay = p.bNoDisplay;
        if (m_nKind == NODE_COUNT)
            pos->DisplayCountNodeSettings();
    }

    if (auto* font = DialogPage<CDlgDefineNodeCmtFontColor>(dlg, NodeOptions::COMMENT_FONT))
    {
        font->m_bUseDefaultFont = m_bUseDefaultFont;
        font->m_lfFont = m_lfFont;
        font->m_btnTextColor.SetDefaultColour(GetDefaultColour());
        font->m_btnTextColor.SetColour(m_crText);
        font->m_btnBackColor.SetDefaultColour(GetSysColor(COLOR_WINDOW));
        font->m_btnBackColor.SetColour(m_crBack);

        // The comment may point at any node of the job that takes part in it.
        CComboBox& combo = font->m_cbReferenceNode;
        combo.ResetContent();
        combo.SetItemData(combo.AddString("(None)"), 0);
        for (int i = 0; m_pDoc && i < m_pDoc->GetNodeCount(); ++i)
        {
            HostNode* node = m_pDoc->GetNodeAt(i);
            if (node == this || node->m_nKind == NODE_COMMENT)
                continue;
            combo.SetItemData(combo.AddString(node->m_strName), DWORD_PTR(node->m_nID));
        }
        for (int i = 0; i < combo.GetCount(); ++i)
            if (int(combo.GetItemData(i)) == m_nReferenceNode)
                combo.SetCurSel(i);
    }

    InitialCollectPages(*this, dlg);
    InitialActionPages(*this, dlg);

    // Links from the node to itself count once, as outgoing, as the dialog lists them.
    int in = 0, out = 0;
    for (int i = 0; m_pDoc && i < m_pDoc->GetLinkCount(); ++i)
    {
        HostLink* link = m_pDoc->GetLinkAt(i);
        if (link->m_nFromNodeID == m_nID)
            ++out;
        else if (link->m_nToNodeID == m_nID)
            ++in;
    }
    if (auto* links = DialogPage<CDlgDefineLinkIn>(dlg, NodeOptions::LINKS_IN))
        links->m_strLinkInfo = LinkCountText(in, "incoming");
    if (auto* links = DialogPage<CDlgDefineLinkOut>(dlg, NodeOptions::LINKS_OUT))
        links->m_strLinkInfo = LinkCountText(out, "outgoing");
    return TRUE;
}

BOOL HostNode::SaveDlgData(CDlgDefineNode* dlg)
{
    if (!dlg)
        return FALSE;
    auto* basic = DialogPage<CDlgDefineNodeBasic>(dlg, NodeOptions::BASIC);
    auto* notes = DialogPage<CDlgDefineNodeNotes>(dlg, NodeOptions::NOTES);
    auto* font = DialogPage<CDlgDefineNodeCmtFontColor>(dlg, NodeOptions::COMMENT_FONT);

    // Refuse before anything is stored, so that a refused OK leaves the node as it was.
    if (basic)
    {
        CString name = basic->m_strName;
        if (name.Trim().IsEmpty())
        {
            AfxMessageBox("Please enter a name for the node.", MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }

    if (basic)
    {
        m_strName = basic->m_strName;
        m_bGlobalAccess = basic->m_bGlobalAccess;
        m_bExcludeFromMakeJob = basic->m_bExcludeFromMakeJob;
        COLORREF colour = basic->m_btnColor.GetColour();
        m_crColour = colour == CLR_DEFAULT ? GetDefaultColour() : colour;
        if (basic->m_bStartNode && m_pDoc)
            m_pDoc->SetStartNode(this);
        else
            m_bStartNode = basic->m_bStartNode;
    }

    if (notes)
        m_strComment = notes->m_strComment;

    if (auto* screen = DialogPage<CDlgDefineNodeScreen>(dlg, NodeOptions::SCREEN))
    {
        if (CString shown = screen->m_screen.GetPrompt(); shown != m_strScreenShown)
            m_strScreenText = shown;
        m_bNoClearOnExit = screen->m_bNoClearOnExit;
        m_bNoClearBeforeDisplay = screen->m_bNoClearBeforeDisplay;
        m_bHideCursor = screen->m_bHideCursor;
    }

    if (auto* pos = DialogPage<CDlgDefineNodeScreenPosition>(dlg, NodeOptions::SCREEN_POSITION))
    {
        DisplayPosition& p = m_position;
        p.bPrintDirect = pos->m_nPrintDirect == 1;
        p.bClearToEnd = pos->m_bClearToEnd;
        p.nPromptRow = pos->m_nPromptRow;
        p.nPromptColumn = pos->m_nPromptColumn;
        p.strPositionMark = pos->m_strPositionMark;
        p.bInputAtLocation = pos->m_nInputAtLocation == 1;
        p.nInputRow = pos->m_nInputRow;
        p.nInputColumn = pos->m_nInputColumn;
        p.bNoPositionMark = pos->m_bNoPositionMark;
        p.bAsPassword = pos->m_bAsPassword;
        p.bNoDisplay = pos->m_bNoDisplay;
    }

    SaveCollectPages(*this, dlg);
    SaveActionPages(*this, dlg);

    if (font)
    {
        m_bUseDefaultFont = font->m_bUseDefaultFont;
        m_lfFont = font->m_lfFont;
        COLORREF text = font->m_btnTextColor.GetColour();
        m_crText = text == CLR_DEFAULT ? GetDefaultColour() : text;
        COLORREF back = font->m_btnBackColor.GetColour();
        m_crBack = back == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : back;
        int sel = font->m_cbReferenceNode.GetCurSel();
        m_nReferenceNode = sel >= 0 ? int(font->m_cbReferenceNode.GetItemData(sel)) : 0;
    }
    return TRUE;
}
