#include "model/schedule.h"

#include <gtest/gtest.h>

#include "model/constants.h"

namespace qlr {
namespace {

TEST(FixedTextTest, CutsOnAssignmentAndTrimsOnReading) {
  FixedText<8> name = "PAYROLL99";
  EXPECT_EQ(name.Trimmed(), "PAYROLL9");
  name = "AB  ";
  EXPECT_EQ(name.Trimmed(), "AB");
  EXPECT_EQ(name.Padded(), "AB      ");
  EXPECT_TRUE(FixedText<5>("   ").IsBlank());
}

TEST(ScheduleTest, FindsJobsByTrimmedNameIgnoringCase) {
  Schedule s;
  for (const char* n : {"JOBA", "jobb ", "JOBA"}) {
    s.Jobs.emplace_back();
    s.Jobs.back().JobName = n;
  }
  EXPECT_EQ(s.JobCount(), 3);
  EXPECT_EQ(s.FindJob(" joba"), 1);  // the first of two
  EXPECT_EQ(s.FindJob("JOBB"), 2);
  EXPECT_EQ(s.FindJob("JOBC"), 0);
  s.ClearJobs();
  EXPECT_EQ(s.JobCount(), 0);
}

TEST(JobTest, PlaceholderAndStatusTexts) {
  Job j = NewPlaceholderJob();
  EXPECT_EQ(j.JobName.Trimmed(), "Dummy");
  EXPECT_EQ(j.Group.Trimmed(), "Dummy");
  EXPECT_EQ(j.Frequency, "WorkDays");
  EXPECT_EQ(j.DateVars[0], kStockDateVars[0]);
  EXPECT_EQ(StatusText(JobStatus::Failed), "Aborted");
  EXPECT_EQ(StatusText(JobStatus::EndForced), "End Forced");
  EXPECT_EQ(StatusText(JobStatus::SubmitFailed), "");
}

}  // namespace
}  // namespace qlr
