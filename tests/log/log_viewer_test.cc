#include "log/log_viewer.h"

#include <gtest/gtest.h>

#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Names = std::vector<std::string>;

TEST(LogViewerTest, WhichLinesEachSelectionCopies) {
  const std::string failed = "(Dummy Run) 04 Dec 2026  06:30:05 PAYROLL  Failed(disk full)";
  const std::string refused = "04 Dec 2026  06:30:05 PAY(Daily)  submission FAILED at 06:30:05";
  const std::string done =
      "04 Dec 2026  06:31:00 PAY      Completed at 06:31:00 (Duration 00:00:55)";
  const std::string plain = "no time stamp here";
  struct Case {
    const std::string& line;
    LogSelection selection;
    Names names;
    bool copied;
  } cases[] = {
      {plain, LogSelection::All, {}, true},
      {plain, LogSelection::Jobs, {"no"}, false},  // no time stamp: only "all" copies it
      {failed, LogSelection::Failed, {}, true},    // the dummy-run prefix holds no colon
      {refused, LogSelection::Failed, {}, true},
      {done, LogSelection::Failed, {}, false},
      {failed, LogSelection::Jobs, {"pay"}, true},  // a name matches the start: PAY finds PAYROLL
      {done, LogSelection::Group, {"EXTRACT", "PAY"}, true},
      {done, LogSelection::Jobs, {"AY"}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LineSelected(c.line, c.selection, c.names), c.copied) << c.line;
}

TEST(LogViewerTest, NamesOfLogsGroupsAndJobs) {
  testing::TempDir dir;
  Schedule s;
  s.LogFile = dir.File("run_yyyymmdd.log");
  for (const char* name : {"run_20261203.log", "run_20261201.log", "run_20261202.tmp", "other.log"})
    dir.Write(name, "x");
  EXPECT_EQ(LogNames(s, MakeDate(2026, 12, 4)), (Names{"run_20261201", "run_20261203"}));

  for (auto [name, group] : {std::pair{"A", "PAY"}, {"B", "General"}, {"C", "PAY"}}) {
    s.Jobs.emplace_back();
    s.Jobs.back().JobName = name;
    s.Jobs.back().Group = group;
  }
  EXPECT_EQ(GroupNames(s), (Names{"General", "PAY"}));
  EXPECT_EQ(JobsOfGroup(s, "PAY"), (Names{"A", "C"}));
  Names dups{"a", "a", "b", "a"};
  RemoveDups(dups);
  EXPECT_EQ(dups, (Names{"a", "b", "a"}));
}

TEST(LogViewerTest, CopiesTheChosenLinesBesideTheLog) {
  testing::TempDir dir;
  Schedule s;
  testing::ScriptedOperator op;
  s.LogFile = dir.File("run_yyyymmdd.log");
  dir.Write("run_20261204.log",
            "04 Dec 2026  06:00:00 Starting\r\n04 Dec 2026  06:00:01 A        Failed(x)\r\n");
  EXPECT_EQ(CopyLog(s, op, "run_20261204", LogSelection::Failed, {}), dir.File("run_20261204.tmp"));
  EXPECT_EQ(dir.Read("run_20261204.tmp"), "04 Dec 2026  06:00:01 A        Failed(x)\r\n");
  EXPECT_EQ(CopyLog(s, op, "run_20261130", LogSelection::All, {}), "");
  EXPECT_EQ(op.told, Names{"Error copying log: No such file or directory"});
}

}  // namespace
}  // namespace qlr
