#include "engine/day_timeline.h"

#include <vector>

namespace qlr {
namespace {

bool IsRunning(JobStatus status) {
  return status == JobStatus::Running || status == JobStatus::EndForced;
}

// A job that ended in the run day before the engine took it up: its status
// was decided from the start and end the schedule file kept.
bool EndedEarlier(const Schedule& schedule, int i, const std::vector<DateTime>& recorded) {
  const Job& job = schedule[i];
  const bool ended = job.Status == JobStatus::Completed || job.Status == JobStatus::Failed;
  return ended && job.StartedAt >= schedule.DayStartAt && job.EndedAt >= job.StartedAt &&
         recorded[static_cast<size_t>(i)] != job.StartedAt;
}

}  // namespace

Timeline DayTimeline(const Engine& engine, const Schedule& schedule, DateTime now) {
  Timeline timeline;
  timeline.schedule_name = schedule.ScheduleName;
  timeline.run_date = schedule.RunDate;
  timeline.day_start_at = schedule.DayStartAt;
  timeline.now = now;
  std::vector<DateTime> recorded(schedule.Jobs.size(), -1);  // by job: its last run over
  for (const FinishedRun& run : engine.finished_runs()) {
    recorded[static_cast<size_t>(run.job)] = run.started;
    timeline.runs.push_back({schedule[run.job].JobName.Str(), run.started, run.ended, run.outcome,
                             run.fail_text, run.rescheduled});
  }
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    const Job& job = schedule[i];
    if (IsRunning(job.Status) && job.StartedAt > 0)
      timeline.runs.push_back({job.JobName.Str(), job.StartedAt, std::max(now, job.StartedAt),
                               RunOutcome::Running, "", false});
    else if (EndedEarlier(schedule, i, recorded))
      timeline.runs.push_back({job.JobName.Str(), job.StartedAt, job.EndedAt,
                               job.Status == JobStatus::Failed ? RunOutcome::Failed
                                                               : RunOutcome::Completed,
                               job.FailText.Str(), false});
  }
  SortRuns(timeline);
  return timeline;
}

}  // namespace qlr
