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

// The folder part of a path written with either separator; empty when there is none.
CString FolderOf(const CString& path)
{
    const std::string& s = path.str();
    size_t at = s.find_last_of("/\\");
    if (at == std::string::npos)
        return CString();
    std::string folder = s.substr(0, at);
    if (folder.empty())
        folder = "/";
    for (char& c : folder)
        if (c == '\\')
            c = '/';
    return CString(folder);
}

CString NameOf(const CString& path)
{
    const std::string& s = path.str();
    size_t at = s.find_last_of("/\\");
    return CString(at == std::string::npos ? s : s.substr(at + 1));
}

bool IsFolder(const CString& folder)
{
    return !folder.IsEmpty() && QFileInfo(ToQt(folder)).isDir();
}

CString RunFileDialog(CWnd* parent, const pdt::support::FileDialogRequest& request)
{
    if (g_fileDialog)
        return g_fileDialog(request);
    QWidget* owner = parent ? pdt::win::PeerWindow(parent->m_hWnd) : nullptr;
    QStringList filters;
    for (const CString& f : request.filters)
        filters << ToQt(f);
    QString start = ToQt(request.folder);
    if (!request.fileName.IsEmpty())
        start = QDir(start).filePath(ToQt(request.fileName));
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
    return FromQt(chosen);
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

BOOL BrowseFile(CWnd* parent, CString& path, bool open, LPCTSTR categoryKey, LPCTSTR filter)
{
    CString category = categoryKey ? categoryKey : "";
    pdt::support::FileDialogRequest request;
    request.open = open;
    request.caption = open ? "Open" : "Save As";
    request.filters = pdt::support::NameFiltersFromMfc(filter);
    request.fileName = NameOf(path);

    CString folder = FolderOf(path);
    if (!IsFolder(folder) && !category.IsEmpty())
        folder = theReg.GetString(kSection, category, "");
    if (!IsFolder(folder))
        folder = FromQt(QDir::homePath());
    request.folder = folder;

    CString chosen = RunFileDialog(parent, request);
    if (chosen.IsEmpty())
        return FALSE;
    path = chosen;
    CString chosenFolder = FolderOf(chosen);
    if (!category.IsEmpty() && !chosenFolder.IsEmpty())
        theReg.WriteString(kSection, category, chosenFolder);
    return TRUE;
}
