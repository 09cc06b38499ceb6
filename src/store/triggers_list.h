#pragma once
// The standard triggers list, TriggerPath/Triggers.Lst, shared by every
// schedule that uses the same trigger path: "JOB (SCHEDULE)" per job that
// writes its standard trigger file.

#include "log/run_log.h"
#include "model/schedule.h"

namespace qlr {

// Keeps the other schedules' lines and replaces this schedule's. Nothing when
// TriggersListFile is empty; a file failure ends the program.
void RewriteTriggersList(const Schedule& schedule, RunLog& log);

}  // namespace qlr
