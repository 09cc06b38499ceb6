#pragma once
// The first run on a computer: no INI file is named anywhere, so the operator
// either finds an existing schedule or has the companion program create one.

#include <string>

#include "model/schedule.h"
#include "platform/operator.h"
#include "session/startup.h"

namespace qlr {

// The first-run dialog's steps after the operator chose to find an existing
// schedule; returns the accepted INI path (also stored as "Current") or ends the program.
std::string FindExistingSchedule(StartupContext& ctx);

// Starts the companion program that creates a new schedule (TovaniProgram,
// without arguments), telling `op` when it cannot be started; then ends this
// program either way.
[[noreturn]] void RunTovani(const Schedule& schedule, Operator& op);

}  // namespace qlr
