#include "store/run_journal.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "store/schedule_file.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using testing::FakeClock;
using testing::ScriptedOperator;
using testing::TempDir;

// A crash after starting processes and before the schedule file was written:
// the next read must know about the starts.
struct JournalTest : ::testing::Test {
  TempDir dir;
  Schedule s;
  FakeClock clock{MakeDateTime(2026, 12, 4, 6, 0, 0)};
  ScriptedOperator op;
  RunLog log{s, clock, op};
  const DateTime stamp = MakeDateTime(2026, 12, 4, 5, 0, 0);

  void SetUp() override {
    s.ScheduleFile = dir.File("night.sch");
    s.LogFile = dir.File("night.log");
    s.RunDate = MakeDate(2026, 12, 4);
    s.DayStartAt = s.RunDate;
    for (const char* name : {"UNSURE", "STARTED", "IDLE"}) {
      Job job = NewPlaceholderJob();
      job.JobName = name;
      job.Frequency = "Daily";
      s.Jobs.push_back(job);
    }
    WriteSchedule(s, log, op);
  }

  void Restart() {
    s.ClearJobs();
    ReadSchedule(s, log, op);
  }
};

TEST_F(JournalTest, StartsAfterTheLastWriteAreNeitherRepeatedNorLost) {
  // One pass starts two jobs; the crash comes before the first one's numbers.
  ASSERT_TRUE(JournalBeforeStart(s, {{1, stamp, {}}, {2, stamp, {}}}));
  ASSERT_TRUE(JournalStarted(s, {{2, stamp, {123, 0, 4567, 4567}}}));
  Restart();
  EXPECT_EQ(s[1].Status, JobStatus::SubmitFailed);
  EXPECT_EQ(s[1].StatusText, "Submit Failed");
  EXPECT_EQ(s[2].Status, JobStatus::Running);
  EXPECT_EQ(s[2].Process.process_id, 4567);
  EXPECT_EQ(s[2].Process.process_handle, 123);
  EXPECT_EQ(s[2].StartedAt, stamp);
  EXPECT_EQ(s[3].Status, JobStatus::Scheduled);

  WriteSchedule(s, log, op);  // the file now holds it all and the journal is emptied
  EXPECT_FALSE(FileExists(JournalPath(s)));
  Restart();
  EXPECT_EQ(s[1].Status, JobStatus::SubmitFailed);  // still not started again
  EXPECT_EQ(s[2].Status, JobStatus::Running);
}

TEST_F(JournalTest, ATornOrForeignRecordIsIgnored) {
  ASSERT_TRUE(AppendToFile(JournalPath(s), "P\t9\tGONE\t1\t2\t3\nB\t2\tSTAR"));
  Restart();
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(s[i].Status, JobStatus::Scheduled) << i;
}

TEST_F(JournalTest, AJobThatFailedTodayIsNotRunAgainAfterARestart) {
  s[3].StartedAt = stamp;
  s[3].EndedAt = stamp + 10;
  s[3].FailedFlag = true;
  s[3].Process = {1, 0, 99, 99};
  WriteSchedule(s, log, op);
  Restart();
  EXPECT_EQ(s[3].Status, JobStatus::Failed);
  EXPECT_EQ(s[3].StatusText, "Aborted");
}

}  // namespace
}  // namespace qlr
