// Renaming a job through the job editor on the largest schedule there can
// be, where 1000 jobs wait for the renamed one and 50 wait for its standard
// trigger: opening the editor, OK with its checks, and the store that carries
// the new name to every reference. The file write is left out.

#include <benchmark/benchmark.h>

#include "base/clock.h"
#include "editor/job_edit_model.h"
#include "model/constants.h"
#include "schedule_generator.h"

namespace qlr {
namespace {

// Answers OK and Yes: the generated programs do not exist on this machine,
// and the renamed job's trigger file changes with its name.
class AgreeingOperator : public Operator {
 public:
  void Tell(const std::string&, const std::string&) override {}
  Answer Ask(const std::string&, Buttons buttons, const std::string&) override {
    return buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
  }
  std::optional<std::string> Input(const std::string&, const std::string&,
                                   const std::string&) override {
    return std::nullopt;
  }
};

constexpr int kRenamed = 16000;

Schedule ScheduleWithDependents() {
  Schedule schedule = GenerateSchedule(kMaxJobs, 20261204);
  schedule[kRenamed].NormalMailTo.clear();  // the generator addresses some messages it leaves empty
  const std::string name = schedule[kRenamed].JobName.Str();
  for (int k = 0; k < 1000; ++k) {
    Job& job = schedule[1 + k * 32];
    job.RunAfter.push_back(name);
    job.DepConditions += 'S';
    job.DepAutoUnsched += ' ';
  }
  for (int k = 0; k < 50; ++k) schedule[3 + k * 600].WaitFile = ".." + name;
  return schedule;
}

void BM_RenameWithPropagation32767(benchmark::State& state) {
  Schedule schedule = ScheduleWithDependents();
  SystemClock clock;
  AgreeingOperator op;
  RunLog log(schedule, clock, op);
  const SaveSchedule no_write = [](Schedule&, RunLog&, Operator&) { return true; };
  const std::string names[2] = {"RENAMED1", "RENAMED2"};
  int turn = 0;
  for (auto _ : state) {
    JobEditModel editor(schedule, log, op, clock, kRenamed, false, no_write);
    editor.Open();
    editor.fields.JobName = names[turn ^= 1];
    if (editor.Ok() != JobEditModel::Outcome::Stored) state.SkipWithError("the rename was refused");
  }
  if (schedule[1].RunAfter.back() != schedule[kRenamed].JobName.Str())
    state.SkipWithError("the dependents were not updated");
}
BENCHMARK(BM_RenameWithPropagation32767)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qlr
