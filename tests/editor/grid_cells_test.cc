#include "editor/grid_cells.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/fake_clock.h"
#include "support/scripted_operator.h"

namespace qlr {
namespace {

struct CellCase {
  const char* name;
  int column;
  std::function<void(Job&)> set;
  const char* expected;
};

Job BaseJob() {
  Job job = NewPlaceholderJob();
  job.JobName = "PAYROLL";
  job.Group = "Finance";
  return job;
}

const DateTime kSixThirty = MakeDateTime(2026, 12, 4, 6, 30, 15);
const DateTime kSevenFive = MakeDateTime(2026, 12, 4, 7, 5, 0);

const CellCase kCases[] = {
    {"name", 0, [](Job& j) { j.JobName = " PAY  "; }, "PAY"},
    {"group", 1, [](Job&) {}, "Finance"},
    {"command trimmed", 2, [](Job& j) { j.CommandLine = "  run x  "; }, "run x"},
    {"description", 3, [](Job& j) { j.Description = "Monthly pay "; }, "Monthly pay"},
    {"dos true", 4, [](Job& j) { j.IsDosProgram = true; }, "True"},
    {"dos false", 4, [](Job&) {}, "False"},
    {"submit only", 5, [](Job& j) { j.SubmitOnly = true; }, "True"},
    {"resched never", 6, [](Job&) {}, ""},
    {"resched success", 6, [](Job& j) { j.AutoReschedule = 1; }, "Success"},
    {"resched always", 6, [](Job& j) { j.AutoReschedule = 2; }, "Unconditional"},
    {"resched failure", 6, [](Job& j) { j.AutoReschedule = 3; }, "Failure"},
    {"cpu zero", 7, [](Job&) {}, ""},
    {"cpu", 7, [](Job& j) { j.CpuUsage = 25; }, "25"},
    {"stock date vars", 8, [](Job&) {}, "RUNDATE,PREVWD,NEXTWD,PREVRUN,NEXTRUN,MONTHBEG,MONTHEND"},
    {"own date vars", 8, [](Job& j) { j.DateVars = {"A,RunDate,0,dd", "", "B", "", "", "", ""}; },
     "A,,B,,,,"},
    {"early start kept whole", 9, [](Job& j) { j.EarliestStart = "6:00"; }, "6:00 "},
    {"no early start", 9, [](Job&) {}, "     "},
    {"frequency", 10, [](Job& j) { j.Frequency = " WorkDays "; }, "WorkDays"},
    {"no dependencies", 11, [](Job&) {}, ""},
    {"dependencies", 11,
     [](Job& j) {
       j.RunAfter = {"A ", "LOAD"};
       j.DepConditions = "SF";
     },
     "A(S),LOAD(F)"},
    {"trigger dependency", 12, [](Job& j) { j.WaitFile = ".. NIGHT1 "; }, "Inter(NIGHT1)"},
    {"file dependency", 12, [](Job& j) { j.WaitFile = "/data/in.csv "; }, "File(/data/in.csv)"},
    {"no wait file", 12, [](Job&) {}, ""},
    {"exclusivity", 13, [](Job& j) { j.Exclusivity = " TAPE DB "; }, "TAPE DB"},
    {"skip on", 14, [](Job& j) { j.SkipOn = "Always"; }, "Always"},
    {"defer rollover", 15, [](Job& j) { j.DeferRollover = true; }, "True"},
    {"status", 16, [](Job& j) { j.StatusText = "Wait Job (A)"; }, "Wait Job (A)"},
    {"started", 17,
     [](Job& j) {
       j.Status = JobStatus::Completed;
       j.StartedAt = kSixThirty;
     },
     "06:30"},
    {"started while scheduled", 17,
     [](Job& j) {
       j.Status = JobStatus::Scheduled;
       j.StartedAt = kSixThirty;
     },
     ""},
    {"completed", 18,
     [](Job& j) {
       j.Status = JobStatus::Failed;
       j.EndedAt = kSevenFive;
     },
     "07:05"},
    {"completed when not scheduled", 18,
     [](Job& j) {
       j.Status = JobStatus::NotScheduled;
       j.EndedAt = kSevenFive;
     },
     ""},
    {"mail to and cc", 19,
     [](Job& j) {
       j.NormalMailTo = " ops ";
       j.NormalMailCc = "boss";
     },
     "To: ops Cc: boss"},
    {"mail cc only", 19, [](Job& j) { j.NormalMailCc = "boss"; }, " Cc: boss"},
    {"no mail", 19, [](Job&) {}, ""},
    {"standard trigger", 20, [](Job& j) { j.TriggerFile = "**Standard"; }, "(Standard)"},
    {"own trigger", 20, [](Job& j) { j.TriggerFile = "/trg/pay.trg"; }, "/trg/pay.trg"},
    {"abnormal mail", 21, [](Job& j) { j.AbnormalMailTo = "oncall"; }, "To: oncall"},
    {"critical", 22, [](Job& j) { j.Critical = true; }, "True"},
    {"beyond the table", 23, [](Job&) {}, ""},
};

TEST(GridCellsTest, CellTextOfEveryColumn) {
  Schedule schedule;
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  RunLog log(schedule, clock, op);
  for (const CellCase& c : kCases) {
    Job job = BaseJob();
    c.set(job);
    EXPECT_EQ(CellText(schedule, log, job, c.column), c.expected) << c.name;
  }
}

TEST(GridCellsTest, EmptyDependencyIsFatal) {
  Schedule schedule;
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  RunLog log(schedule, clock, op);
  Job job = BaseJob();
  job.JobName = "PAY";
  job.RunAfter = {"A", "  "};
  job.DepConditions = "SS";
  EXPECT_THROW(CellText(schedule, log, job, 11), ProgramEnd);
  ASSERT_FALSE(op.told.empty());
  EXPECT_EQ(op.told.front(), "Empty RunAfter entry for job PAY     .  Critical error.");
}

}  // namespace
}  // namespace qlr
