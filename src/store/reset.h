#pragma once
// Reset: the schedule forgets its run state, as if no job had ever run, and
// the chosen kinds of trigger files go with it.

#include <string>

#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

// Which trigger files go with the run state.
struct ResetChoices {
  bool standard_triggers = false;  // delete the jobs' standard trigger files
  bool other_triggers = false;     // delete the other trigger files the jobs name
};
// What Reset did.
struct ResetDone {
  int jobs = 0;
  int standard_triggers = 0;  // files deleted
  int other_triggers = 0;
  ResetChoices choices;
};

// Clears every job's run state, deletes the chosen trigger files and writes
// the schedule (asking `op` when the write fails).
ResetDone Reset(Schedule& schedule, RunLog& log, Operator& op, const ResetChoices& choices);
// What Reset did, for the operator: "The run state of 3 job(s) was cleared." and
// a line for each kind of trigger file that was to be deleted.
std::string ResetDoneText(const ResetDone& done);

}  // namespace qlr
