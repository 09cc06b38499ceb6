#include "log/timeline.h"

#include <algorithm>
#include <cstdio>

namespace qlr {
namespace {

constexpr int64_t kHour = 3600;
constexpr int64_t kMaxTicks = 24;

DateTime Floor(DateTime t, int64_t step) { return t - (((t % step) + step) % step); }
DateTime Ceil(DateTime t, int64_t step) { return Floor(t + step - 1, step); }

int64_t TickStep(int64_t span) {
  static constexpr int64_t kSteps[] = {
      1, 2, 5, 10, 15, 30, 60, 300, 900, 1800, kHour, 2 * kHour, 3 * kHour, 6 * kHour, 12 * kHour};
  for (int64_t step : kSteps)
    if (span <= step * kMaxTicks) return step;
  return Ceil(span / kMaxTicks + 1, kSecondsPerDay);
}

}  // namespace

std::string_view OutcomeText(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Completed:
      return "Completed";
    case RunOutcome::Failed:
      return "Failed";
    case RunOutcome::ForcedCompletion:
      return "Forced completion";
    case RunOutcome::Running:
      return "Running";
    case RunOutcome::SubmitFailed:
      return "Submission failed";
    case RunOutcome::Unscheduled:
      return "Unscheduled";
    case RunOutcome::NoEnd:
      return "No end logged";
  }
  return "";
}

bool IsMoment(RunOutcome outcome) {
  return outcome == RunOutcome::SubmitFailed || outcome == RunOutcome::Unscheduled;
}

TimeAxis AxisOf(const Timeline& timeline) {
  DateTime first = timeline.day_start_at, last = timeline.day_start_at + kSecondsPerDay;
  if (!timeline.runs.empty()) {
    first = timeline.runs.front().start;
    last = timeline.runs.front().end;
    for (const TimelineRun& run : timeline.runs) {
      first = std::min(first, run.start);
      last = std::max(last, run.end);
    }
  }
  const int64_t step = TickStep(std::max<int64_t>(last - first, 1));
  TimeAxis axis{Floor(first, step), Ceil(last, step), step};
  if (axis.to <= axis.from) axis.to = axis.from + step;
  return axis;
}

std::string_view OutcomeColour(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Completed:
      return "#43a047";
    case RunOutcome::Failed:
      return "#e53935";
    case RunOutcome::ForcedCompletion:
      return "#fb8c00";
    case RunOutcome::Running:
      return "#1e88e5";
    case RunOutcome::SubmitFailed:
      return "#8e24aa";
    case RunOutcome::Unscheduled:
      return "#757575";
    case RunOutcome::NoEnd:
      return "#bdbdbd";
  }
  return "#000000";
}

std::string DurationText(int64_t seconds) {
  seconds = std::max<int64_t>(seconds, 0);
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / kHour),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

void SortRuns(Timeline& timeline) {
  std::stable_sort(timeline.runs.begin(), timeline.runs.end(),
                   [](const TimelineRun& a, const TimelineRun& b) { return a.start < b.start; });
}

}  // namespace qlr
