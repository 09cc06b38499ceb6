#include "store/launch_values.h"

#include "base/date_format.h"
#include "base/number.h"
#include "base/text.h"
#include "model/constants.h"
#include "store/profile_file.h"

namespace qlr {
namespace {

char ShapeOf(char c) {
  if (c >= '0' && c <= '9') return '0';
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return 'A';
  if (c == '!' || c == '?' || c == '/' || c == '\\') return 'A';
  return c;
}

}  // namespace

bool MatchesMask(std::string_view value, std::string_view mask) {
  if (value.size() != mask.size()) return false;
  for (size_t i = 0; i < value.size(); ++i)
    if (ShapeOf(value[i]) != mask[i]) return false;
  return true;
}

bool IsClockTime(std::string_view text) {
  return MatchesMask(text, "00:00") && ParseTimeOfDay(text).has_value();
}

std::optional<LaunchFault> CheckLaunchValues(LaunchValues& launch) {
  if (!ParseDate(launch.RunDateText))
    return LaunchFault{LaunchField::RunDate, "Invalid schedule run date"};
  if (!IsClockTime(launch.StartTimeText))
    return LaunchFault{LaunchField::StartTime, "Invalid schedule start time"};
  launch.CpuLimitText = Trim(launch.CpuLimitText);
  if (!IsNumeric(launch.CpuLimitText))
    return LaunchFault{LaunchField::CpuLimit, "Invalid CPU Limit"};
  return std::nullopt;
}

void SaveForExit(const Schedule& schedule, const LaunchValues& launch) {
  IniWrite(kSettingsName, "DayStart", launch.StartTimeText, schedule.IniFile);
  IniWrite(kSettingsName, "CPULimit", launch.CpuLimitText, schedule.IniFile);
}

bool Valid(LaunchValues& launch, Operator& op) {
  const std::optional<LaunchFault> fault = CheckLaunchValues(launch);
  if (fault) op.Tell(fault->message);
  return !fault;
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

DateTime OfferedRunDate(DateTime now, int64_t day_start) {
  DateTime today = DateOnly(now);
  return today + day_start > now ? AddDays(today, -1) : today;
}

}  // namespace qlr
