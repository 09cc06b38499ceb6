#pragma once
// How a subcommand joins qlr's command line: its own file registers its
// options on the CLI11 app and hands back what runs it. The options every
// schedule's subcommand shares are defined once, here.

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

#include "qlr/commands.h"

namespace qlr {

struct Subcommand {
  CLI::App* app;             // parsed() tells whether it was chosen
  std::function<int()> run;  // runs it with the options parsed into its own values
};

// The INI file argument ("INI", required) and the run date option ("--date").
void AddIniArgument(CLI::App& sub, std::string& ini);
void AddDateOption(CLI::App& sub, std::string& date);

}  // namespace qlr
