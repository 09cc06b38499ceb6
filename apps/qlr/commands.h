#pragma once
// qlr's subcommands: each file cmd_*.cc registers its own (see command.h).
// Arguments are the UTF-8 text typed on the command line; output goes to the
// streams of `env`, in UTF-8. Each subcommand's exit status: 0 done, 1 a fault
// was reported, 2 the program ended through a fatal stop.

#include <ostream>

#include "base/clock.h"

namespace CLI {
class App;
}

namespace qlr {

struct CliEnv {
  std::ostream& out;
  std::ostream& err;
  const Clock& clock;
  bool yes = false;  // answer questions Yes, OK or Retry
};

struct Subcommand;

// In the order `qlr --help` lists them.
Subcommand RegisterShow(CLI::App& app, CliEnv& env);
Subcommand RegisterCheck(CLI::App& app, CliEnv& env);
Subcommand RegisterTerms(CLI::App& app, CliEnv& env);
Subcommand RegisterTry(CLI::App& app, CliEnv& env);
Subcommand RegisterSubst(CLI::App& app, CliEnv& env);
Subcommand RegisterReset(CLI::App& app, CliEnv& env);
Subcommand RegisterRewrite(CLI::App& app, CliEnv& env);
Subcommand RegisterRun(CLI::App& app, CliEnv& env);
Subcommand RegisterLogs(CLI::App& app, CliEnv& env);
Subcommand RegisterLog(CLI::App& app, CliEnv& env);
Subcommand RegisterTimeline(CLI::App& app, CliEnv& env);  // qlr timeline: a run day as SVG
Subcommand RegisterGraph(CLI::App& app, CliEnv& env);     // qlr graph: dependencies as DOT
Subcommand RegisterMessage(CLI::App& app, CliEnv& env);
Subcommand RegisterJob(CLI::App& app, CliEnv& env);  // qlr job: reads and edits one job
Subcommand RegisterNew(CLI::App& app, CliEnv& env);  // qlr new: creates a schedule folder
Subcommand RegisterCtl(CLI::App& app, CliEnv& env);  // qlr ctl: operates a running qlr run

}  // namespace qlr
