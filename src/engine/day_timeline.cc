#include "engine/day_timeline.h"

#include <algorithm>
#include <utility>
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
  std::vector<std::pair<int, TimelineRun>> rows;             // with the job's index, for the order
  std::vector<DateTime> recorded(schedule.Jobs.size(), -1);  // by job: its last run over
  for (const FinishedRun& run : engine.finished_runs()) {
    recorded[static_cast<size_t>(run.job)] = run.started;
    rows.push_back({run.job,
                    {schedule[run.job].JobName.Str(), run.started, run.ended, run.outcome,
                     run.fail_text, run.rescheduled}});
  }
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    const Job& job = schedule[i];
    if (IsRunning(job.Status) && job.StartedAt > 0)
      rows.push_back({i,
                      {job.JobName.Str(), job.StartedAt, std::max(now, job.StartedAt),
                       RunOutcome::Running, "", false}});
    else if (EndedEarlier(schedule, i, recorded))
      rows.push_back({i,
                      {job.JobName.Str(), job.StartedAt, job.EndedAt,
                       job.Status == JobStatus::Failed ? RunOutcome::Failed : RunOutcome::Completed,
                       job.FailText.Str(), false}});
  }
  // By start; runs that started together in job order, as the day's list has them.
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return a.second.start != b.second.start ? a.second.start < b.second.start : a.first < b.first;
  });
  Timeline timeline{schedule.ScheduleName, schedule.RunDate, schedule.DayStartAt, now, {}};
  for (auto& row : rows) timeline.runs.push_back(std::move(row.second));
  return timeline;
}

}  // namespace qlr
