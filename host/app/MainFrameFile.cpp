// The main window's job files: read and written through the job file format, never half-opened.
#include "host/app/MainFrame.h"

#include "host/jobfile/JobFile.h"

namespace
{
constexpr char kAppName[] = "jobhost";
}

void MainFrame::SetFileName(const CString& path)
{
    m_pDoc->m_strPathName = path;
    m_bHasFile = true;
    UpdateTitle();
}

bool MainFrame::OpenFile(const CString& path)
{
    std::string error;
    std::unique_ptr<JobDocument> doc = LoadJobFile(path.str(), &error);
    if (!doc)
    {
        CString text;
        text.Format("Cannot open %s.\n\n%s", path.c_str(), error.c_str());
        MessageBox(text, kAppName, MB_OK | MB_ICONSTOP);
        return false;
    }
    doc->m_strPathName = path;
    doc->SetModifiedFlag(FALSE);
    JobDocument* shown = doc.get();
    SetDocument(std::move(doc), shown);
    m_bHasFile = true;
    AddRecentFile(path);
    UpdateTitle();
    return true;
}

bool MainFrame::SaveFile(const CString& path)
{
    std::string error;
    if (!SaveJobFile(*m_pDoc, path.str(), &error))
    {
        CString text;
        text.Format("Cannot save %s.\n\n%s", path.c_str(), error.c_str());
        MessageBox(text, kAppName, MB_OK | MB_ICONSTOP);
        return false;
    }
    RecordChange();
    m_history.MarkSaved();
    m_pDoc->m_strPathName = path;
    m_pDoc->SetModifiedFlag(FALSE);
    m_bHasFile = true;
    AddRecentFile(path);
    UpdateTitle();
    return true;
}
