// End-to-end runs of qlr's subcommands on a small schedule in a fresh folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "base/version.h"
#include "qlr/cli.h"
#include "qlr/commands.h"
#include "qlr/console_operator.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

// One schedule-file line: 50 tab-separated columns, the given ones filled.
std::string JobLine(std::vector<std::pair<int, std::string>> columns) {
  std::vector<std::string> fields(50);
  for (auto& [column, value] : columns) fields[static_cast<size_t>(column - 1)] = value;
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
  return line + "\r\n";
}

// EXTRACT (working days, standard trigger) <- LOAD (daily, waits for another
// schedule's trigger) <- REPORT (Saturdays, waits for a file).
const std::string kSchedule = JobLine({{1, "EXTRACT"},
                                       {2, "extract.sh &RUNDATE&"},
                                       {4, "WorkDays"},
                                       {30, "LOAD"},
                                       {31, "**Standard"},
                                       {33, "Nightly extract \xE9t\xE9"}}) +
                              JobLine({{1, "LOAD"},
                                       {2, "load.sh"},
                                       {4, "Daily"},
                                       {7, "\"EXTRACT,\""},
                                       {23, "..OTHER"},
                                       {30, "LOAD"},
                                       {45, "S"}}) +
                              JobLine({{1, "REPORT"},
                                       {2, "report.sh"},
                                       {4, "Sat"},
                                       {7, "\"LOAD,\""},
                                       {23, "/data/in.csv"},
                                       {30, "REP"},
                                       {45, "U"}});

class QlrTest : public ::testing::Test {
 protected:
  QlrTest() {
    ini_ = dir_.Write("night.ini",
                      "[Quillrun]\r\nScheduleName=NIGHT\r\nScheduleFile=night.sch\r\n"
                      "LogFile=night_yyyymmdd.log\r\nEmailAddrPath=<not specified>\r\n"
                      "TriggerPath=triggers\r\nTrackerPath=<not specified>\r\n"
                      "JobDocPath=<not specified>\r\nEmailPath=<not specified>\r\n"
                      "EmailAttPath=<not specified>\r\nPubHols=holidays.txt\r\n"
                      "DateDisplayFormat=0\r\nDayStart=06:00\r\n");
    dir_.Write("holidays.txt", "; public holidays\r\n25 Dec 2026\r\n28 Dec 2026\r\n1 Jan 2028\r\n");
    dir_.Write("triggers/Triggers.Lst", "PAY (DAY)\r\n");
    WriteSchedule(kSchedule);
  }

  void WriteSchedule(const std::string& text) { dir_.Write("night.sch", text); }

  int Run(const std::function<int(CliEnv&)>& command) {
    out_.str("");
    err_.str("");
    CliEnv env{out_, err_, clock_};
    return command(env);
  }

  int RunArgs(std::vector<std::string> args) {
    args.insert(args.begin(), "qlr");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    return Run(
        [&](CliEnv& env) { return RunQlr(static_cast<int>(argv.size()), argv.data(), env); });
  }

  testing::TempDir dir_;
  testing::FakeClock clock_{MakeDateTime(2026, 12, 4, 12, 0, 0)};  // a Friday
  std::ostringstream out_, err_;
  std::string ini_;
};

TEST(ConsoleOperatorTest, AnswersThatChangeNothingUnlessYes) {
  struct {
    Buttons buttons;
    bool yes;
    Answer answer;
  } cases[] = {
      {Buttons::Ok, false, Answer::Ok},
      {Buttons::YesNo, false, Answer::No},
      {Buttons::YesNoCancel, false, Answer::No},
      {Buttons::OkCancel, false, Answer::Cancel},
      {Buttons::RetryCancel, false, Answer::Cancel},
      {Buttons::YesNo, true, Answer::Yes},
      {Buttons::YesNoCancel, true, Answer::Yes},
      {Buttons::OkCancel, true, Answer::Ok},
      {Buttons::RetryCancel, true, Answer::Retry},
  };
  for (const auto& c : cases) {
    std::ostringstream err;
    ConsoleOperator op(err, c.yes);
    EXPECT_EQ(op.Ask("Go on?", c.buttons), c.answer) << err.str();
    EXPECT_EQ(err.str(), std::string("qlr: Go on? -> ") + AnswerName(c.answer) + "\n");
  }
}

TEST(ConsoleOperatorTest, RetriesThreeTimesInARowThenCancels) {
  std::ostringstream err;
  ConsoleOperator op(err, true);
  std::vector<Answer> answers;
  for (int i = 0; i < 5; ++i) answers.push_back(op.Ask("Retry?", Buttons::RetryCancel));
  EXPECT_EQ(answers, (std::vector<Answer>{Answer::Retry, Answer::Retry, Answer::Retry,
                                          Answer::Cancel, Answer::Retry}));
  op.Tell("Caf\xE9\r\n\r\nclosed");
  EXPECT_NE(err.str().find("qlr: Caf\xC3\xA9\n\nclosed\n"), std::string::npos);
  EXPECT_EQ(op.Input("Name?"), std::nullopt);
}

TEST_F(QlrTest, ShowPrintsTheGridForTheRunDate) {
  struct {
    const char* name;
    ShowOptions options;
    std::string expected;
  } cases[] = {
      {"default columns on the offered date (Friday)",
       {},
       "Job Name\tGroup\tFrequency\tDependencies\tInter/Ext Dependency\tStatus\n"
       "EXTRACT\tLOAD\tWorkDays\t\t\tScheduled\n"
       "LOAD\tLOAD\tDaily\tEXTRACT(S)\tInter(OTHER)\tScheduled\n"
       "REPORT\tREP\tSat\tLOAD(U)\tFile(/data/in.csv)\tNot Scheduled\n"},
      {"a Saturday",
       {.date = "5 Dec 2026", .columns = "0,16"},
       "Job Name\tStatus\nEXTRACT\tNot Scheduled\nLOAD\tScheduled\nREPORT\tScheduled\n"},
      {"chosen columns, UTF-8 out",
       {.date = "2026-12-04", .columns = "0, 3,20,4"},
       "Job Name\tJob Description\tTrigger Creation\tDOS/CP Prog\n"
       "EXTRACT\tNightly extract \xC3\xA9t\xC3\xA9\t(Standard)\tFalse\n"
       "LOAD\t\t\tFalse\nREPORT\t\t\tFalse\n"},
  };
  for (auto& c : cases) {
    c.options.ini = ini_;
    EXPECT_EQ(Run([&](CliEnv& env) { return CmdShow(env, c.options); }), 0) << c.name;
    EXPECT_EQ(out_.str(), c.expected) << c.name << err_.str();
  }
  ShowOptions all{.ini = ini_, .columns = "all"};
  EXPECT_EQ(Run([&](CliEnv& env) { return CmdShow(env, all); }), 0);
  EXPECT_TRUE(out_.str().starts_with("Job Name\tGroup\tCommand Line\tJob Description\t"));
  EXPECT_NE(out_.str().find("\tCompleted\tEOJ Email To\tTrigger Creation\tAb EOJ Email To\t"
                            "Critical\n"),
            std::string::npos);
}

TEST_F(QlrTest, ShowAsJsonKeysCellsByHeading) {
  ShowOptions options{.ini = ini_, .columns = "0,11,22", .json = true};
  EXPECT_EQ(Run([&](CliEnv& env) { return CmdShow(env, options); }), 0);
  EXPECT_EQ(out_.str(),
            "[\n"
            "  {\n    \"Job Name\": \"EXTRACT\",\n    \"Dependencies\": \"\",\n"
            "    \"Critical\": \"False\"\n  },\n"
            "  {\n    \"Job Name\": \"LOAD\",\n    \"Dependencies\": \"EXTRACT(S)\",\n"
            "    \"Critical\": \"False\"\n  },\n"
            "  {\n    \"Job Name\": \"REPORT\",\n    \"Dependencies\": \"LOAD(U)\",\n"
            "    \"Critical\": \"False\"\n  }\n"
            "]\n");
}

TEST_F(QlrTest, CheckReportsLoopsAndOtherFaults) {
  const std::string eleven = "A B C D E F G H I J K";
  struct {
    const char* name;
    std::string schedule;
    int status;
    std::string expected;
  } cases[] = {
      {"sound schedule", kSchedule, 0, ""},
      {"loop",
       JobLine({{1, "A"}, {7, "\"B,\""}, {45, "S"}}) +
           JobLine({{1, "B"}, {7, "\"A,\""}, {45, "S"}}),
       1,
       "Circular job dependencies exist.  See log for details\n"
       "04 Dec 2026  12:00:00 Circular dependencies involving jobs A and B\n"},
      {"faults without a loop",
       JobLine({{1, "C"}, {7, "\"NOPE,dup,\""}, {45, "SS"}}) + JobLine({{1, "DUP"}}) +
           JobLine({{1, "Dup"}, {5, eleven}}) + JobLine({{1, "a/b"}}) + JobLine({{1, ".."}}),
       0,
       "Job C depends on job NOPE, which does not exist\n"
       "Duplicate job name Dup (jobs 2 and 3)\n"
       "Job Dup has 11 exclusivity names; only the first 10 are used\n"
       "Job name a/b cannot be used as a file name\n"
       "Job name .. cannot be used as a file name\n"},
  };
  for (const auto& c : cases) {
    WriteSchedule(c.schedule);
    EXPECT_EQ(Run([&](CliEnv& env) { return CmdCheck(env, ini_); }), c.status) << c.name;
    EXPECT_EQ(out_.str(), c.expected) << c.name << err_.str();
  }
}

TEST_F(QlrTest, EvaluatesTermsFrequenciesAndDateVariables) {
  struct {
    const char* name;
    std::function<int(CliEnv&)> command;
    std::string expected_start;
  } cases[] = {
      {"terms with the built-in calendar",
       [](CliEnv& env) { return CmdTerms(env, {.date = "4 Dec 2026"}); },
       "-28CDOM,+4CDOM,-20WDOM,+4WDOM,-4Fri,+1Fri,Daily,Fri,04 Dec 2026,"},
      {"terms counting the INI's holidays",
       [this](CliEnv& env) { return CmdTerms(env, {.date = "2026-12-04", .ini = ini_}); },
       "-28CDOM,+4CDOM,-18WDOM,+4WDOM,-4Fri,+1Fri,Daily,Fri,04 Dec 2026,"},
      {"terms on the INI's holiday",
       [this](CliEnv& env) { return CmdTerms(env, {.date = "28/12/2026", .ini = ini_}); },
       "-4CDOM,+28CDOM,,,-1Mon,+4Mon,Daily,Mon,28 Dec 2026,"},
      {"try from a date",
       [](CliEnv& env) { return CmdTry(env, {.frequency = "Sat", .from = "1 Dec 2026"}); },
       "Saturday 05 Dec 2026\nSaturday 12 Dec 2026\n"},
      {"try skipping the first",
       [](CliEnv& env) {
         return CmdTry(env, {.frequency = "Sat", .from = "1 Dec 2026", .skip = "5 Dec 2026"});
       },
       "Saturday 05 Dec 2026 (Skipped)\nSaturday 12 Dec 2026\n"},
      {"try from the offered run date",
       [this](CliEnv& env) { return CmdTry(env, {.frequency = "Mon", .ini = ini_}); },
       "Monday 07 Dec 2026\nMonday 14 Dec 2026\nMonday 21 Dec 2026\nMonday 28 Dec 2026\n"},
      {"subst the command line",
       [this](CliEnv& env) { return CmdSubst(env, {.ini = ini_, .job = "extract"}); },
       "extract.sh 20261204\n"},
      {"subst a text for a date",
       [this](CliEnv& env) {
         return CmdSubst(env, {.ini = ini_,
                               .job = "EXTRACT",
                               .date = "7 Dec 2026",
                               .has_text = true,
                               .text = "x &PREVWD& &nextwd&"});
       },
       "x 20261204 20261208\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.command), 0) << c.name << err_.str();
    EXPECT_TRUE(out_.str().starts_with(c.expected_start)) << c.name << "\n" << out_.str();
  }
}

TEST_F(QlrTest, ResetDeletesTheTriggerFilesTheFlagsName) {
  const std::string ran = JobLine({{1, "EXTRACT"},
                                   {13, "04 Dec 2026 06:30:00"},
                                   {14, "04 Dec 2026 06:40:00"},
                                   {31, "**Standard"}}) +
                          JobLine({{1, "LOAD"},
                                   {13, "04 Dec 2026 07:00:00"},
                                   {14, "04 Dec 2026 07:10:00"},
                                   {31, dir_.File("load.trg")}});
  struct {
    bool standard, other;
    bool standard_left, other_left;
  } cases[] = {{false, false, true, true},
               {true, false, false, true},
               {false, true, true, false},
               {true, true, false, false}};
  for (const auto& c : cases) {
    WriteSchedule(ran);
    const std::string standard = dir_.Write("triggers/EXTRACT.trg", "done\r\n");
    const std::string other = dir_.Write("load.trg", "done\r\n");
    ResetOptions options{.ini = ini_, .standard_triggers = c.standard, .other_triggers = c.other};
    EXPECT_EQ(Run([&](CliEnv& env) { return CmdReset(env, options); }), 0) << err_.str();
    EXPECT_EQ(std::filesystem::exists(standard), c.standard_left);
    EXPECT_EQ(std::filesystem::exists(other), c.other_left);
    ShowOptions show{.ini = ini_, .columns = "0,16,17"};
    EXPECT_EQ(Run([&](CliEnv& env) { return CmdShow(env, show); }), 0);
    EXPECT_EQ(out_.str(), "Job Name\tStatus\tStarted\nEXTRACT\tScheduled\t\nLOAD\tScheduled\t\n");
  }
}

TEST_F(QlrTest, RewriteKeepsABackupAndTheTriggersList) {
  EXPECT_EQ(Run([&](CliEnv& env) { return CmdRewrite(env, ini_); }), 0) << err_.str();
  EXPECT_EQ(dir_.Read("night.bak"), kSchedule);
  EXPECT_NE(dir_.Read("night.sch").find("EXTRACT\textract.sh &RUNDATE&\t"), std::string::npos);
  EXPECT_EQ(dir_.Read("triggers/Triggers.Lst"), "PAY (DAY)\r\nEXTRACT (NIGHT)\r\n");
}

TEST_F(QlrTest, CommandLineStatuses) {
  const std::string missing = dir_.File("none.ini");
  struct {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string out_start, err_part;
  } cases[] = {
      {"version", {"--version"}, 0, kVersionText, ""},
      {"show", {"show", ini_, "--columns", "0"}, 0, "Job Name\nEXTRACT\n", ""},
      {"bad date", {"show", ini_, "--date", "31/31/2026"}, 1, "", "qlr: --date: not a date"},
      {"bad column", {"show", ini_, "--columns", "0,23"}, 1, "", "qlr: --columns: not a column"},
      {"bad from", {"try", "Daily", "--from", "soon"}, 1, "", "qlr: --from: not a date: soon"},
      {"no subcommand", {}, 1, "", ""},
      {"unknown job", {"subst", ini_, "NOJOB"}, 1, "", "qlr: no job named NOJOB"},
      {"missing INI is fatal",
       {"check", missing},
       2,
       "",
       "qlr: Cannot find INI file: " + missing + "\nqlr: QLR999 Quillrun closing down\n"},
      {"--yes after the subcommand", {"rewrite", ini_, "--yes"}, 0, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunArgs(c.args), c.status) << c.name << err_.str();
    EXPECT_TRUE(out_.str().starts_with(c.out_start)) << c.name << "\n" << out_.str();
    EXPECT_NE(err_.str().find(c.err_part), std::string::npos) << c.name << "\n" << err_.str();
  }
}

}  // namespace
}  // namespace qlr
