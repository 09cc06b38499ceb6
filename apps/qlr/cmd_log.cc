// qlr logs and qlr log: the log viewer's list of logs and its filtered copy,
// shown in the text editor only when asked (a server has no one to look).

#include "base/encoding.h"
#include "base/text.h"
#include "log/log_viewer.h"
#include "log/view_log.h"
#include "platform/desktop_posix.h"
#include "qlr/commands.h"
#include "qlr/session.h"

namespace qlr {
namespace {

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

}  // namespace

int CmdLogs(CliEnv& env, const std::string& ini) {
  return RunOnSchedule(env, ini, [&](Session& s) {
    for (const std::string& name : LogNames(s.schedule, env.clock.Now())) PrintLine(env.out, name);
    return 0;
  });
}

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
      std::string copy = CopyLog(s.schedule, s.log, name, selection, names);
      if (!copy.empty()) PrintLine(env.out, copy);
      return copy.empty() ? 1 : 0;
    }
    PosixDesktop desktop(s.schedule.TextEditor);
    LogCopyView view = ViewLogCopy(s.schedule, s.log, desktop, name, selection, names);
    if (!view.copy.empty()) PrintLine(env.out, view.copy);
    return view.shown ? 0 : 1;
  });
}

}  // namespace qlr
