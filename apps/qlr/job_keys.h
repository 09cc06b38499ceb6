#pragma once
// The keys of `qlr job`: every field of a job as one KEY=VALUE text. `get`
// reads them from the stored job; `add` and `set` give them to the job
// editor's model, as an operator would type them into its tabs.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/job_edit_model.h"
#include "model/schedule.h"

namespace qlr {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// Every key, in the order `get` prints them.
const std::vector<std::string>& JobKeys();
// The stored job's value of every key, in that order (Windows-1252).
KeyValues JobKeyValues(const Job& job);
// The key's place in JobKeys(); -1 for an unknown key.
int JobKeyIndex(std::string_view key);

// Gives the value to the editor as typing or choosing it would. "" when
// taken, else what is wrong with it (naming the key).
std::string SetJobKey(JobEditModel& model, std::string_view key, std::string_view value);

// The order in which given keys are set: the order of JobKeys(), except
// that values that untick Submit Only or Defer Rollover, or set Reschedule
// to never, come first, since they enable the others.
void OrderForSetting(KeyValues& pairs);

}  // namespace qlr
