// A flowchart node of the reference host: what a job generator keeps of a node, and the mapping
// between those fields and the node dialog's pages.
#pragma once

#include <string>

#include "framework/HostObjects.h"
#include "host/model/HostNodeCollect.h"
#include "host/model/NodeActions.h"

class JobDocument;

// The node kinds this host knows.
enum : int
{
    NODE_SCREEN = 1,
    NODE_INPUT = 2,
    NODE_COUNT = 3,
    NODE_UPLOAD = 4,
    NODE_ERASE = 5,
    NODE_EDIT = 6,
    NODE_PROGRAM = 7,
    NODE_RUNJOB = 8,
    NODE_COMMENT = 20,
};

class HostNode : public CNodeBase, public NodeActions
{
  public:
    HostNode(JobDocument* doc, int id, int kind, const CString& name);

    BOOL InitialDlgData(CDlgDefineNode* dlg) override;
    BOOL SaveDlgData(CDlgDefineNode* dlg) override;
    CString GetTypeName() override;
    COLORREF GetDefaultColour() override;
    void OnDefineUpdated(BOOL redraw) override;
    CVTR5Doc* GetDocument() override;
    // How windows name the node to the person: its name and its number as the flowchart shows it, so that two
    // nodes of one name are told apart ("Scan Item (3)").
    CString GetLabel() const;
    JobDocument* GetJobDocument() const { return m_pDoc; }

    static bool IsKnownKind(int kind);
    static const char* KindName(int kind);        // null for an unknown kind
    static const char* KindDescription(int kind); // "" for an unknown kind
    static COLORREF KindColour(int kind);

    // Where the node's box sits on the flowchart page (its top left corner, in page units).
    CPoint m_ptPosition;

    // Basic settings.
    CString m_strDescription; // shown read-only on the basic page; starts as the kind's description
    BOOL m_bStartNode = FALSE;
    BOOL m_bGlobalAccess = FALSE;
    BOOL m_bExcludeFromMakeJob = FALSE;
    COLORREF m_crColour; // flowchart colour; starts as the kind's default
    CString m_strComment; // the notes

    // What the node shows on the terminal's screen.
    CString m_strScreenText;
    // The stored text as the screen reads it back, line ends as CR LF.
    static CString ScreenTextAsRead(const CString& text);
    BOOL m_bNoClearOnExit = FALSE;
    BOOL m_bNoClearBeforeDisplay = FALSE;
    BOOL m_bHideCursor = FALSE;

    // Input and count nodes: where the prompt is printed and the input shown.
    struct DisplayPosition
    {
        bool bPrintDirect = false; // else following the last print
        bool bClearToEnd = false;
        int nPromptRow = 0;
        int nPromptColumn = 0;
        CString strPositionMark = "_";
        bool bInputAtLocation = false; // else at the current position
        int nInputRow = 0;
        int nInputColumn = 0;
        bool bNoPositionMark = false;
        bool bAsPassword = false;
        bool bNoDisplay = false;
    } m_position;

    // Collect nodes: input, verification and symbologies; a count node keeps its data type here too.
    CollectSettings m_collect;
    // Count nodes: the initial value and the two operations.
    CountSettings m_count;

    // Comment nodes: font, colours and the node the comment is about.
    LOGFONT m_lfFont;
    BOOL m_bUseDefaultFont = TRUE;
    COLORREF m_crText;
    COLORREF m_crBack;
    int m_nReferenceNode = 0; // 0: none

    // What a newer job file held for this object that this version does not know, as that file's text: kept as
    // given and written back on save. The model never reads it.
    std::string m_strExtra;

    // Every OnDefineUpdated, so that the flowchart redraws the node.
    int m_nDefineUpdates = 0;
    BOOL m_bLastRedraw = FALSE;

  private:
    JobDocument* m_pDoc;
    CString m_strScreenShown; // the screen's text as the dialog opened, to tell whether the user edited it
};
