#pragma once
// The launch window's values: what it offers and the operator may change, the
// check of its fields, and how the values reach the schedule and the INI file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/date_time.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

// What the launch window shows and the operator may change.
struct LaunchValues {
  std::string RunDateText;    // in FormatShortDate
  std::string StartTimeText;  // "hh:mm"
  std::string CpuLimitText;
  bool StartSuspended = false;
  bool SerialiseDosJobs = false;
  bool ShowEvents = false;
  bool DummyRun = false;
};

// The launch window's fields that the launch check looks at, in its order.
enum class LaunchField { RunDate, StartTime, CpuLimit };

struct LaunchFault {
  LaunchField field;
  const char* message;  // "Invalid schedule run date", ...
};

// The launch check: the first field it refuses, or nullopt. A start time must
// be a time of day ("25:99" is refused). Trims the CPU limit it checks.
std::optional<LaunchFault> CheckLaunchValues(LaunchValues& launch);
// The launch check told to the operator: tells the first failure and returns false.
bool Valid(LaunchValues& launch, Operator& op);
// Writes DayStart and CPULimit from the launch values to the INI file.
void SaveForExit(const Schedule& schedule, const LaunchValues& launch);
// Copies the launch values into the schedule (run date, start, CPU limit, options).
void ApplyLaunchValues(Schedule& schedule, const LaunchValues& launch);

// The shape of the text (digits "0"; letters and ! ? / \ "A") equals the mask.
bool MatchesMask(std::string_view value, std::string_view mask);
// A time of day typed into a "00:00" mask: the shape alone would let 25:99 through.
bool IsClockTime(std::string_view text);

// The run date the launch window offers at `now` for a start time.
DateTime OfferedRunDate(DateTime now, int64_t day_start);

}  // namespace qlr
