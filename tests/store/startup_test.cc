#include "store/startup.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "model/constants.h"
#include "platform/file_system.h"
#include "store/profile_file.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Keys = std::map<std::string, std::optional<std::string>>;  // nullopt: key left out

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() { dir.Write("sched.txt", ""); }

  // An INI file with every key a start-up warns about; `changes` replace or remove keys.
  std::string WriteIni(const Keys& changes = {}, const std::string& name = "night.ini") {
    Keys keys = {{"ScheduleName", "Night"},
                 {"ScheduleFile", "sched.txt"},
                 {"LogFile", "run.log"},
                 {"TriggerPath", "trg"}};
    for (const char* key :
         {"EmailAddrPath", "TrackerPath", "JobDocPath", "EmailPath", "EmailAttPath", "PubHols"})
      keys[key] = std::string(kNotSpecifiedMark);
    keys["DateDisplayFormat"] = "0";
    for (const auto& [key, value] : changes) keys[key] = value;
    std::string text = "[Quillrun]\r\n";
    for (const auto& [key, value] : keys)
      if (value) text += key + "=" + *value + "\r\n";
    return dir.Write(name, text);
  }

  // Runs start-up; the text of the fatal stop, or "" when it completed.
  std::string Start(const std::string& command_line) {
    ctx.command_line = command_line;
    try {
      StartUp(ctx, launch);
    } catch (const ProgramEnd& end) {
      return end.what();
    }
    return "";
  }

  // A file-open dialog in which the operator picks these paths in turn, then nothing.
  static FileChooser Picks(std::vector<std::string> paths) {
    auto left = std::make_shared<std::deque<std::string>>(paths.begin(), paths.end());
    return [left](const std::string&, const std::string&) {
      if (left->empty()) return std::string();
      std::string path = left->front();
      left->pop_front();
      return path;
    };
  }

  testing::TempDir dir;
  testing::FakeClock clock{MakeDateTime(2026, 12, 4, 12, 0, 0)};
  testing::ScriptedOperator op;
  Schedule schedule;
  RunLog log{schedule, clock, op};
  MemorySettingsStore settings;
  LaunchValues launch;
  StartupContext ctx{schedule, log, settings, FileChooser(), ""};
};

TEST_F(StartUpTest, DefaultsOfThePlainKeys) {
  ASSERT_EQ(Start(WriteIni({{"MinJobLaunch", "0"}})), "");
  EXPECT_TRUE(op.told.empty());
  EXPECT_EQ(schedule.IniFile, dir.File("night.ini"));
  EXPECT_EQ(schedule.ScheduleFile, dir.File("sched.txt"));  // relative to the INI file
  EXPECT_EQ(schedule.TriggersListFile, dir.File("trg/Triggers.Lst"));
  EXPECT_EQ(schedule.PubHols, "");
  EXPECT_EQ(schedule.JobOutputPath, dir.File("output"));
  EXPECT_EQ(schedule.DummyProg, ExecutableDir() + "/QLRDummy");
  EXPECT_EQ(schedule.TovaniProgram, ExecutableDir() + "/QLRTovani");
  EXPECT_EQ(schedule.DummyModel, kDefaultDummyModel);
  EXPECT_EQ(schedule.TextEditor + schedule.EmailAddressFormat, "xdg-openAddress");
  EXPECT_EQ(schedule.MinJobLaunch, 10);
  EXPECT_EQ(launch.StartTimeText + "|" + launch.RunDateText + "|" + launch.CpuLimitText,
            "00:00|4 Dec 2026|9999");
}

TEST_F(StartUpTest, EveryPlainKeySet) {
  dir.Write("bin/dummy.sh", "");
  dir.Write("data/sched2.txt", "");
  ASSERT_EQ(Start(WriteIni({{"ScheduleFile", "data/sched2.txt"},
                            {"LogFile", "/abs/run.log"},
                            {"MinJobLaunch", "25"},
                            {"CPULimit", "250x"},
                            {"AllowCritical", "y"},
                            {"ShowFailedJobsWarning", "yes"},
                            {"KickOnJobEnd", "Y"},
                            {"FailOnExitCode", "Yes"},
                            {"RunTimeErrorText", "Run-time error"},
                            {"TimerSecs", "7"},
                            {"Workdays", "Mon,Tue"},
                            {"DummyProg", "bin/dummy.sh"},
                            {"HelpPath", "help"},
                            {"JobOutputPath", "/var/out"},
                            {"DateDisplayFormat", "2"},
                            {"DayStart", "06:30"},
                            {"TextEditor", "vi"}})),
            "");
  EXPECT_EQ(schedule.ScheduleFile, dir.File("data/sched2.txt"));
  EXPECT_EQ(schedule.LogFile, "/abs/run.log");
  EXPECT_EQ(schedule.MinJobLaunch, 25);
  EXPECT_TRUE(schedule.AllowCritical && schedule.ShowFailedJobsWarning && schedule.KickOnJobEnd);
  EXPECT_FALSE(schedule.FailOnExitCode);
  EXPECT_EQ(schedule.RunTimeErrorText, "RUN-TIME ERROR");
  EXPECT_EQ(schedule.TimerSecs, 7);
  EXPECT_EQ(schedule.Calendar.Workdays, "Mon,Tue");
  EXPECT_EQ(schedule.DummyProg, dir.File("bin/dummy.sh"));
  EXPECT_EQ(schedule.HelpPath, dir.File("help"));
  EXPECT_EQ(schedule.JobOutputPath + schedule.TextEditor, "/var/outvi");
  EXPECT_EQ(launch.StartTimeText + "|" + launch.RunDateText + "|" + launch.CpuLimitText,
            "06:30|2026 Dec 04|250");
}

TEST_F(StartUpTest, InvalidDateDisplayFormatWarnsAndUsesTheFirstForm) {
  const std::vector<std::optional<std::string>> values = {"12", std::nullopt};
  for (const auto& value : values) {
    op.told.clear();
    ASSERT_EQ(Start(WriteIni({{"DateDisplayFormat", value}})), "");
    EXPECT_EQ(op.told, std::vector<std::string>{
                           "Date format specification invalid or not present,  \"d mmm yyyy\" "
                           "assumed."});
    EXPECT_EQ(schedule.Calendar.FormatShortDate, "d mmm yyyy");
    EXPECT_EQ(launch.RunDateText, "4 Dec 2026");
  }
}

TEST_F(StartUpTest, CommandLineNamesTheIniFileAndTheTempOption) {
  const std::string ini = WriteIni();
  const std::vector<std::pair<std::string, bool>> cases = {
      {"\"" + ini + "\",TEMP", true}, {ini + ",temp", true}, {ini, false}, {ini + ",TEMPO", false}};
  for (const auto& [command_line, temp] : cases) {
    schedule = Schedule();
    ASSERT_EQ(Start(command_line), "");
    EXPECT_EQ(schedule.IniFile, ini);
    EXPECT_EQ(schedule.TempRun, temp) << command_line;
  }
  settings.Set("Quillrun", "Current", dir.File("other.ini"));
  OfferAsDefault(schedule, settings, op);  // the last run was not TEMP
  ASSERT_EQ(op.asked.size(), 1u);
  EXPECT_EQ(op.asked[0], "Do you want the following Ini file\n\n" + ini + "\n\nto replace \n\n" +
                             dir.File("other.ini") +
                             "\n\nas the default schedule on this computer?");
  schedule.TempRun = true;
  OfferAsDefault(schedule, settings, op);
  EXPECT_EQ(op.asked.size(), 1u);
}

TEST_F(StartUpTest, FatalStops) {
  const std::string hols = dir.File("hols.txt");
  struct Case {
    std::string command_line;
    std::string message;
  };
  const std::vector<Case> cases = {
      {dir.File("gone.ini") + ",TEMP", "Cannot find INI file: " + dir.File("gone.ini")},
      {WriteIni({{"ScheduleName", std::nullopt}, {"ScheduleFile", ""}}, "bare.ini"),
       "The following mandatory specifications are missing from the INI file\n\n"
       "ScheduleName, ScheduleFile"},
      {WriteIni({{"PubHols", "hols.txt"}}, "hols.ini"),
       "Cannot find Public Holidays File: " + hols},
  };
  for (const Case& c : cases) {
    op.told.clear();
    schedule = Schedule();
    EXPECT_EQ(Start(c.command_line), c.message);
    EXPECT_EQ(op.told, (std::vector<std::string>{c.message, std::string(kClosingDown)}));
  }
  // The missing keys were added empty, so the next start reports them again.
  EXPECT_NE(dir.Read("bare.ini").find("ScheduleName=\r\n"), std::string::npos);
  // The log was known when the holidays file was found missing.
  EXPECT_NE(dir.Read("run.log").find("Cannot find Public Holidays File: "), std::string::npos);
}

TEST_F(StartUpTest, MissingOptionalKeysAreWrittenAndWarnedOnce) {
  const std::string ini = WriteIni({{"LogFile", std::nullopt}, {"PubHols", ""}});
  ASSERT_EQ(Start(ini), "");
  EXPECT_EQ(op.told, std::vector<std::string>{
                         "The following optional specifications are missing from the INI file\n\n"
                         "LogFile, PubHols.\n\nThis warning will not appear again."});
  EXPECT_EQ(IniRead("Quillrun", "LogFile", ini), kNotSpecifiedMark);
  EXPECT_EQ(IniRead("Quillrun", "PubHols", ini), kNotSpecifiedMark);
  op.told.clear();
  schedule = Schedule();
  ASSERT_EQ(Start(ini), "");
  EXPECT_TRUE(op.told.empty());
  EXPECT_EQ(schedule.LogFile, "");
}

TEST_F(StartUpTest, CurrentSettingNamingAMissingFileIsFatal) {
  settings.Set("Quillrun", "Current", dir.File("moved.ini"));
  bool dialog_shown = false;
  ctx.first_run = [&] { return dialog_shown = true, FirstRunChoice::Cancel; };
  EXPECT_EQ(Start(""), "Cannot find INI file: " + dir.File("moved.ini"));
  EXPECT_FALSE(dialog_shown);
}

TEST_F(StartUpTest, FirstRunDialog) {
  const std::string warning =
      "Warning:  The same Quillrun schedule cannot be run on more than one computer "
      "simultaneously.\n\nThe schedule to be executed on this computer should be disabled from "
      "execution elsewhere.\n\nPress Cancel to terminate or OK to locate the Quillrun INI file "
      "for the required schedule.";
  struct Case {
    FirstRunChoice choice;
    std::vector<Answer> answers;
    std::vector<std::string> picks;
    std::vector<std::string> told;
    std::vector<std::string> asked;
  };
  const std::string ini = WriteIni(), stranger = dir.Write("other.ini", "[Other]\r\nA=1\r\n");
  const std::vector<Case> cases = {
      {FirstRunChoice::Cancel, {}, {}, {}, {}},
      {FirstRunChoice::Closed, {}, {}, {"Quillrun Terminating"}, {}},
      {FirstRunChoice::CreateNew,
       {},
       {},
       {"Error invoking  \"" + ExecutableDir() + "/QLRTovani\""},
       {}},
      {FirstRunChoice::FindExisting, {Answer::Cancel}, {}, {}, {warning}},
      {FirstRunChoice::FindExisting,
       {Answer::Ok},
       {""},
       {"No ini file selected.  Quillrun terminated."},
       {warning}},
      {FirstRunChoice::FindExisting,
       {Answer::Ok, Answer::Cancel},
       {stranger},
       {},
       {warning, "That file does not appear to be a Quillrun ini file."}},
  };
  for (const Case& c : cases) {
    op = testing::ScriptedOperator();
    for (Answer a : c.answers) op.AnswerNext(a);
    ctx.choose_file = Picks(c.picks);
    ctx.first_run = [&] { return c.choice; };
    schedule = Schedule();
    EXPECT_NE(Start(""), "");
    EXPECT_EQ(op.told, c.told);
    EXPECT_EQ(op.asked, c.asked);
  }
  // A stranger first, then the schedule's INI file: accepted and made the default.
  op.AnswerNext(Answer::Ok);
  op.AnswerNext(Answer::Ok);
  ctx.choose_file = Picks({stranger, ini});
  ctx.first_run = [] { return FirstRunChoice::FindExisting; };
  schedule = Schedule();
  ASSERT_EQ(Start(""), "");
  EXPECT_EQ(schedule.IniFile, ini);
  EXPECT_EQ(settings.Get("Quillrun", "Current"), ini);
}

TEST(OfferedRunDateTest, RunDayNotBegunBelongsToYesterday) {
  const DateTime today = MakeDate(2026, 12, 4), yesterday = MakeDate(2026, 12, 3);
  EXPECT_EQ(OfferedRunDate(MakeDateTime(2026, 12, 4, 5, 59, 59), 6 * 3600), yesterday);
  EXPECT_EQ(OfferedRunDate(MakeDateTime(2026, 12, 4, 6, 0, 0), 6 * 3600), today);
}

TEST_F(StartUpTest, OfferedRunDateAtTwoInTheMorning) {
  clock.Set(MakeDateTime(2026, 12, 4, 2, 0, 0));
  ASSERT_EQ(Start(WriteIni({{"DayStart", "06:00"}})), "");
  EXPECT_EQ(launch.RunDateText, "3 Dec 2026");
  EXPECT_EQ(schedule.DayStartAt, MakeDateTime(2026, 12, 3, 6, 0, 0));
}

TEST(LaunchRulesTest, MatchesMask) {
  EXPECT_TRUE(MatchesMask("06:00", "00:00"));
  EXPECT_TRUE(MatchesMask("25:99", "00:00"));
  EXPECT_FALSE(MatchesMask("6:00", "00:00"));
  EXPECT_FALSE(MatchesMask("06.00", "00:00"));
  EXPECT_TRUE(MatchesMask("aZ!?/\\-1", "AAAAAA-0"));
  EXPECT_FALSE(MatchesMask("\xE9", "A"));  // only the letters a-z count as letters
}

TEST(LaunchRulesTest, Valid) {
  struct Case {
    LaunchValues launch;
    std::string message;  // "" when valid
  };
  const std::vector<Case> cases = {
      {{"4 Dec 2026", "06:00", "50"}, ""},
      {{"31 Feb 2026", "06:00", "50"}, "Invalid schedule run date"},
      {{"4 Dec 2026", "6:00", "50"}, "Invalid schedule start time"},
      {{"4 Dec 2026", "06:00", "5O"}, "Invalid CPU Limit"},
      {{"4 Dec 2026", "06:00", ""}, "Invalid CPU Limit"},
  };
  for (Case c : cases) {
    testing::ScriptedOperator op;
    EXPECT_EQ(Valid(c.launch, op), c.message.empty()) << c.message;
    EXPECT_EQ(op.told,
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
  }
  testing::ScriptedOperator op;
  LaunchValues shown{"4 Dec 2026", "06:00", " 50 "};
  EXPECT_TRUE(Valid(shown, op));
  EXPECT_EQ(shown.CpuLimitText, "50");
}

TEST_F(StartUpTest, SaveForExitAndApplyLaunchValues) {
  ASSERT_EQ(Start(WriteIni()), "");
  launch = {"10 Dec 2026", "07:15", "300", true, false, false, true};
  SaveForExit(schedule, launch);
  EXPECT_EQ(IniRead("Quillrun", "DayStart", schedule.IniFile), "07:15");
  EXPECT_EQ(IniRead("Quillrun", "CPULimit", schedule.IniFile), "300");
  ApplyLaunchValues(schedule, launch);
  EXPECT_EQ(schedule.RunDate, MakeDate(2026, 12, 10));
  EXPECT_EQ(schedule.DayStart, 7 * 3600 + 15 * 60);
  EXPECT_EQ(schedule.CpuLimit, 300);
  EXPECT_TRUE(schedule.StartSuspended && schedule.DummyRun && !schedule.SerialiseDosJobs);
}

TEST_F(StartUpTest, Reset) {
  ASSERT_EQ(Start(WriteIni()), "");
  std::string standard = dir.Write("trg/A.trg", "x"), other = dir.Write("other.trg", "x");
  for (const char* name : {"A", "B"}) {
    Job job = NewPlaceholderJob();
    job.JobName = name;
    job.Status = JobStatus::Completed;
    job.StartedAt = job.EndedAt = MakeDate(2026, 12, 1);
    job.Reserved34 = 5;
    job.OverrideCode = "S";
    job.StatusText = "Completed";
    schedule.Jobs.push_back(job);
  }
  schedule[1].TriggerFile = kStandardTriggerMark;
  schedule[2].TriggerFile = other;
  EXPECT_FALSE(Reset(schedule, log));  // No to the first question
  EXPECT_EQ(op.asked.size(), 1u);
  EXPECT_EQ(schedule[1].StatusText, "Completed");

  op.asked.clear();
  for (Answer a : {Answer::Yes, Answer::Yes, Answer::No}) op.AnswerNext(a);
  EXPECT_TRUE(Reset(schedule, log));
  EXPECT_EQ(op.asked,
            (std::vector<std::string>{"Are you sure you want to reset all scheduling values?",
                                      "Do you want to delete standard trigger files?",
                                      "Do you want to delete non-standard trigger files?"}));
  EXPECT_FALSE(FileExists(standard));
  EXPECT_TRUE(FileExists(other));
  for (int i = 1; i <= 2; ++i) {
    const Job& job = schedule[i];
    EXPECT_TRUE(job.Status == JobStatus::Scheduled && job.StartedAt == 0 && job.EndedAt == 0 &&
                job.Reserved34 == 0 && job.OverrideCode.IsBlank() && job.StatusText.empty());
  }
  EXPECT_NE(dir.Read("sched.txt").find("\r\n"), std::string::npos);  // written back
}

}  // namespace
}  // namespace qlr
