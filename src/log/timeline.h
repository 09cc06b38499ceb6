#pragma once
// A run day's timeline: one row per job run, from its submission to its end
// (or to now while it runs), with its outcome. Made from the run log
// (timeline_log.h) or from a running engine, and drawn by timeline_svg.h and
// the execution window.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"

namespace qlr {

enum class RunOutcome {
  Completed,
  Failed,
  ForcedCompletion,  // the operator forced its completion
  Running,           // still running: drawn to the timeline's `now`
  SubmitFailed,      // could not be started: a moment, not a span
  Unscheduled,       // taken off the day: a moment, not a span
  NoEnd,             // its end was never logged (the day ended, or it was started again)
};

struct TimelineRun {
  std::string job;  // the trimmed job name (Windows-1252)
  DateTime start = 0;
  DateTime end = 0;  // == start for a moment
  RunOutcome outcome = RunOutcome::Running;
  std::string fail_text;     // what the failure was, "" when none was given
  bool rescheduled = false;  // the job was put back on the day after this run
};

struct Timeline {
  std::string schedule_name;
  DateTime run_date = 0;          // date only
  DateTime day_start_at = 0;      // the run day is the 24 hours from here
  DateTime now = 0;               // when it was made; runs still going end here
  std::vector<TimelineRun> runs;  // by start, then in the order they were met
};

// "Completed", "Failed", "Forced completion", "Running", "Submission failed",
// "Unscheduled", "No end logged".
std::string_view OutcomeText(RunOutcome outcome);
// Submission failures and unschedulings happen at one moment.
bool IsMoment(RunOutcome outcome);

// The span the picture shows: from the first run's start to the last one's
// end (the whole run day when there is none), widened to whole ticks. A tick
// is an hour on a day-long span; shorter spans get ticks of 1 second to 30
// minutes, longer ones of 2 hours or more, so that there are at most 24.
struct TimeAxis {
  DateTime from = 0;
  DateTime to = 0;   // later than `from`
  int64_t step = 0;  // seconds between ticks; `from` and `to` are ticks
};
TimeAxis AxisOf(const Timeline& timeline);

// The colour a run of this outcome is drawn in, "#rrggbb".
std::string_view OutcomeColour(RunOutcome outcome);

// A duration as "hh:mm:ss", the hours going past 24 as needed.
std::string DurationText(int64_t seconds);

// Orders the runs by start; runs that start together keep their order.
void SortRuns(Timeline& timeline);

}  // namespace qlr
