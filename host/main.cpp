// jobhost: the reference host. With a display it opens the library's dialogs in real windows;
// with --gallery DIR it renders each of them to a PNG file instead.
#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "find/CDlgFind.h"
#include "platform/afxhooks.h"
#include "resources/resource.h"

namespace
{

struct GalleryEntry
{
    const char* file;
    std::function<void(CDialog*&)> make; // creates the dialog, modeless, ready to render
};

std::vector<GalleryEntry> Gallery()
{
    return {
        {"find.png",
         [](CDialog*& dlg) {
             auto* find = new CDlgFind;
             find->m_strPrompt = "Search the job for a node, a link or a record.";
             find->Create(IDD_FIND);
             dlg = find;
         }},
    };
}

int RenderGallery(const char* folder)
{
    QDir().mkpath(QString::fromLocal8Bit(folder));
    int failures = 0;
    for (const GalleryEntry& e : Gallery())
    {
        CDialog* dlg = nullptr;
        e.make(dlg);
        std::string path = std::string(folder) + "/" + e.file;
        dlg->ShowWindow(SW_SHOW);
        pdt::hooks::ProcessEvents();
        if (pdt::hooks::SaveWindowImage(dlg->m_hWnd, path.c_str()))
            std::printf("%s\n", path.c_str());
        else
        {
            std::fprintf(stderr, "jobhost: could not render %s\n", path.c_str());
            ++failures;
        }
        dlg->DestroyWindow();
        delete dlg;
        pdt::hooks::ProcessEvents();
    }
    return failures ? 1 : 0;
}

int RunInteractive()
{
    CDlgFind find;
    find.m_strPrompt = "Search the job for a node, a link or a record.";
    if (find.DoModal() == IDOK)
        std::printf("Find \"%s\"%s%s\n", find.m_strFind.c_str(), find.m_bMatchCase ? ", match case" : "",
                    find.m_bOutputToPane2 ? ", output to pane 2" : "");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const char* gallery = nullptr;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gallery") == 0 && i + 1 < argc)
            gallery = argv[++i];
    if (gallery && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("jobhost"));
    return gallery ? RenderGallery(gallery) : RunInteractive();
}
