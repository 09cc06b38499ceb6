#include "editor/rename_propagation.h"

#include "base/text.h"

namespace qlr {
namespace {

void AddName(std::string& list, std::string_view name) {
  if (!list.empty()) list += ", ";
  list += name;
}

void TellUpdated(Operator& op, const std::string& jobs, std::string_view what) {
  op.Tell("The following job(s): " + Upper(jobs) + "  are dependent on this job" +
          std::string(what) + " and their references have been updated accordingly.");
}

}  // namespace

std::string UpdateDependents(Schedule& schedule, Operator& op, std::string_view old_name,
                             std::string_view new_name) {
  const std::string_view old_trimmed = TrimView(old_name);
  std::string dependents;
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    Job& job = schedule[i];
    for (std::string& entry : job.RunAfter) {
      if (!EqualsNoCase(TrimView(entry), old_trimmed)) continue;
      if (!new_name.empty()) entry = std::string(new_name);
      AddName(dependents, job.JobName.Trimmed());
    }
  }
  if (!new_name.empty() && !dependents.empty()) TellUpdated(op, dependents, "");
  return dependents;
}

std::string UpdateTriggerDependents(Schedule& schedule, Operator& op, std::string_view old_name,
                                    std::string_view new_name) {
  const std::string mark = ".." + std::string(TrimView(old_name));
  std::string dependents;
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    Job& job = schedule[i];
    if (!EqualsNoCase(TrimView(job.WaitFile), mark)) continue;
    if (!new_name.empty()) job.WaitFile = ".." + std::string(new_name);
    AddName(dependents, job.JobName.Trimmed());
  }
  if (!new_name.empty() && !dependents.empty()) {
    TellUpdated(op, dependents, "'s standard trigger file");
    op.Tell("Dependent jobs in other schedules must be updated manually");
  }
  return dependents;
}

}  // namespace qlr
