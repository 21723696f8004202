// The job runner: a job, the keys a person presses and the files on the terminal, all from one input.
//
// The input is NUL-separated: the job's text (a job file, read with ParseJobText; a text that does not read is
// skipped), then a key script in the scripted runs' syntax ("12{ENTER}{SCAN:EAN-13:4006381333931}"; a script that
// does not parse is taken byte by byte, each byte a key of the terminal's keymap), then any number of data files,
// each "NAME=bytes". A run-job node gets the same job again, except that a name starting with "X" is not found, one
// starting with "D" is a damaged file, and after kMaxLoads loads in a run nothing more is found: a job that runs
// itself on every step would otherwise spend nearly all of the fuzzer's time reading its own text (the runner reads a
// job once per run and place that names it; a second read of the same is a fault).
//
// The runner has a small step limit and a fixed clock. Checked: the screen's cursor is on the screen after every
// operation and its rows keep their width; no key passes more nodes than the step limit; a run that ended stays as
// it ended whatever keys follow; and a second run of the same input ends with the same screen, log and data files.
// Inputs may be long (fuzz/runner/options): expressions nested thousands deep must end in a message, not a crash.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "host/jobfile/JobFile.h"
#include "host/model/HostTerminal.h"
#include "host/sim/JobRunner.h"
#include "host/sim/KeyScript.h"
#include "host/sim/TextScreen.h"
#include "resources/resource.h"

namespace
{

constexpr int kStepLimit = 16;
constexpr size_t kMaxKeys = 300;
constexpr size_t kMaxFiles = 4;
constexpr int kMaxLoads = 24; // more than the step limit: a job that loads itself in a loop still meets it
constexpr char kClock[] = "2026-03-04 05:06:07";

// Checks the cursor after every operation, not only after each key: a position off the screen is a fault of the
// operation that left it there. The rows' shape is checked after each key.
class CheckedScreen : public TextScreen
{
  public:
    using TextScreen::TextScreen;
    void ClearScreen() override
    {
        TextScreen::ClearScreen();
        Check("ClearScreen");
    }
    void ClearAfter(int x, int y) override
    {
        TextScreen::ClearAfter(x, y);
        Check("ClearAfter");
    }
    void SetCursorPosition(int x, int y) override
    {
        TextScreen::SetCursorPosition(x, y);
        Check("SetCursorPosition");
    }
    void PrintString(const char *text) override
    {
        TextScreen::PrintString(text);
        Check("PrintString");
    }

    void Check(const char *after) const
    {
        const CSize size = GetSize();
        const CPoint at = GetCursorPosition();
        FUZZ_CHECK(at.x >= 0 && at.x < size.cx && at.y >= 0 && at.y < size.cy,
                   std::string("after ") + after + ": cursor " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    void CheckRows(const char *after) const
    {
        const CSize size = GetSize();
        const std::vector<std::string> rows = Rows();
        FUZZ_CHECK(int(rows.size()) == size.cy, after);
        for (const std::string &row : rows)
            FUZZ_CHECK(int(row.size()) == size.cx, after);
    }
};

struct Input
{
    std::string job, keys;
    std::vector<std::pair<std::string, std::string>> files;
};

Input Split(std::string_view bytes)
{
    std::vector<std::string> parts;
    size_t from = 0;
    for (;;)
    {
        const size_t nul = bytes.find('\0', from);
        parts.emplace_back(bytes.substr(from, nul == std::string_view::npos ? std::string_view::npos : nul - from));
        if (nul == std::string_view::npos)
            break;
        from = nul + 1;
    }
    Input in;
    in.job = parts[0];
    if (parts.size() > 1)
        in.keys = parts[1];
    for (size_t i = 2; i < parts.size() && in.files.size() < kMaxFiles; ++i)
    {
        const size_t eq = parts[i].find('=');
        if (eq != std::string::npos && eq > 0)
            in.files.emplace_back(parts[i].substr(0, eq), parts[i].substr(eq + 1));
    }
    return in;
}

struct Outcome
{
    std::string screen, log, files, uploads, end;
    RunState state;
};

std::string Joined(const std::vector<std::string> &lines)
{
    std::string s;
    for (const std::string &l : lines)
        s += l + "\n";
    return s;
}

Outcome Snapshot(const JobRunner &runner, const TextScreen &screen)
{
    return {screen.Text(), Joined(runner.GetLog()), runner.GetFiles().Describe(), Joined(runner.GetUploads()),
            runner.GetEndMessage(), runner.GetState()};
}

std::vector<SimKeyEvent> Keys(const std::string &script, const JobRunner &runner)
{
    std::vector<SimKeyEvent> events;
    if (!ParseKeyScript(script, runner, events, nullptr))
    {
        events.clear();
        std::vector<int> ids;
        for (const KEYMAP_KEY *k = runner.GetKeymap(); k < runner.GetKeymap() + KEYMAP_SIZE && k->wKeyID != 0xFFFF;
             ++k)
            if (k->wKeyID)
                ids.push_back(k->wKeyID);
        for (unsigned char c : script)
            if (!ids.empty())
                events.push_back(SimKeyEvent{ids[c % ids.size()], {}});
    }
    if (events.size() > kMaxKeys)
        events.resize(kMaxKeys);
    return events;
}

Outcome Run(const Input &in)
{
    std::unique_ptr<JobDocument> doc = ParseJobText(in.job, nullptr);
    RunnerOptions options;
    options.nStepLimit = kStepLimit;
    options.strClock = kClock;
    const std::string text = in.job;
    auto loads = std::make_shared<int>(0);
    auto read = std::make_shared<std::set<std::pair<std::string, std::string>>>();
    options.loadJob = [text, loads, read](const std::string &file, const std::string &running) {
        FUZZ_CHECK(*loads >= kMaxLoads || read->insert({file, running}).second, "job " + file + " read twice");
        LoadedJob loaded;
        loaded.bFound = ++*loads <= kMaxLoads && !(!file.empty() && (file[0] == 'X' || file[0] == 'x'));
        if (!loaded.bFound)
            loaded.error = "not found";
        else if (file[0] == 'D' || file[0] == 'd')
            loaded.error = "damaged";
        else if (!(loaded.job = ParseJobText(text, &loaded.error)))
            pdt::fuzz::Broken("a job that read once does not read again", loaded.error);
        return loaded;
    };
    CheckedScreen screen(HostTerminal::ScreenSizeOf(doc->Terminal().m_strModel), doc->m_nLanguage);
    JobRunner runner(*doc, screen, options);
    for (const auto &[name, bytes] : in.files)
        runner.LoadFile(name, bytes);
    runner.Start();
    for (const SimKeyEvent &e : Keys(in.keys, runner))
    {
        if (!runner.IsWaiting())
            break;
        const long long before = runner.GetSteps();
        if (e.nKeyID)
            runner.PressKey(e.nKeyID);
        else
            runner.Scan(e.scan, e.nSymbology);
        FUZZ_CHECK(runner.GetSteps() - before <= kStepLimit,
                   std::to_string(runner.GetSteps() - before) + " nodes for one key");
        screen.Check("a key");
        screen.CheckRows("a key");
    }
    const Outcome outcome = Snapshot(runner, screen);
    if (!runner.IsWaiting())
    {
        // An ended run takes no more keys: nothing of what it shows or wrote may change.
        const int beeps = screen.Beeps();
        for (int id : {IDC_KEY_ENTER, IDC_KEY_ESC, IDC_KEY_1, IDC_KEY_F1, IDC_KEY_DOWN})
            runner.PressKey(id);
        runner.Scan("123", 0);
        const Outcome after = Snapshot(runner, screen);
        FUZZ_CHECK(after.screen == outcome.screen && after.log == outcome.log && after.files == outcome.files &&
                       after.uploads == outcome.uploads && after.end == outcome.end && after.state == outcome.state &&
                       screen.Beeps() == beeps,
                   "keys after the end changed the run");
    }
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The document's objects may ask the settings store: keep it the run's own.
    pdt::fuzz::StartToolkit();
    const Input in = Split(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!ParseJobText(in.job, nullptr))
        return 0;
    const Outcome first = Run(in);
    const Outcome second = Run(in);
    FUZZ_CHECK(first.files == second.files, "the data files differ between two runs:\n" + first.files + "\n--\n" +
                                                second.files);
    FUZZ_CHECK(first.screen == second.screen, "the screen differs between two runs");
    FUZZ_CHECK(first.log == second.log, "the log differs between two runs:\n" + first.log + "\n--\n" + second.log);
    return 0;
}
