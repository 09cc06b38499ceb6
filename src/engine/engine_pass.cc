// One dispatch pass: rollover test, completion of running jobs, end of the
// day's work, and the submission of every job whose conditions hold.

#include "base/date_format.h"
#include "base/text.h"
#include "calendar/status_decision.h"
#include "engine/engine.h"
#include "engine/job_files.h"
#include "model/constants.h"
#include "store/profile_file.h"
#include "calendar/holidays.h"

namespace qlr {
namespace {

// An exclusivity list counts its first ten names; qlr check reports longer lists.
constexpr size_t kMaxExclusivityNames = 10;

}  // namespace

DateTime Engine::RolloverMoment() const {
  return AddDays(schedule_.RunDate, 1) + schedule_.DayStart;
}

bool Engine::RolloverDue() const {
  bool may_roll = schedule_complete_ || (no_defer_pending_ && no_job_running_);
  return may_roll && log_.clock().Now() > RolloverMoment();
}

void Engine::Kick() {
  if (RolloverDue()) {
    DoNextDay();
    return;
  }
  if (schedule_complete_ || kick_busy_) return;
  kick_busy_ = true;
  Highlight(win_.kick_highlighted, true);
  schedule_complete_ = true;
  no_defer_pending_ = true;
  kick_soon_ = false;
  pass_changed_ = false;
  CompletionStep();
  if (schedule_complete_) {
    EndOfDay();
    return;
  }
  if (suspended_)
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
      no_defer_pending_ = false;
    if (s == JobStatus::Running || s == JobStatus::EndForced) Complete(i);
    if (job.Status == JobStatus::Scheduled || job.Status == JobStatus::Running)
      schedule_complete_ = false;
  }
}

void Engine::EndOfDay() {
  if (pass_changed_) Save();
  kick_busy_ = false;
  DateTime now = log_.clock().Now();
  std::string line = "Schedule Completed at " + FormatDateTime(now, "hh:nn:ss") +
                     ".  Time to automatic next day rollover: " +
                     FormatDateTime(std::max<DateTime>(RolloverMoment() - now, 0), "hh:nn:ss");
  IniWrite(kSettingsName, "LastCompleted", FormatShortDate(schedule_.Calendar, schedule_.RunDate),
           schedule_.IniFile);
  win_.kick_int_enabled = false;
  LogAndList(line);
  win_.next_day_enabled = true;
  LetEventsRun();
  Highlight(win_.kick_highlighted, false);
  if (suspended_)
    Highlight(win_.suspend_highlighted, true);
  else
    win_.suspend_enabled = false;
  no_job_running_ = true;
  UnsubBuild();
  SetTimerInterval(5000);  // only the rollover test is left to do
}

void Engine::DispatchStep() {
  RecordRunning();
  deps_.BeginPass();
  no_job_running_ = true;
  for (int i = 1; i <= schedule_.JobCount(); ++i) {
    if (schedule_[i].Status == JobStatus::Scheduled) DispatchJob(i);
    if (schedule_[i].Status == JobStatus::Running) no_job_running_ = false;
  }
}

void Engine::DispatchJob(int i) {
  Job& job = schedule_[i];
  bool ok = true;
  DateTime now = log_.clock().Now();
  if (!schedule_.DummyRun && EarliestStartFor(job.EarliestStartAt) > now) {
    ok = false;
    job.StatusText = "Too early (" + FormatDateTime(job.EarliestStartAt, "hh:nn") + ")";
  }
  if (ok && schedule_.SerialiseDosJobs && job.IsDosProgram && !(ok = CheckDOSSerial(i)))
    job.StatusText = "Wait DOS";
  if (ok && !job.RunAfter.empty()) {
    switch (deps_.Decide(i, log_)) {
      case DepResult::Ready: break;
      case DepResult::Wait:
        ok = false;
        job.StatusText = kWaitJob;  // StatusTextOf names the predecessors when asked
        break;
      case DepResult::Unsched:
        ok = false;
        TakeOffDay(job);
        deps_.StatusChanged(i);
        // The unsubmitted list is rebuilt once at the end of the pass: doing it
        // here, once per job taken off, made a large day's first pass quadratic.
        LogAndList(job.JobName.Str() + "\tUnscheduled at " + FormatDateTime(now, "hh:nn:ss"));
        Track(schedule_, log_, job.JobName.Trimmed(), job.StatusText);
        break;
    }
  }
  if (ok && !TrimView(job.Exclusivity).empty() && !(ok = CheckExclusive(i)))
    job.StatusText = "Wait Excl (" + Trim(job.Exclusivity) + ")";
  if (ok && !(ok = CPUAvailable(i))) job.StatusText = "Wait CPU";
  ok = ok || job.OverrideCode.Trimmed() == "S";
  if (ok && !TrimView(job.WaitFile).empty()) ok = WaitFileReady(i);
  if (ok) Submit(i);
}

// A job whose dependencies can no longer be met leaves the day as if the
// operator had unscheduled it: marked "U", never started, ended now. A start
// time would make a restart read it back as completed, and its own
// dependents would then run.
void Engine::TakeOffDay(Job& job) {
  job.OverrideCode = "U";
  job.StartedAt = 0;
  job.EndedAt = StampTime(schedule_, log_.clock());
  job.StatusText = "Unscheduled";
  job.Status = JobStatus::Unscheduled;
}

bool Engine::WaitFileReady(int i) {
  Job& job = schedule_[i];
  std::string_view spec = TrimView(job.WaitFile);
  bool auto_trigger = schedule_.DummyRun && !options_.WaitForTriggers;
  bool ok = TrigFileFound(schedule_, spec) || job.TriggerForced || auto_trigger;
  std::string now = FormatDateTime(log_.clock().Now(), "hh:nn:ss");
  if (ok) {
    if (job.TriggerForced)
      LogAndList(job.JobName.Str() + "\tForced file trigger at " + now);
    else if (auto_trigger)
      LogAndList(job.JobName.Str() + "\tAuto file trigger at " + now);
    if (job.EventIndex != -1) DeleteEvent(i);
    return true;
  }
  bool inter = StartsWith(spec, "..");
  std::string name = inter ? Trim(spec.substr(2)) : std::string(spec);
  if (job.EventIndex == -1) InsertEvent(i, (inter ? "File Trigger(" : "File(") + name + ")");
  job.StatusText = (inter ? "Wait Trigger (" : "Wait File (") + name + ")";
  return false;
}

void Engine::EndOfPass() {
  Highlight(win_.kick_highlighted, false);
  UnsubBuild();
  AdjustKickInterval();
  if (pass_changed_) Save();
  kick_busy_ = false;
  Changed();
}

void Engine::AdjustKickInterval() {
  if (no_job_running_) {
    next_kick_ = 10;
  } else if (kick_soon_) {
    next_kick_ = 2;
  } else {
    next_kick_ = static_cast<int>(std::min<int64_t>(kick_interval_ms_ / 500, INT16_MAX));
    for (int i : running_) {
      int32_t d = schedule_[i].LastDuration;
      if (d >= 1 && d < next_kick_) next_kick_ = d;
    }
  }
  SetTimerInterval(next_kick_ * 500);
  LetEventsRun();
}

void Engine::Save() {
  if (save_) save_();
}

DateTime Engine::EarliestStartFor(DateTime t) const {
  return t < schedule_.DayStartAt ? AddDays(t, 1) : t;
}

bool Engine::CheckDOSSerial(int) const { return running_dos_ == 0; }

bool Engine::CPUAvailable(int job) const {
  return options_.IgnoreCpuLimit || running_cpu_ + schedule_[job].CpuUsage <= schedule_.CpuLimit;
}

bool Engine::CheckExclusive(int job) const {
  std::vector<std::string_view> names = SplitWords(TrimView(schedule_[job].Exclusivity));
  if (names.size() > kMaxExclusivityNames) names.resize(kMaxExclusivityNames);
  if (running_words_.empty()) return true;
  for (std::string_view name : names)
    if (running_words_.count(Upper(name)) != 0) return false;
  return true;
}

}  // namespace qlr
