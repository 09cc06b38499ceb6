#include "calendar/status_decision.h"

#include <gtest/gtest.h>

#include "support/fake_clock.h"

namespace qlr {
namespace {

// Run date Monday 7 Dec 2026, day start 06:00. Rows in the order the decision table tries
// them; flags: d due today, s skipped today, f failed, F forced end.
TEST(SetJobStatusTest, DecisionTable) {
  const DateTime w = MakeDateTime(2026, 12, 7, 6, 0, 0), yesterday = w - 72000, later = w + 3600;
  using S = JobStatus;
  struct Case {
    int row;
    const char *override_code, *flags;
    DateTime started, ended;
    S before, expected;
    const char* text;
  } cases[] = {
      {1, "", "d", 0, 0, S::Completed, S::Scheduled, "Scheduled"},
      {1, "", "d", yesterday, yesterday + 60, S::Completed, S::Scheduled, "Scheduled"},
      {1, "S", "d", yesterday, 0, S::Running, S::Scheduled, "Scheduled"},
      {2, "S", "s", 0, 0, S::NotScheduled, S::Scheduled, "Scheduled"},
      {2, "S", "", w, w + 60, S::Completed, S::Scheduled, "Scheduled"},  // started at day start
      {3, "", "d", later, 0, S::Scheduled, S::Running, "Running"},
      {3, "", "", w + 72000, 0, S::Scheduled, S::Running, "Running"},
      {4, "", "d", later, later + 60, S::Scheduled, S::Completed, "Completed"},
      {4, "U", "d", later, later, S::Unscheduled, S::Completed, "Completed"},
      {5, "", "dfF", later, later + 60, S::Running, S::EndForced, "End Forced"},
      {6, "", "ds", 0, 0, S::Scheduled, S::NotScheduled, "Not Scheduled"},
      {7, "", "", 0, 0, S::Scheduled, S::NotScheduled, "Not Scheduled"},
      {7, "U", "", 0, 0, S::Scheduled, S::NotScheduled, "Not Scheduled"},
      {8, "U", "d", yesterday, yesterday, S::Scheduled, S::Unscheduled, "Unscheduled"},
      {9, "", "df", later, later + 60, S::Failed, S::Failed, "Aborted"},
      {9, "", "df", later, later, S::SubmitFailed, S::SubmitFailed, "Submit Failed"},
      {9, "S", "df", later, later + 60, S::Failed, S::Failed, "Aborted"},
  };
  for (const Case& c : cases) {
    const auto has = [&c](char f) { return std::string(c.flags).find(f) != std::string::npos; };
    SCOPED_TRACE("row " + std::to_string(c.row) + " " + c.override_code + " " + c.flags);
    Schedule schedule;
    schedule.RunDate = MakeDate(2026, 12, 7);
    schedule.DayStartAt = w;
    Job& job = schedule.Jobs.emplace_back();
    job.Frequency = has('d') ? "Mon" : "Tue";
    job.SkipOn = has('s') ? "7 Dec 2026" : "";
    job.OverrideCode = c.override_code;
    job.StartedAt = c.started;
    job.EndedAt = c.ended;
    job.FailedFlag = has('f');
    job.ForcedEnd = has('F');
    job.Status = c.before;
    job.StatusText = "Submit Failed";
    SetJobStatus(schedule, 1);
    EXPECT_EQ(std::pair(schedule[1].DueToday, schedule[1].SkipToday),
              std::pair(has('d'), has('s')));
    EXPECT_EQ(schedule[1].Status, c.expected);
    EXPECT_EQ(schedule[1].StatusText, c.text);
  }
}

TEST(StampTimeTest, DummyRunsUseTheRunDate) {
  testing::FakeClock clock(MakeDateTime(2026, 12, 9, 14, 35, 20));
  Schedule schedule;
  schedule.RunDate = MakeDate(2026, 12, 7);
  EXPECT_EQ(StampTime(schedule, clock), MakeDateTime(2026, 12, 9, 14, 35, 20));
  schedule.DummyRun = true;
  EXPECT_EQ(StampTime(schedule, clock), MakeDateTime(2026, 12, 7, 14, 35, 20));
}

}  // namespace
}  // namespace qlr
