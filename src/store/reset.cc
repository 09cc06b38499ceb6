#include "store/reset.h"

#include "base/text.h"
#include "model/constants.h"
#include "platform/file_system.h"
#include "store/schedule_file.h"

namespace qlr {
namespace {

// True when the file was there and is gone.
bool DeleteIfThere(const std::string& path) { return FileExists(path) && RemoveFile(path); }

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
void DeleteTrigger(const Schedule& schedule, const Job& job, ResetDone& done) {
  if (job.TriggerFile.Trimmed() == kStandardTriggerMark) {
    if (done.choices.standard_triggers &&
        DeleteIfThere(JoinPath(schedule.TriggerPath, job.JobName.Str() + ".trg")))
      ++done.standard_triggers;
  } else if (!job.TriggerFile.IsBlank() && done.choices.other_triggers) {
    if (DeleteIfThere(job.TriggerFile.Str())) ++done.other_triggers;
  }
}

}  // namespace

ResetDone Reset(Schedule& schedule, RunLog& log, Operator& op, const ResetChoices& choices) {
  ResetDone done;
  done.choices = choices;
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    ClearRunState(schedule[i]);
    DeleteTrigger(schedule, schedule[i], done);
    ++done.jobs;
  }
  WriteSchedule(schedule, log, op);
  return done;
}

std::string ResetDoneText(const ResetDone& done) {
  std::string text = "The run state of " + std::to_string(done.jobs) + " job(s) was cleared.";
  if (done.choices.standard_triggers)
    text += "\n" + std::to_string(done.standard_triggers) + " standard trigger file(s) deleted.";
  if (done.choices.other_triggers)
    text += "\n" + std::to_string(done.other_triggers) + " other trigger file(s) deleted.";
  return text;
}

}  // namespace qlr
