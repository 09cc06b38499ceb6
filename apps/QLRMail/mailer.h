#pragma once
// QLRMail as a whole: reads the options, then sweeps the message folder once
// (--once) or every --interval seconds until SIGINT or SIGTERM.

#include <ostream>

namespace qlr {

// Returns the exit status: 0 done, 1 a fault in the options or the folder.
int RunQlrMail(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace qlr
