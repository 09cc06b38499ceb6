#include "editor/date_var_editor.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

TEST(DateVarDialogTest, OkChecksEveryFieldAndRelMonth) {
  const std::string blank_three =
      "No format string specified\nNo Relative Day in Month specified\nNo Variable Name specified";
  struct Case {
    DateVarDefinition fields;
    std::string told;  // "" when OK closes the dialog
    DateVarField focus;
  } cases[] = {
      {{"X", "+1CDOM", "-1", "yyyymmdd"}, "", DateVarField::Name},
      {{"", " ", "0", ""}, blank_three, DateVarField::Name},
      {{"X", "", "0", ""},
       "No format string specified\nNo Relative Day in Month specified",
       DateVarField::RelativeDay},
      {{"X", "+1CDOM", "1201", "yyyy"},
       "Rel Month must be a whole number from -1200 to 1200",
       DateVarField::RelMonth},
      {{"X", "+1CDOM", "-1200", "yyyy"}, "", DateVarField::Name},
      {{"X", "+1CDOM", "1.5", ""},
       "No format string specified\nRel Month must be a whole number from -1200 to 1200",
       DateVarField::RelMonth},
  };
  for (const Case& c : cases) {
    testing::ScriptedOperator op;
    DateVarDialog dialog(op, c.fields);
    EXPECT_EQ(dialog.Ok(), c.told.empty());
    EXPECT_EQ(op.told, c.told.empty() ? Texts{} : Texts{c.told});
    EXPECT_EQ(dialog.result().has_value(), c.told.empty());
    if (!c.told.empty()) {
      EXPECT_EQ(dialog.focus(), c.focus) << c.told;
    }
  }
}

// Rel Month counts only for the "DOM" forms; a chosen key asks for its n.
TEST(DateVarDialogTest, KeysAndRelMonth) {
  testing::ScriptedOperator op;
  DateVarDialog dialog(op, {"M", "+1CDOM", "3", "yyyymm"});
  EXPECT_TRUE(dialog.RelMonthEnabled());
  op.InputNext("2");
  dialog.ChooseKey("RUND-nWD");
  EXPECT_EQ(dialog.fields.relative_day, "RUND-2WD");
  EXPECT_EQ(dialog.fields.rel_month, "0");
  EXPECT_FALSE(dialog.RelMonthEnabled());
  dialog.ChooseKey("-nCDOM");  // abandoned: nothing changes
  EXPECT_EQ(dialog.fields.relative_day, "RUND-2WD");
  dialog.CloseByFrame();
  EXPECT_EQ(op.told, Texts{"Date variable modification cancelled"});
  EXPECT_FALSE(dialog.result());
}

TEST(DateVarGridTest, AsAtTryDefaultsAndStore) {
  testing::EditorBed bed;
  DateVarGrid grid(bed.schedule, bed.log, bed.op, bed.clock);
  grid.Load({"\"RUNDATE\",RunDate,0,yyyymmdd", "", "NEXT,+1RUND,0,dd/mm"});
  grid.PopulateAsAt(0, "Daily");
  grid.PopulateAsAt(2, "");  // no frequency: told, Weekdays assumed
  EXPECT_EQ(grid.rows()[0].as_at, "20261204");
  EXPECT_EQ(grid.rows()[2].as_at, "07/12");
  EXPECT_EQ(bed.op.told.size(), 1u);
  grid.SetDefDateVar(1, {"PERIOD", "+1CDOM", "-1", "yyyymm"}, "Daily");
  EXPECT_EQ(grid.rows()[1].as_at, "202611");
  const TryText tried = grid.Try("run &period& &RunDate& &NONE&", "Daily");
  EXPECT_EQ(tried.substituted, "run 202611 20261204 &NONE&");
  EXPECT_EQ(tried.run_date, "Friday 4 Dec 2026");
  // Rows left alone keep their exact text; a cleared row stores nothing.
  grid.Clear(2);
  const TextList<7> stored = grid.Store();
  EXPECT_EQ(stored[0], "\"RUNDATE\",RunDate,0,yyyymmdd");
  EXPECT_EQ(stored[1], "PERIOD,+1CDOM,-1,yyyymm");
  EXPECT_EQ(stored[2], "");
  grid.DefaultVariables("Daily");
  EXPECT_EQ(grid.Store()[6], "MONTHEND,-1CDOM,0,yyyymmdd");
  EXPECT_EQ(grid.rows()[6].as_at, "20261231");
}

// Showing the tab works out the named rows only.
TEST(DateVarGridTest, PopulateNamedAsAtSkipsRowsWithoutAName) {
  testing::EditorBed bed;
  DateVarGrid grid(bed.schedule, bed.log, bed.op, bed.clock);
  grid.Load({"\"RUNDATE\",RunDate,0,yyyymmdd", "", " ,+1RUND,0,dd/mm", "NEXT,+1RUND,0,dd/mm"});
  grid.PopulateNamedAsAt("Daily");
  EXPECT_EQ(grid.rows()[0].as_at, "20261204");
  EXPECT_EQ(grid.rows()[1].as_at, "");
  EXPECT_EQ(grid.rows()[2].as_at, "");
  EXPECT_EQ(grid.rows()[3].as_at, "05/12");
  EXPECT_TRUE(bed.op.told.empty());
}

}  // namespace
}  // namespace qlr
