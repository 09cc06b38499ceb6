#include "log/run_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using testing::FakeClock;
using testing::ScriptedOperator;
using testing::TempDir;

TEST(ExpandLogNameTest, ReplacesTokensInTheFileNameOnly) {
  const DateTime dec4 = MakeDateTime(2026, 12, 4, 6, 30, 5);
  struct Case {
    const char* spec;
    bool wildcards;
    const char* expected;
  } cases[] = {
      {"/logs/Sched_yyyymmdd.log", false, "/logs/Sched_20261204.log"},
      {"/logs/Sched_yyyymmdd.log", true, "/logs/Sched_????????.log"},
      // Each token at its first place in the text as changed so far: the
      // second "mmm" is not a month, but "mm" then finds its first two letters.
      {"/logs/mmm_dd_mmm.log", false, "/logs/Dec_04_12m.log"},
      {"/yyyy/run_dd.log", false, "/yyyy/run_04.log"},  // folders keep their name
      {"/logs/YYYY.log", false, "/logs/YYYY.log"},      // upper case is no token
      {"run_ddd_yy.log", false, "run_Fri_26.log"},
      {"plain.log", false, "plain.log"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExpandLogName(c.spec, c.wildcards, dec4), c.expected) << c.spec;
}

TEST(FormatLogLineTest, StampsPrefixesAndUntabs) {
  const DateTime t = MakeDateTime(2026, 12, 4, 6, 30, 5);
  EXPECT_EQ(FormatLogLine("Starting", t, false, "dd mmm yyyy"), "04 Dec 2026  06:30:05 Starting");
  EXPECT_EQ(FormatLogLine("PAY1\tFailed", t, true, "yyyy mmm dd"),
            "(Dummy Run) 2026 Dec 04  06:30:05 PAY1 Failed");
}

struct LogFixture : ::testing::Test {
  TempDir dir;
  Schedule schedule;
  FakeClock clock{MakeDateTime(2026, 12, 4, 6, 30, 5)};
  ScriptedOperator op;
  RunLog log{schedule, clock, op};
  std::vector<std::string> listed;

  void SetUp() override {
    schedule.LogFile = dir.File("run_yyyymmdd.log");
    log.SetListSink([this](const std::string& line) { listed.push_back(line); });
  }
};

TEST_F(LogFixture, AppendsLinesAndFeedsTheList) {
  log.LogWrite("Starting");
  log.LogAndList("JOB1\tSubmitted at 06:30:05");
  clock.Advance(86400);  // the next day's name starts a new file
  log.LogWrite("Next day");
  EXPECT_EQ(
      dir.Read("run_20261204.log"),
      "04 Dec 2026  06:30:05 Starting\r\n04 Dec 2026  06:30:05 JOB1 Submitted at 06:30:05\r\n");
  EXPECT_EQ(dir.Read("run_20261205.log"), "05 Dec 2026  06:30:05 Next day\r\n");
  EXPECT_EQ(listed, std::vector<std::string>{"JOB1\tSubmitted at 06:30:05"});
}

TEST_F(LogFixture, FatalStopAndAFailedWriteEndTheProgram) {
  EXPECT_THROW(log.FatalStop("No INI file specified"), ProgramEnd);
  EXPECT_EQ(op.told,
            (std::vector<std::string>{"No INI file specified", "QLR999 Quillrun closing down"}));
  EXPECT_EQ(dir.Read("run_20261204.log"),
            "04 Dec 2026  06:30:05 No INI file specified\r\n"
            "04 Dec 2026  06:30:05 QLR999 Quillrun closing down\r\n");
  op.told.clear();
  schedule.LogFile = dir.File("missing/run.log");
  EXPECT_THROW(log.LogWrite("x"), ProgramEnd);
  EXPECT_EQ(op.told, std::vector<std::string>{"Quillruun Cannot write to file " +
                                              dir.File("missing/run.log")});
  schedule.LogFile.clear();  // without a log, writing ends the program and a fatal stop only tells
  EXPECT_THROW(log.LogWrite("x"), ProgramEnd);
  op.told.clear();
  EXPECT_THROW(log.FatalStop("x"), ProgramEnd);
  EXPECT_EQ(op.told.size(), 2u);
}

TEST_F(LogFixture, WriteFileReplacesOrLogsTheFailure) {
  EXPECT_TRUE(log.WriteFile(dir.File("JOB.trk"), "Started,DEMO"));
  EXPECT_TRUE(log.WriteFile(dir.File("JOB.trk"), "Completed,DEMO"));
  EXPECT_EQ(dir.Read("JOB.trk"), "Completed,DEMO\r\n");
  EXPECT_FALSE(log.WriteFile(dir.File("no/such/JOB.trk"), "x"));
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].rfind("Cannot write to file " + dir.File("no/such/JOB.trk") + "\r\n\r\n", 0),
            0u);
}

TEST_F(LogFixture, DelOldLogsRemovesViewerCopiesOlderThanADay) {
  auto age = [&](const std::string& name, int days) {
    std::string path = dir.Write(name, "x");
    utimbuf times{};
    times.actime = times.modtime = ToTimeT(clock.Now()) - days * 86400;
    utime(path.c_str(), &times);
  };
  age("run_20261201.tmp", 3);
  age("run_20261203.tmp", 1);
  age("run_20261130.log", 4);
  log.DelOldLogs();
  EXPECT_FALSE(dir.Read("run_20261130.log").empty());
  EXPECT_FALSE(dir.Read("run_20261203.tmp").empty());
  EXPECT_TRUE(dir.Read("run_20261201.tmp").empty());
}

}  // namespace
}  // namespace qlr
