// qlr logs and qlr log: the log viewer's list of logs and its filtered copy,
// shown in the text editor only when asked (a server has no one to look).

#include <memory>

#include "base/encoding.h"
#include "base/text.h"
#include "log/log_viewer.h"
#include "log/view_log.h"
#include "platform/desktop_posix.h"
#include "qlr/command.h"
#include "qlr/session.h"

namespace qlr {
namespace {

struct LogOptions {
  std::string ini = {};
  bool all = false;        // every line (the default)
  bool failed = false;     // only failures
  std::string group = {};  // only the lines of this group's jobs
  std::string jobs = {};   // only the lines of these jobs, comma-separated
  std::string name = {};   // the log (a name `qlr logs` lists); "" for the newest
  bool edit = false;       // also start the text editor (TextEditor) on the copy
};

LogSelection SelectionOf(const LogOptions& o) {
  if (o.failed) return LogSelection::Failed;
  if (!o.group.empty()) return LogSelection::Group;
  if (!o.jobs.empty()) return LogSelection::Jobs;
  return LogSelection::All;
}

std::vector<std::string> NamesFor(Session& s, const LogOptions& o, LogSelection selection) {
  if (selection == LogSelection::Group) return JobsOfGroup(s.schedule, Utf8ToCp1252(o.group));
  std::vector<std::string> names;
  for (const std::string& job : Split(Utf8ToCp1252(o.jobs), ','))
    if (!TrimView(job).empty()) names.push_back(Trim(job));
  return names;
}

// The names of the schedule's run logs, one per line, oldest first.
int CmdLogs(CliEnv& env, const std::string& ini) {
  return RunOnSchedule(env, ini, [&](Session& s) {
    for (const std::string& name : LogNames(s.schedule, env.clock.Now())) PrintLine(env.out, name);
    return 0;
  });
}

// Writes the log viewer's copy of a run log and prints its path.
int CmdLog(CliEnv& env, const LogOptions& options) {
  return RunOnSchedule(env, options.ini, [&](Session& s) {
    std::vector<std::string> logs = LogNames(s.schedule, env.clock.Now());
    std::string name =
        options.name.empty() ? (logs.empty() ? "" : logs.back()) : Utf8ToCp1252(options.name);
    if (name.empty()) {
      PrintError(env, "no run log of " + s.schedule.LogFile + " exists");
      return 1;
    }
    LogSelection selection = SelectionOf(options);
    std::vector<std::string> names = NamesFor(s, options, selection);
    if (!options.edit) {
      std::string copy = CopyLog(s.schedule, s.op, name, selection, names);
      if (!copy.empty()) PrintLine(env.out, copy);
      return copy.empty() ? 1 : 0;
    }
    PosixDesktop desktop(s.schedule.TextEditor);
    LogCopyView view = ViewLogCopy(s.schedule, s.op, desktop, name, selection, names);
    if (!view.copy.empty()) PrintLine(env.out, view.copy);
    return view.shown ? 0 : 1;
  });
}

}  // namespace

Subcommand RegisterLogs(CLI::App& app, CliEnv& env) {
  auto ini = std::make_shared<std::string>();
  CLI::App* sub = app.add_subcommand("logs", "List the schedule's run logs");
  AddIniArgument(*sub, *ini);
  return {sub, [&env, ini] { return CmdLogs(env, *ini); }};
}

Subcommand RegisterLog(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<LogOptions>();
  LogOptions& o = *options;
  CLI::App* sub =
      app.add_subcommand("log", "Copy a run log, whole or filtered, and print the copy's path");
  AddIniArgument(*sub, o.ini);
  auto* all = sub->add_flag("--all", o.all, "Every line (the default)");
  auto* failed = sub->add_flag("--failed", o.failed, "Only the lines of failures");
  auto* group = sub->add_option("--group", o.group, "Only the lines of the jobs of a group");
  auto* job = sub->add_option("--job", o.jobs, "Only the lines of these jobs (J1,J2,...)");
  all->excludes(failed, group, job);
  failed->excludes(group, job);
  group->excludes(job);
  sub->add_option("--name", o.name, "The log (as qlr logs lists it; default: the newest)");
  sub->add_flag("--edit", o.edit, "Also open the copy in the text editor (INI key TextEditor)");
  return {sub, [&env, options] { return CmdLog(env, *options); }};
}

}  // namespace qlr
