#pragma once
// The schedule file: one tab-separated line of 50 columns per job, holding the
// run state too, so that a restarted program carries on where it stopped.

#include <string>
#include <string_view>

#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

// Fills the job table from ScheduleFile, making the status decision for each
// job. Lines that do not read cleanly are read as well as they can be, and
// each fault found goes to schedule.ReadDiagnostics. A missing file: asks `op` to create it (No
// is fatal). A folder, an unreadable file, or more than 32767 jobs, ends the program.
void ReadSchedule(Schedule& schedule, RunLog& log, Operator& op);

// The job table from the text of a schedule file, read line by line as
// ReadSchedule reads the file (no file, no journal); faults go to ReadDiagnostics.
void ReadScheduleText(Schedule& schedule, RunLog& log, std::string_view text);

// Writes the job table to ScheduleFile (the old file becomes the ".bak" file),
// then the standard triggers list. Refuses a ".bak" schedule file with a message
// to `op` and returns false; failures ask `op` Retry/Cancel, Cancel is fatal.
bool WriteSchedule(Schedule& schedule, RunLog& log, Operator& op);

// A one-job schedule ("Dummy"), written at once.
void CreateSchedule(Schedule& schedule, RunLog& log, Operator& op);

// One job's line (no line end) and its reverse; `delimiter` is '\t' for
// current files and ',' for old ones. FormatJobLine is fatal (through `log`)
// on an empty RunAfter entry.
std::string FormatJobLine(const Job& job, RunLog& log);
Job ParseJobLine(const Schedule& schedule, std::string_view line, char delimiter);

// The ".bak" name of a schedule file: the path up to the first "." of its file
// name (a leading "." of a hidden file does not count) plus ".bak". Dots in
// folder names are kept, so schedules in one folder never share a backup.
std::string BackupName(std::string_view schedule_file);

}  // namespace qlr
