// The settings file: any bytes as the INI file, then every read the library makes from it (the definition and
// barcode dialogs' window positions, the screen font, the find history, the file browser's folders) and the writes
// that follow them (a window position stored, a search added to the history). Nothing may crash, and every value
// that was in the file and that those writes do not touch reads back unchanged afterwards.
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <strings.h>
#include <unistd.h>
#include <utility>

#include "find/CDlgFind.h"
#include "fuzz/fuzz_screen.h"
#include "fuzz/fuzz_support.h"
#include "platform/afxhooks.h"
#include "resources/resource.h"
#include "simulation/PortableScreen.h"
#include "support/AppProfile.h"
#include "support/Seams.h"
#include "support/Support.h"

namespace
{

std::string FileName()
{
    static std::string name = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                              "/pdtfuzz-settings-" + std::to_string(getpid()) + ".ini";
    return name;
}

std::string Trim(std::string s)
{
    size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// Section and key names as a person reading the file would find them; the store decides what they hold.
std::vector<std::pair<std::string, std::string>> NamesIn(const std::string &text)
{
    std::vector<std::pair<std::string, std::string>> names;
    std::string section;
    size_t at = 0;
    while (at < text.size() && names.size() < 64)
    {
        size_t end = text.find('\n', at);
        std::string line = Trim(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.size() > 1 && line.front() == '[' && line.find(']') != std::string::npos)
            section = Trim(line.substr(1, line.find(']') - 1));
        else if (size_t eq = line.find('='); eq != std::string::npos && eq > 0)
            names.emplace_back(section, Trim(line.substr(0, eq)));
    }
    return names;
}

bool Folded(const std::string &a, const char *b)
{
    return strcasecmp(a.c_str(), b) == 0;
}

// What the library may write: the two window positions, the font preset, the find history and its numbers.
bool Written(const std::pair<std::string, std::string> &name)
{
    const auto &[section, key] = name;
    if (Folded(section, "Find"))
        return true;
    if (!Folded(section, "Settings"))
        return false;
    for (const char *k : {"WPOS_DEFINEBOX", "WPOS_BARCODESETTING", "FONT_SCREEN_PRESET", "FIND_INDEX0"})
        if (Folded(key, k))
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    pdt::fuzz::StartToolkit();
    std::string text(reinterpret_cast<const char *>(data), size);
    {
        std::ofstream out(FileName(), std::ios::binary | std::ios::trunc);
        out << text;
    }
    theReg.SetFileName(FileName());

    auto names = NamesIn(text);
    std::map<std::pair<std::string, std::string>, std::string> before;
    for (const auto &n : names)
        before[n] = std::string(theReg.GetString(n.first.c_str(), n.second.c_str(), "\x01missing"));

    // The reads, in the order a session makes them.
    CWnd &host = pdt::fuzz::HostWindow();
    SetWindowPosition(&host, "Settings", "WPOS_DEFINEBOX", theReg, 1);
    SetWindowPosition(&host, "Settings", "WPOS_BARCODESETTING", theReg, 1);
    for (int language : {0, 1, 2})
    {
        // The screen reads its font settings in Initial; one window serves every input, as in the screen targets.
        auto &screen = pdt::fuzz::ScreenForInput<pdt::fuzz::FuzzScreen>();
        screen.Initial("M-20", CSize(21, 8), language);
        screen.RefreshScreen(true, true);
    }
    CString folder;
    pdt::support::SetFileDialogHandler([&](const pdt::support::FileDialogRequest &r) {
        folder = r.folder;
        return CString();
    });
    CString path;
    BrowseFile(&host, path, true, "DATAFILE", "Data Files (*.dat)|*.dat||");
    pdt::support::SetFileDialogHandler({});

    // The find dialog reads the history, and a search is added to it.
    for (int round = 0; round < 2; ++round)
    {
        CDlgFind dlg(&host);
        pdt::hooks::PushModalHandler([round](CDialog &d) {
            if (round == 0)
            {
                d.EndDialog(IDCANCEL);
                return;
            }
            d.SetDlgItemText(IDC_FIND_TEXT, "needle");
            d.SendMessage(WM_COMMAND, IDOK, 0);
            if (d.m_hWnd && d.IsWindowVisible())
                d.EndDialog(IDCANCEL);
        });
        dlg.DoModal();
    }
    PutWindowPosition(&host, "Settings", "WPOS_DEFINEBOX", theReg);

    // Nothing else the file held is gone or changed.
    for (const auto &[name, value] : before)
    {
        if (Written(name))
            continue;
        std::string now(theReg.GetString(name.first.c_str(), name.second.c_str(), "\x01missing"));
        FUZZ_CHECK(now == value, "[" + name.first + "] " + name.second + ": '" + value + "' became '" + now + "'");
    }
    pdt::fuzz::TakeMessageBoxes();
    return 0;
}
