// Leaks on purpose, from inside the toolkit's event dispatch as a window's handler would, so that the sanitizer
// build proves it still reports such a leak: leak checking switched off, or a suppression wide enough to cover
// the toolkit's libraries (and with them every handler of ours they call), makes this test fail.
#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace
{
char* volatile g_kept = nullptr;

__attribute__((noinline)) void LeakFromAHandler()
{
    g_kept = new char[4242];
    g_kept = nullptr; // the only pointer to the block is gone: a leak
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTimer::singleShot(0, &app, [] {
        LeakFromAHandler();
        QApplication::quit();
    });
    int rc = app.exec();
    std::printf("leak_canary: leaked one block of 4242 bytes\n");
    return rc;
}
