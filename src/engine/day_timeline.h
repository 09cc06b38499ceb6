#pragma once
// The run day's timeline as a running engine knows it, for the execution
// window's live picture.

#include "engine/engine.h"
#include "log/timeline.h"
#include "model/schedule.h"

namespace qlr {

// The runs that are over (Engine::finished_runs), the jobs that run now
// (drawn to `now`), and the runs of the day that ended before this program
// took the day up again, from the start and end the schedule file kept; by
// start, and runs that started together in job order.
Timeline DayTimeline(const Engine& engine, const Schedule& schedule, DateTime now);

}  // namespace qlr
