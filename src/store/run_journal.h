#pragma once
// The run journal: a small append-only file beside the schedule file that
// records each process start, before it happens (flushed to disk) and with
// its numbers right after. The starts of one pass are recorded together, one
// flush for all of them each time. The schedule file is rewritten only at the end of
// a pass, so after a crash the journal tells which jobs were started since:
// none of them is started a second time, and none is taken as completed.

#include <string>
#include <vector>

#include "base/date_time.h"
#include "model/schedule.h"

namespace qlr {

std::string JournalPath(const Schedule& schedule);  // ScheduleFile + ".journal"

struct JournalStart {
  int index = 0;        // the job
  DateTime stamp = 0;   // its StartedAt
  ProcessInfo process;  // its numbers, once it has started
};

// "Processes are about to be started for these jobs". False when the records
// could not be made durable (none of the jobs may then be started).
bool JournalBeforeStart(const Schedule& schedule, const std::vector<JournalStart>& starts);
// "The processes of these jobs started with these numbers."
bool JournalStarted(const Schedule& schedule, const std::vector<JournalStart>& starts);

// Applies the journal to the jobs just read: a confirmed start makes the job
// running with its process numbers; an unconfirmed one makes it a failed
// submission (no process numbers) for the operator to force or reschedule.
// Returns the number of jobs changed.
int ReplayJournal(Schedule& schedule);

// Empties the journal once the schedule file holds everything it recorded.
void ClearJournal(const Schedule& schedule);

}  // namespace qlr
