#pragma once
// Start-up: choosing the INI file (asking on the first run), reading every key
// into the schedule-wide values with the warnings they give, and loading the
// holidays and the schedule.

#include <functional>
#include <string>

#include "base/clock.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/operator.h"
#include "store/launch_values.h"
#include "store/settings_store.h"

namespace qlr {

// The operator's answer to the first-run dialog ("Quillrun Startup"), shown
// when neither the command line nor the settings name an INI file. Closed is
// any way of leaving the dialog other than its buttons.
enum class FirstRunChoice { Cancel, Closed, FindExisting, CreateNew };

struct StartupContext {
  Schedule& schedule;
  RunLog& log;
  Operator& op;        // warnings, questions, and the first run's steps
  const Clock& clock;  // today, for the offered run date and the holidays' expiry
  SettingsStore& settings;
  FileChooser choose_file;   // the file-open dialog; may be empty (then nothing is picked)
  std::string command_line;  // the program's one argument: "PATH[,TEMP]"
  std::function<FirstRunChoice()> first_run = {};  // empty: as if the dialog was closed
};

// The whole start-up sequence; fills `launch` with what the launch window
// offers. Fatal conditions end the program through the fatal stop.
void StartUp(StartupContext& ctx, LaunchValues& launch);

}  // namespace qlr
