#include "calendar/status_decision.h"

#include "calendar/frequency.h"

namespace qlr {
namespace {

JobStatus DecideStatus(const Job& job, DateTime window_start) {
  const DateTime s = job.StartedAt, e = job.EndedAt;
  const std::string_view o = job.OverrideCode.Trimmed();
  if (o != "U" && !job.SkipToday && s < window_start && job.DueToday) return JobStatus::Scheduled;
  if (o == "S" && s <= window_start) return JobStatus::Scheduled;
  if (s >= window_start && e < s) return JobStatus::Running;
  if (s >= window_start && e >= s && !job.FailedFlag && !job.ForcedEnd) return JobStatus::Completed;
  if (s >= window_start && e >= s && job.ForcedEnd) return JobStatus::EndForced;
  if (job.SkipToday && o != "S") return JobStatus::NotScheduled;
  if (o != "S" && !job.DueToday) return JobStatus::NotScheduled;
  if (o == "U") return JobStatus::Unscheduled;
  return job.Status;  // e.g. a job that failed in this window keeps Failed or SubmitFailed
}

}  // namespace

void SetJobStatus(Schedule& schedule, int index) {
  Job& job = schedule[index];
  job.DueToday = IsScheduledOn(schedule.Calendar, job.Frequency, schedule.RunDate);
  job.SkipToday = IsSkipped(schedule, job);
  job.Status = DecideStatus(job, schedule.DayStartAt);
  if (job.Status != JobStatus::SubmitFailed) job.StatusText = StatusText(job.Status);
}

DateTime StampTime(const Schedule& schedule, const Clock& clock) {
  DateTime now = clock.Now();
  return schedule.DummyRun ? DateOnly(schedule.RunDate) + TimeOfDay(now) : now;
}

}  // namespace qlr
