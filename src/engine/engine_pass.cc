// One dispatch pass: rollover test, completion of running jobs, end of the
// day's work, and the submission of every job whose conditions hold.

#include <unordered_set>

#include "base/date_format.h"
#include "base/text.h"
#include "calendar/status_decision.h"
#include "engine/engine.h"
#include "engine/job_files.h"

namespace qlr {

DateTime Engine::RolloverMoment() const {
  return AddDays(schedule_.RunDate, 1) + schedule_.DayStart;
}

bool Engine::RolloverDue() const {
  const bool may_roll = day_.complete || (day_.no_defer_pending && day_.no_job_running);
  return may_roll && Now() > RolloverMoment();
}

void Engine::Kick() {
  if (RolloverDue()) {
    DoNextDay();
    return;
  }
  if (day_.complete || pass_.busy) return;
  pass_ = {true, false, false};
  Highlight(win_.kick_highlighted, true);
  day_.complete = true;
  day_.no_defer_pending = true;
  CompletionStep();
  if (day_.complete) {
    EndOfDay();
    return;
  }
  if (win_.suspended)
    Highlight(win_.suspend_highlighted, true);
  else
    DispatchStep();
  EndOfPass();
}

void Engine::CompletionStep() {
  for (int i = 1; i <= schedule_.JobCount(); ++i) {
    Job& job = schedule_[i];
    JobStatus s = job.Status;
    if ((s == JobStatus::Scheduled || s == JobStatus::SubmitFailed || s == JobStatus::Failed) &&
        job.DeferRollover)
      day_.no_defer_pending = false;
    if (s == JobStatus::Running || s == JobStatus::EndForced) Complete(i);
    if (job.Status == JobStatus::Scheduled || job.Status == JobStatus::Running)
      day_.complete = false;
  }
}

void Engine::EndOfDay() {
  if (pass_.changed) Save();
  pass_.busy = false;
  const DateTime now = Now();
  std::string line = "Schedule Completed at " + FormatDateTime(now, "hh:nn:ss") +
                     ".  Time to automatic next day rollover: " +
                     FormatDateTime(std::max<DateTime>(RolloverMoment() - now, 0), "hh:nn:ss");
  if (hooks_.day_completed) hooks_.day_completed(schedule_.RunDate);
  win_.kick_int_enabled = false;
  LogAndList(line);
  win_.next_day_enabled = true;
  LetEventsRun();
  Highlight(win_.kick_highlighted, false);
  if (win_.suspended)
    Highlight(win_.suspend_highlighted, true);
  else
    win_.suspend_enabled = false;
  day_.no_job_running = true;
  UnsubBuild();
  timer_.Idle();  // only the rollover test is left to do
  ShowTimer();
}

// The jobs are looked at in job order, each seeing the ones before it that
// start as running; then all those start, at one go, and the lines the step
// wrote are logged in the order they came.
void Engine::DispatchStep() {
  deps_.BeginPass();
  std::vector<DeferredLine> lines;
  deferred_log_ = &lines;
  for (int i = 1; i <= schedule_.JobCount(); ++i)
    if (schedule_[i].Status == JobStatus::Scheduled) DispatchJob(i);
  deferred_log_ = nullptr;
  const std::unordered_set<int> not_started = StartQueued();
  for (const DeferredLine& line : lines) {
    if (line.job == 0)
      LogAndList(line.text);
    else
      SubmissionDone(line.job, not_started.count(line.job) == 0);
  }
  day_.no_job_running = running_.jobs().empty();
}

// The tests a waiting job must pass, in order: each gives the text the job
// waits with, or "" when it passes. A job forced by the operator ("S") skips
// their outcome, but keeps the text of the first it failed until it starts;
// the file it waits for is awaited even then.
void Engine::DispatchJob(int i) {
  static constexpr Gate kGates[] = {&Engine::TooEarly, &Engine::WaitDos, &Engine::WaitDependencies,
                                    &Engine::WaitExclusive, &Engine::WaitCpu};
  Job& job = schedule_[i];
  const bool forced = job.OverrideCode.Trimmed() == "S";
  for (Gate gate : kGates) {
    std::string wait = (this->*gate)(i);
    if (job.Status != JobStatus::Scheduled) return;  // its dependencies took it off the day
    if (wait.empty()) continue;
    job.StatusText = std::move(wait);
    if (!forced) return;
    break;
  }
  if (!TrimView(job.WaitFile).empty() && !WaitFileReady(i)) return;
  Submit(i);
}

std::string Engine::TooEarly(int i) {
  const Job& job = schedule_[i];
  if (schedule_.DummyRun || EarliestStartFor(job.EarliestStartAt) <= Now()) return {};
  return "Too early (" + FormatDateTime(job.EarliestStartAt, "hh:nn") + ")";
}

std::string Engine::WaitDos(int i) {
  if (!schedule_.SerialiseDosJobs || !schedule_[i].IsDosProgram || CheckDOSSerial()) return {};
  return "Wait DOS";
}

// A job the operator forced never leaves the day for its dependencies: it is
// to start without waiting for them.
std::string Engine::WaitDependencies(int i) {
  const Job& job = schedule_[i];
  if (job.RunAfter.empty()) return {};
  switch (deps_.Decide(i, log_)) {
    case DepResult::Ready:
      return {};
    case DepResult::Wait:
      return std::string(kWaitJob);  // StatusTextOf names the predecessors
    case DepResult::Unsched:
      if (job.OverrideCode.Trimmed() == "S") return std::string(kWaitJob);
      TakeOffDay(i);
      return job.StatusText;
  }
  return {};
}

std::string Engine::WaitExclusive(int i) {
  const Job& job = schedule_[i];
  if (TrimView(job.Exclusivity).empty() || CheckExclusive(i)) return {};
  return "Wait Excl (" + Trim(job.Exclusivity) + ")";
}

std::string Engine::WaitCpu(int i) { return CPUAvailable(i) ? std::string() : "Wait CPU"; }

// A job whose dependencies can no longer be met leaves the day as if the
// operator had unscheduled it: marked "U", never started, ended now. A start
// time would make a restart read it back as completed, and its own
// dependents would then run.
void Engine::TakeOffDay(int i) {
  Job& job = schedule_[i];
  job.OverrideCode = "U";
  job.StartedAt = 0;
  job.EndedAt = StampTime(schedule_, clock_);
  job.StatusText = "Unscheduled";
  job.Status = JobStatus::Unscheduled;
  deps_.StatusChanged(i);
  // The unsubmitted list is rebuilt once at the end of the pass: doing it
  // here, once per job taken off, made a large day's first pass quadratic.
  LogAndList(job.JobName.Str() + "\tUnscheduled at " + FormatDateTime(Now(), "hh:nn:ss"));
  finished_.push_back({i, job.EndedAt, job.EndedAt, RunOutcome::Unscheduled, "", false});
  Track(schedule_, log_, Now(), job.JobName.Trimmed(), job.StatusText);
}

bool Engine::WaitFileReady(int i) {
  Job& job = schedule_[i];
  const std::string_view wait_file = TrimView(job.WaitFile);
  const bool auto_trigger = schedule_.DummyRun && !options_.WaitForTriggers;
  const bool ok = TrigFileFound(schedule_, wait_file) || job.TriggerForced || auto_trigger;
  const std::string now = FormatDateTime(Now(), "hh:nn:ss");
  if (ok) {
    if (job.TriggerForced)
      LogAndList(job.JobName.Str() + "\tForced file trigger at " + now);
    else if (auto_trigger)
      LogAndList(job.JobName.Str() + "\tAuto file trigger at " + now);
    if (job.EventIndex != -1) {
      events_.Delete(job);
      Changed();
    }
    return true;
  }
  const bool inter = StartsWith(wait_file, "..");
  const std::string name = inter ? Trim(wait_file.substr(2)) : std::string(wait_file);
  if (job.EventIndex == -1) {
    events_.Insert(job, i, inter ? EventKind::FileTrigger : EventKind::File, name);
    Changed();
  }
  job.StatusText = (inter ? "Wait Trigger (" : "Wait File (") + name + ")";
  return false;
}

void Engine::EndOfPass() {
  Highlight(win_.kick_highlighted, false);
  UnsubBuild();
  AdjustKickInterval();
  if (pass_.changed) Save();
  pass_.busy = false;
  Changed();
}

void Engine::AdjustKickInterval() {
  timer_.Adjust(schedule_, running_.jobs(), day_.no_job_running, pass_.kick_soon);
  ShowTimer();
  LetEventsRun();
}

void Engine::Save() {
  if (hooks_.save) hooks_.save();
}

DateTime Engine::EarliestStartFor(DateTime t) const {
  return t < schedule_.DayStartAt ? AddDays(t, 1) : t;
}

bool Engine::CheckDOSSerial() const { return !running_.any_dos(); }

bool Engine::CPUAvailable(int job) const {
  return options_.IgnoreCpuLimit || running_.cpu() + schedule_[job].CpuUsage <= schedule_.CpuLimit;
}

bool Engine::CheckExclusive(int job) const { return running_.MayRunBeside(schedule_[job]); }

}  // namespace qlr
