#include "calendar/holidays.h"

#include <algorithm>

#include "base/date_format.h"
#include "base/field.h"
#include "base/text.h"
#include "model/constants.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

// Looking for ",Ddd," in "," + Workdays + "," is the same as finding an entry
// between commas that equals "Ddd" exactly.
bool HasWorkdayEntry(std::string_view workdays, std::string_view abbrev) {
  while (true) {
    size_t comma = workdays.find(',');
    if (workdays.substr(0, comma) == abbrev) return true;
    if (comma == std::string_view::npos) return false;
    workdays.remove_prefix(comma + 1);
  }
}

// A holiday line is skipped when its first field is a comment or blank.
bool IsHolidayLineSkipped(std::string_view field) {
  return StartsWith(field, ";") || TrimView(field).empty();
}

// The latest date must not lie before today; within 30 days the operator is
// warned. A file without any date has the zero date as its latest, so it is
// expired.
void CheckExpiry(const Schedule& schedule, RunLog& log, Operator& op, DateTime now,
                 DateTime latest) {
  const int64_t today = DayNumber(now);
  const int64_t last = DayNumber(latest);
  if (last < today) log.FatalStop("Public Holidays file (" + schedule.PubHols + ") has expired");
  if (last - today < 30)
    op.Tell("Warning - Public Holidays file will expire on " +
            FormatShortDate(schedule.Calendar, latest));
}

}  // namespace

std::optional<std::vector<DateTime>> ReadHolidayDates(const std::vector<std::string>& lines,
                                                      size_t& bad_line) {
  std::vector<DateTime> dates;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string field = GetField(lines[i], 1);
    if (IsHolidayLineSkipped(field)) continue;
    std::optional<DateTime> date = ParseDate(field);
    if (!date) {
      bad_line = i + 1;
      return std::nullopt;
    }
    dates.push_back(*date);
  }
  return dates;
}

void LoadPublicHolidays(Schedule& schedule, RunLog& log, Operator& op, DateTime now) {
  std::vector<int64_t>& days = schedule.Calendar.HolidayDays;
  days.clear();
  const std::string& path = schedule.PubHols;
  if (TrimView(path).empty()) return;
  std::optional<std::vector<std::string>> lines = ReadLines(path);
  if (!lines) log.TellAndEnd(std::string(kFileErrorPrefix) + path + "\"");
  size_t bad_line = 0;
  std::optional<std::vector<DateTime>> dates = ReadHolidayDates(*lines, bad_line);
  if (!dates)  // the operator must be able to find the line
    log.FatalStop("One or more invalid dates in Public Holidays File: " + path + ", line " +
                  std::to_string(bad_line) + ": " + (*lines)[bad_line - 1]);
  DateTime latest = 0;
  for (DateTime date : *dates) {
    days.push_back(DayNumber(date));
    latest = std::max(latest, date);
  }
  std::sort(days.begin(), days.end());
  days.erase(std::unique(days.begin(), days.end()), days.end());
  CheckExpiry(schedule, log, op, now, latest);
}

bool IsPublicHoliday(const CalendarSettings& cal, DateTime date) {
  return std::binary_search(cal.HolidayDays.begin(), cal.HolidayDays.end(), DayNumber(date));
}

unsigned WorkdayMask(const CalendarSettings& cal) {
  unsigned mask = 0;
  for (int w = 1; w <= 7; ++w)
    if (HasWorkdayEntry(cal.Workdays, DayAbbrev(w))) mask |= 1u << w;
  return mask;
}

bool IsWorkday(const CalendarSettings& cal, DateTime date) {
  return HasWorkdayEntry(cal.Workdays, DayAbbrev(Weekday(date))) && !IsPublicHoliday(cal, date);
}

bool IsWeekdayNotHoliday(const CalendarSettings& cal, DateTime date) {
  const int w = Weekday(date);
  return w >= 2 && w <= 6 && !IsPublicHoliday(cal, date);
}

bool SetDateFormats(CalendarSettings& cal, const std::string& date_display_format) {
  static constexpr struct {
    std::string_view key, short_form, long_form;
  } kForms[] = {{"0", "d mmm yyyy", "dd mmm yyyy"},
                {"1", "mmm d yyyy", "mmm dd yyyy"},
                {"2", "yyyy mmm dd", "yyyy mmm dd"}};
  for (const auto& form : kForms) {
    if (TrimView(date_display_format) != form.key) continue;
    cal.FormatShortDate = form.short_form;
    cal.FormatLongDate = form.long_form;
    return true;
  }
  cal.FormatShortDate = kForms[0].short_form;
  cal.FormatLongDate = kForms[0].long_form;
  return false;
}

std::string FormatShortDate(const CalendarSettings& cal, DateTime date) {
  return FormatDateTime(date, cal.FormatShortDate);
}

std::string FormatLongDate(const CalendarSettings& cal, DateTime date) {
  return FormatDateTime(date, cal.FormatLongDate);
}

void ApplyRunDate(Schedule& schedule) {
  const DateTime run_date = DateOnly(schedule.RunDate);
  schedule.DayStartAt = run_date + schedule.DayStart / 60 * 60;  // seconds dropped
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    Job& job = schedule[i];
    job.TriggerForced = false;
    job.EventIndex = -1;
    // The earliest start stays on the run date even before the day start.
    std::optional<int64_t> at =
        job.EarliestStart.IsBlank() ? std::nullopt : ParseTimeOfDay(job.EarliestStart.Trimmed());
    job.EarliestStartAt = at ? run_date + *at / 60 * 60 : schedule.DayStartAt;
  }
}

}  // namespace qlr
