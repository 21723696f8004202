// The resource-script reader, as the resource compiler and the run-time resource chain use it: any text as a
// script, and (after a NUL byte) any text as the header it includes. A script either parses or fails with its own
// file name and a line inside it; one that parses is then registered as a module and every resource it names is
// looked up through the chain, as the library's dialogs, menus and strings are.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "platform/afxres.h"
#include "platform/rcscript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string_view input(reinterpret_cast<const char *>(data), size);
    size_t nul = input.find('\0');
    std::string script(input.substr(0, nul));
    std::string header(nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1));

    // Two headers hold the text; any other name is missing. Windows names ignore case, so the script may too.
    pdt::rc::IncludeResolver includes = [&](const std::string &name) -> std::optional<std::string> {
        std::string lower(name);
        for (char &c : lower)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (lower == "resource.h" || lower == "testdlg.h")
            return header;
        return std::nullopt;
    };
    pdt::rc::ResourceScript parsed;
    try
    {
        parsed = pdt::rc::ParseResourceScript(script, "fuzz.rc", includes);
    }
    catch (const pdt::rc::ParseError &e)
    {
        int lines = 1 + int(std::count(script.begin(), script.end(), '\n'));
        int headerLines = 1 + int(std::count(header.begin(), header.end(), '\n'));
        FUZZ_CHECK(e.line() >= 0, e.what());
        if (e.file() == "fuzz.rc")
            FUZZ_CHECK(e.line() >= 1 && e.line() <= lines, e.what());
        else
            FUZZ_CHECK(e.line() <= headerLines, e.what());
        return 0;
    }

    // The same text through the run-time chain, with a bitmap file beside it.
    static const unsigned char bmp[] = {'B', 'M', 0, 0};
    const auto *h = reinterpret_cast<const unsigned char *>(header.data());
    pdt::ResourceModule module("pdtfuzz", "fuzz.rc",
                               {{"fuzz.rc", reinterpret_cast<const unsigned char *>(script.data()), script.size()},
                                {"resource.h", h, header.size()},
                                {"testdlg.h", h, header.size()},
                                {"res\\bitmap.bmp", bmp, sizeof bmp}});
    const pdt::rc::ResourceScript &loaded = module.Script();
    FUZZ_CHECK(loaded.dialogs.size() == parsed.dialogs.size(), "the chain reads the script differently");
    for (const auto &[id, dlg] : parsed.dialogs)
    {
        const pdt::rc::DialogTemplate *found = pdt::FindDialogTemplate(id);
        FUZZ_CHECK(found && found->controls.size() == dlg.controls.size(), std::to_string(id));
    }
    for (const auto &[id, menu] : parsed.menus)
        FUZZ_CHECK(pdt::FindMenuTemplate(id) != nullptr, std::to_string(id));
    for (const auto &[id, text] : parsed.strings)
        FUZZ_CHECK(pdt::FindStringResource(id) != nullptr, std::to_string(id));
    for (const auto &[id, file] : parsed.bitmaps)
        pdt::FindBitmapData(id); // a bitmap file the module does not hold is simply not found
    return 0;
}
