// qlr logs and qlr log: the log viewer's list of logs and its filtered copy.

#include "base/encoding.h"
#include "base/text.h"
#include "log/log_viewer.h"
#include "qlr/commands.h"
#include "qlr/console_operator.h"
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
  return RunGuarded([&] {
    ConsoleOperator op(env.err, env.yes);
    Session s(env.clock, op);
    s.Load(ini);
    for (const std::string& name : LogNames(s.schedule, env.clock.Now())) PrintLine(env.out, name);
    return 0;
  });
}

int CmdLog(CliEnv& env, const LogOptions& options) {
  return RunGuarded([&] {
    ConsoleOperator op(env.err, env.yes);
    Session s(env.clock, op);
    s.Load(options.ini);
    std::vector<std::string> logs = LogNames(s.schedule, env.clock.Now());
    std::string name = options.name.empty() ? (logs.empty() ? "" : logs.back()) : Utf8ToCp1252(options.name);
    if (name.empty()) {
      PrintError(env, "no run log of " + s.schedule.LogFile + " exists");
      return 1;
    }
    LogSelection selection = SelectionOf(options);
    std::string copy = CopyLog(s.schedule, s.log, name, selection, NamesFor(s, options, selection));
    if (copy.empty()) return 1;
    PrintLine(env.out, copy);
    return 0;
  });
}

}  // namespace qlr
