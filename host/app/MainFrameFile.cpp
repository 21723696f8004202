// The main window's job files: read and written through the job file format, never half-opened.
#include "host/app/MainFrame.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <filesystem>
#include <system_error>

#include "host/app/Export.h"
#include "host/jobfile/JobFile.h"
#include "host/model/SampleJob.h"
#include "support/Print.h"
#include "support/Support.h"

namespace
{
constexpr char kAppName[] = "jobhost";

// Absolute and without "." or "..": what the recent files keep and where the file dialogs start.
CString AbsolutePath(const CString& path)
{
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path.str(), ec);
    return ec ? path : CString(full.lexically_normal().string());
}

// The sample job installed beside the program, or the source tree's; empty when there is none.
CString SampleJobFile()
{
    QString dir = QCoreApplication::applicationDirPath();
    QStringList candidates = {dir + QStringLiteral("/../share/pdtdlg/samples/sample.pdtjob")};
#ifdef PDT_SOURCE_DIR
    candidates << QStringLiteral(PDT_SOURCE_DIR "/samples/sample.pdtjob");
#endif
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return CString(QFileInfo(path).canonicalFilePath().toStdString());
    return CString();
}
} // namespace

void MainFrame::OpenStartingJob(const char* file)
{
    if (file)
    {
        OpenFile(file);
        return;
    }
    std::string error;
    CString sample = SampleJobFile();
    std::unique_ptr<JobDocument> doc = sample.IsEmpty() ? nullptr : LoadJobFile(sample.str(), &error);
    if (!doc)
        doc = MakeSampleJob(); // the one built in, when the file is missing or damaged
    // A copy to try things on: Save asks where, and the shipped file stays as it was; the files it names are still
    // found beside it.
    doc->m_strOrigin = doc->m_strPathName;
    doc->m_strPathName.Empty();
    doc->SetModifiedFlag(FALSE);
    JobDocument* shown = doc.get();
    SetDocument(std::move(doc), shown);
    m_bHasFile = false;
    UpdateTitle();
}

void MainFrame::SetFileName(const CString& path)
{
    m_pDoc->m_strPathName = path;
    m_bHasFile = true;
    UpdateTitle();
}

bool MainFrame::OpenFile(const CString& given)
{
    const CString path = AbsolutePath(given);
    std::string error;
    std::unique_ptr<JobDocument> doc = LoadJobFile(path.str(), &error);
    if (!doc)
    {
        CString text;
        text.Format("Cannot open %s.\n\n%s", CString::FromUtf8(path.str()).c_str(), CString::FromUtf8(error).c_str());
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

bool MainFrame::SaveFile(const CString& given)
{
    const CString path = AbsolutePath(given);
    std::string error;
    if (!SaveJobFile(*m_pDoc, path.str(), &error))
    {
        CString text;
        text.Format("Cannot save %s.\n\n%s", CString::FromUtf8(path.str()).c_str(), CString::FromUtf8(error).c_str());
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

// ---------------------------------------------------------------------------------------------------------------
// Getting the flowchart out.

void MainFrame::OnFileExport()
{
    CString path = m_pDoc->m_strPathName.IsEmpty() ? CString("Untitled") : m_pDoc->m_strPathName;
    if (path.Right(7).CompareNoCase(".pdtjob") == 0)
        path = path.Left(path.GetLength() - 7);
    std::string name = (path + ".svg").str();
    if (!BrowseFileName(this, name, false, "EXPORT",
                        "SVG Pictures (*.svg)|*.svg|PDF Documents (*.pdf)|*.pdf|PNG Pictures (*.png)|*.png||"))
        return;
    CString why;
    if (!ExportFlowchart(m_view, name.c_str(), &why))
    {
        CString text;
        text.Format("Cannot export to %s.\n%s", CString::FromUtf8(name).c_str(), why.c_str());
        MessageBox(text, kAppName, MB_OK | MB_ICONEXCLAMATION);
    }
}

void MainFrame::OnFilePageSetup() { pdt::support::PageSetup(this); }

void MainFrame::OnFilePrintPreview()
{
    pdt::support::PrintPreview(this, [this](CDC& dc) { PrintFlowchart(m_view, dc, m_pDoc->GetTitle()); });
}

void MainFrame::OnFilePrint()
{
    CDC dc;
    if (!dc.Attach(pdt::support::ChoosePrinter(this)))
        return;
    if (!PrintFlowchart(m_view, dc, m_pDoc->GetTitle()))
        MessageBox("The job could not be printed.", kAppName, MB_OK | MB_ICONEXCLAMATION);
    dc.DeleteDC();
}
