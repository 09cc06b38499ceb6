// The schedule grid over the largest schedule, as the operator meets it:
// opening the window until it is shown and painted, and scrolling one page
// with the repaint that follows.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QScrollBar>
#include <QTableView>
#include <memory>

#include "base/clock.h"
#include "bench_fakes.h"
#include "platform/desktop.h"
#include "schedule_generator.h"
#include "silent_operator.h"
#include "store/settings_store.h"
#include "ui/schedule_grid_window.h"

namespace qlr {
namespace {

// Counts the paint events of a widget, to show that each step was painted.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint ? 1 : 0;
    return false;
  }
};

struct GridRig {
  Schedule schedule = GenerateSchedule(32767, 1);
  SystemClock clock;
  SilentOperator op;
  RunLog log{schedule, clock, op};
  NoDesktop desktop;
  MemorySettingsStore settings;
  GuiContext gui{schedule, log, op, desktop, clock};

  // Shows a new grid and lets it paint.
  std::unique_ptr<ScheduleGridWindow> Open(PaintCounter* counter = nullptr) {
    auto window = std::make_unique<ScheduleGridWindow>(gui, settings);
    if (counter != nullptr) window->grid()->viewport()->installEventFilter(counter);
    window->show();
    QApplication::processEvents();
    return window;
  }
};

void BM_OpenScheduleGrid(benchmark::State& state) {
  GridRig rig;
  rig.Open();  // the first run saves the General profile; later openings read it
  PaintCounter counter;
  for (auto _ : state) {
    auto window = rig.Open(&counter);
    state.PauseTiming();
    window.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["jobs"] = rig.schedule.JobCount();
  state.counters["paints"] = benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OpenScheduleGrid)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Page Down until the end, then Page Up back to the top, one page a step.
void BM_ScrollScheduleGridOnePage(benchmark::State& state) {
  GridRig rig;
  auto window = rig.Open();
  QScrollBar* bar = window->grid()->verticalScrollBar();
  PaintCounter counter;
  window->grid()->viewport()->installEventFilter(&counter);
  auto step = QAbstractSlider::SliderPageStepAdd;
  for (auto _ : state) {
    if (bar->value() == bar->maximum()) step = QAbstractSlider::SliderPageStepSub;
    if (bar->value() == bar->minimum()) step = QAbstractSlider::SliderPageStepAdd;
    bar->triggerAction(step);
    QApplication::processEvents();  // the repaint the scroll asked for
  }
  state.counters["rows_per_page"] = bar->pageStep();
  state.counters["paints_per_step"] =
      benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ScrollScheduleGridOnePage)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace qlr
