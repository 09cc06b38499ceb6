#include "store/triggers_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/constants.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {
namespace fs = std::filesystem;

struct TriggersListTest : ::testing::Test {
  // Makes `s` the schedule NAME, whose jobs are (name, writes the standard trigger) pairs.
  Schedule& Make(const std::string& name, const std::vector<std::pair<std::string, bool>>& jobs) {
    s = Schedule();
    s.ScheduleName = name;
    s.TriggerPath = dir.path();
    s.TriggersListFile = dir.File("Triggers.Lst");
    for (const auto& [job_name, standard] : jobs) {
      s.Jobs.emplace_back().JobName = job_name;
      s.Jobs.back().TriggerFile = standard ? std::string(kStandardTriggerMark) : "/srv/x.trg";
    }
    return s;
  }
  testing::TempDir dir;
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  Schedule s;
  RunLog log{s, clock, op};
};

TEST_F(TriggersListTest, SchedulesSharingTheListKeepEachOthersLines) {
  RewriteTriggersList(Make("DAY", {{"D1", true}, {"D2", false}}), log);
  EXPECT_EQ(dir.Read("Triggers.Lst"), "D1 (DAY)\r\n");
  // Lines of NIGHT in any letter case go; NIGHTLY only begins the same way.
  dir.Write("Triggers.Lst", "OLD (night)\r\nD1 (DAY)\nX (NIGHTLY)\r\nN1 (NIGHT)\r\n");
  RewriteTriggersList(Make(" NIGHT ", {{"N2", true}, {"N3", false}}), log);
  const std::string kept = "D1 (DAY)\r\nX (NIGHTLY)\r\nN2 (NIGHT)\r\n";
  EXPECT_EQ(dir.Read("Triggers.Lst"), kept);
  EXPECT_FALSE(fs::exists(dir.File(" NIGHT .tmp")));
  EXPECT_TRUE(op.told.empty());
  fs::create_hard_link(dir.File("Triggers.Lst"), dir.File("link"));
  RewriteTriggersList(Make("NIGHT", {{"N2", true}}), log);  // nothing changed: not replaced
  EXPECT_EQ(fs::hard_link_count(dir.File("Triggers.Lst")), 2u);
  Make("DAY", {{"D9", true}}).TriggersListFile.clear();  // no trigger path: nothing at all
  RewriteTriggersList(s, log);
  EXPECT_EQ(dir.Read("Triggers.Lst"), kept);
  EXPECT_FALSE(fs::exists(dir.File("DAY.tmp")));
}

TEST_F(TriggersListTest, FailuresEndTheProgram) {
  Make("DAY", {{"D1", true}}).TriggerPath = dir.File("missing");
  s.TriggersListFile = dir.File("missing/Triggers.Lst");
  EXPECT_THROW(RewriteTriggersList(s, log), ProgramEnd);
  EXPECT_EQ(op.told,
            std::vector<std::string>{"Cannot open file \"" + dir.File("missing/DAY.tmp") + "\""});
  op.told.clear();
  fs::create_directory(Make("DAY", {{"D1", true}}).TriggersListFile);  // no file can replace it
  EXPECT_THROW(RewriteTriggersList(s, log), ProgramEnd);
  EXPECT_EQ(op.told, (std::vector<std::string>{"Could not rename \"" + dir.File("DAY.tmp") +
                                               "\" to \"" + s.TriggersListFile + "\""}));
  EXPECT_FALSE(fs::exists(dir.File("DAY.tmp")));
}

}  // namespace
}  // namespace qlr
