#include "qlr/session.h"

#include "base/date_format.h"
#include "base/encoding.h"
#include "base/field.h"
#include "calendar/holidays.h"
#include "platform/file_system.h"
#include "qlr/console_operator.h"

namespace qlr {

void Session::Load(const std::string& ini) {
  std::string path = ResolvePath(CurrentDir(), Utf8ToCp1252(ini));
  StartupContext ctx{
      schedule, log, op, clock, settings, FileChooser(), QuoteText(DoubleQuotes(path)) + ",TEMP"};
  StartUp(ctx, launch);
}

void Session::SetRunDate(std::optional<DateTime> date) {
  ApplyLaunchValues(schedule, launch);  // the run date the launch values give, among the rest
  if (date) schedule.RunDate = DateOnly(*date);
  ApplyRunDate(schedule);
}

int RunGuarded(const std::function<int()>& command) {
  try {
    return command();
  } catch (const ProgramEnd&) {
    return kProgramEndStatus;  // the fatal stop has told why
  }
}

int RunOnSchedule(CliEnv& env, const std::string& ini,
                  const std::function<int(Session& s)>& command) {
  return RunGuarded([&] {
    ConsoleOperator op(env.err, env.yes);
    Session s(env.clock, op);
    s.Load(ini);
    return command(s);
  });
}

bool ReadDateOption(CliEnv& env, std::string_view option, const std::string& text,
                    std::optional<DateTime>& date) {
  date.reset();
  if (text.empty()) return true;
  date = ParseDate(Utf8ToCp1252(text));
  if (date) return true;
  PrintError(env, std::string(option) + ": not a date: " + Utf8ToCp1252(text));
  return false;
}

void PrintError(CliEnv& env, std::string_view text) {
  env.err << "qlr: " << Cp1252ToUtf8(text) << "\n";
}

std::string JoinTexts(const std::vector<std::string>& texts, std::string_view separator) {
  std::string joined;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) joined += separator;
    joined += texts[i];
  }
  return joined;
}

void PrintLine(std::ostream& out, std::string_view text) { out << Cp1252ToUtf8(text) << "\n"; }

}  // namespace qlr
