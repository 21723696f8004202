#include "host/sim/ScenarioFile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "host/sim/KeyScript.h"
#include "host/sim/SimDataFiles.h"
#include "host/sim/TextScreen.h"

namespace
{

using Lines = std::vector<std::string>;

// Blanks at a line's end, and a carriage return of a line end written twice, are not part of what it says.
std::string TrimRight(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.pop_back();
    return s;
}

size_t Indent(const std::string& line)
{
    size_t n = 0;
    while (n < line.size() && (line[n] == ' ' || line[n] == '\t'))
        ++n;
    return n;
}

// The word a line starts with and the rest after one blank.
std::pair<std::string, std::string> Split(const std::string& text)
{
    const size_t blank = text.find(' ');
    if (blank == std::string::npos)
        return {text, ""};
    size_t rest = blank;
    while (rest < text.size() && text[rest] == ' ')
        ++rest;
    return {text.substr(0, blank), text.substr(rest)};
}

bool ReadNumber(const std::string& text, int& n)
{
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return false;
    n = std::atoi(text.c_str());
    return true;
}

bool IsStateText(const std::string& s)
{
    for (const char* word : {"waiting", "ended", "stopped", "not started"})
        if (s.compare(0, std::strlen(word), word) == 0)
            return true;
    return false;
}

// What one expectation's rows look like in the file: "|" at both ends, so that blanks at the end show.
const char* BlockName(ScenarioExpectation::Kind kind)
{
    switch (kind)
    {
    case ScenarioExpectation::Screen:
        return "the screen";
    case ScenarioExpectation::File:
        return "the file";
    case ScenarioExpectation::Uploads:
        return "the uploads";
    default:
        return "";
    }
}

bool SameCheck(const ScenarioExpectation& a, const ScenarioExpectation& b)
{
    return a.kind == b.kind && (a.kind != ScenarioExpectation::File || a.file == b.file);
}

class Parser
{
  public:
    Parser(ScenarioFile& file, std::string& error) : m_file(file), m_error(error) {}

    bool Parse(const std::string& text)
    {
        SplitLines(text);
        for (m_line = 0; m_line < int(m_file.lines.size()); ++m_line)
        {
            const std::string& raw = m_file.lines[size_t(m_line)];
            if (raw.find('\0') != std::string::npos)
                return Fail("a NUL byte: this is not a text file");
            const std::string line = TrimRight(raw.substr(Indent(raw)));
            if (line.empty() || line[0] == '#')
            {
                m_pBlock = nullptr; // a blank line or a comment ends a block of rows
                continue;
            }
            if (line[0] == '|')
            {
                if (!Row(line))
                    return false;
                continue;
            }
            m_pBlock = nullptr;
            const auto [word, rest] = Split(line);
            if (!Keyword(word, rest))
                return false;
        }
        if (m_file.job.empty())
            return Fail0("no \"job\" line: the file names the job its scenarios run");
        if (m_file.scenarios.empty())
            return Fail0("no scenario: each starts with \"scenario NAME\"");
        return true;
    }

  private:
    void SplitLines(const std::string& text)
    {
        size_t from = 0;
        while (from < text.size())
        {
            size_t nl = text.find('\n', from);
            std::string line = text.substr(from, nl == std::string::npos ? std::string::npos : nl - from);
            if (!line.empty() && line.back() == '\r')
            {
                line.pop_back();
                if (m_file.lines.empty())
                    m_file.lineEnd = "\r\n";
            }
            m_file.lines.push_back(line);
            if (nl == std::string::npos)
                break;
            from = nl + 1;
        }
    }

    bool Fail(const std::string& message)
    {
        m_error = "line " + std::to_string(m_line + 1) + ": " + message;
        return false;
    }
    bool Fail0(const std::string& message)
    {
        m_error = message;
        return false;
    }

    bool Row(const std::string& line)
    {
        if (!m_pBlock)
            return Fail("a row outside a block: rows follow \"screen\", \"file NAME\" or \"uploads\"");
        if (line.size() < 2 || line.back() != '|')
            return Fail("a row of " + std::string(BlockName(m_pBlock->kind)) + " ends with \"|\" as it starts");
        m_pBlock->values.push_back(line.substr(1, line.size() - 2));
        m_pBlock->nEndLine = m_line + 1;
        return true;
    }

    bool Keyword(const std::string& word, const std::string& rest)
    {
        if (word == "job" || word == "load" || word == "clock" || word == "step-limit")
            return Header(word, rest);
        if (word == "scenario")
        {
            if (rest.empty())
                return Fail("\"scenario\" needs a name");
            for (const Scenario& s : m_file.scenarios)
                if (s.name == rest)
                    return Fail("a second scenario \"" + rest + "\" (the first is on line " +
                                std::to_string(s.nLine + 1) + ")");
            m_file.scenarios.push_back(Scenario{rest, m_line, {}});
            return true;
        }
        if (word == "keys")
        {
            if (!InScenario(word))
                return false;
            if (rest.empty())
                return Fail("\"keys\" needs a key script");
            ScenarioStep step;
            step.nLine = m_line;
            step.keys = rest;
            m_file.scenarios.back().steps.push_back(step);
            return true;
        }
        ScenarioExpectation e;
        e.nFirstLine = m_line;
        e.nEndLine = m_line + 1;
        if (word == "screen" || word == "uploads")
        {
            if (!rest.empty())
                return Fail("\"" + word + "\" takes its rows on the lines below it, each between \"|\" and \"|\"");
            e.kind = word == "screen" ? ScenarioExpectation::Screen : ScenarioExpectation::Uploads;
        }
        else if (word == "file" || (word == "no" && Split(rest).first == "file"))
        {
            e.kind = ScenarioExpectation::File;
            e.bAbsent = word == "no";
            e.file = e.bAbsent ? Split(rest).second : rest;
            if (e.file.empty())
                return Fail("\"" + word + (e.bAbsent ? " file" : "") + "\" needs the name of a data file");
        }
        else if (word == "cursor")
        {
            const auto [x, more] = Split(rest);
            const auto [y, hidden] = Split(more);
            int nx, ny;
            if (!ReadNumber(x, nx) || !ReadNumber(y, ny) || !(hidden.empty() || hidden == "hidden"))
                return Fail("\"cursor\" needs a column and a row, from 0, and \"hidden\" when it is: \"cursor 3 1\", not "
                            "\"cursor " + rest + "\"");
            e.kind = ScenarioExpectation::Cursor;
            e.values = {std::to_string(nx) + " " + std::to_string(ny) + (hidden.empty() ? "" : " hidden")};
        }
        else if (word == "beeps")
        {
            int n;
            if (!ReadNumber(rest, n))
                return Fail("\"beeps\" needs a number, not \"" + rest + "\"");
            e.kind = ScenarioExpectation::Beeps;
            e.values = {std::to_string(n)};
        }
        else if (word == "state")
        {
            if (!IsStateText(rest))
                return Fail("\"state\" is \"waiting at \\\"NODE\\\" for ...\", \"ended: ...\", \"stopped: ...\" or \"not "
                            "started\", not \"" + rest + "\"");
            e.kind = ScenarioExpectation::State;
            e.values = {rest};
        }
        else
            return Fail("\"" + word +
                        "\" is not a line of a scenario file (job, load, clock, step-limit, scenario, keys, screen, "
                        "cursor, state, beeps, file, no file, uploads; # for a comment)");
        if (!InScenario(word))
            return false;
        std::vector<ScenarioStep>& steps = m_file.scenarios.back().steps;
        if (steps.empty() || steps.back().IsKeys())
        {
            ScenarioStep checkpoint;
            checkpoint.nLine = m_line;
            steps.push_back(checkpoint);
        }
        for (const ScenarioExpectation& other : steps.back().checks)
            if (SameCheck(other, e))
                return Fail("\"" + word + "\" a second time at one checkpoint (first on line " +
                            std::to_string(other.nFirstLine + 1) + ")");
        steps.back().checks.push_back(e);
        if (e.kind == ScenarioExpectation::Screen || e.kind == ScenarioExpectation::Uploads ||
            (e.kind == ScenarioExpectation::File && !e.bAbsent))
            m_pBlock = &steps.back().checks.back();
        return true;
    }

    bool Header(const std::string& word, const std::string& rest)
    {
        if (!m_file.scenarios.empty())
            return Fail("\"" + word + "\" belongs before the first scenario");
        if (rest.empty())
            return Fail("\"" + word + "\" needs a value");
        if (word == "job")
        {
            if (!m_file.job.empty())
                return Fail("a second \"job\": a scenario file is for one job");
            m_file.job = rest;
        }
        else if (word == "load")
        {
            const size_t from = rest.find(" from ");
            if (from == std::string::npos || from == 0 || from + 6 >= rest.size())
                return Fail("\"load\" needs \"load NAME from PATH\", not \"load " + rest + "\"");
            // Blanks around the name and the path are the line's, not theirs.
            const std::string name = TrimRight(rest.substr(0, from)), path = rest.substr(from + 6);
            if (name.empty() || Indent(path) == path.size())
                return Fail("\"load\" needs \"load NAME from PATH\", not \"load " + rest + "\"");
            m_file.loads.emplace_back(name, path.substr(Indent(path)));
        }
        else if (word == "clock")
        {
            int y, mo, d, h, mi, s;
            if (!ReadClock(rest, y, mo, d, h, mi, s))
                return Fail("\"clock\" needs \"YYYY-MM-DD HH:MM:SS\" with a date the calendar has, not \"" + rest + "\"");
            m_file.clock = rest;
        }
        else
        {
            int n;
            if (!ReadNumber(rest, n) || n < 1 || n > 100000000)
                return Fail("\"step-limit\" needs a number from 1 to 100000000, not \"" + rest + "\"");
            m_file.nStepLimit = n;
        }
        return true;
    }

    bool InScenario(const std::string& word)
    {
        if (m_file.scenarios.empty())
            return Fail("\"" + word + "\" before the first \"scenario NAME\"");
        return true;
    }

    ScenarioFile& m_file;
    std::string& m_error;
    int m_line = 0;
    ScenarioExpectation* m_pBlock = nullptr; // the block that rows go to
};

// ---- running

std::string StateText(const JobRunner& runner, int cp)
{
    switch (runner.GetState())
    {
    case RunState::Waiting:
        return "waiting at \"" + Utf8OfBytes(runner.GetCurrentNode()->m_strName.str(), cp) + "\" for " +
               runner.GetWaitKind();
    case RunState::Ended:
        return TrimRight("ended: " + Utf8OfBytes(runner.GetEndMessage(), cp));
    case RunState::Stopped:
        return TrimRight("stopped: " + Utf8OfBytes(runner.GetEndMessage(), cp));
    default:
        return "not started";
    }
}

const SimDataFile* FindFile(const JobRunner& runner, const std::string& name, int cp)
{
    // A name is compared as the file writes it: blanks around it do not show there.
    auto lower = [](std::string s) {
        for (char& c : s)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        s = TrimRight(s);
        return s.substr(Indent(s));
    };
    for (const SimDataFile& f : runner.GetFiles().All())
        if (lower(Utf8OfBytes(f.name, cp)) == lower(name))
            return &f;
    return nullptr;
}

// The expectation as the run found it, in the same shape as the expected one.
ScenarioExpectation Actual(const ScenarioExpectation& expected, const JobRunner& runner, const TextScreen& screen,
                           int cp)
{
    ScenarioExpectation a = expected;
    a.values.clear();
    a.bAbsent = false;
    switch (expected.kind)
    {
    case ScenarioExpectation::Screen:
        for (const std::string& row : screen.Rows())
            a.values.push_back(Utf8OfBytes(row, cp));
        break;
    case ScenarioExpectation::Cursor:
        a.values = {std::to_string(screen.GetCursorPosition().x) + " " + std::to_string(screen.GetCursorPosition().y) +
                    (screen.IsCursorShown() ? "" : " hidden")};
        break;
    case ScenarioExpectation::State:
        a.values = {StateText(runner, cp)};
        break;
    case ScenarioExpectation::Beeps:
        a.values = {std::to_string(screen.Beeps())};
        break;
    case ScenarioExpectation::File:
        if (const SimDataFile* f = FindFile(runner, expected.file, cp))
            for (const std::string& r : f->records)
                a.values.push_back(EscapeText(r, cp));
        else
            a.bAbsent = true;
        break;
    case ScenarioExpectation::Uploads:
        for (const std::string& u : runner.GetUploads())
            a.values.push_back(EscapeText(u, cp));
        break;
    }
    return a;
}

// Everything a checkpoint can expect, for a scenario that has none after its last keys.
std::vector<ScenarioExpectation> FullCheckpoint(const JobRunner& runner, const TextScreen& screen, int cp)
{
    std::vector<ScenarioExpectation> all;
    for (auto kind : {ScenarioExpectation::Screen, ScenarioExpectation::Cursor, ScenarioExpectation::State,
                      ScenarioExpectation::Beeps})
    {
        ScenarioExpectation e;
        e.kind = kind;
        all.push_back(Actual(e, runner, screen, cp));
    }
    for (const SimDataFile& f : runner.GetFiles().All())
    {
        ScenarioExpectation e;
        e.kind = ScenarioExpectation::File;
        e.file = TrimRight(Utf8OfBytes(f.name, cp));
        e.file.erase(0, Indent(e.file));
        // A name of blanks (a loaded "C:" has none left) cannot be written down, and of two files whose names
        // differ only in blanks around them a checkpoint names the first.
        const SimDataFile* same = FindFile(runner, e.file, cp);
        if (e.file.empty() || same != &f)
            continue;
        all.push_back(Actual(e, runner, screen, cp));
    }
    ScenarioExpectation uploads;
    uploads.kind = ScenarioExpectation::Uploads;
    all.push_back(Actual(uploads, runner, screen, cp));
    return all;
}

Lines Render(const ScenarioExpectation& e, const std::string& indent)
{
    Lines out;
    auto rows = [&](const std::string& head) {
        out.push_back(indent + head);
        for (const std::string& v : e.values)
            out.push_back(indent + "  |" + v + "|");
    };
    switch (e.kind)
    {
    case ScenarioExpectation::Screen:
        rows("screen");
        break;
    case ScenarioExpectation::Cursor:
        out.push_back(indent + "cursor " + e.values[0]);
        break;
    case ScenarioExpectation::State:
        out.push_back(indent + "state " + e.values[0]);
        break;
    case ScenarioExpectation::Beeps:
        out.push_back(indent + "beeps " + e.values[0]);
        break;
    case ScenarioExpectation::File:
        if (e.bAbsent)
            out.push_back(indent + "no file " + e.file);
        else
            rows("file " + e.file);
        break;
    case ScenarioExpectation::Uploads:
        rows("uploads");
        break;
    }
    return out;
}

// Expected rows against actual ones, a line each: "  " both, "- " expected only, "+ " actual only (the longest
// common run kept, so that one record more shows as one line).
Lines Diff(const Lines& expected, const Lines& actual)
{
    const size_t n = expected.size(), m = actual.size();
    Lines out;
    if (n * m > 4000000) // too large to align: row by row
    {
        for (size_t i = 0; i < std::max(n, m); ++i)
        {
            if (i < n && i < m && expected[i] == actual[i])
                out.push_back("    |" + expected[i] + "|");
            else
            {
                if (i < n)
                    out.push_back("  - |" + expected[i] + "|");
                if (i < m)
                    out.push_back("  + |" + actual[i] + "|");
            }
        }
        return out;
    }
    std::vector<std::vector<unsigned>> lcs(n + 1, std::vector<unsigned>(m + 1, 0));
    for (size_t i = n; i-- > 0;)
        for (size_t j = m; j-- > 0;)
            lcs[i][j] = expected[i] == actual[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    size_t i = 0, j = 0;
    while (i < n || j < m)
    {
        if (i < n && j < m && expected[i] == actual[j])
        {
            out.push_back("    |" + expected[i++] + "|");
            ++j;
        }
        else if (i < n && (j == m || lcs[i + 1][j] >= lcs[i][j + 1]))
            out.push_back("  - |" + expected[i++] + "|");
        else
            out.push_back("  + |" + actual[j++] + "|");
    }
    return out;
}

std::string Describe(const ScenarioExpectation& e)
{
    switch (e.kind)
    {
    case ScenarioExpectation::Screen:
        return "the screen";
    case ScenarioExpectation::Cursor:
        return "the cursor";
    case ScenarioExpectation::State:
        return "the state";
    case ScenarioExpectation::Beeps:
        return "the beeps";
    case ScenarioExpectation::File:
        return "the file " + e.file;
    case ScenarioExpectation::Uploads:
        return "the uploads";
    }
    return "";
}

bool Holds(const ScenarioExpectation& expected, const ScenarioExpectation& actual)
{
    return expected.bAbsent == actual.bAbsent && expected.values == actual.values;
}

std::string Mismatch(const ScenarioExpectation& expected, const ScenarioExpectation& actual)
{
    std::string text = " (- expected, + found):\n";
    const bool rows = expected.kind == ScenarioExpectation::Screen || expected.kind == ScenarioExpectation::Uploads ||
                      expected.kind == ScenarioExpectation::File;
    if (!rows)
        return text + "  - " + expected.values[0] + "\n  + " + actual.values[0] + "\n";
    if (expected.bAbsent || actual.bAbsent)
    {
        text += expected.bAbsent ? "  - (no such file)\n" : "";
        for (const std::string& v : expected.bAbsent ? actual.values : expected.values)
            text += (expected.bAbsent ? "  + |" : "  - |") + v + "|\n";
        text += actual.bAbsent ? "  + (no such file)\n" : "";
        return text;
    }
    for (const std::string& line : Diff(expected.values, actual.values))
        text += line + "\n";
    return text;
}

} // namespace

bool ParseScenarioFile(const std::string& text, ScenarioFile& file, std::string& error)
{
    file = ScenarioFile{};
    return Parser(file, error).Parse(text);
}

bool RunScenarios(const ScenarioFile& file, JobDocument& job, const RunnerOptions& options,
                  const std::vector<std::pair<std::string, std::string>>& files, const std::string& label,
                  ScenarioRun& run, std::string& error)
{
    run = ScenarioRun{};
    const int cp = job.GetCodePage();
    const CSize cells = HostTerminal::ScreenSizeOf(job.Terminal().m_strModel);
    // Replacements of the file's lines by an update: at a line, how many lines go and what comes instead.
    struct Replacement
    {
        int nLine, nCount;
        Lines lines;
    };
    std::vector<Replacement> replacements;
    for (const Scenario& scenario : file.scenarios)
    {
        ++run.nScenarios;
        TextScreen screen(cells, job.m_nLanguage, cp);
        RunnerOptions o = options;
        if (!file.clock.empty())
            o.strClock = file.clock;
        if (file.nStepLimit)
            o.nStepLimit = file.nStepLimit;
        JobRunner runner(job, screen, o);
        for (const auto& [name, bytes] : files)
            runner.LoadFile(name, bytes);
        // Every script parses before anything runs: a fault in the keys is the file's, not the job's.
        std::vector<std::vector<SimKeyEvent>> events(scenario.steps.size());
        for (size_t s = 0; s < scenario.steps.size(); ++s)
            if (scenario.steps[s].IsKeys() &&
                !ParseKeyScript(scenario.steps[s].keys, runner, events[s], &error, cp))
            {
                error = "line " + std::to_string(scenario.steps[s].nLine + 1) + ": " + error;
                return false;
            }
        bool failed = false;
        auto fail = [&](int line, const std::string& what) {
            run.report += label + ":" + std::to_string(line + 1) + ": \"" + scenario.name + "\": " + what;
            failed = true;
        };
        size_t first = 0;
        if (!scenario.steps.empty() && scenario.steps[0].IsKeys())
            first = SetStartClock(runner, events[0]);
        runner.Start();
        for (size_t s = 0; s < scenario.steps.size(); ++s)
        {
            const ScenarioStep& step = scenario.steps[s];
            if (step.IsKeys())
            {
                const size_t from = s == 0 ? first : 0;
                const std::vector<SimKeyEvent> keys(events[s].begin() + std::ptrdiff_t(from), events[s].end());
                const size_t used = PlayKeys(runner, keys);
                if (used < keys.size())
                    fail(step.nLine, std::to_string(keys.size() - used) + " of the keys on this line found the job no "
                                     "longer waiting: " + StateText(runner, cp) + "\n");
                continue;
            }
            ++run.nCheckpoints;
            for (const ScenarioExpectation& expected : step.checks)
            {
                const ScenarioExpectation actual = Actual(expected, runner, screen, cp);
                if (Holds(expected, actual))
                    continue;
                fail(expected.nFirstLine, Describe(expected) + " is not as expected" + Mismatch(expected, actual));
                const std::string& line = file.lines[size_t(expected.nFirstLine)];
                replacements.push_back({expected.nFirstLine, expected.nEndLine - expected.nFirstLine,
                                        Render(actual, line.substr(0, Indent(line)))});
                ++run.nChanged;
            }
        }
        // Keys with nothing expected after them: an update writes down all that the run shows there.
        if (scenario.steps.empty() || scenario.steps.back().IsKeys())
        {
            const int after = scenario.steps.empty() ? scenario.nLine : scenario.steps.back().nLine;
            fail(after, "nothing is expected after " + std::string(scenario.steps.empty() ? "the start" : "these keys") +
                            " (--update writes what the run shows)\n");
            Lines lines;
            for (const ScenarioExpectation& e : FullCheckpoint(runner, screen, cp))
                for (std::string& l : Render(e, ""))
                    lines.push_back(std::move(l));
            replacements.push_back({after + 1, 0, lines});
            ++run.nChanged;
        }
        run.nFailed += failed;
    }
    std::stable_sort(replacements.begin(), replacements.end(),
                     [](const Replacement& a, const Replacement& b) { return a.nLine < b.nLine; });
    size_t next = 0;
    for (int line = 0; line <= int(file.lines.size()); ++line)
    {
        int skip = 0;
        for (; next < replacements.size() && replacements[next].nLine == line; ++next)
        {
            for (const std::string& l : replacements[next].lines)
                run.updated += l + file.lineEnd;
            skip = std::max(skip, replacements[next].nCount);
        }
        if (line == int(file.lines.size()))
            break;
        if (skip)
        {
            line += skip - 1;
            continue;
        }
        run.updated += file.lines[size_t(line)] + file.lineEnd;
    }
    return true;
}
