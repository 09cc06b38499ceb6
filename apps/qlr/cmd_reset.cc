#include <string>

#include "engine/launch.h"
#include "platform/file_lock.h"
#include "qlr/commands.h"
#include "qlr/session.h"
#include "store/schedule_file.h"
#include "store/startup.h"

namespace qlr {

// Running `qlr reset` is the confirmation, and the flags say which trigger
// files go; what was cleared is printed.
int CmdReset(CliEnv& env, const ResetOptions& options) {
  return RunOnSchedule(env, options.ini, [&](Session& s) {
    FileLock lock;  // never while the schedule runs
    if (!LockSchedule(s.schedule, s.log.op(), lock)) return 1;
    const ResetDone done =
        Reset(s.schedule, s.log, {options.standard_triggers, options.other_triggers});
    PrintLine(env.out, ResetDoneText(done));
    return 0;
  });
}

int CmdRewrite(CliEnv& env, const std::string& ini) {
  return RunOnSchedule(env, ini, [&](Session& s) {
    FileLock lock;
    if (!LockSchedule(s.schedule, s.log.op(), lock)) return 1;
    return WriteSchedule(s.schedule, s.log) ? 0 : 1;
  });
}

}  // namespace qlr
