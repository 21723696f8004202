// The job simulation: a key on the simulation window's keypad until the portable screen shows it, and a scripted
// run of 10,000 nodes on the text screen. Each beside the same work done by hand.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <string>
#include <vector>

#include "host/app/SimulationWindow.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "host/sim/JobRunner.h"
#include "host/sim/KeyScript.h"
#include "host/sim/TextScreen.h"
#include "platform/afxhooks.h"
#include "portable/CDlgDefineKeypad.h"
#include "resources/resource.h"

namespace
{

// Qty: an integer typed and entered; the count adds one and hands back to Qty. Two nodes a cycle.
std::unique_ptr<JobDocument> CountingJob()
{
    auto doc = std::make_unique<JobDocument>();
    HostNode* qty = doc->AddNode(NODE_INPUT, "Qty");
    qty->m_strScreenText = "Qty:";
    qty->m_collect.nDataType = DATA_INTEGER;
    doc->SetStartNode(qty);
    HostNode* count = doc->AddNode(NODE_COUNT, "Total");
    HostLink* enter = doc->AddLink(qty->m_nID, count->m_nID);
    enter->m_nCondition = LINK_KEY;
    enter->m_strKey = "Ent";
    doc->AddLink(count->m_nID, qty->m_nID);
    return doc;
}

void SimulationKey(benchmark::State& state)
{
    auto doc = CountingJob();
    SimulationWindow window(*doc);
    window.Create();
    window.ShowWindow(SW_SHOW);
    pdt::hooks::ProcessEvents();
    CDlgDefineKeypad* keypad = window.GetKeypad();
    CButton* keys[] = {static_cast<CButton*>(keypad->GetDlgItem(IDC_KEY_7)),
                       static_cast<CButton*>(keypad->GetDlgItem(IDC_KEY_CLR))};
    const char* shown[] = {"Qty:7_", "Qty:_"};
    int n = 0;
    for (auto _ : state)
    {
        // A digit, then Clear: every click changes what the screen shows, and the screen repaints before it returns.
        keys[n]->Click();
        pdt::hooks::ProcessEvents();
        n ^= 1;
    }
    if (window.GetScreen().GetPrompt().str().rfind(shown[n ^ 1], 0) != 0)
        state.SkipWithError("the screen does not show the key");
    window.DestroyWindow();
    pdt::hooks::ProcessEvents();
}
BENCHMARK(SimulationKey)->Unit(benchmark::kMicrosecond);

// By hand: a button whose click rewrites an eight-line label.
void SimulationKeyBaseline(benchmark::State& state)
{
    QWidget window(nullptr, Qt::Dialog);
    window.setFixedSize(600, 400);
    QLabel screen(&window);
    screen.setGeometry(8, 8, 360, 200);
    QPushButton seven(QStringLiteral("7"), &window), clear(QStringLiteral("Clr"), &window);
    seven.setGeometry(400, 60, 44, 28);
    clear.setGeometry(400, 100, 44, 28);
    QString input;
    auto show = [&] {
        screen.setText(QStringLiteral("Qty:") + input + QStringLiteral("_\n\n\n\n\n\n\n"));
        screen.repaint();
    };
    QObject::connect(&seven, &QPushButton::clicked, [&] { input += QLatin1Char('7'); show(); });
    QObject::connect(&clear, &QPushButton::clicked, [&] { input.chop(1); show(); });
    window.show();
    QCoreApplication::processEvents();
    QPushButton* keys[] = {&seven, &clear};
    int n = 0;
    for (auto _ : state)
    {
        keys[n]->click();
        QCoreApplication::processEvents();
        n ^= 1;
    }
}
BENCHMARK(SimulationKeyBaseline)->Name("SimulationKey/baseline")->Unit(benchmark::kMicrosecond);

// 5,000 entries of "7", Enter: 10,000 nodes passed, 10,000 keys.
constexpr int kCycles = 5000;

void ScriptedRun(benchmark::State& state)
{
    auto doc = CountingJob();
    std::string keys;
    for (int i = 0; i < kCycles; ++i)
        keys += "7{ENTER}";
    for (auto _ : state)
    {
        TextScreen screen(CSize(21, 8), 0);
        JobRunner runner(*doc, screen);
        std::vector<SimKeyEvent> events;
        ParseKeyScript(keys, runner, events, nullptr);
        runner.Start();
        PlayKeys(runner, events);
        if (runner.GetSteps() != 2 * kCycles + 1)
        {
            state.SkipWithError("the run did not pass every node");
            break;
        }
        benchmark::DoNotOptimize(screen.Text());
    }
    state.counters["steps"] = 2 * kCycles;
}
BENCHMARK(ScriptedRun)->Unit(benchmark::kMillisecond);

// By hand: the same keys through a loop that keeps the input, counts the entries and writes the same lines into a
// character grid that scrolls.
void ScriptedRunBaseline(benchmark::State& state)
{
    for (auto _ : state)
    {
        std::vector<char> cells(21 * 8, ' ');
        int row = 0, col = 0, total = 0;
        std::string input;
        auto print = [&](const std::string& s) {
            for (char c : s)
            {
                if (col == 21 || c == '\n')
                {
                    col = 0;
                    if (++row == 8)
                    {
                        std::copy(cells.begin() + 21, cells.end(), cells.begin());
                        std::fill(cells.end() - 21, cells.end(), ' ');
                        row = 7;
                    }
                    if (c == '\n')
                        continue;
                }
                cells[size_t(row * 21 + col++)] = c;
            }
        };
        print("Qty:_");
        for (int i = 0; i < kCycles; ++i)
        {
            input = "7";
            col -= 1;
            print(input + "_");
            col -= 1;
            print(" ");
            total += std::stoi(input);
            print("\nQty:_");
        }
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(cells.data());
    }
}
BENCHMARK(ScriptedRunBaseline)->Name("ScriptedRun/baseline")->Unit(benchmark::kMillisecond);

} // namespace
