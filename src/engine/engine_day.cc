// The run day: opening the window, building the day's schedule and its
// summary, rollover, suspension and closing.

#include "base/date_format.h"
#include "base/text.h"
#include "calendar/holidays.h"
#include "calendar/status_decision.h"
#include "engine/engine.h"
#include "engine/job_files.h"
#include "model/constants.h"

namespace qlr {

Engine::Engine(Schedule& schedule, EngineServices services, RunOptions options, EngineHooks hooks)
    : schedule_(schedule),
      log_(services.log),
      op_(services.op),
      clock_(services.clock),
      launcher_(services.launcher),
      messages_(services.messages),
      options_(options),
      hooks_(std::move(hooks)),
      deps_(schedule) {
  log_.SetListSink([this](const std::string& line) { AddListLine(line); }, this);
}

Engine::~Engine() { log_.ClearListSink(this); }  // the log outlives the window

void Engine::Open() {
  win_.started_at = Now();
  win_.suspended = schedule_.StartSuspended;
  if (win_.suspended) Highlight(win_.suspend_highlighted, true);
  forced_confirmed_ = false;
  InitSchedule();
}

void Engine::Activated() {
  if (win_.activated) return;
  win_.activated = true;
  Changed();
}

void Engine::InitSchedule() {
  day_.complete = false;
  finished_.clear();
  log_.LogWrite("Starting");
  settings_ = hooks_.settings ? hooks_.settings() : EngineSettings{};
  ApplyRunDate(schedule_);
  deps_.Invalidate();
  // A new day may be suspended and kicked as the last one could before it completed.
  win_.kick_int_enabled = true;
  win_.suspend_enabled = true;
  timer_.Start(settings_.TimerSecs);
  SchedRun();
  timer_.Start(settings_.TimerSecs);  // SchedRun found nothing running: the day starts anew
  ShowTimer();
  Kick();
}

void Engine::SchedRun() {
  day_.no_job_running = true;
  AdjustKickInterval();
  if (options_.ShowEvents && !win_.events_shown) ToggleEvents();
  win_.failure_warning_visible = false;
  LogAndList("Schedule for " + FormatDateTime(schedule_.RunDate, "dddd ") +
             FormatShortDate(schedule_.Calendar, schedule_.RunDate) + " " + std::string(40, '-'));
  for (int i = 1; i <= schedule_.JobCount(); ++i) SetJobStatus(schedule_, i);
  SchedRunList(JobStatus::NotScheduled, "not scheduled", false, "");
  int completed = SchedRunList(JobStatus::Completed, "previously completed", false, "");
  SchedRunList(JobStatus::Unscheduled, "previously unscheduled", false, "");
  int submitted = SchedRunList(JobStatus::Running, "previously submitted", true, "");
  int submit_failed = SchedRunList(JobStatus::SubmitFailed, "previous submission failed", true, "");
  int failed = SchedRunList(JobStatus::Failed, "previous execution failed", false, "");
  int scheduled = SchedRunList(JobStatus::Scheduled, "scheduled", false, "Scheduled");
  win_.failure_warning_visible = submit_failed + failed > 0 && schedule_.ShowFailedJobsWarning;
  if (completed > 0) LogAndList(std::to_string(completed) + " Job(s) previously completed.");
  if (submitted > 0) LogAndList(std::to_string(submitted) + " Job(s) previously submitted.");
  if (submit_failed > 0)
    LogAndList(std::to_string(submit_failed) + " Job(s) previous submission failed.");
  if (failed > 0) LogAndList(std::to_string(failed) + " Job(s) previously failed.");
  LogAndList(std::to_string(scheduled) + " Job(s) scheduled.");
  AddListLine("");
  running_.Rebuild(schedule_);
}

// Lists the jobs of one status; a job left running or unstarted gets an
// events entry through which the operator can force its completion.
int Engine::SchedRunList(JobStatus code, const std::string& label, bool force_completion,
                         const std::string& new_text) {
  int count = 0;
  for (int i = 1; i <= schedule_.JobCount(); ++i) {
    Job& job = schedule_[i];
    if (job.Status != code) continue;
    std::string line = job.JobName.Padded() + " (" + Trim(job.Frequency) + ")\t" + label;
    if (force_completion) events_.Insert(job, i, EventKind::ForceCompletion);
    LogAndList(line);
    if (!new_text.empty()) {
      job.StatusText = new_text;
      Track(schedule_, log_, Now(), job.JobName.Trimmed(), new_text);
    }
    ++count;
  }
  if (count > 0) AddListLine("");
  if (force_completion) Changed();
  return count;
}

void Engine::NextDay() {
  if (op_.Ask("Are you sure you want to rollover to the next day's schedule?", Buttons::YesNo,
              "Roll Over") != Answer::No)
    DoNextDay();
}

void Engine::DoNextDay() {
  LogAndList("End of day for " + FormatDateTime(schedule_.RunDate, "dddd ") +
             FormatShortDate(schedule_.Calendar, schedule_.RunDate) + " " + std::string(40, '-'));
  AddListLine("");
  schedule_.RunDate = schedule_.DummyRun ? DateOnly(Now()) : AddDays(schedule_.RunDate, 1);
  for (int i = 1; i <= schedule_.JobCount(); ++i) {
    schedule_[i].OverrideCode = " ";
    SetJobStatus(schedule_, i);
  }
  events_.Clear();
  win_.unsubmitted_selected = -1;  // the new day's list has nothing chosen yet
  win_.unsub_label_reports = false;
  ApplyRunDate(schedule_);
  InitSchedule();
}

void Engine::ToggleSuspend() {
  win_.suspended = !win_.suspended;
  Highlight(win_.suspend_highlighted, win_.suspended);
}

bool Engine::Close() {
  if (!day_.complete &&
      op_.Ask("The Schedule is not yet complete.  It will be resumed from the point of "
              "interruption when next run for the current run date.\nOK to Exit?",
              Buttons::OkCancel, std::string(kSettingsName)) == Answer::Cancel)
    return false;
  Save();
  log_.LogWrite("Closing");
  timer_.Stop();
  ShowTimer();
  return true;
}

void Engine::BeginModifySchedule() {
  timer_.Stop();
  ShowTimer();
}

void Engine::EndModifySchedule(bool reschedule_done) {
  deps_.Invalidate();
  running_.Rebuild(schedule_);
  timer_.Resume();
  ShowTimer();
  if (reschedule_done) {
    // A job put back on a finished day must still run: the day is open again.
    day_.complete = false;
    win_.kick_int_enabled = true;
    Kick();
  }
  if (!win_.suspended) win_.suspend_enabled = true;
  Changed();
}

void Engine::ToggleKickInterval() {
  timer_.Toggle();
  ShowTimer();
}

}  // namespace qlr
