#pragma once
// Writing and reading dates for people. Patterns use d dd ddd dddd, m mm mmm
// mmmm, yy yyyy, h hh, n nn, s ss (any letter case); "m"/"mm" right after an
// hour, or right before seconds, means minutes. Other characters are copied.
// Month and day names are English.

#include <optional>
#include <string>
#include <string_view>

#include "base/date_time.h"

namespace qlr {

std::string FormatDateTime(DateTime t, std::string_view pattern);

std::string_view MonthAbbrev(int month);  // 1..12 -> "Jan".."Dec"
std::string_view DayAbbrev(int weekday);  // 1..7 -> "Sun".."Sat"
std::string_view DayName(int weekday);    // 1..7 -> "Sunday".."Saturday"

// Reads "4 Dec 2026", "Dec 4 2026", "2026 Dec 04" (month abbreviation or full
// name, any case), "2026-12-04", "4/12/2026" or "4-12-2026", each optionally
// followed by "hh:mm" or "hh:mm:ss". Anything else, or an impossible date, is
// not a date (nullopt).
std::optional<DateTime> ParseDate(std::string_view text);

// "hh:mm" or "h:mm" (or with ":ss") as seconds since midnight; nullopt otherwise.
std::optional<int64_t> ParseTimeOfDay(std::string_view text);

}  // namespace qlr
