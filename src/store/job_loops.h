#pragma once
// The check for circular dependencies made before a schedule is launched.

#include "log/run_log.h"
#include "model/schedule.h"

namespace qlr {

// True when some job waits, directly or through others, for itself. Logs
// "Circular dependencies involving jobs A and B" for the first loop in table
// order (job i, RunAfter entry k), as a chase of every dependency in order
// would find it. Linear in jobs plus dependencies.
bool JobLoops(const Schedule& schedule, RunLog& log);

}  // namespace qlr
