#include "editor/trigger_choices.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "editor_fixture.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

struct TriggerChoicesTest : ::testing::Test, testing::EditorBed {
  TriggerChoicesTest() { schedule.TriggersListFile = dir.File("Triggers.Lst"); }
  testing::TempDir dir;
};

// The wait file a job opens with, and the one it stores back.
TEST_F(TriggerChoicesTest, OpeningTheWaitFileChoice) {
  const std::string list = "PAY (DAY)\r\nLOAD (NIGHT)\r\nPAY (NIGHT)\r\n";
  struct Case {
    const char* wait_file;
    bool list_exists;
    WaitChoice choice;
    int selected;
    Texts told;
    const char* stored;
  } cases[] = {
      {"", true, WaitChoice::None, -1, {}, ""},
      {"  ", true, WaitChoice::None, -1, {}, ""},
      {"..pay", true, WaitChoice::Interschedule, 2, {}, "..PAY"},  // the last line naming it
      {"..GONE",
       true,
       WaitChoice::None,
       -1,
       {"Cannot find job \"GONE\" in interschedule dependency list.  Dependency dropped."},
       ""},
      {"..GONE", false, WaitChoice::Interschedule, -1, {}, nullptr},  // no list: not selected
      {" /in/ready.flag ", true, WaitChoice::External, -1, {}, "/in/ready.flag"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wait_file);
    std::filesystem::remove(schedule.TriggersListFile);
    if (c.list_exists) dir.Write("Triggers.Lst", list);
    op = {};
    Job& job = Add("J");
    job.WaitFile = c.wait_file;
    const WaitFileChoice wait = OpenWaitFile(schedule, job, op);
    EXPECT_EQ(wait.choice, c.choice);
    EXPECT_EQ(wait.selected, c.selected);
    EXPECT_EQ(wait.trigger_jobs.size(), c.list_exists ? 3u : 0u);
    EXPECT_EQ(op.told, c.told);
    if (!c.stored) continue;  // validation refuses an Interschedule wait without a job
    Job stored;
    StoreWaitFile(wait, stored);
    EXPECT_EQ(stored.WaitFile, c.stored);
  }
}

TEST_F(TriggerChoicesTest, TriggerCreationAndLabels) {
  const std::tuple<const char*, TriggerChoice, const char*> cases[] = {
      {"", TriggerChoice::None, ""},
      {"**Standard", TriggerChoice::Interschedule, "**Standard"},
      {"/out/done.trg", TriggerChoice::External, "/out/done.trg"},
  };
  for (const auto& [file, choice, stored] : cases) {
    Job job;
    job.TriggerFile = file;
    const TriggerCreation trigger = OpenTriggerCreation(job);
    EXPECT_EQ(trigger.choice, choice);
    EXPECT_EQ(TriggerFileToStore(trigger), stored);
  }
  WaitFileChoice wait;
  wait.delete_file = true;
  Job job;
  StoreWaitFile(wait, job);
  EXPECT_FALSE(job.DeleteWaitFile);  // "(None)" never deletes
  EXPECT_EQ(wait.Label(), "");
  wait.choice = WaitChoice::External;
  EXPECT_EQ(wait.Label(), "External Trigger File:");
}

}  // namespace
}  // namespace qlr
