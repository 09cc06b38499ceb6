// The launch window's rules: the check of its fields, what Launch takes from
// them, saving them for the next start, and the commands that leave the
// schedule (Open New Schedule, Exit).

#include "base/date_format.h"
#include "base/number.h"
#include "base/text.h"
#include "model/constants.h"
#include "store/profile_file.h"
#include "store/startup.h"

namespace qlr {
namespace {

char ShapeOf(char c) {
  if (c >= '0' && c <= '9') return '0';
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return 'A';
  if (c == '!' || c == '?' || c == '/' || c == '\\') return 'A';
  return c;
}

const std::string kCurrent = "Current";

}  // namespace

bool MatchesMask(std::string_view value, std::string_view mask) {
  if (value.size() != mask.size()) return false;
  for (size_t i = 0; i < value.size(); ++i)
    if (ShapeOf(value[i]) != mask[i]) return false;
  return true;
}

std::optional<LaunchFault> CheckLaunchValues(LaunchValues& launch) {
  if (!ParseDate(launch.RunDateText))
    return LaunchFault{LaunchField::RunDate, "Invalid schedule run date"};
  // The shape alone would let 25:99 through, and the run would start at a
  // time nobody asked for.
  if (!MatchesMask(launch.StartTimeText, "00:00") || !ParseTimeOfDay(launch.StartTimeText))
    return LaunchFault{LaunchField::StartTime, "Invalid schedule start time"};
  launch.CpuLimitText = Trim(launch.CpuLimitText);
  if (!IsNumeric(launch.CpuLimitText))
    return LaunchFault{LaunchField::CpuLimit, "Invalid CPU Limit"};
  return std::nullopt;
}

bool Valid(LaunchValues& launch, Operator& op) {
  const std::optional<LaunchFault> fault = CheckLaunchValues(launch);
  if (fault) op.Tell(fault->message);
  return !fault;
}

void SaveForExit(const Schedule& schedule, const LaunchValues& launch) {
  IniWrite(kSettingsName, "DayStart", launch.StartTimeText, schedule.IniFile);
  IniWrite(kSettingsName, "CPULimit", launch.CpuLimitText, schedule.IniFile);
}

void ApplyLaunchValues(Schedule& schedule, const LaunchValues& launch) {
  if (auto date = ParseDate(launch.RunDateText)) schedule.RunDate = DateOnly(*date);
  // The launch check refused a start time that is no time of day.
  schedule.DayStart = ParseTimeOfDay(launch.StartTimeText).value_or(schedule.DayStart);
  schedule.DayStartAt = schedule.RunDate + schedule.DayStart;
  schedule.CpuLimit = ReadInt16(launch.CpuLimitText);
  schedule.StartSuspended = launch.StartSuspended;
  schedule.SerialiseDosJobs = launch.SerialiseDosJobs;
  schedule.DummyRun = launch.DummyRun;
}

void OfferAsDefault(const Schedule& schedule, SettingsStore& settings, Operator& op) {
  const std::string current = settings.Get(std::string(kSettingsName), kCurrent);
  if (EqualsNoCase(current, schedule.IniFile) || schedule.TempRun) return;
  std::string question = "Do you want the following Ini file\n\n" + schedule.IniFile +
                         "\n\nto replace \n\n" + current +
                         "\n\nas the default schedule on this computer?";
  if (op.Ask(question, Buttons::YesNo) == Answer::Yes)
    settings.Set(std::string(kSettingsName), kCurrent, schedule.IniFile);
}

DateTime OfferedRunDate(DateTime now, int64_t day_start) {
  DateTime today = DateOnly(now);
  return today + day_start > now ? AddDays(today, -1) : today;
}

bool OpenNewSchedule(StartupContext& ctx, LaunchValues& launch) {
  Schedule& schedule = ctx.schedule;
  if (Valid(launch, ctx.op)) SaveForExit(schedule, launch);
  std::string picked =
      ctx.choose_file ? ctx.choose_file(schedule.IniFile, "Ini Files (*.ini)|*.ini") : "";
  if (picked.empty() || EqualsNoCase(picked, schedule.IniFile)) return false;
  schedule.IniFile = picked;
  StartUp(ctx, launch);
  return true;
}

void PrepareExit(StartupContext& ctx, LaunchValues& launch) {
  if (Valid(launch, ctx.op)) SaveForExit(ctx.schedule, launch);
  OfferAsDefault(ctx.schedule, ctx.settings, ctx.op);
}

}  // namespace qlr
