#pragma once
// Launching a schedule: the launch check, the clean-up of old log copies, the
// dependency loop check, the run lock and the launch values, as every front
// end runs them before the engine takes over.

#include <string>

#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/file_lock.h"
#include "store/startup.h"

namespace qlr {

std::string ScheduleLockPath(const Schedule& schedule);  // ScheduleFile + ".lock"

// Takes the lock that lets one process at a time run or rewrite the schedule.
// When another process holds it, tells "Schedule "<file>" is in use by process
// <pid>" and returns false.
bool LockSchedule(const Schedule& schedule, Operator& op, FileLock& lock);

// The launch steps; false (after telling why) when the schedule must not be
// launched. On success the lock is held and the launch values are in force.
bool LaunchSchedule(Schedule& schedule, RunLog& log, LaunchValues& launch, FileLock& lock);

}  // namespace qlr
