#pragma once
// What the engine keeps of each run of its day that is over, for the views
// that draw the day (the timeline): appended where a job ends, could not be
// started or was taken off the day.

#include <string>

#include "base/date_time.h"
#include "log/timeline.h"

namespace qlr {

struct FinishedRun {
  int job = 0;           // index in the job table
  DateTime started = 0;  // the submission's time stamp
  DateTime ended = 0;    // == started for a start that failed or a job taken off the day
  RunOutcome outcome = RunOutcome::Completed;
  std::string fail_text;     // the failure's text, "" when none
  bool rescheduled = false;  // the job was put back on the day after this run
};

}  // namespace qlr
