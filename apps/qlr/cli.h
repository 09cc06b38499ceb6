#pragma once
// qlr's command line: parses the arguments and runs the chosen subcommand.

#include "qlr/commands.h"

namespace qlr {

// The exit status: the subcommand's, 0 after --help or --version, 1 for
// arguments that do not parse.
int RunQlr(int argc, const char* const* argv, CliEnv& env);

}  // namespace qlr
