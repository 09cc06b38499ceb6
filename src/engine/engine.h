#pragma once
// The execution engine: one run day of a schedule. It decides every job's
// status for the run date, and each Kick() runs one dispatch pass: rollover
// test, completion of running jobs, then submission of every waiting job whose
// start time, dependencies, wait file, exclusivity, DOS serialisation and CPU
// limit allow it. It owns no timer and no thread: its owner reads
// window().timer_interval_ms and calls Kick().
//
// The engine is the day; the jobs that run, the kick timer, the events pane
// and the dependency decisions are parts of their own. Its state is plain;
// execution_presenter.h makes the window's texts from it.

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/clock.h"
#include "engine/dependencies.h"
#include "engine/engine_settings.h"
#include "engine/events_pane.h"
#include "engine/finished_run.h"
#include "engine/kick_timer.h"
#include "engine/pane_row.h"
#include "engine/run_options.h"
#include "engine/running_jobs.h"
#include "engine/window_state.h"
#include "log/run_log.h"
#include "messages/end_of_job.h"
#include "model/schedule.h"
#include "platform/operator.h"
#include "platform/process_launcher.h"
#include "store/run_journal.h"

namespace qlr {

// What the engine works with besides the schedule; each reaches only the
// code that uses it.
struct EngineServices {
  RunLog& log;
  Operator& op;        // the questions of Next Day, Close, forcing
  const Clock& clock;  // the time of passes, submissions and ends
  ProcessLauncher& launcher;
  EndOfJobMessages& messages;
};

class Engine {
 public:
  // The text a job waiting for its predecessors holds; StatusTextOf names them.
  static constexpr std::string_view kWaitJob = "Wait Job";

  Engine(Schedule& schedule, EngineServices services, RunOptions options, EngineHooks hooks);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  void SetView(ExecutionView* view) { view_ = view; }

  // --- The day.
  // Opening the window: the suspend state, then InitSchedule (which kicks).
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
  // The window was activated: the title shows the version text from now on.
  void Activated();
  void SetIgnoreCpuLimit(bool ignore) { options_.IgnoreCpuLimit = ignore; }

  // --- The panes.
  // Forcing the events entry at `row` (double click or "&Trigger Event");
  // Modify Schedule's lines force nothing and ask nothing.
  void ForceEvent(PaneRow row);
  void SelectEvent(PaneRow row);
  // The status report and forced submission of the waiting job at `row`.
  std::string StatusReport(PaneRow row);
  void ForceSubmit(PaneRow row);
  void SelectUnsubmitted(PaneRow row);
  std::string UnsubText(PaneRow row);  // JobName (8) + tab + StatusTextOf
  // The job's status text as the window shows it: for a job that waits for
  // its predecessors, "Wait Job (A(S) - Running, ...)" naming those that hold
  // it back now (at most `limit` of them, then ", ...").
  std::string StatusTextOf(int job, size_t limit = SIZE_MAX);
  // Every dispatch test the job fails, not only the first, joined by commas.
  std::string WaitReasons(int job);
  // The tip of a line of the day's list: the description of the job the line
  // names (its text before the first "("), or the line with tabs as blanks.
  std::string ListTip(PaneRow row) const;
  void ToggleEvents();

  // --- What the views read.
  const WindowState& window() const { return win_; }
  const EventsPane& events() const { return events_; }
  bool schedule_complete() const { return day_.complete; }
  const RunOptions& options() const { return options_; }
  DependencyIndex& dependencies() { return deps_; }
  // The day's runs that are over, in the order they ended; a new day starts
  // with none.
  const std::vector<FinishedRun>& finished_runs() const { return finished_; }

  // Exposed for the status report and the tests of the dispatch rules.
  bool CheckExclusive(int job) const;
  bool CPUAvailable(int job) const;
  bool CheckDOSSerial() const;
  DateTime EarliestStartFor(DateTime t) const;

 private:
  // Flags each pass leaves for the next one's rollover test.
  struct DayFlags {
    bool complete = false;
    bool no_job_running = true;
    bool no_defer_pending = false;  // so that the first pass of a run always runs
  };
  // A line of the dispatch step, logged once its jobs have started: a text,
  // or the submission line of `job`.
  struct DeferredLine {
    std::string text;
    int job = 0;
  };
  // Flags of the pass at work.
  struct PassFlags {
    bool busy = false;
    bool changed = false;    // a job ended or a submission was tried: save at the end
    bool kick_soon = false;  // something calls for a look one second later
  };
  using Gate = std::string (Engine::*)(int job);

  // Day (engine_day.cc).
  void InitSchedule();
  void SchedRun();
  int SchedRunList(JobStatus code, const std::string& label, bool force_completion,
                   const std::string& new_text);
  // Pass (engine_pass.cc).
  bool RolloverDue() const;
  DateTime RolloverMoment() const;
  void CompletionStep();
  void EndOfDay();
  void DispatchStep();
  void DispatchJob(int job);
  std::string TooEarly(int job);
  std::string WaitDos(int job);
  std::string WaitDependencies(int job);
  std::string WaitExclusive(int job);
  std::string WaitCpu(int job);
  void TakeOffDay(int job);
  bool WaitFileReady(int job);
  void EndOfPass();
  void AdjustKickInterval();
  // Jobs (engine_jobs.cc).
  void Submit(int job);
  std::unordered_set<int> StartQueued();
  void SubmissionDone(int job, bool started);
  LaunchRequest RequestFor(int job);
  std::string DummyCommand(int job, const std::string& command) const;
  void Complete(int job);
  bool JobHasEnded(int job);
  void ScanOutput(int job);
  void StopFailedJob(int job);
  void FinishJob(int job, bool forced);
  void Reschedule(int job);
  // Panes and view plumbing (engine_events.cc).
  void ShowTimer();
  void AddListLine(const std::string& line);
  void LogAndList(const std::string& text);
  void Highlight(bool& flag, bool on);
  void Changed();
  void LetEventsRun();
  DateTime Now() const { return clock_.Now(); }

  Schedule& schedule_;
  RunLog& log_;
  Operator& op_;
  const Clock& clock_;
  ProcessLauncher& launcher_;
  EndOfJobMessages& messages_;
  RunOptions options_;
  EngineHooks hooks_;
  EngineSettings settings_;
  ExecutionView* view_ = nullptr;

  DependencyIndex deps_;
  RunningJobs running_;
  KickTimer timer_;
  EventsPane events_;
  WindowState win_;
  DayFlags day_;
  PassFlags pass_;
  bool forced_confirmed_ = false;                      // the forced-event question was asked
  std::vector<int64_t> output_offsets_;                // by job: how far its output was read
  std::vector<JournalStart> queued_;                   // the starts the dispatch step decided
  std::vector<FinishedRun> finished_;                  // the day's runs that are over
  std::vector<DeferredLine>* deferred_log_ = nullptr;  // while the dispatch step decides
};

}  // namespace qlr
