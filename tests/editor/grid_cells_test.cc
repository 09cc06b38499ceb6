#include "editor/grid_cells.h"

#include <gtest/gtest.h>

#include <functional>

#include "editor/grid_columns.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"

namespace qlr {
namespace {

struct GridCellsTest : ::testing::Test {
  Schedule schedule;
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  RunLog log{schedule, clock, op};
  Job plain = NewPlaceholderJob(), full = NewPlaceholderJob();

  void SetUp() override {
    plain.JobName = "PAYROLL";
    plain.Group = full.Group = "Finance";
    full.JobName = " PAY  ";
    full.CommandLine = "  run x  ";
    full.Description = "Monthly pay ";
    full.IsDosProgram = full.SubmitOnly = full.DeferRollover = full.Critical = true;
    full.AutoReschedule = 2;
    full.CpuUsage = 25;
    full.DateVars = {"A,RunDate,0,dd", "", "B", "", "", "", ""};
    full.EarliestStart = "6:00";
    full.Frequency = " Mon ";
    full.RunAfter = {"A ", "LOAD"};
    full.DepConditions = "SF";
    full.WaitFile = ".. NIGHT1 ";
    full.Exclusivity = " TAPE DB ";
    full.SkipOn = "Always";
    full.StatusText = "Wait Job (A)";
    full.Status = JobStatus::Failed;
    full.StartedAt = MakeDateTime(2026, 12, 4, 6, 30, 15);
    full.EndedAt = MakeDateTime(2026, 12, 4, 7, 5, 0);
    full.NormalMailTo = " ops ";
    full.NormalMailCc = "boss";
    full.TriggerFile = "**Standard";
    full.AbnormalMailTo = "oncall";
  }
};

// Every column (and one beyond) of a placeholder job and of one with every field set.
TEST_F(GridCellsTest, CellTextOfEveryColumn) {
  std::string plain_cells, full_cells;
  for (int column = 0; column <= kGridColumnCount; ++column) {
    plain_cells += CellText(schedule, log, plain, column) + "|";
    full_cells += CellText(schedule, log, full, column) + "|";
  }
  EXPECT_EQ(plain_cells,
            "PAYROLL|Finance|||False|False|||RUNDATE,PREVWD,NEXTWD,PREVRUN,NEXTRUN,MONTHBEG,"
            "MONTHEND|     |WorkDays|||||False|||||||False||");
  EXPECT_EQ(full_cells,
            "PAY|Finance|run x|Monthly pay|True|True|Unconditional|25|A,,B,,,,|6:00 |Mon|"
            "A(S),LOAD(F)|Inter(NIGHT1)|TAPE DB|Always|True|Wait Job (A)|06:30|07:05|"
            "To: ops Cc: boss|(Standard)|To: oncall|True||");
}

// The full job with one field changed.
TEST_F(GridCellsTest, CellTextOfVariants) {
  const struct {
    int column;
    std::function<void(Job&)> change;
    const char* expected;
  } cases[] = {
      {6, [](Job& j) { j.AutoReschedule = 1; }, "Success"},
      {6, [](Job& j) { j.AutoReschedule = 3; }, "Failure"},
      {12, [](Job& j) { j.WaitFile = "/data/in.csv "; }, "File(/data/in.csv)"},
      {17, [](Job& j) { j.Status = JobStatus::Scheduled; }, ""},  // not run today
      {18, [](Job& j) { j.Status = JobStatus::NotScheduled; }, ""},
      {18, [](Job& j) { j.Status = JobStatus::Completed; }, "07:05"},
      {19, [](Job& j) { j.NormalMailTo = ""; }, " Cc: boss"},
      {20, [](Job& j) { j.TriggerFile = "/trg/pay.trg"; }, "/trg/pay.trg"},
  };
  for (const auto& c : cases) {
    Job job = full;
    c.change(job);
    EXPECT_EQ(CellText(schedule, log, job, c.column), c.expected) << c.expected;
  }
}

TEST_F(GridCellsTest, EmptyDependencyIsFatal) {
  full.JobName = "PAY";
  full.RunAfter = {"A", "  "};
  EXPECT_THROW(CellText(schedule, log, full, 11), ProgramEnd);
  ASSERT_FALSE(op.told.empty());
  EXPECT_EQ(op.told.front(), "Empty RunAfter entry for job PAY     .  Critical error.");
}

}  // namespace
}  // namespace qlr
