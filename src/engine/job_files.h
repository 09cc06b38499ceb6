#pragma once
// The small files jobs leave for the world: trigger files (awaited by other
// jobs and schedules), tracker files (a job's latest event) and the job's
// output file.

#include <string>
#include <string_view>

#include "log/run_log.h"
#include "model/schedule.h"

namespace qlr {

std::string StandardTriggerPath(const Schedule& schedule,
                                std::string_view job_name);  // TriggerPath/NAME.trg
// The file a WaitFile names: the standard trigger of the job after "..", else the trimmed path.
std::string WaitFilePath(const Schedule& schedule, std::string_view wait_file);
std::string JobOutputPath(const Schedule& schedule, const Job& job);  // JobOutputPath/NAME.out

// The file a directory lookup of the WaitFile's path finds: the path itself,
// or, when its last part holds "?" or "*", the first matching file in name
// order. Folders never match; "" when nothing is found or the lookup fails.
std::string FoundWaitFile(const Schedule& schedule, std::string_view wait_file);
// Whether the awaited file exists (FoundWaitFile finds one).
bool TrigFileFound(const Schedule& schedule, std::string_view wait_file);
// Writes the job's end-of-job trigger file, stamped with `now`; a failure is
// logged, never fatal.
void CrtTrigger(const Schedule& schedule, RunLog& log, DateTime now, const Job& job);
// Deletes the file the job waited for (with wildcards, the one FoundWaitFile
// finds, so files that came later are left for the next run); a failure is
// logged, never fatal.
void DeleteTrigger(const Schedule& schedule, RunLog& log, const Job& job);
// Rewrites the job's tracker file with "text,SCHEDULE,date time" (the date
// and time of `now`); nothing when TrackerPath is empty.
void Track(const Schedule& schedule, RunLog& log, DateTime now, std::string_view job_name,
           std::string_view text);

}  // namespace qlr
