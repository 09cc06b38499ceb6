#include "engine/job_files.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

struct WaitFileTest : ::testing::Test {
  testing::TempDir dir;
  Schedule s;
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  RunLog log{s, clock, op};

  void SetUp() override {
    s.LogFile = dir.File("run.log");
    s.TriggerPath = dir.File("trg");
    for (const char* file : {"in/b.csv", "in/a.csv", "in/x[1].txt", "in/sub.csv/f", "trg/PAY1.trg"})
      dir.Write(file, "x");
  }
};

// A wait file is found when a directory lookup of it finds a file: "?" and "*"
// in its last part match, "[" does not, and folders never count.
TEST_F(WaitFileTest, FoundByADirectoryLookup) {
  const std::pair<std::string, std::string> cases[] = {
      {dir.File("in/*.csv"), "in/a.csv"},
      {" " + dir.File("in/b.csv") + " ", "in/b.csv"},
      {dir.File("in/x?1?.txt"), "in/x[1].txt"},
      {dir.File("in/x[1].txt"), "in/x[1].txt"},
      {"..PAY*", "trg/PAY1.trg"},
      {".. PAY1", "trg/PAY1.trg"},
      {dir.File("in/sub.csv"), ""},
      {dir.File("in/s*"), ""},
      {dir.File("in/x1.txt"), ""},
      {"/no/such/folder/*", ""},
  };
  for (const auto& [wait_file, found] : cases) {
    EXPECT_EQ(FoundWaitFile(s, wait_file), found.empty() ? "" : dir.File(found)) << wait_file;
    EXPECT_EQ(TrigFileFound(s, wait_file), !found.empty()) << wait_file;
  }
}

// Consuming a wait file given with wildcards takes the file that released the
// job; files that came later wait for the next run.
TEST_F(WaitFileTest, DeletingTakesTheFileFound) {
  Job job;
  job.JobName = "LOAD";
  job.WaitFile = dir.File("in/*.csv");
  DeleteTrigger(s, log, job);
  EXPECT_EQ(ListMatching(dir.File("in/*.csv")), std::vector<std::string>{dir.File("in/b.csv")});
  job.WaitFile = dir.File("in/*.none");
  DeleteTrigger(s, log, job);
  EXPECT_NE(dir.Read("run.log").find("Could not delete trigger file: \"" + dir.File("in/*.none") +
                                     "\" at start of job LOAD    "),
            std::string::npos);
}

}  // namespace
}  // namespace qlr
