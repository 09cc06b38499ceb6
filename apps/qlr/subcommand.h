#pragma once
// A subcommand of qlr that registers itself: it adds its options to the
// command line and says how it runs once chosen.

#include <CLI/CLI.hpp>
#include <functional>

#include "qlr/commands.h"

namespace qlr {

struct Subcommand {
  CLI::App* app = nullptr;   // parsed() once chosen
  std::function<int()> run;  // its exit status
};

// `qlr job ...`: reads and edits one job of a schedule (cmd_job.cc).
Subcommand RegisterJob(CLI::App& app, CliEnv& env);
// `qlr new ...`: creates a schedule folder (cmd_new.cc).
Subcommand RegisterNew(CLI::App& app, CliEnv& env);

}  // namespace qlr
