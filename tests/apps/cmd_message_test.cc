// qlr message on a small schedule: the message files a job's end would leave.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_system.h"
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
  const std::tuple<Args, std::string, std::string> cases[] = {
      {{"message", ini_, "pay"},
       "PAYx0000.eml",
       "TO=boss@example.com\r\nSUBJ=Pay done\r\nBODY=PAY ran 00:00:30 until 12:00:00~\r\n"},
      {{"message", ini_, "PAY", "--abnormal", "--failtext", "disk full"},
       "PAYx0001.eml",
       "TO=ops-callout@example.com\r\nCC=boss-callout@example.com\r\nSUBJ=Pay FAILED\r\n"
       "BODY=Error: disk full~\r\n"},
      {{"message", ini_, "QUIET", "--abnormal"},
       "",
       "qlr: job QUIET has no abnormal message recipients\n"},
      {{"message", ini_, "EMPTY"},
       "",
       "qlr: no message file was written for job EMPTY (the run log tells why)\n"},
  };
  for (const auto& [args, file, head] : cases) {
    EXPECT_EQ(Qlr(args), file.empty() ? 1 : 0) << args[2];
    if (file.empty()) {
      EXPECT_EQ(err_.str(), head);
      continue;
    }
    EXPECT_EQ(out_.str(), dir_.File("mail/" + file) + "\n");
    EXPECT_EQ(dir_.Read("mail/" + file).substr(0, head.size()), head);
  }
  EXPECT_EQ(ListMatching(dir_.File("mail/*")).size(), 2u);
}

}  // namespace
}  // namespace qlr
