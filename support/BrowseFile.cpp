#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringList>

#include <algorithm>
#include <string>

#include "platform/window_p.h"
#include "support/Seams.h"
#include "support/Support.h"

namespace
{

pdt::support::FileDialogHandler g_fileDialog;

constexpr const char* kSection = "BrowseFile";

std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;)
    {
        size_t at = s.find(sep, start);
        parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

std::string Trimmed(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}
std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return s;
}

// Paths here are as the file system names them (UTF-8); a path in the window text's code page is converted on the
// way in and out, in BrowseFile.

// The folder part of a path written with either separator; empty when there is none.
std::string FolderOf(const std::string& path)
{
    size_t at = path.find_last_of("/\\");
    if (at == std::string::npos)
        return std::string();
    std::string folder = path.substr(0, at);
    if (folder.empty())
        folder = "/";
    std::replace(folder.begin(), folder.end(), '\\', '/');
    return folder;
}

std::string NameOf(const std::string& path)
{
    size_t at = path.find_last_of("/\\");
    return at == std::string::npos ? path : path.substr(at + 1);
}

bool IsFolder(const std::string& folder)
{
    return !folder.empty() && QFileInfo(QString::fromStdString(folder)).isDir();
}

// The folder remembered for a category, kept in UTF-8; one stored before that is not UTF-8 was written in the code
// page of its day.
std::string RememberedFolder(const CString& category)
{
    std::string stored = theReg.GetString(kSection, category, "").str();
    return IsUtf8(stored) ? stored : CString(stored).ToUtf8();
}

std::string RunFileDialog(CWnd* parent, const pdt::support::FileDialogRequest& request)
{
    if (g_fileDialog)
        return g_fileDialog(request).str();
    QWidget* owner = parent ? pdt::win::PeerWindow(parent->m_hWnd) : nullptr;
    QStringList filters;
    for (const CString& f : request.filters)
        filters << ToQt(f);
    QString start = QString::fromStdString(request.folder.str());
    if (!request.fileName.IsEmpty())
        start = QDir(start).filePath(QString::fromStdString(request.fileName.str()));
    // The toolkit's own dialog, so that it looks and behaves the same on every desktop.
    QFileDialog dialog(owner, ToQt(request.caption), start, filters.join(QStringLiteral(";;")));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // A path typed into the name field completes in the field itself: the list the toolkit would drop below it
    // is a window of its own, and keys typed while it comes and goes are lost.
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); name && name->completer())
        name->completer()->setCompletionMode(QCompleter::InlineCompletion);
    QString chosen;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        chosen = dialog.selectedFiles().first();
    return chosen.toStdString();
}

} // namespace

namespace pdt::support
{

void SetFileDialogHandler(FileDialogHandler handler)
{
    g_fileDialog = std::move(handler);
}

std::vector<CString> NameFiltersFromMfc(const char* filter)
{
    std::vector<CString> out;
    std::vector<std::string> parts = Split(filter ? filter : "", '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
    {
        std::string desc = Trimmed(parts[i]);
        std::vector<std::string> patterns;
        bool all = false;
        for (const std::string& raw : Split(parts[i + 1], ';'))
        {
            std::string p = Trimmed(raw);
            if (p.empty())
                continue;
            if (p == "*.*" || p == "*")
            {
                all = true; // Windows' "*.*" takes names without a dot too
                continue;
            }
            for (const std::string& v : {p, Lower(p), Upper(p)})
                if (std::find(patterns.begin(), patterns.end(), v) == patterns.end())
                    patterns.push_back(v);
        }
        if (all)
            patterns.assign(1, "*");
        if (patterns.empty())
            continue;
        // The toolkit reads the patterns from the last parentheses; a description that shows them already
        // would otherwise show them twice.
        if (!desc.empty() && desc.back() == ')')
            if (size_t open = desc.rfind('('); open != std::string::npos)
                desc = Trimmed(desc.substr(0, open));
        if (desc.empty())
            desc = all ? "All Files" : "Files";
        std::string joined;
        for (const std::string& p : patterns)
            joined += (joined.empty() ? "" : " ") + p;
        out.push_back(CString(desc + " (" + joined + ")"));
    }
    if (out.empty())
        out.push_back("All Files (*)");
    return out;
}

} // namespace pdt::support

BOOL BrowseFileName(CWnd* parent, std::string& path, bool open, LPCTSTR categoryKey, LPCTSTR filter)
{
    CString category = categoryKey ? categoryKey : "";
    pdt::support::FileDialogRequest request;
    request.open = open;
    request.caption = open ? "Open" : "Save As";
    request.filters = pdt::support::NameFiltersFromMfc(filter);
    request.fileName = NameOf(path).c_str();

    std::string folder = FolderOf(path);
    if (!IsFolder(folder) && !category.IsEmpty())
        folder = RememberedFolder(category);
    if (!IsFolder(folder))
        folder = QDir::homePath().toStdString();
    request.folder = folder.c_str();

    std::string chosen = RunFileDialog(parent, request);
    if (chosen.empty())
        return FALSE;
    path = chosen;
    std::string chosenFolder = FolderOf(chosen);
    if (!category.IsEmpty() && !chosenFolder.empty())
        theReg.WriteString(kSection, category, chosenFolder.c_str());
    return TRUE;
}

BOOL BrowseFile(CWnd* parent, CString& path, bool open, LPCTSTR categoryKey, LPCTSTR filter)
{
    std::string name = path.ToUtf8();
    if (!BrowseFileName(parent, name, open, categoryKey, filter))
        return FALSE;
    path = CString::FromUtf8(name);
    return TRUE;
}
