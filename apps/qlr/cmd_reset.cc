#include <memory>
#include <string>

#include "engine/launch.h"
#include "platform/file_lock.h"
#include "qlr/command.h"
#include "qlr/session.h"
#include "store/reset.h"
#include "store/schedule_file.h"

namespace qlr {
namespace {

struct ResetOptions {
  std::string ini = {};
  bool standard_triggers = false;  // delete the standard trigger files
  bool other_triggers = false;     // delete the other trigger files
};

// Clears the run state of every job and saves the schedule. Running `qlr
// reset` is the confirmation, and the flags say which trigger files go; what
// was cleared is printed.
int CmdReset(CliEnv& env, const ResetOptions& options) {
  return RunOnSchedule(env, options.ini, [&](Session& s) {
    FileLock lock;  // never while the schedule runs
    if (!LockSchedule(s.schedule, s.op, lock)) return 1;
    const ResetDone done =
        Reset(s.schedule, s.log, s.op, {options.standard_triggers, options.other_triggers});
    PrintLine(env.out, ResetDoneText(done));
    return 0;
  });
}

// Reads the schedule and writes it back, with its backup and the triggers list.
int CmdRewrite(CliEnv& env, const std::string& ini) {
  return RunOnSchedule(env, ini, [&](Session& s) {
    FileLock lock;
    if (!LockSchedule(s.schedule, s.op, lock)) return 1;
    return WriteSchedule(s.schedule, s.log, s.op) ? 0 : 1;
  });
}

}  // namespace

Subcommand RegisterReset(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<ResetOptions>();
  ResetOptions& o = *options;
  CLI::App* sub = app.add_subcommand("reset", "Clear the run state of every job");
  AddIniArgument(*sub, o.ini);
  sub->add_flag("--standard-triggers", o.standard_triggers, "Delete standard trigger files");
  sub->add_flag("--other-triggers", o.other_triggers, "Delete non-standard trigger files");
  return {sub, [&env, options] { return CmdReset(env, *options); }};
}

Subcommand RegisterRewrite(CLI::App& app, CliEnv& env) {
  auto ini = std::make_shared<std::string>();
  CLI::App* sub = app.add_subcommand("rewrite", "Read the schedule and write it back");
  AddIniArgument(*sub, *ini);
  return {sub, [&env, ini] { return CmdRewrite(env, *ini); }};
}

}  // namespace qlr
