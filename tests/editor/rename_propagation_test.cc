#include "editor/rename_propagation.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

// PAY is referred to in every letter case and with blanks; PAYROLL and
// ..PAYX only look alike.
struct RenameTest : ::testing::Test, testing::EditorBed {
  RenameTest() {
    Add("PAY");
    Add("LOAD", "G1", {"pay:S", "PAYROLL:F", " Pay :U"});
    Add("SEND", "G2", {"PAY:S"}).WaitFile = "..pay";
    Add("COPY").WaitFile = "..PAYX";
    Add("OTHER", "G2", {"LOAD:S"});
  }
  Texts RunAfter(const std::string& name) const {
    return schedule[schedule.FindJob(name)].RunAfter;
  }
};

TEST_F(RenameTest, EveryReferenceInAnyCaseFollowsTheNewName) {
  EXPECT_EQ(UpdateDependents(schedule, op, " pay ", "WAGES"), "LOAD, LOAD, SEND");
  EXPECT_EQ(UpdateTriggerDependents(schedule, op, "PAY", "WAGES"), "SEND");
  EXPECT_EQ(RunAfter("LOAD"), (Texts{"WAGES", "PAYROLL", "WAGES"}));
  EXPECT_EQ(RunAfter("SEND"), Texts{"WAGES"});
  EXPECT_EQ(schedule[3].WaitFile, "..WAGES");
  EXPECT_EQ(schedule[4].WaitFile, "..PAYX");
  EXPECT_EQ(op.told,
            (Texts{"The following job(s): LOAD, LOAD, SEND  are dependent on this job and their "
                   "references have been updated accordingly.",
                   "The following job(s): SEND  are dependent on this job's standard trigger file "
                   "and their references have been updated accordingly.",
                   "Dependent jobs in other schedules must be updated manually"}));
}

// Without a new name the dependents are only listed (Delete asks with them).
TEST_F(RenameTest, WithoutANewNameNothingChanges) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"PAY", "LOAD, LOAD, SEND", "SEND"}, {"load", "OTHER", ""}, {"NONE", "", ""}};
  for (const auto& [name, dependents, waiting] : cases) {
    EXPECT_EQ(UpdateDependents(schedule, op, name, ""), dependents);
    EXPECT_EQ(UpdateTriggerDependents(schedule, op, name, ""), waiting);
  }
  EXPECT_EQ(RunAfter("LOAD"), (Texts{"pay", "PAYROLL", " Pay "}));
  EXPECT_TRUE(op.told.empty());
}

}  // namespace
}  // namespace qlr
