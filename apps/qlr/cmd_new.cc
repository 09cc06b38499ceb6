// qlr new DIR --name NAME [--workdays LIST] [--day-start HH:MM] [--holidays FILE]

#include <memory>

#include "base/encoding.h"
#include "editor/new_schedule.h"
#include "platform/file_system.h"
#include "qlr/command.h"
#include "qlr/console_operator.h"
#include "qlr/session.h"

namespace qlr {
namespace {

int CmdNew(CliEnv& env, NewScheduleOptions options) {
  options.folder = Utf8ToCp1252(options.folder);
  options.name = Utf8ToCp1252(options.name);
  options.holidays = Utf8ToCp1252(options.holidays);
  return RunGuarded([&] {
    ConsoleOperator op(env.err, env.yes);
    std::string ini;
    const std::string problem = CreateNewSchedule(options, env.clock, op, ini);
    if (!problem.empty()) {
      PrintError(env, problem);
      return 1;
    }
    PrintLine(env.out, ini);
    return 0;
  });
}

}  // namespace

Subcommand RegisterNew(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<NewScheduleOptions>();
  auto* sub = app.add_subcommand("new", "Create a schedule folder with an INI file and one job");
  sub->add_option("DIR", options->folder, "The folder (created; must not hold a schedule)")
      ->required();
  sub->add_option("--name", options->name, "The schedule's name (NAME.ini, NAME.sch)")->required();
  sub->add_option("--workdays", options->workdays, "Working days, e.g. Mon,Tue,Wed,Thu,Fri")
      ->capture_default_str();
  sub->add_option("--day-start", options->day_start, "Start of the run day, hh:mm")
      ->capture_default_str();
  sub->add_option("--holidays", options->holidays, "A public holidays file to copy in");
  return {sub, [&env, options] { return CmdNew(env, *options); }};
}

}  // namespace qlr
