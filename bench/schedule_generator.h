#pragma once
// Large, realistic schedules for benchmarks and memory measurements: jobs in
// a score of groups with command lines holding date variables, descriptions,
// frequencies, dependencies on up to three earlier jobs, exclusivity words,
// mail addresses and end-of-job messages; about 340 bytes a schedule line.

#include <string>

#include "model/schedule.h"

namespace qlr {

// A schedule of `jobs` jobs (1..32767), the same for the same seed. Run date
// Friday 4 Dec 2026, day start 06:00, the stock working days and a few holidays.
Schedule GenerateSchedule(int jobs, unsigned seed);

// Writes into `dir` (which must exist) a ready schedule of `jobs` jobs:
// bench.ini (section [Quillrun], every key start-up reads, relative paths),
// bench.sch, holidays.txt reaching ten years ahead, and the folders the INI
// names (log, triggers with its Triggers.Lst, trackers, docs, email, ...).
void WriteScheduleFiles(const std::string& dir, int jobs);

}  // namespace qlr
