#include "host/sim/KeyScript.h"

#include <cctype>

#include "host/sim/JobRunner.h"
#include "resources/resource.h"
#include "simulation/Keymap.h"

bool ParseKeyScript(std::string_view keys, const JobRunner& runner, std::vector<SimKeyEvent>& events,
                    std::string* error)
{
    auto fail = [&](size_t at, const std::string& message) {
        if (error)
            *error = "keys, character " + std::to_string(at + 1) + ": " + message;
        return false;
    };
    for (size_t i = 0; i < keys.size(); ++i)
    {
        const char c = keys[i];
        if (c == '{' && i + 1 < keys.size() && keys[i + 1] == '{')
        {
            ++i; // "{{" types a brace
        }
        else if (c == '{')
        {
            const size_t end = keys.find('}', i);
            if (end == std::string_view::npos)
                return fail(i, "\"{\" without \"}\"");
            const std::string name(keys.substr(i + 1, end - i - 1));
            if (name.compare(0, 5, "SCAN:") == 0 || name.compare(0, 5, "scan:") == 0)
                events.push_back(ReadScan(name.substr(5), runner));
            else if (name.compare(0, 3, "ID:") == 0 && name.size() > 3 &&
                     std::isdigit(static_cast<unsigned char>(name[3])))
                events.push_back(SimKeyEvent{std::atoi(name.c_str() + 3), {}});
            else if (int id = runner.KeyIdOfName(CString(name.c_str())))
                events.push_back(SimKeyEvent{id, {}});
            else
                return fail(i, "no key is named \"" + name + "\"");
            i = end;
            continue;
        }
        int id = GetKeyIDWKM(static_cast<unsigned char>(c), runner.GetKeymap());
        if (!id && std::islower(static_cast<unsigned char>(c)))
            id = GetKeyIDWKM(static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c))), runner.GetKeymap());
        if (!id && c == ' ')
            id = IDC_KEY_SPACE;
        if (!id)
            return fail(i, std::string("no key of the keypad types \"") + c + "\"");
        events.push_back(SimKeyEvent{id, {}});
    }
    return true;
}

SimKeyEvent ReadScan(const std::string& text, const JobRunner& runner)
{
    const size_t colon = text.find(':');
    if (colon != std::string::npos)
        if (int code = runner.SymbologyOfName(text.substr(0, colon)))
            return SimKeyEvent{0, text.substr(colon + 1), code};
    return SimKeyEvent{0, text, 0};
}

size_t PlayKeys(JobRunner& runner, const std::vector<SimKeyEvent>& events)
{
    size_t used = 0;
    for (const SimKeyEvent& e : events)
    {
        if (!runner.IsWaiting())
            break;
        if (e.nKeyID)
            runner.PressKey(e.nKeyID);
        else
            runner.Scan(e.scan, e.nSymbology);
        ++used;
    }
    return used;
}
