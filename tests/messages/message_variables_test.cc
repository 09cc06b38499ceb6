#include "messages/message_variables.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

Job EndedJob() {
  Job job;
  job.JobName = "PAY";
  job.Group = "FIN";
  job.CommandLine = "pay.sh 1";
  job.Description = "Payroll %NL%run";
  job.FailText = "disk full";
  job.Critical = true;
  job.StartedAt = MakeDateTime(2026, 12, 4, 23, 30, 0);
  job.EndedAt = MakeDateTime(2026, 12, 5, 1, 10, 5);
  return job;
}

TEST(MessageVariablesTest, TokensInTheBodyOnly) {
  const Job job = EndedJob();
  struct Case {
    const char* entry;
    const char* expected;
  } cases[] = {
      {"Job %jn% ended", "Job PAY      ended"},  // the short token keeps the stored width
      {"Job %JobName% ended", "Job PAY ended"},
      {"%GN%|%GroupName%|%cr%|%Critical%", "FIN     |FIN|Yes|Yes"},
      {"%ST% to %CT% took %DU%", "23:30:00 to 01:10:05 took 01:40:05"},
      {"%ErrorDesc%, %CmdLine%", "disk full, pay.sh 1"},
      {"%JOBDESC%", "Payroll ~\r\nBODY=run"},  // a value holding %NL% breaks the line too
      {"50% done, %UNKNOWN%", "50% done, %UNKNOWN%"},
      {"no percent sign %", "no percent sign %"},
  };
  for (const auto& c : cases) {
    MessageLines lines = {"Subject %JN%", c.entry, "", "", ""};
    SubstituteMessageVariables(job, lines);
    EXPECT_EQ(lines[1], c.expected) << c.entry;
    EXPECT_EQ(lines[0], "Subject %JN%");
  }
}

TEST(MessageVariablesTest, AllExpandsOnceIntoBodyLines) {
  Job job = EndedJob();
  job.Description = "";
  job.StartedAt = MakeDateTime(2026, 12, 4, 6, 0, 0);
  job.EndedAt = MakeDateTime(2026, 12, 5, 7, 0, 0);  // 25 hours: the whole day is dropped
  MessageLines lines = {"", "%ALL%%all%", "", "", ""};
  SubstituteMessageVariables(job, lines);
  EXPECT_EQ(lines[1],
            "Job Name:        PAY     ~\r\nBODY=Group Name:      FIN     ~\r\nBODY="
            "Command Line:    pay.sh 1~\r\nBODY=Job Description: " +
                std::string(150, ' ') +
                "~\r\nBODY=Start Time:      06:00:00~\r\nBODY=Completion Time: 07:00:00~\r\nBODY="
                "Duration:        01:00:00~\r\nBODY=Error:           disk full" +
                std::string(91, ' ') + "~\r\nBODY=%all%");
}

TEST(MessageVariablesTest, ReplaceTokenResumesAfterTheValue) {
  std::string text = "%X% and %LONGX%";
  ReplaceToken(text, "%X%", "%LONGX%", " %X% ");
  EXPECT_EQ(text, " %X%  and %X%");
}

TEST(MessageVariablesTest, VarSubPutsTodayInTheFirstPair) {
  const DateTime today = MakeDateTime(2026, 12, 4, 15, 0, 0);
  EXPECT_EQ(VarSub("/out/rep_&yyyymmdd&.txt", today), "/out/rep_20261204.txt");
  EXPECT_EQ(VarSub("&dd&-&mm&", today), "04-&mm&");
  EXPECT_EQ(VarSub("a & b", today), "a & b");
}

}  // namespace
}  // namespace qlr
