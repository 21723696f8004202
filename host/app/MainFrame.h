// jobhost's main window: a top-level window of the platform layer (so the library's dialogs have the CWnd parent
// they expect) holding a menu bar and the flowchart view. It owns the job document, or shows one it is lent,
// keeps the node definition dialog open beside the flowchart, and never drops unsaved changes unasked.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/app/FindResults.h"
#include "host/app/FlowchartView.h"
#include "host/app/MenuBar.h"
#include "host/app/Toolbar.h"
#include "host/app/UndoHistory.h"
#include "host/model/JobDocument.h"
#include "platform/afxwin.h"

class CDlgDefineNode;
class HostLink;
class HostNode;

class MainFrame : public CFrameWnd
{
  public:
    MainFrame();
    ~MainFrame() override;

    // Opens the window on a job it owns (jobhost) or on one it is lent and must leave alone afterwards.
    BOOL Create(std::unique_ptr<JobDocument> doc, const CRect& rect = CRect(60, 60, 1060, 760));
    BOOL Create(JobDocument& doc, const CRect& rect = CRect(60, 60, 1060, 760));
    // The job came from this file (jobhost's argument): Save writes back to it.
    void SetFileName(const CString& path);

    JobDocument& GetDocument() { return *m_pDoc; }
    FlowchartView& GetView() { return m_view; }
    MenuBar& GetMenuBar() { return m_menuBar; }
    // The node definition dialog kept beside the flowchart; null until one was opened.
    CDlgDefineNode* GetNodeDialog() const;

    // The document in the window's hands: a user's command that would drop it asks first whether to save it
    // ("Save changes to ...?"). False when the user cancelled or the save failed: nothing more may happen.
    bool SaveModified();
    // Opens a job file; on failure the reader's message is shown and the current job stays. Paths are kept
    // absolute, so the recent files and the file dialogs find them from any folder.
    bool OpenFile(const CString& path);
    // jobhost's first job: the file named on its command line, else a copy of the shipped sample that has no file of
    // its own (Save asks where). A named file that cannot be opened leaves the job there is, beside its message.
    void OpenStartingJob(const char* file);
    // Saves to a file; on failure the error is shown and the job stays modified.
    bool SaveFile(const CString& path);
    // The recent files, newest first, as kept in the settings store.
    static std::vector<CString> GetRecentFiles();

    // Find's output pane: shown when Find lists its results there ("Output To Pane 2").
    FindResultsPane& GetFindResults() { return m_results; }

    // The status bar's text: the selection, the link tool's state, the pointer's place on the page.
    CString GetStatusText() const;
    Toolbar& GetToolbar() { return m_toolbar; }

    // Undo and Redo: the job as it was before each change the windows made, back to when it was opened.
    UndoHistory& GetHistory() { return m_history; }

    // The title the window shows for a job file: its name, a star while it has unsaved changes.
    CString MakeTitle() const;

    // Runs when the window has gone (jobhost ends its event loop).
    std::function<void()> onClosed;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    DECLARE_MESSAGE_MAP()

  protected:
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileExport();
    void OnFilePageSetup();
    void OnFilePrintPreview();
    void OnFilePrint();
    void OnFileMru(UINT id);
    void OnAppExit();
    void OnEditUndo();
    void OnEditRedo();
    void OnEditFind();
    void OnEditFindNext();
    void OnEditDelete();
    void OnEditSelectAll();
    void OnViewZoom(UINT id);
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditDuplicate();
    void OnArrange(UINT id);
    void OnNodeNew(UINT id);
    void OnNodeLink();
    void OnDefineNode();
    void OnDefineRecord(UINT id);
    void OnDefinePortable();
    void OnDefineGlobal();
    void OnDefineJob();
    void OnDefineLanguage();
    void OnSimulate();
    void OnHelpKeyboard();
    void OnViewStatusBar();
    void OnViewToolbar();
    void ToggleBar(CWnd& bar, bool& shown, const char* setting);
    void OnAppAbout();
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnDropFiles(WPARAM, LPARAM);
    LRESULT OnOpenDropped(WPARAM, LPARAM);
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);

  private:
    BOOL CreateWindows(const CRect& rect);
    void SetDocument(std::unique_ptr<JobDocument> owned, JobDocument* doc);
    void InitMenu(int index, CMenu& popup);
    void UpdateTitle();
    void UpdateBars(); // the status bar's text, the toolbar's link tool and Run
    void UpdateStatusText();
    bool Save();   // to the job's file, or Save As for a job that has none yet
    bool SaveAs();
    void AddRecentFile(const CString& path);
    void RemoveRecentFile(const CString& path);
    void RunJobDialog(int mode);

    // Each change becomes a step once it is whole: after the views heard of it and after a modal dialog closed.
    void RecordChange();
    void ResetHistory();
    void Restore(const std::string& now, const std::string* then);

    // The node dialog: opened on a double click, loaded with each node selected while it shows.
    // A person's opening puts it beside the node; one that brings back a dialog that was open keeps its place.
    void OpenNodeDialog(HostNode* node, HostLink* link, bool beside = true);
    void LoadNodeDialog(HostNode* node, HostLink* link);
    void CloseNodeDialog();
    void PlaceBesideNode(CWnd& wnd, const HostNode& node);
    void OnSelectionChanged();
    // Before what the node dialog holds would be lost (another node loaded, the job gone): when it holds changes
    // not applied, asks whether to apply or discard them. False when the person chose to stay, or an applied value
    // was refused: nothing more may happen. `asked` tells whether the question came.
    bool SettleNodeDialog(bool* asked = nullptr);
    bool MayLoadNodeDialog(int nodeId, int linkId, bool& asked);

    bool FindNext(); // selects the next node that matches, after the selected one, wrapping
    void ListFindResults();
    void ShowFindResults(bool show);
    void OnFindResultSelected();
    void OnFindResultActivated();

    std::unique_ptr<JobDocument> m_owned;
    JobDocument* m_pDoc = nullptr;
    MenuBar m_menuBar;
    FlowchartView m_view;
    std::unique_ptr<CDlgDefineNode> m_nodeDlg;
    CString m_strFind;
    BOOL m_bMatchCase = FALSE;
    BOOL m_bOutputToPane2 = FALSE;
    FindResultsPane m_results;
    bool m_bResultsShown = false;
    CStatic m_status;
    Toolbar m_toolbar;
    bool m_bToolbar = true; // shown; kept in the settings
    bool m_bStatusBar = true; // shown; kept in the settings
    CPoint m_ptPointer{-1, -1}; // on the page; x < 0: not over it yet
    CString m_strDropped; // a dropped file, opened once the drag has ended
    bool m_bHasFile = false; // the job was read from or written to m_strPathName
    UndoHistory m_history;
    std::string m_snapshot; // what RecordChange takes the job into and Undo leaves the job it took back in, for the memory
    bool m_bRestoring = false;
    std::vector<HWND> m_jobWindows; // opened on the job by Run Job: they go with it
};

// The main window on a job, shown, for the gallery to render; the caller deletes it. The job stays the caller's.
CWnd* CreateMainFrameForGallery(JobDocument& doc);

// jobhost with a display: the main window on FILE (null: the sample job), until it is closed. Returns the exit code.
int RunMainWindow(const char* file);
