#pragma once
// The log viewer's rules: which run logs exist, and the copy of one of them
// with only the lines asked for (all, a group's jobs, chosen jobs, failures),
// which a text editor then shows.

#include <string>
#include <string_view>
#include <vector>

#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

enum class LogSelection { All = 0, Group = 1, Jobs = 2, Failed = 3 };  // the dialog's option order

// The names of the run logs LogFile can produce that exist, each cut before
// its first "."; sorted, so the newest of a dated name comes last.
std::vector<std::string> LogNames(const Schedule& schedule, DateTime now);

// Removes every entry equal to the one before it.
void RemoveDups(std::vector<std::string>& names);
// Every job's trimmed group, sorted, each once.
std::vector<std::string> GroupNames(const Schedule& schedule);
// The trimmed names of the jobs of a group.
std::vector<std::string> JobsOfGroup(const Schedule& schedule, std::string_view group);

// Whether the log line is copied for the selection (`names` for Group and Jobs).
bool LineSelected(std::string_view line, LogSelection selection,
                  const std::vector<std::string>& names);

// Writes the copy of log `log_name` (a name from LogNames) beside the log, as
// "<log name>.tmp", and returns its path; on failure tells "Error copying log: "
// and the system's reason, and returns "".
std::string CopyLog(const Schedule& schedule, Operator& op, std::string_view log_name,
                    LogSelection selection, const std::vector<std::string>& names);

}  // namespace qlr
