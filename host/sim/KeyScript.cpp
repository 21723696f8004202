#include "host/sim/KeyScript.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "host/sim/JobRunner.h"
#include "platform/afxstr.h"
#include "resources/resource.h"
#include "simulation/Keymap.h"

namespace
{

bool IsContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The key of the keymap with that id; false for an id no key of the terminal has.
bool HasKeyID(const KEYMAP_KEY* keymap, long id)
{
    for (int i = 0; i < KEYMAP_SIZE && keymap[i].wKeyID != 0xFFFF; ++i)
        if (keymap[i].wKeyID != 0 && keymap[i].wKeyID == id)
            return true;
    return false;
}

// A scan's data as written in a script: "\\}" a brace, "\\\\" a backslash, "\\t" "\\r" "\\n" and "\\xNN" control bytes (as
// the data files are printed); any other backslash is a fault, so that a mistyped escape is not scanned as data.
bool UnescapeScan(const std::string& text, std::string& data, std::string& why)
{
    data.clear();
    for (size_t k = 0; k < text.size(); ++k)
    {
        if (text[k] != '\\')
        {
            data += text[k];
            continue;
        }
        const char e = k + 1 < text.size() ? text[k + 1] : '\0';
        const char* plain = std::strchr("}\\trn", e);
        if (e && plain)
        {
            data += e == 't' ? '\t' : e == 'r' ? '\r' : e == 'n' ? '\n' : e;
            ++k;
        }
        else if (e == 'x' && k + 3 < text.size() && std::isxdigit(static_cast<unsigned char>(text[k + 2])) &&
                 std::isxdigit(static_cast<unsigned char>(text[k + 3])))
        {
            data += char(std::stoi(text.substr(k + 2, 2), nullptr, 16));
            k += 3;
        }
        else
        {
            why = "a scan's data knows the escapes \\}, \\\\, \\t, \\r, \\n and \\xNN, not \"" +
                  text.substr(k, e && static_cast<unsigned char>(e) < 0x80 ? 2 : 1) + "\"";
            return false;
        }
    }
    return true;
}

} // namespace

bool ParseKeyScript(std::string_view keys, const JobRunner& runner, std::vector<SimKeyEvent>& events,
                    std::string* error, int codePage)
{
    // Scripts come as UTF-8 text: a place is counted in characters, and a character is quoted whole.
    auto fail = [&](size_t at, const std::string& message) {
        size_t n = 0;
        for (size_t i = 0; i <= at && i < keys.size(); ++i)
            n += !IsContinuation(keys[i]);
        if (error)
            *error = "keys, character " + std::to_string(std::max<size_t>(n, 1)) + ": " + message;
        return false;
    };
    auto character = [&](size_t at) {
        size_t end = at + 1;
        while (end < keys.size() && end - at < 4 && IsContinuation(keys[end]))
            ++end;
        return std::string(keys.substr(at, end - at));
    };
    // Text of the script in the job's bytes; false when the code page lacks one of its characters.
    std::string missing;
    auto jobBytes = [&](const std::string& text, std::string& bytes) {
        if (!codePage)
        {
            bytes = text;
            return true;
        }
        for (size_t k = 0; k < text.size();)
        {
            const unsigned char lead = static_cast<unsigned char>(text[k]);
            const size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            if (!CodePageHolds(text.substr(k, n), codePage))
            {
                missing = "\"" + text.substr(k, n) + "\" is not in the job's code page, " + CodePageName(codePage);
                return false;
            }
            k += n;
        }
        bytes = Utf8ToCodePage(text, codePage);
        return true;
    };
    if (codePage && CodePageToUtf8(std::string(keys), 65001) != keys)
        return fail(0, "the text is not UTF-8");
    for (size_t i = 0; i < keys.size(); ++i)
    {
        const char c = keys[i];
        if (c == '{' && i + 1 < keys.size() && keys[i + 1] == '{')
        {
            ++i; // "{{" types a brace
        }
        else if (c == '{')
        {
            // "\}" in a scan's data is a brace, not the end.
            size_t end = i + 1;
            while (end < keys.size() && keys[end] != '}')
                end += keys[end] == '\\' && end + 1 < keys.size() ? 2 : 1;
            if (end >= keys.size())
                return fail(i, "\"{\" without \"}\"");
            std::string name;
            if (!jobBytes(std::string(keys.substr(i + 1, end - i - 1)), name))
                return fail(i, missing);
            if (name.compare(0, 5, "SCAN:") == 0 || name.compare(0, 5, "scan:") == 0)
            {
                std::string data, why;
                if (!UnescapeScan(name.substr(5), data, why))
                    return fail(i, why);
                events.push_back(ReadScan(data, runner));
            }
            else if (name.compare(0, 6, "CLOCK:") == 0 || name.compare(0, 6, "clock:") == 0)
            {
                int y, mo, d, h, mi, s;
                if (!ReadClock(name.substr(6), y, mo, d, h, mi, s))
                    return fail(i, "\"{" + name + "}\" needs a time \"YYYY-MM-DD HH:MM:SS\" the calendar has");
                SimKeyEvent e;
                e.clock = name.substr(6);
                events.push_back(e);
            }
            else if (name.compare(0, 3, "ID:") == 0 || name.compare(0, 3, "id:") == 0)
            {
                const std::string digits = name.substr(3);
                long id = 0;
                for (char d : digits)
                {
                    const bool digit = std::isdigit(static_cast<unsigned char>(d));
                    id = id >= 0 && id < 100000 && digit ? id * 10 + (d - '0') : -1;
                }
                if (digits.empty() || id < 0)
                    return fail(i, "\"{" + name + "}\" needs a key id in digits");
                if (!HasKeyID(runner.GetKeymap(), id))
                    return fail(i, "no key of the keypad has the id " + digits);
                events.push_back(SimKeyEvent{int(id), {}});
            }
            else if (int id = runner.KeyIdOfName(CString(name.c_str())))
                events.push_back(SimKeyEvent{id, {}});
            else
                return fail(i, "the " + runner.GetJob().Terminal().m_strModel.str() + "'s keypad has no key named \"" +
                                   name + "\"");
            i = end;
            continue;
        }
        if (codePage && static_cast<unsigned char>(c) >= 0x80)
            return fail(i, "no key of the keypad types \"" + character(i) + "\""); // codes above 7Fh are special keys
        int id = GetKeyIDWKM(static_cast<unsigned char>(c), runner.GetKeymap());
        if (!id && std::islower(static_cast<unsigned char>(c)))
            id = GetKeyIDWKM(static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c))), runner.GetKeymap());
        if (!id && c == ' ')
            id = IDC_KEY_SPACE;
        if (!id)
            return fail(i, "no key of the keypad types \"" + character(i) + "\"");
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

size_t SetStartClock(JobRunner& runner, const std::vector<SimKeyEvent>& events)
{
    size_t n = 0;
    for (; n < events.size() && events[n].IsClock(); ++n)
        runner.SetClock(events[n].clock);
    return n;
}

size_t PlayKeys(JobRunner& runner, const std::vector<SimKeyEvent>& events)
{
    size_t used = 0;
    for (const SimKeyEvent& e : events)
    {
        if (!runner.IsWaiting())
            break;
        if (e.IsClock())
            runner.SetClock(e.clock);
        else if (e.nKeyID)
            runner.PressKey(e.nKeyID);
        else
            runner.Scan(e.scan, e.nSymbology);
        ++used;
    }
    return used;
}
