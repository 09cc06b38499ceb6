#pragma once
// Start-up: choosing the INI file, reading every key into the schedule-wide
// values, loading the holidays and the schedule; and the launch window's rules
// (the launch check, Reset, saving for exit) as functions any front end calls.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/operator.h"
#include "store/settings_store.h"

namespace qlr {

// What the launch window shows and the operator may change.
struct LaunchValues {
  std::string RunDateText;    // in FormatShortDate
  std::string StartTimeText;  // "hh:mm"
  std::string CpuLimitText;
  bool StartSuspended = false;
  bool SerialiseDosJobs = false;
  bool ShowEvents = false;
  bool DummyRun = false;
};

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

// Reads a key for start-up: an empty value is added to `missing` (", KEY")
// and written to the INI file with the default; a value equal to the default
// reads as "".
std::string IniGetWarn(const Schedule& schedule, std::string_view key, std::string& missing,
                       std::string_view default_value);

// The whole start-up sequence; fills `launch` with what the launch window
// offers. Fatal conditions end the program through the fatal stop.
void StartUp(StartupContext& ctx, LaunchValues& launch);

// The first-run dialog's steps after the operator chose to find an existing
// schedule; returns the accepted INI path (also stored as "Current") or ends the program.
std::string FindExistingSchedule(StartupContext& ctx);

// Starts the companion program that creates a new schedule (TovaniProgram,
// without arguments), telling the operator when it cannot be started; then
// ends this program either way.
[[noreturn]] void RunTovani(const Schedule& schedule, Operator& op);

// Open New Schedule: saves the launch values when they are valid, lets the
// operator pick another INI file and runs the start-up sequence on it. False
// when nothing (or the INI file in use) was picked.
bool OpenNewSchedule(StartupContext& ctx, LaunchValues& launch);

// Exit's work before the program ends: saves valid launch values and offers
// the INI file as the default schedule.
void PrepareExit(StartupContext& ctx, LaunchValues& launch);

// The shape of the text (digits "0"; letters and ! ? / \ "A") equals the mask.
bool MatchesMask(std::string_view value, std::string_view mask);

// The launch window's fields that the launch check looks at, in its order.
enum class LaunchField { RunDate, StartTime, CpuLimit };

struct LaunchFault {
  LaunchField field;
  const char* message;  // "Invalid schedule run date", ...
};

// The launch check: the first field it refuses, or nullopt. A start time must
// be a time of day ("25:99" is refused). Trims the CPU limit it checks.
std::optional<LaunchFault> CheckLaunchValues(LaunchValues& launch);
// The launch check; tells the first failure and returns false.
bool Valid(LaunchValues& launch, Operator& op);
// Writes DayStart and CPULimit from the launch values to the INI file.
void SaveForExit(const Schedule& schedule, const LaunchValues& launch);
// Copies the launch values into the schedule (run date, start, CPU limit, options).
void ApplyLaunchValues(Schedule& schedule, const LaunchValues& launch);

// Reset: which trigger files go with the run state, and what was done.
struct ResetChoices {
  bool standard_triggers = false;  // delete the jobs' standard trigger files
  bool other_triggers = false;     // delete the other trigger files the jobs name
};
struct ResetDone {
  int jobs = 0;
  int standard_triggers = 0;  // files deleted
  int other_triggers = 0;
  ResetChoices choices;
};

// Reset's three questions ("Are you sure ...", then which trigger files to
// delete); nullopt when the operator said No to the first.
std::optional<ResetChoices> AskResetChoices(Operator& op);
// Clears every job's run state, deletes the chosen trigger files and writes
// the schedule (asking `op` when the write fails).
ResetDone Reset(Schedule& schedule, RunLog& log, Operator& op, const ResetChoices& choices);
// What Reset did, for the operator: "The run state of 3 job(s) was cleared." and
// a line for each kind of trigger file that was to be deleted.
std::string ResetDoneText(const ResetDone& done);

// Exit's question whether the INI file becomes the default schedule.
void OfferAsDefault(const Schedule& schedule, SettingsStore& settings, Operator& op);

// The run date the launch window offers at `now` for a start time.
DateTime OfferedRunDate(DateTime now, int64_t day_start);

}  // namespace qlr
