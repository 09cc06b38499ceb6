#pragma once
// What every subcommand shares: a schedule loaded by the start-up sequence
// without anyone at the keyboard, reading options, printing, and ending on a
// fatal stop.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "qlr/commands.h"
#include "session/startup.h"
#include "store/launch_values.h"
#include "store/settings_store.h"

namespace qlr {

class Session {
 public:
  Session(const Clock& clock, Operator& op) : clock(clock), op(op), log(schedule, clock, op) {}

  // Runs start-up on the INI file (UTF-8, as typed) with the TEMP option;
  // the settings are kept in memory, so the user's store never changes.
  void Load(const std::string& ini);
  // Sets the run day from the launch values, on `date` when given, and
  // places it on the clock.
  void SetRunDate(std::optional<DateTime> date);

  const Clock& clock;
  Operator& op;  // answers on the console, or as the command was told
  Schedule schedule;
  RunLog log;
  MemorySettingsStore settings;
  LaunchValues launch;
};

// Runs the command; a fatal stop gives status 2.
int RunGuarded(const std::function<int()>& command);

// Runs a subcommand on the schedule of `ini`, loaded with questions answered
// on the console (s.op); a fatal stop gives status 2.
int RunOnSchedule(CliEnv& env, const std::string& ini,
                  const std::function<int(Session& s)>& command);

// Reads a date option (UTF-8); "" gives nullopt. A text that is not a date
// is reported on the error stream, naming the option, and gives false.
bool ReadDateOption(CliEnv& env, std::string_view option, const std::string& text,
                    std::optional<DateTime>& date);

// Prints "qlr: " and the text (Windows-1252) to the error stream.
void PrintError(CliEnv& env, std::string_view text);
// The texts with `separator` between them.
std::string JoinTexts(const std::vector<std::string>& texts, std::string_view separator);
// Prints the text (Windows-1252) as one UTF-8 line.
void PrintLine(std::ostream& out, std::string_view text);

}  // namespace qlr
