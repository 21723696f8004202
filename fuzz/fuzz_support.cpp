#include "fuzz/fuzz_support.h"

#include <QApplication>

#include <cstdio>
#include <memory>
#include <string>

#include <unistd.h>

#include "platform/afxhooks.h"
#include "support/AppProfile.h"

namespace pdt::fuzz
{
namespace
{
int g_boxes = 0;
}

void StartToolkit()
{
    if (QApplication::instance())
        return;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "pdtfuzz";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives as long as the process, as the host's does
    // The screen writes its fitted font size to the store: never into the settings of whoever runs the fuzzer.
    static std::string store = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/pdtfuzz-" +
                               std::to_string(getpid()) + ".ini";
    theReg.SetFileName(store);
    std::atexit([] { std::remove(store.c_str()); });
    pdt::hooks::SetMessageBoxHandler([](const pdt::hooks::MessageBoxRequest &) {
        ++g_boxes;
        return IDOK;
    });
    pdt::hooks::SetPopupMenuHandler([](const pdt::hooks::PopupMenuRequest &) { return 0; });
    pdt::hooks::SetFallbackModalHandler([](CDialog &dlg) { dlg.EndDialog(IDCANCEL); });
}

int TakeMessageBoxes()
{
    int n = g_boxes;
    g_boxes = 0;
    return n;
}

CWnd &HostWindow()
{
    static std::unique_ptr<CWnd> host;
    if (!host)
    {
        StartToolkit();
        WNDCLASS wc{};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.lpszClassName = "PdtFuzzHost";
        AfxRegisterClass(&wc);
        host = std::make_unique<CWnd>();
        host->CreateEx(0, "PdtFuzzHost", "PdtFuzzHost", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(0, 0, 700, 500),
                       nullptr, 0);
        host->ShowWindow(SW_SHOW);
        Pump();
    }
    return *host;
}

void Pump()
{
    pdt::hooks::ProcessEvents();
}

} // namespace pdt::fuzz
