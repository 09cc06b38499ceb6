#pragma once
// Working days, public holidays, the date display forms and the placing of
// the run day on the clock.

#include <optional>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

// Reads PubHols into schedule.Calendar.HolidayDays and checks the file's
// expiry against the date of `now` (not the run date): fatal when expired or
// unreadable, or at the first line that is not a date (the message names its
// number and text); `op` is warned when it expires within 30 days. No file, no holidays.
void LoadPublicHolidays(Schedule& schedule, RunLog& log, Operator& op, DateTime now);

// The dates of a holidays file's lines, comment (";") and blank lines
// skipped; nullopt when a line is no date, its number (from 1) in bad_line.
std::optional<std::vector<DateTime>> ReadHolidayDates(const std::vector<std::string>& lines,
                                                      size_t& bad_line);

bool IsPublicHoliday(const CalendarSettings& cal, DateTime date);
// Bit w set (w = 1 Sunday .. 7 Saturday) when that day's "Ddd" is one of the
// comma-separated Workdays (exact, case-sensitive). Holidays play no part.
unsigned WorkdayMask(const CalendarSettings& cal);
// The date's "Ddd" is one of the comma-separated Workdays (exact, case-sensitive)
// and it is not a public holiday.
bool IsWorkday(const CalendarSettings& cal, DateTime date);
// Monday to Friday and not a public holiday; Workdays play no part.
bool IsWeekdayNotHoliday(const CalendarSettings& cal, DateTime date);

// Chooses the short and long display formats for DateDisplayFormat "0", "1"
// or "2"; false (and format "0") for any other value.
bool SetDateFormats(CalendarSettings& cal, const std::string& date_display_format);
std::string FormatShortDate(const CalendarSettings& cal, DateTime date);
std::string FormatLongDate(const CalendarSettings& cal, DateTime date);

// Recomputes DayStartAt and every job's EarliestStartAt for RunDate, and
// resets each job's TriggerForced and EventIndex.
void ApplyRunDate(Schedule& schedule);

}  // namespace qlr
