// Opens the library's Find dialog and a portable screen inside this program's own QApplication, as a job
// generator would, and checks that the library found its own templates.
#include <QApplication>

#include <cstdio>

#include "find/CDlgFind.h"
#include "resources/resource.h"
#include "simulation/PortableScreen.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    CDlgFind find;
    find.m_strPrompt = "Find a node";
    if (!find.Create(IDD_FIND) || !find.GetDlgItem(IDC_FIND_TEXT))
    {
        std::fprintf(stderr, "outside host: the Find dialog did not open from its template\n");
        return 1;
    }
    CString title = find.GetWindowText();
    find.DestroyWindow();

    CFrameWnd frame;
    frame.Create(nullptr, "Outside host", WS_POPUP | WS_CAPTION, CRect(0, 0, 480, 300));
    CPortableScreen screen(RGB(0xC8, 0xE0, 0x90));
    if (!screen.Create(CSize(460, 260), CRect(6, 6, 466, 266), IDC_SCREEN_WINDOW, &frame) ||
        !screen.Initial("M-20", CSize(21, 8), 0))
    {
        std::fprintf(stderr, "outside host: the portable screen did not open\n");
        return 1;
    }
    screen.SetPrompt("HELLO");
    if (screen.GetPrompt().Left(5) != "HELLO")
    {
        std::fprintf(stderr, "outside host: the screen lost its text\n");
        return 1;
    }
    frame.DestroyWindow();
    std::printf("outside host: \"%s\" and a portable screen opened\n", title.c_str());
    return 0;
}
