#include "engine/launch.h"

#include "store/job_loops.h"

namespace qlr {

std::string ScheduleLockPath(const Schedule& schedule) { return schedule.ScheduleFile + ".lock"; }

bool LockSchedule(const Schedule& schedule, Operator& op, FileLock& lock) {
  if (lock.held() || lock.TryLock(ScheduleLockPath(schedule))) return true;
  auto holder = FileLock::Holder(ScheduleLockPath(schedule));
  op.Tell("Schedule \"" + schedule.ScheduleFile + "\" is in use by process " +
          (holder ? std::to_string(*holder) : std::string("(unknown)")));
  return false;
}

bool LaunchSchedule(Schedule& schedule, RunLog& log, LaunchValues& launch, FileLock& lock) {
  if (!Valid(launch, log.op())) return false;
  log.DelOldLogs();
  if (JobLoops(schedule, log)) {
    log.op().Tell("Circular job dependencies exist.  See log for details");
    return false;
  }
  if (!LockSchedule(schedule, log.op(), lock)) return false;
  ApplyLaunchValues(schedule, launch);
  return true;
}

}  // namespace qlr
