// Shared by the benchmarks that open a window: how many widgets it painted.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>

namespace bench
{

// Counts the widgets painted: a figure whose window never reached the screen would count none.
class PaintCount : public QObject
{
  public:
    explicit PaintCount(benchmark::State& state) : m_state(state) { qApp->installEventFilter(this); }
    ~PaintCount() override
    {
        m_state.counters["widgets painted"] = benchmark::Counter(double(m_paints), benchmark::Counter::kAvgIterations);
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        m_paints += e->type() == QEvent::Paint;
        return false;
    }

  private:
    benchmark::State& m_state;
    long m_paints = 0;
};

} // namespace bench
