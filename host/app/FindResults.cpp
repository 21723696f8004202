#include "host/app/FindResults.h"

#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"

namespace
{

CString Lowered(CString s)
{
    s.MakeLower();
    return s;
}

// One line of a screen text or description: control bytes (line breaks, ESC sequences) shown as spaces.
CString Excerpt(const CString& text)
{
    constexpr int kMost = 60;
    CString out;
    for (int i = 0; i < text.GetLength() && out.GetLength() < kMost; ++i)
    {
        unsigned char c = text[i];
        out += c < 0x20 || c == 0x7F ? ' ' : char(c);
    }
    out.Trim();
    if (out.GetLength() >= kMost)
        out += "...";
    return out;
}

} // namespace

NodeMatch FindInNode(const HostNode& node, const CString& text, bool matchCase)
{
    CString sought = matchCase ? text : Lowered(text);
    for (NodeMatch m : {NodeMatch{"name", &node.m_strName}, NodeMatch{"description", &node.m_strDescription},
                        NodeMatch{"screen text", &node.m_strScreenText}})
        if ((matchCase ? *m.value : Lowered(*m.value)).Find(sought.c_str()) >= 0)
            return m;
    return {};
}

BOOL FindResultsPane::Create(CWnd* parent, UINT id)
{
    return CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", "",
                    WS_CHILD | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 0, 0), parent,
                    id);
}

int FindResultsPane::List(JobDocument& doc, const CString& text, bool matchCase)
{
    ResetContent();
    AddString(""); // the heading, once the count is known
    for (int i = 0; i < doc.GetNodeCount(); ++i)
    {
        HostNode* node = doc.GetNodeAt(i);
        if (NodeMatch m = FindInNode(*node, text, matchCase))
        {
            CString line;
            line.Format("%s, %s: %s", node->GetLabel().c_str(), m.field, Excerpt(*m.value).c_str());
            SetItemData(AddString(line), DWORD_PTR(node->m_nID));
        }
    }
    int found = GetCount() - 1;
    CString head;
    head.Format("Find \"%s\": %d node%s", text.c_str(), found, found == 1 ? "" : "s");
    DeleteString(0);
    InsertString(0, head);
    return found;
}

void FindResultsPane::Clear() { ResetContent(); }

int FindResultsPane::NodeIdAt(int index) const { return index >= 0 && index < GetCount() ? int(GetItemData(index)) : 0; }

int FindResultsPane::IndexOfNode(int nodeId) const
{
    for (int i = 0; nodeId && i < GetCount(); ++i)
        if (NodeIdAt(i) == nodeId)
            return i;
    return -1;
}
