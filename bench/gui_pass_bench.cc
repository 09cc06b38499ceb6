// The cost of one dispatch pass as the operator sees it: the Kick command of
// the execution window over the largest schedule, with the window brought up
// to date and painted (both panes shown, thousands of jobs still waiting).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "base/clock.h"
#include "bench_fakes.h"
#include "engine/engine.h"
#include "engine/launch.h"
#include "messages/end_of_job.h"
#include "platform/desktop.h"
#include "schedule_generator.h"
#include "silent_operator.h"
#include "ui/execution_window.h"

namespace qlr {
namespace {

std::string BenchFolder() {
  auto dir = std::filesystem::temp_directory_path() / "qlr_gui_bench";
  std::filesystem::create_directories(dir);
  return dir.string();
}

void WriteIni(const std::string& path) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fputs("[Quillrun]\r\nTimerSecs=30\r\n", f);
    std::fclose(f);
  }
}

// The window over the generated schedule at a moment of the run day, opened
// once: its opening pass submits every job that may start, which takes far
// longer than a pass.
struct Rig {
  std::string dir = BenchFolder();
  Schedule schedule = GenerateSchedule(32767, 1);
  StillClock clock;
  SilentOperator op;
  RunLog log{schedule, clock, op};
  RunningLauncher launcher;
  RecordingMessages messages;
  NoDesktop desktop;
  GuiContext gui{schedule, log, op, desktop, clock};
  std::unique_ptr<ExecutionWindow> window;

  explicit Rig(DateTime now) : clock(now) {
    schedule.IniFile = dir + "/bench.ini";
    WriteIni(schedule.IniFile);
    schedule.ScheduleFile = dir + "/bench.sch";  // written once, by the opening pass
    schedule.LogFile = "/dev/null";
    schedule.JobOutputPath = dir;
    RunOptions options;
    options.ShowEvents = true;
    EngineHooks hooks = StandardEngineHooks(schedule, log, op);
    hooks.save = [save = hooks.save, saved = false]() mutable {
      if (!std::exchange(saved, true)) save();  // the opening pass only
    };
    window = std::make_unique<ExecutionWindow>(gui, launcher, messages, options, nullptr, hooks);
    window->show();
    QApplication::processEvents();
  }
  ~Rig() {
    window.reset();
    std::filesystem::remove_all(dir);
  }
};

// Noon: most jobs run and each pass follows them. A minute before the day
// starts: every due job waits ("Too early"), all of them in the unsubmitted list.
const DateTime kMoments[] = {MakeDateTime(2026, 12, 4, 12, 0, 0),
                             MakeDateTime(2026, 12, 4, 5, 59, 0)};
std::unique_ptr<Rig> g_rigs[2];  // go before the application does

void BM_KickWithWindowRefresh(benchmark::State& state) {
  std::unique_ptr<Rig>& rig = g_rigs[state.range(0)];
  if (!rig) rig = std::make_unique<Rig>(kMoments[state.range(0)]);
  ExecutionWindow& window = *rig->window;
  for (auto _ : state) {
    window.kickButton()->click();
    QApplication::processEvents();  // the repaint the pass asked for
  }
  state.counters["jobs"] = rig->schedule.JobCount();
  state.counters["waiting"] = static_cast<double>(window.engine().window().unsubmitted.size());
}
BENCHMARK(BM_KickWithWindowRefresh)
    ->ArgName("all_waiting")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace qlr

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // measured without a display
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (auto& rig : qlr::g_rigs) rig.reset();
  return 0;
}
