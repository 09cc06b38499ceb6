#pragma once
// A small schedule run by the engine with a fake clock and a fake launcher.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/execution_presenter.h"
#include "engine/launch.h"
#include "messages/end_of_job.h"
#include "store/schedule_file.h"
#include "support/fake_clock.h"
#include "support/fake_launcher.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr::testing {

struct EngineFixture : ::testing::Test {
  TempDir dir;
  Schedule s;
  FakeClock clock{MakeDateTime(2026, 12, 4, 6, 0, 0)};  // a Friday
  ScriptedOperator op;
  RunLog log{s, clock, op};
  FakeLauncher launcher{clock};
  RecordingMessages messages;
  RunOptions options;
  std::unique_ptr<Engine> engine;
  int saves = 0;

  void SetUp() override {
    s.IniFile = dir.Write("test.ini", "[Quillrun]\r\nTimerSecs=10\r\n");
    s.ScheduleName = "TEST";
    s.ScheduleFile = dir.File("test.sch");
    s.LogFile = dir.File("run.log");
    s.TriggerPath = s.TrackerPath = s.JobOutputPath = dir.path();
    s.RunTimeErrorText = "ERROR|FATAL";
    s.RunDate = MakeDate(2026, 12, 4);
    s.DayStart = 0;
    s.CpuLimit = 9999;
  }

  Job& Add(const std::string& name, const std::string& frequency = "Daily") {
    Job& job = s.Jobs.emplace_back();
    job.JobName = name;
    job.Group = "General";
    job.CommandLine = "run " + name;
    job.Frequency = frequency;
    job.LastDuration = 30;
    return job;
  }

  // A daily job whose run the launcher plays as `outcome` (by default an hour's run).
  Job& Scripted(const std::string& name, const FakeOutcome& outcome = {{}, 3600}) {
    launcher.Script("run " + name, outcome);
    return Add(name);
  }

  static void After(Job& job, const std::string& pred, char condition = 'S',
                    char auto_unsched = ' ') {
    job.RunAfter.push_back(pred);
    job.DepConditions += condition;
    job.DepAutoUnsched += auto_unsched;
  }

  // The engine of a real run, but for the schedule file: saves are counted.
  void Open() {
    EngineHooks hooks = StandardEngineHooks(s, log, op);
    hooks.save = [this] { ++saves; };
    engine = std::make_unique<Engine>(s, EngineServices{log, op, clock, launcher, messages},
                                      options, std::move(hooks));
    engine->Open();
  }

  // The program stops and starts again: the schedule file is all that is left.
  void Restart() {
    engine.reset();
    WriteSchedule(s, log, op);
    s.ClearJobs();
    ReadSchedule(s, log, op);
    Open();
  }

  void Pass(int64_t seconds = 0) {
    clock.Advance(seconds);
    engine->Kick();
  }

  Job& J(const std::string& name) { return s[s.FindJob(name)]; }
  // The job's status text as the window shows it (a wait for predecessors names them).
  std::string Text(const std::string& name) { return engine->StatusTextOf(s.FindJob(name)); }
  const std::deque<std::string>& List() const { return engine->window().list; }
  bool Listed(const std::string& line) const {
    return std::find(List().begin(), List().end(), line) != List().end();
  }
  std::vector<std::string> EventTexts() const {
    std::vector<std::string> texts;
    for (const auto& e : engine->events().entries()) texts.push_back(e.text);
    return texts;
  }
};

}  // namespace qlr::testing
