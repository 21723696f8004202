// The job document of the reference host: nodes, links, records and the terminal of one job, and
// the answers the library's dialogs ask the document for.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/HostObjects.h"
#include "framework/OptionItem.h"
#include "host/model/HostJobLanguage.h"
#include "host/model/HostJobSettings.h"
#include "host/model/HostNode.h"
#include "host/model/HostRecord.h"
#include "host/model/IdIndex.h"

class HostNode;
class HostLink;
class CDlgDefineNode;
class HostTerminal;
class JobOptions;
class NodeOptions;

// A view of the document. The flowchart and the panes derive from it; OnUpdate is MFC's.
class HostView : public CView
{
  public:
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);

    int m_nUpdates = 0;
    LPARAM m_lLastHint = 0;
};

// Hints passed to UpdateAllViews besides the library's 0 (the object is the hint object).
enum : LPARAM
{
    HINT_LINK_DELETED = 1, // the hint object is null: the link is already gone
};

class JobDocument : public CVTR5Doc
{
  public:
    JobDocument();
    ~JobDocument() override;
    JobDocument(const JobDocument&) = delete;
    JobDocument& operator=(const JobDocument&) = delete;

    // What the library asks of the document.
    void SetModifiedFlag(BOOL modified = TRUE) override;
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr) override;
    CView* GetMainView() override;
    CNodeBase* GetNodeByID(int id) override;
    CNodeLink* GetLinkByID(WORD id) override;
    int GetNodeLinks(int nodeId, CWordArray& ids, int flags) override;
    CString GetRecordFileName(DWORD_PTR recordData, int flags) override;
    BOOL DeleteLink(CNodeLink* link, BOOL ask) override;
    CSize GetScreenSize() override;
    void GetBarcodeName(WORD code, CString& name) override;
    BOOL InitialDlgData(CDlgDefineJob* dlg) override;
    BOOL SaveDlgData(CDlgDefineJob* dlg) override;

    BOOL IsModified() const { return m_bModified; }

    int m_nLanguage = 0;    // job language: 0 English, 1 Chinese, 2 Japanese, 4 Spanish ...
    // The Windows code page the job's text is in: 936 (GB) or 950 (Big5) for Chinese, 932 for Japanese, else 1252.
    int GetCodePage() const;
    JobSettings m_settings; // what the job dialog's general pages edit (HostJobSettings.cpp)
    // Numbers the job file held out of their range, which the reader left at their defaults: "where: value is
    // outside lo to hi". Empty for a job not read from a file.
    std::vector<std::string> m_readResets;
    int m_nZoom = 100; // the flowchart's zoom in percent, kept with the job's view
    JobLanguageSettings m_language; // double-byte font, flowchart fonts, prompts (HostJobLanguage.cpp)
    // What a newer job file held for the job as a whole (its settings, terminal ...) that this version does not
    // know, as that file's text: kept as given and written back on save. The model never reads it.
    std::string m_strExtra;
    // The file an untitled copy was made from (jobhost's copy of the shipped sample), else empty.
    CString m_strOrigin;
    // What the job's relative file names (a run-job node's job, the data files it reads) are found beside: its
    // file, or the file its untitled copy was made from.
    // What the job is called: its file's name, or "Untitled" before it has one.
    CString GetTitle() const;
    std::string GetFileBase() const { return m_strPathName.IsEmpty() ? m_strOrigin.str() : m_strPathName.str(); }

    // Nodes, in the order they were added. id 0 picks the next free id; a taken id or an unknown
    // kind gives null. A new node stands in the next cell of a grid on the flowchart page.
    HostNode* AddNode(int kind, const CString& name, int id = 0);
    BOOL RemoveNode(int id); // with every link that starts or ends at it; the caller marks the change
    int GetNodeCount() const override { return int(m_nodes.size()); }
    HostNode* GetNodeAt(int index) const override;
    HostNode* FindNode(int id) const;
    HostNode* FindNodeByName(const CString& name) const;

    // Links join two nodes of this document. Ids are 16-bit; id 0 picks the next free one.
    HostLink* AddLink(int fromNodeId, int toNodeId, int id = 0);
    BOOL RemoveLink(int id); // the caller marks the change; DeleteLink is the user's command
    int GetLinkCount() const { return int(m_links.size()); }
    HostLink* GetLinkAt(int index) const;
    HostLink* FindLink(int id) const;

    // Records; the record lists of the pages carry the record id as item data.
    HostRecord* AddRecord(const CString& name, const CString& dataFile, int id = 0);
    BOOL RemoveRecord(int id); // the caller marks the change
    int GetRecordCount() const { return int(m_records.size()); }
    HostRecord* GetRecordAt(int index) const;
    HostRecord* FindRecord(int id) const;

    HostTerminal& Terminal() { return *m_terminal; }

    // Puts the nodes, links or records in the order of `ids`; those it does not name follow in their own order.
    void ArrangeNodes(const std::vector<int>& ids);
    void ArrangeLinks(const std::vector<int>& ids);
    void ArrangeRecords(const std::vector<int>& ids);

    // The only start node of the job: setting one clears the flag on all the others.
    void SetStartNode(HostNode* node);
    int GetStartNodeId() const; // the first node marked as the start, 0 for none

    // The option array of a node kind, owned by the document; null for an unknown kind.
    OPTIONITEM* GetNodeOptions(int kind);
    // Prepares the node dialog for a node: opens on the entry last used for its kind. Returns the array.
    OPTIONITEM* BeginDefineNode(CNodeBase* node);
    // Prepares the node dialog of the link's source node, opening on the link's page.
    OPTIONITEM* BeginDefineLink(HostLink* link, HostNode** node);

    // The option arrays of the portable dialog and of a job dialog mode (null for an unknown mode).
    OPTIONITEM* GetPortableOptions();
    OPTIONITEM* GetJobOptions(int mode);

    // The node dialog kept open beside the flowchart, if any (null: none), set once its window exists. The
    // dialog holds the node and the links it shows: removing them releases the dialog, or loads its node
    // again, first. A dialog whose window has gone is let alone, even if the host forgot to say so.
    void SetNodeDialog(CDlgDefineNode* dlg);
    CDlgDefineNode* GetNodeDialog() const;

    // Views: the main view is the document's own; others are attached and detached by their owners.
    void AddView(HostView* view);
    void RemoveView(HostView* view);

    // The last UpdateAllViews, for the views that poll and for the tests.
    int m_nUpdateCount = 0;
    CView* m_pLastUpdateSender = nullptr;
    LPARAM m_lLastUpdateHint = 0;
    CObject* m_pLastUpdateHintObject = nullptr;

  private:
    // Before the node or link goes: a dialog on the node is released; a dialog that shows one of the
    // links goes back to no node, to be loaded again by ReloadNodeDialog once they are gone.
    HostNode* ReleaseNodeDialogFor(int nodeId, int linkId);
    void ReloadNodeDialog(HostNode* node);

    int NextNodeId() const;
    int NextLinkId() const;
    int NextRecordId() const;

    BOOL m_bModified = FALSE;
    std::vector<std::unique_ptr<HostNode>> m_nodes;
    std::vector<std::unique_ptr<HostLink>> m_links;
    std::vector<std::unique_ptr<HostRecord>> m_records;
    IdIndex<HostNode> m_nodeIndex;
    IdIndex<HostLink> m_linkIndex;
    std::unique_ptr<HostTerminal> m_terminal;
    std::unique_ptr<NodeOptions> m_options;
    std::unique_ptr<JobOptions> m_jobOptions;
    HostView m_mainView;
    std::vector<HostView*> m_views;
    CDlgDefineNode* m_pNodeDialog = nullptr;
    HWND m_hNodeDialog = nullptr; // its window, to tell without touching the object that it still exists
    int m_nReloadOptionID = 0, m_nReloadOptionSub = 0; // the entry a reloaded dialog opens on
};

// Makes the job's code page the one window text converts with. jobhost runs one job per process, so the platform's
// single ANSI code page is enough: it is set whenever a job is opened or made new, and when its language changes.
void UseJobCodePage(const JobDocument& doc);
