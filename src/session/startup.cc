#include "session/startup.h"

#include "base/date_format.h"
#include "base/field.h"
#include "base/number.h"
#include "base/text.h"
#include "base/version.h"
#include "calendar/holidays.h"
#include "calendar/status_decision.h"
#include "model/constants.h"
#include "platform/file_system.h"
#include "platform/install_layout.h"
#include "session/first_run.h"
#include "store/ini_values.h"
#include "store/profile_file.h"
#include "store/schedule_file.h"

namespace qlr {
namespace {

std::string ReadKey(const Schedule& schedule, std::string_view key) {
  return IniRead(kSettingsName, key, schedule.IniFile);
}

// A path from the INI file: relative ones are taken from the INI file's
// folder, so that a schedule's folder can be moved as a whole.
std::string InIniFolder(const Schedule& schedule, std::string_view path) {
  return ResolvePath(DirName(schedule.IniFile), path);
}

std::string ReadPathKey(const Schedule& schedule, std::string_view key) {
  return InIniFolder(schedule, ReadKey(schedule, key));
}

// Steps of the start-up sequence, in their order.

void SetProgramTexts(Schedule& schedule) {
  schedule.TovaniProgram = CompanionProgramPath(ExecutableDir(), "QLRTovani");
  schedule.VersionText = kVersionText;
}

void ChooseIniFile(StartupContext& ctx) {
  Schedule& schedule = ctx.schedule;
  if (schedule.IniFile.empty()) schedule.IniFile = GetField(ctx.command_line, 1);
  if (!schedule.IniFile.empty())
    schedule.TempRun = EqualsNoCase(GetField(ctx.command_line, 2), "TEMP");
  else
    schedule.IniFile = ctx.settings.Get(std::string(kSettingsName), "Current");
  if (schedule.IniFile.empty()) {
    FirstRunChoice choice = ctx.first_run ? ctx.first_run() : FirstRunChoice::Closed;
    if (choice == FirstRunChoice::Closed) ctx.op.Tell("Quillrun Terminating");
    if (choice == FirstRunChoice::Cancel || choice == FirstRunChoice::Closed)
      throw ProgramEnd("Quillrun Terminating");
    if (choice == FirstRunChoice::CreateNew) RunTovani(schedule, ctx.op);
    FindExistingSchedule(ctx);
  }
  if (schedule.IniFile.empty()) ctx.log.FatalStop("No INI file specified");
  if (!FileExists(schedule.IniFile)) ctx.log.FatalStop("Cannot find INI file: " + schedule.IniFile);
  schedule.IniFile = ResolvePath(CurrentDir(), schedule.IniFile);
}

void ReadMandatoryKeys(StartupContext& ctx) {
  Schedule& schedule = ctx.schedule;
  std::string missing;
  schedule.ScheduleName = IniGetWarn(schedule, "ScheduleName", missing, "");
  schedule.ScheduleFile = InIniFolder(schedule, IniGetWarn(schedule, "ScheduleFile", missing, ""));
  if (!missing.empty())
    ctx.log.FatalStop("The following mandatory specifications are missing from the INI file\n\n" +
                      missing.substr(2));
}

struct OptionalPathKey {
  std::string_view key;
  std::string Schedule::*field;
};

constexpr OptionalPathKey kOptionalPathKeys[] = {
    {"LogFile", &Schedule::LogFile},           {"EmailAddrPath", &Schedule::EmailAddrPath},
    {"TriggerPath", &Schedule::TriggerPath},   {"TrackerPath", &Schedule::TrackerPath},
    {"JobDocPath", &Schedule::JobDocPath},     {"EmailPath", &Schedule::EmailPath},
    {"EmailAttPath", &Schedule::EmailAttPath}, {"PubHols", &Schedule::PubHols},
};

void ReadOptionalKeys(StartupContext& ctx) {
  Schedule& schedule = ctx.schedule;
  std::string missing;
  for (const OptionalPathKey& k : kOptionalPathKeys)
    schedule.*k.field =
        InIniFolder(schedule, IniGetWarn(schedule, k.key, missing, kNotSpecifiedMark));
  if (!missing.empty())
    ctx.op.Tell("The following optional specifications are missing from the INI file\n\n" +
                missing.substr(2) + ".\n\nThis warning will not appear again.");
}

void ReadCalendarKeys(StartupContext& ctx) {
  Schedule& schedule = ctx.schedule;
  schedule.HelpPath = ReadPathKey(schedule, "HelpPath");
  if (schedule.HelpPath.empty()) schedule.HelpPath = InstalledHelpDir(ExecutableDir());
  schedule.TriggersListFile =
      schedule.TriggerPath.empty() ? "" : JoinPath(schedule.TriggerPath, "Triggers.Lst");
  if (!SetDateFormats(schedule.Calendar, ReadKey(schedule, "DateDisplayFormat")))
    ctx.op.Tell("Date format specification invalid or not present,  \"d mmm yyyy\" assumed.");
  if (!schedule.PubHols.empty() && !FileExists(schedule.PubHols))
    ctx.log.FatalStop("Cannot find Public Holidays File: " + schedule.PubHols);
  std::string workdays = ReadKey(schedule, "Workdays");
  schedule.Calendar.Workdays = workdays.empty() ? std::string(kDefaultWorkdays) : workdays;
}

void ReadRunKeys(Schedule& schedule, Operator& op) {
  schedule.AllowCritical = IniFlag(op, "AllowCritical", ReadKey(schedule, "AllowCritical"));
  schedule.MinJobLaunch = static_cast<int16_t>(
      IniNumber(op, "MinJobLaunch", ReadKey(schedule, "MinJobLaunch"), 0, INT16_MAX, 10));
  schedule.EmailAddressFormat = ReadKey(schedule, "EmailAddressFormat");
  if (schedule.EmailAddressFormat.empty()) schedule.EmailAddressFormat = "Address";
}

// The launch window's run date, start time and CPU limit. The run day is
// placed on the clock at once because reading the schedule decides each
// job's status for it.
void OfferLaunchValues(StartupContext& ctx, LaunchValues& launch) {
  Schedule& schedule = ctx.schedule;
  launch.StartTimeText = IniTime(ctx.op, "DayStart", ReadKey(schedule, "DayStart"));
  schedule.DayStart = ParseTimeOfDay(launch.StartTimeText).value_or(0);
  schedule.RunDate = OfferedRunDate(StampTime(schedule, ctx.clock), schedule.DayStart);
  schedule.DayStartAt = schedule.RunDate + schedule.DayStart;
  launch.RunDateText = FormatShortDate(schedule.Calendar, schedule.RunDate);
  launch.CpuLimitText = std::to_string(
      IniNumber(ctx.op, "CPULimit", ReadKey(schedule, "CPULimit"), 0, INT16_MAX, 9999));
}

void ReadDummyKeys(Schedule& schedule, Operator& op) {
  schedule.DummyProg = ReadPathKey(schedule, "DummyProg");
  if (schedule.DummyProg.empty() || !FileExists(schedule.DummyProg))
    schedule.DummyProg = CompanionProgramPath(ExecutableDir(), "QLRDummy");
  schedule.DummyModel = ReadKey(schedule, "DummyModel");
  if (schedule.DummyModel.empty()) schedule.DummyModel = kDefaultDummyModel;
  schedule.ShowFailedJobsWarning =
      IniFlag(op, "ShowFailedJobsWarning", ReadKey(schedule, "ShowFailedJobsWarning"), true);
  schedule.RunTimeErrorText = Upper(ReadKey(schedule, "RunTimeErrorText"));
}

// Keys that exist for running jobs on Linux: where job output goes, the text
// editor, and how a job's end is noticed.
void ReadLinuxKeys(Schedule& schedule, Operator& op) {
  schedule.JobOutputPath = ReadPathKey(schedule, "JobOutputPath");
  if (schedule.JobOutputPath.empty())
    schedule.JobOutputPath = JoinPath(DirName(schedule.ScheduleFile), "output");
  schedule.TextEditor = ReadKey(schedule, "TextEditor");
  if (schedule.TextEditor.empty()) schedule.TextEditor = "xdg-open";
  schedule.FailOnExitCode = IniFlag(op, "FailOnExitCode", ReadKey(schedule, "FailOnExitCode"));
  schedule.KickOnJobEnd = IniFlag(op, "KickOnJobEnd", ReadKey(schedule, "KickOnJobEnd"));
  // The engine reads TimerSecs again when it opens; a negative value stops its timer as 0 does.
  schedule.TimerSecs = static_cast<int32_t>(
      IniNumber(op, "TimerSecs", ReadKey(schedule, "TimerSecs"), 0, INT32_MAX / 1000));
}

}  // namespace

void StartUp(StartupContext& ctx, LaunchValues& launch) {
  Schedule& schedule = ctx.schedule;
  SetProgramTexts(schedule);
  ChooseIniFile(ctx);
  ReadMandatoryKeys(ctx);
  ReadOptionalKeys(ctx);
  ReadCalendarKeys(ctx);
  ReadRunKeys(schedule, ctx.op);
  OfferLaunchValues(ctx, launch);
  ReadDummyKeys(schedule, ctx.op);
  ReadLinuxKeys(schedule, ctx.op);
  LoadPublicHolidays(schedule, ctx.log, ctx.op, ctx.clock.Now());
  ReadSchedule(schedule, ctx.log, ctx.op);
}

}  // namespace qlr
