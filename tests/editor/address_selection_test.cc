#include "editor/address_selection.h"

#include <gtest/gtest.h>

#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

TEST(AddressSelectionTest, PreSelectsReportsMissingAndGivesBackTheChoice) {
  testing::TempDir dir;
  dir.Write("boss.adr", "\"Boss, The\",boss@example.com\r\nsecond line\r\n");
  dir.Write("OPS.x.adr", "ops@example.com\r\n");
  dir.Write("notes.txt", "not an address file\r\n");
  dir.Write("cmt.adr", "; comments come first\r\n;\r\ncmt@example.com,Commented\r\n");
  Schedule schedule;
  schedule.EmailAddrPath = dir.path();
  testing::ScriptedOperator op;
  std::string list = " ops,\"GONE\",Boss,LEFT";
  AddressSelection dialog(schedule, op, list);
  dialog.Open();
  ASSERT_EQ(dialog.entries().size(), 3u);
  EXPECT_EQ(dialog.entries()[0].text, "OPS(ops@example.com)");
  EXPECT_EQ(dialog.entries()[1].text, "BOSS(Boss, The)");
  EXPECT_EQ(dialog.entries()[2].text, "CMT(cmt@example.com)");  // the first entry, not a comment
  EXPECT_TRUE(dialog.entries()[0].selected && dialog.entries()[1].selected);
  EXPECT_EQ(op.told, Texts{"The following email addresses are no longer present:\n\nGONE,LEFT"});
  dialog.Select(0, false);
  dialog.Ok();
  EXPECT_EQ(list, "BOSS");
  dialog.Open();
  dialog.Select(0, true);
  dialog.CloseRequested();  // closing otherwise cancels
  EXPECT_EQ(list, "BOSS");
  EXPECT_EQ(op.told.back(), "Address selection cancelled");
}

}  // namespace
}  // namespace qlr
