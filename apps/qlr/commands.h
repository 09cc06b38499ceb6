#pragma once
// The subcommands of qlr, one function each. Arguments are the UTF-8 text
// typed on the command line; output goes to the streams of `env`, in UTF-8.
// Each returns the exit status: 0 done, 1 a fault was reported, 2 the program
// ended through a fatal stop.

#include <ostream>
#include <string>

#include "base/clock.h"

namespace qlr {

struct CliEnv {
  std::ostream& out;
  std::ostream& err;
  const Clock& clock;
  bool yes = false;  // answer questions Yes, OK or Retry
};

inline constexpr const char* kDefaultShowColumns = "0,1,10,11,12,16";

struct ShowOptions {
  std::string ini = {};
  std::string date = {};                      // "" for the run date the launch window offers
  std::string columns = kDefaultShowColumns;  // ids 0..22 separated by commas, or "all"
  bool json = false;
};
// The grid of the schedule for the run date: headings, then one line per job,
// cells separated by tabs; or a JSON array of objects keyed by heading.
int CmdShow(CliEnv& env, const ShowOptions& options);

// Dependency loops (status 1) and, without changing the status, other faults.
int CmdCheck(CliEnv& env, const std::string& ini);

struct TermsOptions {
  std::string date = {};
  std::string ini = {};  // "" for the built-in working days and date formats, no holidays
};
// The frequency terms that hold on the date, as one line.
int CmdTerms(CliEnv& env, const TermsOptions& options);

struct TryOptions {
  std::string frequency = {};
  std::string ini = {};
  std::string from = {};  // "" for the offered run date
  std::string skip = {};  // a Skip On choice
};
// The next run dates of a frequency, one per line.
int CmdTry(CliEnv& env, const TryOptions& options);

struct SubstOptions {
  std::string ini = {};
  std::string job = {};
  std::string date = {};
  bool has_text = false;  // substitute `text` instead of the job's command line
  std::string text = {};
};
// The job's command line (or the text) with its date variables substituted.
int CmdSubst(CliEnv& env, const SubstOptions& options);

struct ResetOptions {
  std::string ini = {};
  bool standard_triggers = false;  // delete the standard trigger files
  bool other_triggers = false;     // delete the other trigger files
};
// Clears the run state of every job and saves the schedule.
int CmdReset(CliEnv& env, const ResetOptions& options);

// Reads the schedule and writes it back, with its backup and the triggers list.
int CmdRewrite(CliEnv& env, const std::string& ini);

// The names of the schedule's run logs, one per line, oldest first.
int CmdLogs(CliEnv& env, const std::string& ini);

struct LogOptions {
  std::string ini = {};
  bool all = false;        // every line (the default)
  bool failed = false;     // only failures
  std::string group = {};  // only the lines of this group's jobs
  std::string jobs = {};   // only the lines of these jobs, comma-separated
  std::string name = {};   // the log (a name `qlr logs` lists); "" for the newest
  bool edit = false;       // also start the text editor (TextEditor) on the copy
};
// Writes the log viewer's copy of a run log and prints its path.
int CmdLog(CliEnv& env, const LogOptions& options);

struct MessageOptions {
  std::string ini = {};
  std::string job = {};
  bool abnormal = false;      // the abnormal message instead of the normal one
  bool has_failtext = false;  // the job's failure text becomes `failtext`
  std::string failtext = {};
};
// Writes the job's end-of-job message file as if the job had just ended and
// prints the path of the ".eml" file; status 1 when none was written.
int CmdMessage(CliEnv& env, const MessageOptions& options);

struct RunCommandOptions {
  std::string ini = {};
  std::string date = {};   // "" for the run date the launch window offers
  std::string start = {};  // "hh:mm"; "" for DayStart
  std::string cpu = {};    // "" for CPULimit
  bool suspended = false;
  bool serialise_dos = false;
  bool dummy = false;
  bool wait_for_triggers = false;
  bool dummy_messages = false;
  bool dummy_triggers = false;
  bool ignore_cpu_limit = false;
  bool until_complete = false;
};
// Runs the schedule as the execution window would, printing each line of the
// window's list; returns after SIGINT or SIGTERM, or with `until_complete`
// once the day's jobs are done. Status 1 when the launch was refused.
int CmdRun(CliEnv& env, const RunCommandOptions& options);

}  // namespace qlr
