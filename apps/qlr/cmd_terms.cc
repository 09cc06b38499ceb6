#include <optional>
#include <string>

#include "base/encoding.h"
#include "calendar/frequency.h"
#include "editor/frequency_editor.h"
#include "qlr/commands.h"
#include "qlr/console_operator.h"
#include "qlr/session.h"

namespace qlr {

int CmdTerms(CliEnv& env, const TermsOptions& options) {
  std::optional<DateTime> date;
  if (!ReadDateOption(env, "DATE", options.date, date)) return 1;
  if (!date) {
    PrintError(env, "DATE: a date is needed");
    return 1;
  }
  return RunGuarded([&] {
    ConsoleOperator op(env.err, env.yes);
    Session s(env.clock, op);
    if (!options.ini.empty()) s.Load(options.ini);
    PrintLine(env.out, ListTrueTerms(s.schedule.Calendar, DateOnly(*date)));
    return 0;
  });
}

int CmdTry(CliEnv& env, const TryOptions& options) {
  std::optional<DateTime> from;
  if (!ReadDateOption(env, "--from", options.from, from)) return 1;
  return RunGuarded([&] {
    ConsoleOperator op(env.err, env.yes);
    Session s(env.clock, op);
    if (!options.ini.empty()) {
      s.Load(options.ini);
      s.SetRunDate(from);
    } else {
      // Without an INI file the run day starts at midnight.
      s.schedule.RunDate = DateOnly(from.value_or(OfferedRunDate(env.clock.Now(), 0)));
    }
    for (const std::string& entry :
         TryFrequency(s.schedule, Utf8ToCp1252(options.frequency), Utf8ToCp1252(options.skip)))
      PrintLine(env.out, entry);
    return 0;
  });
}

}  // namespace qlr
