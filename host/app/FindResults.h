// Find's second output pane: every node that holds the searched text, one line each, named by its label so that
// two nodes of one name can be told apart, with where the text stands. The owner selects a line's node.
#pragma once

#include <vector>

#include "platform/afxwin.h"

class HostNode;
class JobDocument;

// Where a node holds a text: the first of its name, its description and its screen text that does.
struct NodeMatch
{
    const char* field = nullptr; // null: nowhere
    const CString* value = nullptr;
    explicit operator bool() const { return field != nullptr; }
};
NodeMatch FindInNode(const HostNode& node, const CString& text, bool matchCase);

class FindResultsPane : public CListBox
{
  public:
    BOOL Create(CWnd* parent, UINT id);
    // Lists the matches of every node of the job, in the job's order, under a line that says what was sought.
    // Returns how many nodes matched.
    int List(JobDocument& doc, const CString& text, bool matchCase);
    void Clear();
    // The node a line names (0 for the heading), and the line that names a node (-1: none).
    int NodeIdAt(int index) const;
    int IndexOfNode(int nodeId) const;
};
