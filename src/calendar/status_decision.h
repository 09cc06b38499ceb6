#pragma once
// The job status decision: what a job's status is for the run date, from its
// frequency, skip setting, override code and its last start and end.

#include "base/clock.h"
#include "model/schedule.h"

namespace qlr {

// Sets DueToday, SkipToday, Status and (except for SubmitFailed) StatusText of
// job `index` (1-based) by the decision table.
void SetJobStatus(Schedule& schedule, int index);

// The time stamp of submissions and ends: now, or in a dummy run the run date
// with the present time of day.
DateTime StampTime(const Schedule& schedule, const Clock& clock);

}  // namespace qlr
