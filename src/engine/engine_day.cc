// The run day: opening the window, building the day's schedule and its
// summary, rollover, suspension and closing.

#include "base/date_format.h"
#include "base/field.h"
#include "base/number.h"
#include "base/text.h"
#include "calendar/frequency.h"
#include "calendar/holidays.h"
#include "calendar/status_decision.h"
#include "engine/engine.h"
#include "engine/job_files.h"
#include "model/constants.h"
#include "store/profile_file.h"
#include "store/schedule_file.h"

namespace qlr {

Engine::Engine(Schedule& schedule, RunLog& log, ProcessLauncher& launcher,
               EndOfJobMessages& messages, RunOptions options)
    : schedule_(schedule),
      log_(log),
      launcher_(launcher),
      messages_(messages),
      options_(options),
      deps_(schedule) {
  save_ = [this] { WriteSchedule(schedule_, log_); };
  log_.SetListSink([this](const std::string& line) { AddListLine(line); }, this);
}

Engine::~Engine() { log_.ClearListSink(this); }  // the log outlives the window

void Engine::Open() {
  DateTime now = log_.clock().Now();
  win_.caption = "Started on " + FormatDateTime(now, "dd-mmm-yy") + " @ " + FormatDateTime(now, "hh:nn:ss");
  suspended_ = schedule_.StartSuspended;
  if (suspended_) {
    win_.suspend_caption = "Un&suspend";
    Highlight(win_.suspend_highlighted, true);
  }
  forced_confirmed_ = false;
  InitSchedule();
}

void Engine::Activated() {
  if (activated_) return;
  activated_ = true;
  win_.title = schedule_.VersionText;
  win_.window_caption = "Verlando. - " + schedule_.VersionText;
  Changed();
}

void Engine::InitSchedule() {
  schedule_complete_ = false;
  log_.LogWrite("Starting");
  schedule_.TimerSecs = ReadInt32(IniRead(kSettingsName, "TimerSecs", schedule_.IniFile));
  kick_interval_ms_ = static_cast<int32_t>(std::min<int64_t>(int64_t{schedule_.TimerSecs} * 1000, INT32_MAX));
  ApplyRunDate(schedule_);
  deps_.Invalidate();
  SetRunDateLabel();
  win_.start_time_label = FormatDateTime(schedule_.DayStart, "hh:nn");
  // A new day may be suspended and kicked as the last one could before it completed.
  win_.kick_int_enabled = true;
  win_.suspend_enabled = true;
  SchedRun();
  SetTimerInterval(kick_interval_ms_);
  Kick();
}

void Engine::SetRunDateLabel() {
  std::string terms = ListTrueTerms(schedule_.Calendar, schedule_.RunDate);
  std::string f[7];
  for (int i = 1; i <= 6; ++i) f[i] = GetField(terms, i);
  std::string place = f[2] + ", " + f[1];
  for (int i : {4, 3})
    if (!f[i].empty()) place += ", " + f[i];
  place += ", " + f[6] + ", " + f[5];
  win_.run_date_label = FormatDateTime(schedule_.RunDate, "dddd") + ", " +
                        FormatShortDate(schedule_.Calendar, schedule_.RunDate) + "\n(" + place + ")";
}

void Engine::SchedRun() {
  no_job_running_ = true;
  AdjustKickInterval();
  if (options_.ShowEvents && !win_.events_shown) ToggleEvents();
  win_.failure_warning_visible = false;
  LogAndList("Schedule for " + FormatDateTime(schedule_.RunDate, "dddd ") +
             FormatShortDate(schedule_.Calendar, schedule_.RunDate) + " " + std::string(40, '-'));
  for (int i = 1; i <= schedule_.JobCount(); ++i) SetJobStatus(schedule_, i);
  SchedRunList(JobStatus::NotScheduled, "not scheduled", "", "");
  int completed = SchedRunList(JobStatus::Completed, "previously completed", "", "");
  SchedRunList(JobStatus::Unscheduled, "previously unscheduled", "", "");
  int submitted = SchedRunList(JobStatus::Running, "previously submitted", "Force Completion", "");
  int submit_failed = SchedRunList(JobStatus::SubmitFailed, "previous submission failed", "Force Completion", "");
  int failed = SchedRunList(JobStatus::Failed, "previous execution failed", "", "");
  int scheduled = SchedRunList(JobStatus::Scheduled, "scheduled", "", "Scheduled");
  win_.failure_warning_visible = submit_failed + failed > 0 && schedule_.ShowFailedJobsWarning;
  if (completed > 0) LogAndList(std::to_string(completed) + " Job(s) previously completed.");
  if (submitted > 0) LogAndList(std::to_string(submitted) + " Job(s) previously submitted.");
  if (submit_failed > 0) LogAndList(std::to_string(submit_failed) + " Job(s) previous submission failed.");
  if (failed > 0) LogAndList(std::to_string(failed) + " Job(s) previously failed.");
  LogAndList(std::to_string(scheduled) + " Job(s) scheduled.");
  AddListLine("");
  RecordRunning();
}

int Engine::SchedRunList(JobStatus code, const std::string& label, const std::string& action,
                         const std::string& new_text) {
  int count = 0;
  for (int i = 1; i <= schedule_.JobCount(); ++i) {
    Job& job = schedule_[i];
    if (job.Status != code) continue;
    std::string line = job.JobName.Padded() + " (" + Trim(job.Frequency) + ")\t" + label;
    if (!action.empty()) InsertEvent(i, action);
    LogAndList(line);
    if (!new_text.empty()) {
      job.StatusText = new_text;
      Track(schedule_, log_, job.JobName.Trimmed(), new_text);
    }
    ++count;
  }
  if (count > 0) AddListLine("");
  return count;
}

void Engine::NextDay() {
  if (log_.op().Ask("Are you sure you want to rollover to the next day's schedule?", Buttons::YesNo,
                    "Roll Over") != Answer::No)
    DoNextDay();
}

void Engine::DoNextDay() {
  LogAndList("End of day for " + FormatDateTime(schedule_.RunDate, "dddd ") +
             FormatShortDate(schedule_.Calendar, schedule_.RunDate) + " " + std::string(40, '-'));
  AddListLine("");
  schedule_.RunDate = schedule_.DummyRun ? DateOnly(log_.clock().Now()) : AddDays(schedule_.RunDate, 1);
  for (int i = 1; i <= schedule_.JobCount(); ++i) {
    schedule_[i].OverrideCode = " ";
    SetJobStatus(schedule_, i);
  }
  win_.events.clear();
  event_counter_ = -1;
  win_.unsubmitted_selected = -1;  // the new day's list has nothing chosen yet
  RefreshUnsubLabel();
  ApplyRunDate(schedule_);
  InitSchedule();
}

void Engine::ToggleSuspend() {
  suspended_ = win_.suspend_caption == "&Suspend";
  win_.suspend_caption = suspended_ ? "Un&suspend" : "&Suspend";
  Highlight(win_.suspend_highlighted, suspended_);
}

bool Engine::Close() {
  if (!schedule_complete_ &&
      log_.op().Ask("The Schedule is not yet complete.  It will be resumed from the point of "
                    "interruption when next run for the current run date.\nOK to Exit?",
                    Buttons::OkCancel, std::string(kSettingsName)) == Answer::Cancel)
    return false;
  Save();
  log_.LogWrite("Closing");
  win_.timer_interval_ms = 0;
  Changed();
  return true;
}

void Engine::BeginModifySchedule() {
  win_.timer_interval_ms = 0;
  Changed();
}

void Engine::EndModifySchedule(bool reschedule_done) {
  deps_.Invalidate();
  RecordRunning();
  SetTimerInterval(next_kick_ * 500);
  if (reschedule_done) {
    // A job put back on a finished day must still run: the day is open again.
    schedule_complete_ = false;
    win_.kick_int_enabled = true;
    Kick();
  }
  if (!suspended_) win_.suspend_enabled = true;
  Changed();
}

void Engine::ToggleKickInterval() {
  SetTimerInterval(win_.timer_interval_ms < kick_interval_ms_ ? kick_interval_ms_ : 5000);
}

// The kick label always tells the interval the timer runs with now.
void Engine::SetTimerInterval(int interval_ms) {
  win_.timer_interval_ms = interval_ms;
  win_.kick_label = std::to_string(schedule_.TimerSecs) + "/" + std::to_string(interval_ms / 1000) +
                    " seconds";
  Changed();
}

}  // namespace qlr
