#include "store/reset.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

// Which trigger files each choice deletes is checked through `qlr reset`.
TEST(ResetTest, ClearsTheRunStateAndWritesTheSchedule) {
  testing::TempDir dir;
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  Schedule schedule;
  RunLog log{schedule, clock, op};
  schedule.ScheduleFile = dir.Write("sched.txt", "");
  schedule.TriggerPath = dir.File("trg");
  schedule.TriggersListFile = dir.Write("trg/Triggers.Lst", "");  // written back there
  Job& job = schedule.Jobs.emplace_back(NewPlaceholderJob());
  job.Status = JobStatus::Completed;
  job.StartedAt = job.EndedAt = MakeDate(2026, 12, 1);
  job.Reserved34 = 5;
  job.OverrideCode = "S";
  job.StatusText = "Completed";
  EXPECT_EQ(ResetDoneText(Reset(schedule, log, op, {true, false})),
            "The run state of 1 job(s) was cleared.\n0 standard trigger file(s) deleted.");
  EXPECT_TRUE(job.Status == JobStatus::Scheduled && job.StartedAt == 0 && job.EndedAt == 0 &&
              job.Reserved34 == 0 && job.OverrideCode.IsBlank() && job.StatusText.empty());
  EXPECT_NE(dir.Read("sched.txt").find("\r\n"), std::string::npos);  // written back
}

}  // namespace
}  // namespace qlr
