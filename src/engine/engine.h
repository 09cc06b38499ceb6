#pragma once
// The execution engine: one run day of a schedule. It decides every job's
// status for the run date, and each Kick() runs one dispatch pass: rollover
// test, completion of running jobs, then submission of every waiting job whose
// start time, dependencies, wait file, exclusivity, DOS serialisation and CPU
// limit allow it. It owns no timer and no thread: its owner reads
// window().timer_interval_ms and calls Kick().

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/dependencies.h"
#include "engine/window_state.h"
#include "log/run_log.h"
#include "messages/end_of_job.h"
#include "model/schedule.h"
#include "platform/process_launcher.h"

namespace qlr {

// Options of the launch window and the dummy run dialog.
struct RunOptions {
  bool ShowEvents = false;
  bool IgnoreCpuLimit = false;
  bool WaitForTriggers = false;
  bool GenDummyMessages = false;
  bool CrtDummyTriggers = false;
};

class Engine {
 public:
  using SaveHook = std::function<void()>;

  Engine(Schedule& schedule, RunLog& log, ProcessLauncher& launcher, EndOfJobMessages& messages,
         RunOptions options);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  void SetView(ExecutionView* view) { view_ = view; }
  // Writes the schedule file; the default calls WriteSchedule.
  void SetSaveHook(SaveHook save) { save_ = std::move(save); }

  // Opening the window: caption, suspend state, then InitSchedule (which kicks).
  void Open();
  // One dispatch pass (the Kick command, the timer and the Kick menu entry).
  void Kick();
  void ToggleKickInterval();
  // Next Day: asks "Roll Over"; rolls over unless the answer is No.
  void NextDay();
  void DoNextDay();
  void ToggleSuspend();
  // Closing the window: asks when the day is incomplete; false when the
  // operator chose to stay. Saves, logs "Closing".
  bool Close();
  // Before and after Modify Schedule: the timer stops, and after it the engine
  // kicks at once when a job was put back on the schedule.
  void BeginModifySchedule();
  void EndModifySchedule(bool reschedule_done);
  // Re-reads the dependency structure after jobs were changed outside a pass.
  void ScheduleChanged() { deps_.Invalidate(); }
  // A change made by Modify Schedule: the line goes to the run log, the day's
  // list and the events pane (where it stays until the day rolls over).
  void LogModification(const std::string& line);
  // Rebuilds the unsubmitted pane from the jobs' statuses.
  void UnsubBuild();
  // Writes the schedule file through the save hook.
  void Save();

  // The events pane: forcing the entry at `row` (double click or "&Trigger
  // Event"); Modify Schedule's lines force nothing and ask nothing.
  void ForceEvent(int row);
  void SelectEvent(int row);
  // The unsubmitted pane: the status report and forced submission of the job at `row`.
  std::string StatusReport(int row);
  void ForceSubmit(int row);
  void SelectUnsubmitted(int row);
  std::string UnsubText(int row);  // JobName (8) + tab + StatusTextOf
  // The job's status text as the window shows it: a job that waits for its
  // predecessors has "Wait Job" in its StatusText, and here the list of those
  // that hold it back now, "Wait Job (A(S) - Running, ...)".
  std::string StatusTextOf(int job);
  static constexpr std::string_view kWaitJob = "Wait Job";
  // The tip of a line of the day's list: the description of the job the line
  // names (its text before the first "("), or the line with tabs as blanks.
  std::string ListTip(int row) const;
  void ToggleEvents();
  void SetIgnoreCpuLimit(bool ignore) { options_.IgnoreCpuLimit = ignore; }
  // The window was activated: the title shows the version text.
  void Activated();

  // Tests and runners: the engine's state as the window shows it.
  const WindowState& window() const { return win_; }
  bool schedule_complete() const { return schedule_complete_; }
  const RunOptions& options() const { return options_; }
  DependencyIndex& dependencies() { return deps_; }

  // Exposed for the status report and the tests of the dispatch rules.
  bool CheckExclusive(int job) const;
  bool CPUAvailable(int job) const;
  bool CheckDOSSerial(int job) const;
  DateTime EarliestStartFor(DateTime t) const;

 private:
  // Day (engine_day.cc).
  void InitSchedule();
  void SchedRun();
  int SchedRunList(JobStatus code, const std::string& label, const std::string& action,
                   const std::string& new_text);
  void SetRunDateLabel();
  // Pass (engine_pass.cc).
  bool RolloverDue() const;
  DateTime RolloverMoment() const;
  void CompletionStep();
  void EndOfDay();
  void DispatchStep();
  void DispatchJob(int job);
  void TakeOffDay(Job& job);
  bool WaitFileReady(int job);
  void EndOfPass();
  void AdjustKickInterval();
  void SetTimerInterval(int interval_ms);
  // Jobs (engine_jobs.cc).
  void Submit(int job);
  LaunchRequest RequestFor(int job);
  std::string DummyCommand(int job, const std::string& command) const;
  void Complete(int job);
  bool JobHasEnded(int job);
  void ScanOutput(int job);
  void StopFailedJob(int job);
  void FinishJob(int job);
  void RecordRunning();
  void AddRunning(int job);
  // Events (engine_events.cc).
  bool Forceable(int row) const;
  std::string WaitReasons(int job);
  void RefreshUnsubLabel();
  void InsertEvent(int job, const std::string& text);
  void DeleteEvent(int job);
  // View plumbing.
  void AddListLine(const std::string& line);
  void LogAndList(const std::string& text);
  void Highlight(bool& flag, bool on);
  void Changed();
  void LetEventsRun();

  Schedule& schedule_;
  RunLog& log_;
  ProcessLauncher& launcher_;
  EndOfJobMessages& messages_;
  RunOptions options_;
  ExecutionView* view_ = nullptr;
  SaveHook save_;
  DependencyIndex deps_;
  WindowState win_;

  bool suspended_ = false;
  bool schedule_complete_ = false;
  bool no_job_running_ = true;
  bool no_defer_pending_ = false;  // so that the first pass of a run always runs
  bool kick_busy_ = false;
  bool pass_changed_ = false;
  bool kick_soon_ = false;
  bool forced_confirmed_ = false;
  bool unsub_label_reports_ = false;  // the label shows the chosen job's status report
  bool activated_ = false;
  int16_t event_counter_ = -1;
  int32_t kick_interval_ms_ = 0;
  int next_kick_ = 0;  // half-seconds
  std::vector<int64_t> output_offsets_;
  // What runs now, for the exclusivity, CPU and DOS tests.
  std::vector<int> running_;
  std::unordered_set<std::string> running_words_;  // upper-cased exclusivity words of running_
  int running_cpu_ = 0;
  int running_dos_ = 0;
};

}  // namespace qlr
