// jobhost: the reference host. With a display it opens the main window on a job (jobhost [FILE]);
// with --gallery DIR it renders each of the library's dialogs to a PNG file instead; with --simulate JOB it runs
// the job headless (docs/simulation.md).
#include <QApplication>

#include <cstring>
#include <iostream>

#include "host/app/Gallery.h"
#include "host/app/MainFrame.h"
#include "host/app/SimulationScript.h"

int main(int argc, char** argv)
{
    const bool simulate = IsSimulateCommand(argc, argv);
    const char* gallery = nullptr;
    const char* file = nullptr;
    for (int i = 1; i < argc && !simulate; ++i)
        if (std::strcmp(argv[i], "--gallery") == 0 && i + 1 < argc)
            gallery = argv[++i];
        else if (argv[i][0] != '-')
            file = argv[i];
    if ((gallery || simulate) && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("jobhost"));
    if (simulate)
        return RunSimulateCommand(argc, argv, std::cout, std::cerr);
    return gallery ? RunGallery(gallery) : RunMainWindow(file);
}
