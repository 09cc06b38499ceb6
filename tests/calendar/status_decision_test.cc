#include "calendar/status_decision.h"

#include <gtest/gtest.h>

#include "support/fake_clock.h"

namespace qlr {
namespace {

using testing::FakeClock;

TEST(SetJobStatusTest, DecisionTable) {
  const DateTime w = MakeDateTime(2026, 12, 7, 6, 0, 0);  // a Monday, day start 06:00
  const DateTime yesterday = w - 20 * 3600, later = w + 3600, next_morning = w + 20 * 3600;
  using S = JobStatus;
  struct Case {
    const char* why;
    const char* override_code;
    bool due, skip;
    DateTime started, ended;
    bool failed, forced;
    S before, expected;
    const char* text;
  } cases[] = {
      {"row 1: due, never ran", "", true, false, 0, 0, false, false, S::Completed, S::Scheduled,
       "Scheduled"},
      {"row 1: due, ran yesterday", "", true, false, yesterday, yesterday + 60, false, false,
       S::Completed, S::Scheduled, "Scheduled"},
      {"row 1: S override, due", "S", true, false, yesterday, 0, false, false, S::Running,
       S::Scheduled, "Scheduled"},
      {"row 2: S override, not due and skipped", "S", false, true, 0, 0, false, false,
       S::NotScheduled, S::Scheduled, "Scheduled"},
      {"row 2: started exactly at the day start", "S", false, false, w, w + 60, false, false,
       S::Completed, S::Scheduled, "Scheduled"},
      {"row 3: running", "", true, false, later, 0, false, false, S::Scheduled, S::Running,
       "Running"},
      {"row 3: running past midnight", "", false, false, next_morning, 0, false, false,
       S::Scheduled, S::Running, "Running"},
      {"row 4: completed", "", true, false, later, later + 60, false, false, S::Scheduled,
       S::Completed, "Completed"},
      {"row 4 before row 8", "U", true, false, later, later, false, false, S::Unscheduled,
       S::Completed, "Completed"},
      {"row 5: forced end", "", true, false, later, later + 60, true, true, S::Running,
       S::EndForced, "End Forced"},
      {"row 6: skipped", "", true, true, 0, 0, false, false, S::Scheduled, S::NotScheduled,
       "Not Scheduled"},
      {"row 7: not due", "", false, false, 0, 0, false, false, S::Scheduled, S::NotScheduled,
       "Not Scheduled"},
      {"row 7 before row 8", "U", false, false, 0, 0, false, false, S::Scheduled, S::NotScheduled,
       "Not Scheduled"},
      {"row 8: unscheduled", "U", true, false, yesterday, yesterday, false, false, S::Scheduled,
       S::Unscheduled, "Unscheduled"},
      {"row 9: failed keeps its code", "", true, false, later, later + 60, true, false, S::Failed,
       S::Failed, "Aborted"},
      {"row 9: submit failed keeps its text", "", true, false, later, later, true, false,
       S::SubmitFailed, S::SubmitFailed, "Submit Failed"},
      {"row 9: S override after failing", "S", true, false, later, later + 60, true, false,
       S::Failed, S::Failed, "Aborted"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    Schedule schedule;
    schedule.RunDate = MakeDate(2026, 12, 7);
    schedule.DayStartAt = w;
    Job job;
    job.Frequency = c.due ? "Mon" : "Tue";
    job.SkipOn = c.skip ? "7 Dec 2026" : "";
    job.OverrideCode = c.override_code;
    job.StartedAt = c.started;
    job.EndedAt = c.ended;
    job.FailedFlag = c.failed;
    job.ForcedEnd = c.forced;
    job.Status = c.before;
    job.StatusText = "Submit Failed";
    schedule.Jobs.push_back(job);
    SetJobStatus(schedule, 1);
    EXPECT_EQ(schedule[1].DueToday, c.due);
    EXPECT_EQ(schedule[1].SkipToday, c.skip);
    EXPECT_EQ(schedule[1].Status, c.expected);
    EXPECT_EQ(schedule[1].StatusText, c.text);
  }
}

TEST(StampTimeTest, DummyRunsUseTheRunDate) {
  FakeClock clock(MakeDateTime(2026, 12, 9, 14, 35, 20));
  Schedule schedule;
  schedule.RunDate = MakeDate(2026, 12, 7);
  EXPECT_EQ(StampTime(schedule, clock), MakeDateTime(2026, 12, 9, 14, 35, 20));
  schedule.DummyRun = true;
  EXPECT_EQ(StampTime(schedule, clock), MakeDateTime(2026, 12, 7, 14, 35, 20));
}

}  // namespace
}  // namespace qlr
