#include <optional>
#include <string>

#include "base/encoding.h"
#include "calendar/date_vars.h"
#include "qlr/commands.h"
#include "qlr/session.h"

namespace qlr {

int CmdSubst(CliEnv& env, const SubstOptions& options) {
  std::optional<DateTime> date;
  if (!ReadDateOption(env, "--date", options.date, date)) return 1;
  return RunOnSchedule(env, options.ini, [&](Session& s) {
    s.SetRunDate(date);
    std::string name = Utf8ToCp1252(options.job);
    int index = s.schedule.FindJob(name);
    if (index == 0) {
      PrintError(env, "no job named " + name);
      return 1;
    }
    const Job& job = s.schedule[index];
    std::string text = options.has_text ? Utf8ToCp1252(options.text) : job.CommandLine;
    PrintLine(env.out, SubstituteDateVars(s.schedule, s.log, text, job.DateVars, job.Frequency));
    return 0;
  });
}

}  // namespace qlr
