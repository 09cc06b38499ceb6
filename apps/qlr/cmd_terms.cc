#include <memory>
#include <optional>
#include <string>

#include "base/encoding.h"
#include "calendar/frequency.h"
#include "editor/frequency_editor.h"
#include "qlr/command.h"
#include "qlr/console_operator.h"
#include "qlr/session.h"

namespace qlr {
namespace {

struct TermsOptions {
  std::string date = {};
  std::string ini = {};  // "" for the built-in working days and date formats, no holidays
};

struct TryOptions {
  std::string frequency = {};
  std::string ini = {};
  std::string from = {};  // "" for the offered run date
  std::string skip = {};  // a Skip On choice
};

// The frequency terms that hold on the date, as one line.
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

// The next run dates of a frequency, one per line.
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

}  // namespace

Subcommand RegisterTerms(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<TermsOptions>();
  TermsOptions& o = *options;
  CLI::App* sub = app.add_subcommand("terms", "List the frequency terms that hold on a date");
  sub->add_option("DATE", o.date, "The date")->required();
  sub->add_option("--ini", o.ini, "INI file for working days, holidays and date format");
  return {sub, [&env, options] { return CmdTerms(env, *options); }};
}

Subcommand RegisterTry(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<TryOptions>();
  TryOptions& o = *options;
  CLI::App* sub = app.add_subcommand("try", "List the next run dates of a frequency");
  sub->add_option("FREQUENCY", o.frequency, "The frequency expression")->required();
  sub->add_option("--ini", o.ini, "INI file for working days, holidays and date format");
  sub->add_option("--from", o.from, "First date looked at (default: the offered run date)");
  sub->add_option("--skip", o.skip, "Skip On choice: a date or the skip-always keyword");
  return {sub, [&env, options] { return CmdTry(env, *options); }};
}

}  // namespace qlr
