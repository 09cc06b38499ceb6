#include "engine/launch.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/file_system.h"
#include "store/schedule_file.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

struct LaunchTest : ::testing::Test {
  testing::TempDir dir;
  testing::FakeClock clock;  // 4 Dec 2026 12:00
  testing::ScriptedOperator op;
  Schedule s;
  RunLog log{s, clock, op};
  LaunchValues launch{"4 Dec 2026", "00:00", "9999"};

  void SetUp() override {
    s.IniFile = dir.Write("night.ini", "[Quillrun]\r\n");
    s.ScheduleFile = dir.File("night.sch");
    s.LogFile = dir.File("night.log");
    s.RunDate = MakeDate(2026, 12, 4);
  }
};

// Twelve lines whose CPU usage is no number and one whose job name is empty:
// every fault is logged, the warning shows the first ten and the count, and
// the launch goes on; a second launch of the same read says nothing more.
TEST_F(LaunchTest, ReportsWhatTheReaderFoundOnceAndGoesOn) {
  std::string text;
  for (int i = 1; i <= 12; ++i)
    text += "J" + std::to_string(i) + std::string(39, '\t') + "x" + std::string(10, '\t') + "\r\n";
  dir.Write("night.sch", text + std::string(49, '\t') + "\r\n");
  ReadSchedule(s, log, op);
  ASSERT_EQ(s.ReadDiagnostics.size(), 13u);
  FileLock lock;
  ASSERT_TRUE(LaunchSchedule(s, log, op, launch, lock));
  std::string expected = "Schedule file \"" + s.ScheduleFile +
                         "\" did not read cleanly: 13 faults, all in the run log. Its jobs were "
                         "read as well as they could be.\n";
  for (int line = 1; line <= 10; ++line)
    expected += "\nline " + std::to_string(line) + ", column 40 (CpuUsage): \"x\" is not a number";
  EXPECT_EQ(op.told, std::vector<std::string>{expected + "\n... and 3 more"});
  const std::string logged = dir.Read("night.log");
  EXPECT_NE(logged.find(s.ScheduleFile + ", line 13, column 1 (JobName): the job name is empty"),
            std::string::npos);
  EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 13);
  EXPECT_TRUE(s.ReadDiagnostics.empty());
  lock = FileLock();
  op.told.clear();
  ASSERT_TRUE(LaunchSchedule(s, log, op, launch, lock));
  EXPECT_TRUE(op.told.empty());
}

}  // namespace
}  // namespace qlr
