#include "store/triggers_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "model/constants.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using testing::FakeClock;
using testing::ScriptedOperator;
using testing::TempDir;

struct TriggersListTest : ::testing::Test {
  TempDir dir;
  FakeClock clock;
  ScriptedOperator op;

  // A schedule of the given name whose jobs are "NAME:standard?" pairs.
  Schedule Make(const std::string& name, const std::vector<std::pair<std::string, bool>>& jobs) {
    Schedule s;
    s.ScheduleName = name;
    s.TriggerPath = dir.path();
    s.TriggersListFile = dir.File("Triggers.Lst");
    for (const auto& [job_name, standard] : jobs) {
      Job job;
      job.JobName = job_name;
      job.TriggerFile =
          standard ? std::string(kStandardTriggerMark) : "/srv/out/" + job_name + ".trg";
      s.Jobs.push_back(job);
    }
    return s;
  }
  void Rewrite(const Schedule& s) {
    RunLog log(s, clock, op);
    RewriteTriggersList(s, log);
  }
};

TEST_F(TriggersListTest, SchedulesSharingTheListKeepEachOthersLines) {
  Rewrite(Make("DAY", {{"D1", true}, {"D2", false}}));
  Rewrite(Make("NIGHT", {{"N1", true}, {"N2", true}}));
  EXPECT_EQ(dir.Read("Triggers.Lst"), "D1 (DAY)\r\nN1 (NIGHT)\r\nN2 (NIGHT)\r\n");

  // Lines of NIGHT in any letter case go; a schedule whose name only begins
  // the same way keeps its lines.
  dir.Write("Triggers.Lst", "OLD (night)\r\nD1 (DAY)\nX (NIGHTLY)\r\nN1 (NIGHT)\r\n");
  Rewrite(Make(" NIGHT ", {{"N2", true}, {"N3", false}}));
  EXPECT_EQ(dir.Read("Triggers.Lst"), "D1 (DAY)\r\nX (NIGHTLY)\r\nN2 (NIGHT)\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File(" NIGHT .tmp")));
  EXPECT_TRUE(op.told.empty());

  // Nothing changed: the file is not replaced.
  struct stat before {
  }, after{};
  ASSERT_EQ(stat(dir.File("Triggers.Lst").c_str(), &before), 0);
  Rewrite(Make("NIGHT", {{"N2", true}}));
  ASSERT_EQ(stat(dir.File("Triggers.Lst").c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(TriggersListTest, NothingWithoutATriggerPath) {
  Schedule s = Make("DAY", {{"D1", true}});
  s.TriggersListFile.clear();
  Rewrite(s);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(TriggersListTest, FailuresEndTheProgram) {
  Schedule s = Make("DAY", {{"D1", true}});
  s.TriggerPath = dir.File("missing");
  s.TriggersListFile = dir.File("missing/Triggers.Lst");
  EXPECT_THROW(Rewrite(s), ProgramEnd);
  EXPECT_EQ(op.told,
            (std::vector<std::string>{"Cannot open file \"" + dir.File("missing/DAY.tmp") + "\""}));

  op.told.clear();
  s = Make("DAY", {{"D1", true}});
  std::filesystem::create_directory(s.TriggersListFile);  // cannot be replaced by a file
  EXPECT_THROW(Rewrite(s), ProgramEnd);
  EXPECT_EQ(op.told, (std::vector<std::string>{"Could not rename \"" + dir.File("DAY.tmp") +
                                               "\" to \"" + s.TriggersListFile + "\""}));
  EXPECT_FALSE(std::filesystem::exists(dir.File("DAY.tmp")));
}

}  // namespace
}  // namespace qlr
