#pragma once
// Launching a schedule: the launch check, the clean-up of old log copies, the
// dependency loop check, the run lock and the launch values, as every front
// end runs them before the engine takes over.

#include <string>

#include "engine/engine_settings.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/file_lock.h"
#include "store/launch_values.h"

namespace qlr {

std::string ScheduleLockPath(const Schedule& schedule);  // ScheduleFile + ".lock"
// Where a run listens for `qlr ctl`: ScheduleFile + ".sock".
std::string ControlSocketPath(const Schedule& schedule);

// Takes the lock that lets one process at a time run or rewrite the schedule.
// When another process holds it, tells "Schedule "<file>" is in use by process
// <pid>" and returns false.
bool LockSchedule(const Schedule& schedule, Operator& op, FileLock& lock);

// What the schedule reader found wrong with the file's lines: each goes to the
// run log, and one warning to `op` shows the first ten and the count. The list
// is then emptied, so that it is reported once per read.
void ReportReadDiagnostics(Schedule& schedule, RunLog& log, Operator& op);

// The launch steps; false (after telling `op` why) when the schedule must not
// be launched. On success the lock is held, the reader's diagnostics have been
// reported and the launch values are in force.
bool LaunchSchedule(Schedule& schedule, RunLog& log, Operator& op, LaunchValues& launch,
                    FileLock& lock);

// The engine's hooks for a real run: TimerSecs read from the schedule's INI
// file and COMSPEC from the environment as each run day begins,
// WriteSchedule to save (asking `op` when it fails), and LastCompleted written
// to the INI file (short date form) when a day's work is done.
EngineHooks StandardEngineHooks(Schedule& schedule, RunLog& log, Operator& op);

}  // namespace qlr
