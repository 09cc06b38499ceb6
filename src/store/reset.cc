// Reset: the schedule forgets its run state, as if no job had ever run.

#include "base/text.h"
#include "model/constants.h"
#include "platform/file_system.h"
#include "store/schedule_file.h"
#include "store/startup.h"

namespace qlr {
namespace {

void DeleteIfThere(const std::string& path) {
  if (FileExists(path)) RemoveFile(path);
}

void ClearRunState(Job& job) {
  job.Status = JobStatus::Scheduled;
  job.StartedAt = 0;
  job.EndedAt = 0;
  job.Reserved34 = 0;
  job.TriggerForced = false;
  job.OverrideCode = "";
  job.StatusText.clear();
}

// A standard trigger lives in the trigger folder under the job's name; any
// other trigger is the path the job names. A job with the standard mark never
// has its mark taken for a path.
void DeleteTrigger(const Schedule& schedule, const Job& job, bool standard, bool others) {
  if (job.TriggerFile.Trimmed() == kStandardTriggerMark) {
    if (standard) DeleteIfThere(JoinPath(schedule.TriggerPath, job.JobName.Str() + ".trg"));
  } else if (!job.TriggerFile.IsBlank() && others) {
    DeleteIfThere(job.TriggerFile.Str());
  }
}

}  // namespace

bool Reset(Schedule& schedule, RunLog& log) {
  Operator& op = log.op();
  if (op.Ask("Are you sure you want to reset all scheduling values?", Buttons::YesNo) !=
      Answer::Yes)
    return false;
  bool standard =
      op.Ask("Do you want to delete standard trigger files?", Buttons::YesNo) == Answer::Yes;
  bool others =
      op.Ask("Do you want to delete non-standard trigger files?", Buttons::YesNo) == Answer::Yes;
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    ClearRunState(schedule[i]);
    DeleteTrigger(schedule, schedule[i], standard, others);
  }
  WriteSchedule(schedule, log);
  return true;
}

}  // namespace qlr
