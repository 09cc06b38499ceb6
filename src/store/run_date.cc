#include "store/run_date.h"

#include "base/date_format.h"
#include "calendar/holidays.h"

namespace qlr {

std::string RunDateWeekday(const LaunchValues& launch) {
  const auto date = ParseDate(launch.RunDateText);
  return date ? FormatDateTime(*date, "dddd") : "";
}

bool TakeRunDateText(Schedule& schedule, const LaunchValues& launch) {
  const auto date = ParseDate(launch.RunDateText);
  if (!date) return false;
  schedule.RunDate = DateOnly(*date);
  return true;
}

void StepRunDate(Schedule& schedule, LaunchValues& launch, int days) {
  TakeRunDateText(schedule, launch);
  schedule.RunDate = AddDays(DateOnly(schedule.RunDate), days);
  ShowRunDate(schedule, launch);
  ApplyRunDate(schedule);
}

void ShowRunDate(const Schedule& schedule, LaunchValues& launch) {
  launch.RunDateText = FormatShortDate(schedule.Calendar, schedule.RunDate);
}

}  // namespace qlr
