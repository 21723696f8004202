// jobhost's simulation window: the terminal's screen in its geometry and the job's language, the keypad dialog of
// the terminal's model beside it (clicked, or typed on the computer's keyboard), the data files as tables, the
// runner's log, and Run, Stop and Restart. The support library's simulation flag is set while the job runs and
// cleared on every way out.
#pragma once

#include <memory>
#include <string>

#include "platform/afxwin.h"
#include "simulation/PortableScreen.h"

class CDlgDefineKeypad;
class JobDocument;
class JobRunner;
class PortableScreenTerminal;

class SimulationWindow : public CDialog
{
  public:
    explicit SimulationWindow(JobDocument& doc);
    ~SimulationWindow() override;

    // Opens the window, modeless, and starts the job.
    BOOL Create(CWnd* parent = nullptr);
    // The window deletes itself when it is closed (the main window's command leaves it to itself).
    void SetAutoDelete(bool autoDelete) { m_bAutoDelete = autoDelete; }

    void Run();     // starts the job unless it runs
    void Stop();    // ends it
    void Restart(); // starts it again, with empty data files
    // A file on the terminal from now on (kept over restarts), as Load File... puts it there.
    void LoadFile(const std::string& name, const std::string& bytes);

    JobRunner& GetRunner() { return *m_runner; }
    CPortableScreen& GetScreen() { return m_screen; }
    CDlgDefineKeypad* GetKeypad() { return m_pKeypad.get(); }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // A key of the keypad reached the job: the panes follow it.
    void OnKeypadKey(int nKeyID);

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;

    void OnRun();
    void OnStop();
    void OnRestart();
    void OnScan();
    void OnLoadFile();
    void OnSelchangeFiles();
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

  private:
    // Places the panes in a client area of cx x cy: the screen and the keypad keep their size at the top, the state
    // line takes the width and the lines its text needs, the data files and the log share the rest. Keeps the
    // smallest client size that shows it all in m_sizeMin.
    void Layout(int cx, int cy);
    void HideKeypadExtras();
    void RefreshPanes();
    void ShowFile();
    void SetRunning(bool running);
    bool InKeypad(HWND h) const;

    JobDocument& m_doc;
    CPortableScreen m_screen;
    std::unique_ptr<PortableScreenTerminal> m_terminal;
    std::unique_ptr<JobRunner> m_runner;
    std::unique_ptr<CDlgDefineKeypad> m_pKeypad;
    bool m_bAutoDelete = false;
    bool m_bFlagSet = false;
    size_t m_nLogShown = 0;
    CSize m_sizeMin;
    bool m_bLaidOut = false;
};

// Simulation > Run Job of the main window: opens the simulation of the document's job.
CWnd* OpenSimulation(CWnd* frame, JobDocument& doc);
// For the gallery: the simulation window on the job, some keys into the run (the sample job: its scan node with a
// code being typed and a record written). The caller destroys and deletes it.
CWnd* MakeSimulationInProgress(JobDocument& doc);
