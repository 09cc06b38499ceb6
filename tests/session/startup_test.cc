#include "session/startup.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/constants.h"
#include "platform/file_system.h"
#include "platform/install_layout.h"
#include "session/launch_commands.h"
#include "session/reset_questions.h"
#include "store/profile_file.h"
#include "store/reset.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Keys = std::map<std::string, std::optional<std::string>>;  // {}: key left out
using Texts = std::vector<std::string>;

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() { dir.Write("sched.txt", ""); }

  // An INI file with every key a start-up warns about; `changes` replace or remove keys.
  std::string WriteIni(const Keys& changes = {}, const std::string& name = "night.ini") {
    Keys keys = {{"ScheduleName", "Night"},
                 {"ScheduleFile", "sched.txt"},
                 {"LogFile", "run.log"},
                 {"TriggerPath", "trg"},
                 {"DateDisplayFormat", "0"}};
    for (const char* key :
         {"EmailAddrPath", "TrackerPath", "JobDocPath", "EmailPath", "EmailAttPath", "PubHols"})
      keys[key] = std::string(kNotSpecifiedMark);
    for (const auto& [key, value] : changes) keys[key] = value;
    std::string text = "[Quillrun]\r\n";
    for (const auto& [key, value] : keys)
      if (value) text += key + "=" + *value + "\r\n";
    return dir.Write(name, text);
  }

  // Runs start-up afresh; the text of the fatal stop, or "" when it completed.
  std::string Start(const std::string& command_line) {
    schedule = Schedule();
    ctx.command_line = command_line;
    try {
      StartUp(ctx, launch);
    } catch (const ProgramEnd& end) {
      return end.what();
    }
    return "";
  }

  testing::TempDir dir;
  testing::FakeClock clock;  // 4 Dec 2026 12:00
  testing::ScriptedOperator op;
  Schedule schedule;
  RunLog log{schedule, clock, op};
  MemorySettingsStore settings;
  LaunchValues launch;
  FileChooser chooser = [this](auto&, auto&) { return op.Input("").value_or(""); };  // in turn
  StartupContext ctx{schedule, log, op, clock, settings, chooser, ""};
};

TEST_F(StartUpTest, ThePlainKeysAndTheirWarnings) {
  const std::string ini = WriteIni(
      {{"MinJobLaunch", "0"}, {"LogFile", {}}, {"PubHols", ""}, {"DateDisplayFormat", {}}});
  const std::string date_warning =
      "Date format specification invalid or not present,  \"d mmm yyyy\" assumed.";
  ASSERT_EQ(Start(ini), "");
  EXPECT_EQ(op.told, (Texts{"The following optional specifications are missing from the INI file"
                            "\n\nLogFile, PubHols.\n\nThis warning will not appear again.",
                            date_warning}));
  EXPECT_EQ((Texts{schedule.IniFile, schedule.ScheduleFile, schedule.TriggersListFile,
                   schedule.JobOutputPath, schedule.DummyProg, schedule.HelpPath,
                   schedule.DummyModel, schedule.PubHols + schedule.Calendar.FormatShortDate,
                   schedule.TextEditor, schedule.EmailAddressFormat, launch.StartTimeText,
                   launch.RunDateText, launch.CpuLimitText, std::to_string(schedule.MinJobLaunch)}),
            (Texts{dir.File("night.ini"), dir.File("sched.txt"),  // relative to the INI file
                   dir.File("trg/Triggers.Lst"), dir.File("output"), ExecutableDir() + "/QLRDummy",
                   InstalledHelpDir(ExecutableDir()), std::string(kDefaultDummyModel), "d mmm yyyy",
                   "xdg-open", "Address", "00:00", "4 Dec 2026", "9999", "10"}));
  EXPECT_EQ(IniRead("Quillrun", "LogFile", ini) + IniRead("Quillrun", "PubHols", ini),
            std::string(kNotSpecifiedMark) + std::string(kNotSpecifiedMark));
  op.told.clear();  // the missing keys were written: the next start warns of the date format only
  IniWrite("Quillrun", "DateDisplayFormat", "12", ini);
  ASSERT_EQ(Start(ini), "");
  EXPECT_EQ(schedule.LogFile, "");
  dir.Write("bin/dummy.sh", "");
  dir.Write("data/sched2.txt", "");
  // clang-format off
  ASSERT_EQ(Start(WriteIni({{"ScheduleFile", "data/sched2.txt"}, {"LogFile", "/abs/run.log"},
      {"MinJobLaunch", "25"}, {"CPULimit", "250x"}, {"AllowCritical", "y"},
      {"ShowFailedJobsWarning", "yes"}, {"KickOnJobEnd", "Y"}, {"FailOnExitCode", "Yes"},
      {"RunTimeErrorText", "Run-time error"}, {"TimerSecs", "7"}, {"Workdays", "Mon,Tue"},
      {"DummyProg", "bin/dummy.sh"}, {"HelpPath", "help"}, {"JobOutputPath", "/var/out"},
      {"DateDisplayFormat", "2"}, {"DayStart", "06:30"}, {"TextEditor", "vi"}})), "");
  // clang-format on
  EXPECT_EQ(op.told,  // the date format from the second start, then values that do not read
            (Texts{date_warning,
                   "CPULimit=250x in the INI file is not a whole number from 0 to 32767; 250 is "
                   "used instead.",
                   "FailOnExitCode=Yes in the INI file is not Y or N; N is used instead."}));
  const auto number = [](auto n) { return std::to_string(n); };
  EXPECT_EQ(
      (Texts{schedule.ScheduleFile, schedule.LogFile, schedule.RunTimeErrorText,
             schedule.Calendar.Workdays, schedule.DummyProg, schedule.HelpPath,
             schedule.JobOutputPath, schedule.TextEditor, launch.StartTimeText, launch.RunDateText,
             launch.CpuLimitText, number(schedule.MinJobLaunch), number(schedule.TimerSecs),
             number(schedule.AllowCritical), number(schedule.ShowFailedJobsWarning),
             number(schedule.KickOnJobEnd), number(schedule.FailOnExitCode)}),
      (Texts{dir.File("data/sched2.txt"), "/abs/run.log", "RUN-TIME ERROR", "Mon,Tue",
             dir.File("bin/dummy.sh"), dir.File("help"), "/var/out", "vi", "06:30", "2026 Dec 04",
             "250", "25", "7", "1", "1", "1", "0"}));
}

// The command line names the INI file and the TEMP option; without one the
// setting "Current" names it. A message is a fatal stop.
TEST_F(StartUpTest, CommandLineAndFatalStops) {
  settings.Set("Quillrun", "Current", dir.File("moved.ini"));
  const std::string ini = WriteIni();
  // clang-format off
  const std::tuple<std::string, std::string, bool> cases[] = {
      {dir.File("gone.ini") + ",TEMP", "Cannot find INI file: " + dir.File("gone.ini"), false},
      {"", "Cannot find INI file: " + dir.File("moved.ini"), false},
      {WriteIni({{"ScheduleName", {}}, {"ScheduleFile", ""}}, "bare.ini"),
       "The following mandatory specifications are missing from the INI file\n\nScheduleName, "
       "ScheduleFile", false},
      {WriteIni({{"PubHols", "hols.txt"}}, "hols.ini"),
       "Cannot find Public Holidays File: " + dir.File("hols.txt"), false},
      {ini + ",temp", "", true}, {ini + ",TEMPO", "", false}};
  // clang-format on
  for (const auto& [command_line, message, temp] : cases) {
    op.told.clear();
    EXPECT_EQ(Start(command_line), message);
    EXPECT_EQ(op.told, message.empty() ? Texts() : Texts({message, std::string(kClosingDown)}));
    EXPECT_TRUE(message != "" || (schedule.IniFile == ini && schedule.TempRun == temp)) << message;
  }
  EXPECT_NE(dir.Read("bare.ini").find("ScheduleName=\r\n"), std::string::npos);  // added empty
  // The log was known when the holidays file was found missing.
  EXPECT_NE(dir.Read("run.log").find("Cannot find Public Holidays File: "), std::string::npos);
  settings.Set("Quillrun", "Current", dir.File("other.ini"));
  OfferAsDefault(schedule, settings, op);  // the last run was not TEMP
  EXPECT_EQ(op.asked,
            Texts{"Do you want the following Ini file\n\n" + ini + "\n\nto replace \n\n" +
                  dir.File("other.ini") + "\n\nas the default schedule on this computer?"});
  schedule.TempRun = true;
  OfferAsDefault(schedule, settings, op);
  EXPECT_EQ(op.asked.size(), 1u);
}

TEST_F(StartUpTest, FirstRunDialog) {
  const std::string warning =
      "Warning:  The same Quillrun schedule cannot be run on more than one computer "
      "simultaneously.\n\nThe schedule to be executed on this computer should be disabled from "
      "execution elsewhere.\n\nPress Cancel to terminate or OK to locate the Quillrun INI file "
      "for the required schedule.";
  const std::string stranger = dir.Write("other.ini", "[Other]\r\nA=1\r\n"), ini = WriteIni(),
                    not_ours = "That file does not appear to be a Quillrun ini file.";
  using enum FirstRunChoice;
  // clang-format off
  struct Case { FirstRunChoice choice; std::vector<Answer> answers; Texts picks, told, asked;
                bool started = false; };
  const Case cases[] = {
      {Cancel, {}, {}, {}, {}},
      {Closed, {}, {}, {"Quillrun Terminating"}, {}},
      {CreateNew, {}, {}, {"Error invoking  \"" + ExecutableDir() + "/QLRTovani\""}, {}},
      {FindExisting, {Answer::Cancel}, {}, {}, {warning}},
      {FindExisting, {Answer::Ok}, {""}, {"No ini file selected.  Quillrun terminated."}, {warning}},
      {FindExisting, {Answer::Ok, Answer::Cancel}, {stranger}, {}, {warning, not_ours}},
      {FindExisting, {Answer::Ok, Answer::Ok}, {stranger, ini}, {}, {warning, not_ours}, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    op = testing::ScriptedOperator();
    for (Answer a : c.answers) op.AnswerNext(a);
    for (const std::string& pick : c.picks) op.InputNext(pick);
    ctx.first_run = [&] { return c.choice; };
    EXPECT_EQ(Start("").empty(), c.started) << c.told.size() << c.asked.size();
    EXPECT_EQ(std::tie(op.told, op.asked), std::tie(c.told, c.asked));
  }
  EXPECT_EQ(schedule.IniFile, ini);  // accepted and made the default
  EXPECT_EQ(settings.Get("Quillrun", "Current"), ini);
}

TEST_F(StartUpTest, LaunchValuesOfferedSavedAndApplied) {
  clock.Set(MakeDateTime(2026, 12, 4, 2, 0, 0));
  ASSERT_EQ(Start(WriteIni({{"DayStart", "06:00"}})), "");
  EXPECT_EQ(launch.RunDateText, "3 Dec 2026");
  EXPECT_EQ(schedule.DayStartAt, MakeDateTime(2026, 12, 3, 6, 0, 0));
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

}  // namespace
}  // namespace qlr
