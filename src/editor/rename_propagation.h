#pragma once
// Keeping the links between jobs when a job gets a new name: the RunAfter
// entries that name it and the waits for its standard trigger file.

#include <string>
#include <string_view>

#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

// The jobs whose RunAfter holds `old_name` (entries compared trimmed, in any
// letter case), a job once per matching entry, joined by ", ". With a
// non-empty `new_name` those entries become `new_name` and the operator is
// told which jobs were updated; with "" nothing changes.
std::string UpdateDependents(Schedule& schedule, Operator& op, std::string_view old_name,
                             std::string_view new_name);

// The jobs whose WaitFile is ".." + `old_name` (trimmed, any letter case),
// joined by ", ". With a non-empty `new_name` their WaitFile becomes ".." +
// `new_name` and the operator is told, and reminded of other schedules.
std::string UpdateTriggerDependents(Schedule& schedule, Operator& op, std::string_view old_name,
                                    std::string_view new_name);

}  // namespace qlr
