// End-to-end runs of qlr's subcommands on a small schedule in a fresh folder.

#include <filesystem>

#include "apps/qlr_fixture.h"
#include "base/version.h"
#include "platform/file_system.h"
#include "qlr/console_operator.h"

namespace qlr {
namespace {

using testing::Args;
using testing::JobLine;

// EXTRACT (working days, standard trigger) <- LOAD (daily, waits for another
// schedule's trigger) <- REPORT (Saturdays, waits for a file).
// clang-format off
const std::string kSchedule =
    JobLine({{1, "EXTRACT"}, {2, "extract.sh &RUNDATE&"}, {4, "WorkDays"}, {30, "LOAD"},
             {31, "**Standard"}, {33, "Nightly extract \xE9t\xE9"}}) +
    JobLine({{1, "LOAD"}, {2, "load.sh"}, {4, "Daily"}, {7, "\"EXTRACT,\""}, {23, "..OTHER"},
             {30, "LOAD"}, {45, "S"}}) +
    JobLine({{1, "REPORT"}, {2, "report.sh"}, {4, "Sat"}, {7, "\"LOAD,\""}, {23, "/data/in.csv"},
             {30, "REP"}, {45, "U"}});
// clang-format on

class QlrTest : public testing::QlrFixture {
 protected:
  QlrTest() {
    ini_ = dir_.Write(
        "night.ini",
        "[Quillrun]\r\nScheduleName=NIGHT\r\nScheduleFile=night.sch\r\nDayStart=06:00\r\n"
        "LogFile=night_yyyymmdd.log\r\nTriggerPath=triggers\r\nPubHols=holidays.txt\r\n"
        "EmailAddrPath=addresses\r\nTrackerPath=<not specified>\r\n"
        "JobDocPath=<not specified>\r\nEmailPath=mail\r\n"
        "EmailAttPath=<not specified>\r\nDateDisplayFormat=0\r\n");
    dir_.Write("holidays.txt", "; public holidays\r\n25 Dec 2026\r\n28 Dec 2026\r\n1 Jan 2028\r\n");
    dir_.Write("triggers/Triggers.Lst", "PAY (DAY)\r\n");
    dir_.Write("night.sch", kSchedule);
  }
};

TEST(ConsoleOperatorTest, AnswersThatChangeNothingUnlessYesAndRetriesThreeTimes) {
  using enum Answer;
  const std::tuple<Buttons, Answer, Answer> cases[] = {// without and with --yes
                                                       {Buttons::Ok, Ok, Ok},
                                                       {Buttons::YesNo, No, Yes},
                                                       {Buttons::YesNoCancel, No, Yes},
                                                       {Buttons::OkCancel, Cancel, Ok},
                                                       {Buttons::RetryCancel, Cancel, Retry}};
  for (auto [buttons, without_yes, with_yes] : cases)
    for (bool yes : {false, true}) {
      std::ostringstream err;
      const Answer answer = yes ? with_yes : without_yes;
      EXPECT_EQ(ConsoleOperator(err, yes).Ask("Go on?", buttons), answer) << err.str();
      EXPECT_EQ(err.str(), std::string("qlr: Go on? -> ") + AnswerName(answer) + "\n");
    }
  std::ostringstream err;
  ConsoleOperator op(err, true);
  for (Answer next : {Retry, Retry, Retry, Cancel, Retry})
    EXPECT_EQ(op.Ask("Retry?", Buttons::RetryCancel), next);  // three retries in a row at most
  op.Tell("Caf\xE9\r\n\r\nclosed");
  EXPECT_NE(err.str().find("qlr: Caf\xC3\xA9\n\nclosed\n"), std::string::npos);
  EXPECT_EQ(op.Input("Name?"), std::nullopt);
}

TEST_F(QlrTest, ShowPrintsTheGridForTheRunDate) {
  const std::pair<Args, std::string> cases[] = {
      {{"show", ini_},  // default columns on the offered date (Friday)
       "Job Name\tGroup\tFrequency\tDependencies\tInter/Ext Dependency\tStatus\n"
       "EXTRACT\tLOAD\tWorkDays\t\t\tScheduled\n"
       "LOAD\tLOAD\tDaily\tEXTRACT(S)\tInter(OTHER)\tScheduled\n"
       "REPORT\tREP\tSat\tLOAD(U)\tFile(/data/in.csv)\tNot Scheduled\n"},
      {{"show", ini_, "--date", "5 Dec 2026", "--columns", "0, 3,16"},  // UTF-8 out
       "Job Name\tJob Description\tStatus\nEXTRACT\tNightly extract \xC3\xA9t\xC3\xA9\tNot "
       "Scheduled\nLOAD\t\tScheduled\nREPORT\t\tScheduled\n"},
      {{"show", ini_, "--columns", "0,11,22", "--json"},  // keyed by heading
       "[\n  {\n    \"Job Name\": \"EXTRACT\",\n    \"Dependencies\": \"\",\n    \"Critical\": "
       "\"False\"\n  },\n  {\n    \"Job Name\": \"LOAD\",\n    \"Dependencies\": \"EXTRACT(S)\",\n"
       "    \"Critical\": \"False\"\n  },\n  {\n    \"Job Name\": \"REPORT\",\n    \"Dependencies"
       "\": \"LOAD(U)\",\n    \"Critical\": \"False\"\n  }\n]\n"},
  };
  for (const auto& [args, expected] : cases) {
    EXPECT_EQ(Qlr(args), 0) << err_.str();
    EXPECT_EQ(out_.str(), expected) << args.size();
  }
  EXPECT_EQ(Qlr({"show", ini_, "--columns", "all"}), 0);
  EXPECT_TRUE(out_.str().starts_with("Job Name\tGroup\tCommand Line\tJob Description\t"));
  EXPECT_NE(out_.str().find("\tTrigger Creation\tAb EOJ Email To\tCritical\n"), std::string::npos);
}

// Faults of the reader come last, and make the status 1.
TEST_F(QlrTest, CheckReportsLoopsAndOtherFaults) {
  // clang-format off
  const std::tuple<std::string, int, std::string> cases[] = {
      {kSchedule, 0, ""},
      {JobLine({{1, "A"}, {7, "\"B,\""}, {45, "S"}}) +
           JobLine({{1, "B"}, {7, "\"A,\""}, {45, "S"}}),
       1, "Circular job dependencies exist.  See log for details\n"
          "04 Dec 2026  12:00:00 Circular dependencies involving jobs A and B\n"},
      {JobLine({{1, "C"}, {7, "\"NOPE,dup,\""}, {45, "SS"}}) + JobLine({{1, "DUP"}}) +
           JobLine({{1, ".."}}) + JobLine({{1, "Dup"}, {5, "A B C D E F G H I J K"}}) +
           JobLine({{1, "a/b"}}),
       0, "Job C depends on job NOPE, which does not exist\n"
          "Job name .. cannot be used as a file name\n"
          "Duplicate job name Dup (jobs 2 and 4)\n"
          "Job Dup has 11 exclusivity names; only the first 10 are used\n"
          "Job name a/b cannot be used as a file name\n"},
      {JobLine({{1, "C"}, {7, "\"D,\""}, {40, "many"}}) + JobLine({{1, "D"}}), 1,
       dir_.File("night.sch") + ", line 1, column 40 (CpuUsage): \"many\" is not a number\n" +
           dir_.File("night.sch") + ", line 1, column 45 (DepConditions): no condition letter "
           "for D: the job waits for it only while it runs or has not started\n"}};
  // clang-format on
  for (const auto& [schedule, status, expected] : cases) {
    dir_.Write("night.sch", schedule);
    EXPECT_EQ(Qlr({"check", ini_}), status) << expected;
    EXPECT_EQ(out_.str(), expected) << err_.str();
  }
}

// The options that choose the date and calendar; the values are the calendar tests'.
TEST_F(QlrTest, EvaluatesTermsFrequenciesAndDateVariables) {
  const std::pair<Args, std::string> cases[] = {
      {{"terms", "2026-12-04", "--ini", ini_},  // counting the INI's holidays (-20WDOM without)
       "-28CDOM,+4CDOM,-18WDOM,+4WDOM,-4Fri,+1Fri,Daily,Fri,04 Dec 2026,"},
      {{"try", "Sat", "--from", "1 Dec 2026", "--skip", "5 Dec 2026"},
       "Saturday 05 Dec 2026 (Skipped)\nSaturday 12 Dec 2026\n"},
      {{"try", "Mon", "--ini", ini_},  // from the offered run date
       "Monday 07 Dec 2026\nMonday 14 Dec 2026\nMonday 21 Dec 2026\nMonday 28 Dec 2026\n"},
      {{"subst", ini_, "extract"}, "extract.sh 20261204\n"},
      {{"subst", ini_, "EXTRACT", "--date", "7 Dec 2026", "--text", "x &PREVWD& &nextwd&"},
       "x 20261204 20261208\n"},
  };
  for (const auto& [args, expected_start] : cases) {
    EXPECT_EQ(Qlr(args), 0) << args[1] << err_.str();
    EXPECT_TRUE(out_.str().starts_with(expected_start)) << args[1] << "\n" << out_.str();
  }
}

TEST_F(QlrTest, ResetDeletesTheTriggerFilesTheFlagsName) {
  dir_.Write("night.sch", JobLine({{1, "EXTRACT"}, {31, "**Standard"}}) +
                              JobLine({{1, "LOAD"}, {31, dir_.File("load.trg")}}));
  for (auto [standard, other] : {std::pair{true, false}, {false, true}}) {
    const std::string standard_file = dir_.Write("triggers/EXTRACT.trg", "done\r\n");
    const std::string other_file = dir_.Write("load.trg", "done\r\n");
    Args args = {"reset", ini_};
    if (standard) args.push_back("--standard-triggers");
    if (other) args.push_back("--other-triggers");
    EXPECT_EQ(Qlr(args), 0) << err_.str();
    EXPECT_EQ(std::filesystem::exists(standard_file), !standard);
    EXPECT_EQ(std::filesystem::exists(other_file), !other);
    EXPECT_EQ(out_.str(), standard ? "The run state of 2 job(s) was cleared.\n"
                                     "1 standard trigger file(s) deleted.\n"
                                   : "The run state of 2 job(s) was cleared.\n"
                                     "1 other trigger file(s) deleted.\n");
  }
}

TEST_F(QlrTest, CommandLineStatuses) {
  const std::string missing = dir_.File("none.ini");
  // clang-format off
  const std::tuple<Args, int, std::string, std::string> cases[] = {
      {{"--version"}, 0, VersionLine("qlr") + "\n", ""},
      {{"show", ini_, "--date", "31/31/2026"}, 1, "", "qlr: --date: not a date"},
      {{"show", ini_, "--columns", "0,23"}, 1, "", "qlr: --columns: not a column"},
      {{"try", "Daily", "--from", "soon"}, 1, "", "qlr: --from: not a date: soon"},
      {{}, 1, "", ""},
      {{"subst", ini_, "NOJOB"}, 1, "", "qlr: no job named NOJOB"},
      {{"check", missing}, 2, "",  // a fatal stop
       "qlr: Cannot find INI file: " + missing + "\nqlr: QLR999 Quillrun closing down\n"},
      {{"rewrite", ini_, "--yes"}, 0, "", ""}};  // --yes after the subcommand
  // clang-format on
  for (const auto& [args, status, out_start, err_part] : cases) {
    EXPECT_EQ(Qlr(args), status) << err_.str();
    EXPECT_TRUE(out_.str().starts_with(out_start)) << out_.str();
    EXPECT_NE(err_.str().find(err_part), std::string::npos) << err_.str();
  }
  EXPECT_EQ(dir_.Read("night.bak"), kSchedule);  // the rewrite ran: it keeps a backup
}

TEST_F(QlrTest, LogsAndFilteredCopies) {
  dir_.Write("night_20261203.log",
             "03 Dec 2026  06:00:00 Starting\r\n03 Dec 2026  06:00:01 LOAD     Failed(x)\r\n"
             "03 Dec 2026  06:00:02 EXTRACT  Completed at 06:00:02 (Duration 00:00:01)\r\n");
  dir_.Write("night_20261204.log", "04 Dec 2026  06:00:00 Starting\r\n");
  EXPECT_EQ(Qlr({"logs", ini_}), 0);
  EXPECT_EQ(out_.str(), "night_20261203\nnight_20261204\n");
  const std::tuple<Args, std::string> cases[] = {
      {{"log", ini_}, "04 Dec 2026  06:00:00 Starting\r\n"},  // the newest, whole
      {{"log", ini_, "--name", "night_20261203", "--failed"},
       "03 Dec 2026  06:00:01 LOAD     Failed(x)\r\n"},
      {{"log", ini_, "--name", "night_20261203", "--group", "LOAD"},  // EXTRACT and LOAD
       "03 Dec 2026  06:00:01 LOAD     Failed(x)\r\n"
       "03 Dec 2026  06:00:02 EXTRACT  Completed at 06:00:02 (Duration 00:00:01)\r\n"},
      {{"log", ini_, "--name", "night_20261203", "--job", "extract"},
       "03 Dec 2026  06:00:02 EXTRACT  Completed at 06:00:02 (Duration 00:00:01)\r\n"}};
  for (const auto& [args, copied] : cases) {
    EXPECT_EQ(Qlr(args), 0) << err_.str();
    std::string copy = out_.str().substr(0, out_.str().size() - 1);
    EXPECT_EQ(dir_.Read(std::filesystem::path(copy).filename().string()), copied);
  }
  EXPECT_EQ(Qlr({"log", ini_, "--failed", "--job", "A"}), 1);
}

// PAY: both messages to BOSS; QUIET: no recipients; EMPTY: an empty message that is suppressed.
TEST_F(QlrTest, MessageWritesWhatTheJobsEndWouldLeave) {
  const std::string done = "\"Done,%JOBNAME% ran %DURATION% until %CT%,,,,\"",
                    failed = "\"FAILED,Error: %ERRORDESC%,,,,\"";
  dir_.Write("night.sch",
             JobLine({{1, "PAY"}, {9, "BOSS"}, {22, done}, {35, "BOSS"}, {39, failed}}) +
                 JobLine({{1, "QUIET"}}) +
                 JobLine({{1, "EMPTY"}, {9, "BOSS"}, {22, "\"None,,,,,\""}, {38, "-1"}}));
  dir_.Write("addresses/BOSS.adr", "boss-callout@example.com,Boss\r\nboss@example.com,Boss\r\n");
  std::filesystem::create_directory(dir_.File("mail"));
  // clang-format off
  const std::tuple<Args, std::string, std::string> cases[] = {  // args, file written, its start
      {{"message", ini_, "pay"}, "PAYx0000.eml",
       "TO=boss@example.com\r\nSUBJ=Done\r\nBODY=PAY ran 00:00:30 until 12:00:00~\r\n"},
      {{"message", ini_, "PAY", "--abnormal", "--failtext", "disk full"}, "PAYx0001.eml",
       "TO=boss@example.com\r\nSUBJ=FAILED\r\nBODY=Error: disk full~\r\n"},
      {{"message", ini_, "QUIET", "--abnormal"}, "",
       "qlr: job QUIET has no abnormal message recipients\n"},
      {{"message", ini_, "EMPTY"}, "",
       "qlr: no message file was written for job EMPTY (the run log tells why)\n"}};
  // clang-format on
  for (const auto& [args, file, head] : cases) {
    EXPECT_EQ(Qlr(args), file.empty() ? 1 : 0) << args[2];
    EXPECT_EQ(out_.str(), file.empty() ? "" : dir_.File("mail/" + file) + "\n");
    EXPECT_EQ(file.empty() ? err_.str() : dir_.Read("mail/" + file).substr(0, head.size()), head);
  }
  EXPECT_EQ(ListMatching(dir_.File("mail/*")).size(), 2u);
}

}  // namespace
}  // namespace qlr
