// qlr message on a small schedule: the message files a job's end would leave.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "qlr/cli.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Args = std::vector<std::string>;

std::string JobLine(std::vector<std::pair<int, std::string>> columns) {
  std::vector<std::string> fields(50);
  for (auto& [column, value] : columns) fields[static_cast<size_t>(column - 1)] = value;
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
  return line + "\r\n";
}

// PAY: a normal message to BOSS, a critical abnormal one to OPS with a copy
// to BOSS; QUIET: no recipients; EMPTY: an empty message that is suppressed.
// clang-format off
const std::string kSchedule =
    JobLine({{1, "PAY"}, {2, "pay.sh"}, {4, "Daily"}, {9, "BOSS"},
             {22, "\"Pay done,%JOBNAME% ran %DURATION% until %CT%,,,,\""}, {35, "OPS"}, {36, "BOSS"},
             {39, "\"Pay FAILED,Error: %ERRORDESC%,,,,\""}, {41, "-1"}}) +
    JobLine({{1, "QUIET"}, {2, "quiet.sh"}, {4, "Daily"}}) +
    JobLine({{1, "EMPTY"}, {2, "empty.sh"}, {4, "Daily"}, {9, "BOSS"}, {22, "\"Nothing,,,,,\""}, {38, "-1"}});
// clang-format on

class CmdMessageTest : public ::testing::Test {
 protected:
  CmdMessageTest() {
    ini_ = dir_.Write(
        "night.ini",
        "[Quillrun]\r\nScheduleName=NIGHT\r\nScheduleFile=night.sch\r\n"
        "LogFile=night_yyyymmdd.log\r\nTriggerPath=<not specified>\r\nPubHols=<not specified>\r\n"
        "EmailAddrPath=addresses\r\nTrackerPath=<not specified>\r\n"
        "JobDocPath=<not specified>\r\nEmailPath=mail\r\n"
        "EmailAttPath=<not specified>\r\nDateDisplayFormat=0\r\n");
    dir_.Write("night.sch", kSchedule);
    dir_.Write("addresses/BOSS.adr",
               "; the boss\r\nboss-callout@example.com,Boss\r\nboss@example.com,Boss\r\n");
    dir_.Write("addresses/OPS.adr", "ops-callout@example.com,Ops\r\nops@example.com,Ops\r\n");
    std::filesystem::create_directory(dir_.File("mail"));
  }

  int Qlr(Args args) {
    out_.str("");
    err_.str("");
    args.insert(args.begin(), "qlr");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    CliEnv env{out_, err_, clock_};
    return RunQlr(static_cast<int>(argv.size()), argv.data(), env);
  }

  testing::TempDir dir_;
  testing::FakeClock clock_{MakeDateTime(2026, 12, 4, 12, 0, 0)};
  std::ostringstream out_, err_;
  std::string ini_;
};

TEST_F(CmdMessageTest, WritesTheMessageTheJobsEndWouldLeave) {
  struct Case {
    Args args;
    int status;
    std::string file;  // the ".eml" printed, "" for none
    std::string head;  // the file's lines before the trailer, or the error
  } cases[] = {
      {{"message", ini_, "pay"},
       0,
       "PAYx0000.eml",
       "TO=boss@example.com\r\nSUBJ=Pay done\r\nBODY=PAY ran 00:00:30 until 12:00:00~\r\n"},
      {{"message", ini_, "PAY", "--abnormal", "--failtext", "disk full"},
       0,
       "PAYx0001.eml",
       "TO=ops-callout@example.com\r\nCC=boss-callout@example.com\r\nSUBJ=Pay FAILED\r\n"
       "BODY=Error: disk full~\r\n"},
      {{"message", ini_, "QUIET"}, 1, "", "qlr: job QUIET has no normal message recipients\n"},
      {{"message", ini_, "QUIET", "--abnormal"},
       1,
       "",
       "qlr: job QUIET has no abnormal message recipients\n"},
      {{"message", ini_, "NOJOB"}, 1, "", "qlr: no job of that name\n"},
      {{"message", ini_, "EMPTY"},
       1,
       "",
       "qlr: no message file was written for job EMPTY (the run log tells why)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[2]);
    EXPECT_EQ(Qlr(c.args), c.status);
    if (c.file.empty()) {
      EXPECT_EQ(out_.str(), "");
      EXPECT_EQ(err_.str(), c.head);
      continue;
    }
    EXPECT_EQ(out_.str(), dir_.File("mail/" + c.file) + "\n");
    std::string text = dir_.Read("mail/" + c.file);
    EXPECT_EQ(text.substr(0, c.head.size()), c.head);
    EXPECT_NE(text.find("BODY=Job:          PAY~\r\n"), std::string::npos) << text;
  }
  EXPECT_NE(dir_.Read("night_20261204.log").find("EOJ message not generated for job EMPTY"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("mail/EMPTx0000.eml")));
}

}  // namespace
}  // namespace qlr
