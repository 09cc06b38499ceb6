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

// The job table's long fields and lists keep their text off the record;
// copies must not share it, and empty ones must equal fresh ones.
TEST(FixedTextTest, LongFieldsAndListsCopyTheirText) {
  FixedText<100> path = "/data/in.csv", copy = path;
  path = "/data/out.csv";
  EXPECT_EQ(copy.Trimmed(), "/data/in.csv");
  EXPECT_EQ(FixedText<100>(std::string(120, 'x')).Trimmed().size(), 100u);
  EXPECT_EQ(FixedText<100>(""), FixedText<100>());

  TextList<3> list = {"subject", "", "body"}, copied = list;
  list.Set(0, "other");
  list.Replace('o', '0');
  EXPECT_EQ(copied.ToArray(), (std::array<std::string, 3>{"subject", "", "body"}));
  EXPECT_EQ(list.ToArray(), (std::array<std::string, 3>{"0ther", "", "b0dy"}));
  EXPECT_EQ((TextList<3>{"", "", ""}), TextList<3>());
  EXPECT_NE((TextList<3>{"ab", "", ""}), (TextList<3>{"a", "b", ""}));
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
