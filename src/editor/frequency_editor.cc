#include "editor/frequency_editor.h"

#include <algorithm>

#include "base/date_format.h"
#include "base/text.h"
#include "calendar/frequency.h"
#include "calendar/holidays.h"
#include "model/constants.h"

namespace qlr {
namespace {

// The largest n a key allows; 0 when only the lower bound of 1 applies.
int64_t RelativeDayLimit(std::string_view key) {
  if (EndsWith(key, "ddd")) return 5;
  if (EndsWith(key, "CDOM")) return 31;
  if (EndsWith(key, "WDOM")) return 23;
  return 0;
}

// A whole number from 1 to the limit; a decimal part or other text is refused.
std::optional<int64_t> AcceptableNumber(std::string_view answer, int64_t limit) {
  const std::string_view t = TrimView(answer);
  if (t.empty() || t.size() > 9 ||
      !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const int64_t n = std::stoll(std::string(t));
  if (n < 1 || (limit > 0 && n > limit)) return std::nullopt;
  return n;
}

// Asks for a day abbreviation until one is given (returned as "Tue") or the
// answer is empty.
std::string ReadDayName(Operator& op) {
  static constexpr std::string_view kDays = " MON TUE WED THU FRI SAT SUN ";
  while (true) {
    std::optional<std::string> answer =
        op.Input("Please enter 3 character day name", "Day Name Input");
    if (!answer || TrimView(*answer).empty()) return "";
    const std::string day = Upper(TrimView(*answer));
    if (day.size() == 3 && kDays.find(" " + day + " ") != std::string_view::npos)
      return day.substr(0, 1) + Lower(day.substr(1));
  }
}

}  // namespace

std::vector<FrequencyKey> FrequencyKeys(const CalendarSettings& cal) {
  return {
      {"Daily", "Every day, no exceptions"},
      {"Weekdays", "Monday to Friday, excl non-working days"},
      {"Weekdays+", "Days following WeekDays"},
      {"Weekdays-", "Days preceding WeekDays"},
      {"Workdays", "Configured as " + cal.Workdays + ", excl non-working days"},
      {"Workdays+", "Days following WorkDays"},
      {"Workdays-", "Days preceding WorkDays"},
      {"Weekends", "Saturday & Sunday"},
      {"+nCDOM", "nth Calendar day in month"},
      {"-nCDOM", "nth Calendar day from end of month"},
      {"+nWDOM", "nth Working day in month"},
      {"-nWDOM", "nth Working from end of month"},
      {"+nddd", "nth specified day in month (e.g. 3rd Tuesday)"},
      {"-nddd", "nth specified day from end of month (e.g. 3rd Tuesday from end of month)"},
      {"Mon", "Every Monday"},
      {"Tue", "Every Tuesday"},
      {"Wed", "Every Wednesday"},
      {"Thu", "Every Thursday"},
      {"Fri", "Every Friday"},
      {"Sat", "Every Saturday"},
      {"Sun", "Every Sunday"},
      {"Selected Date", "Once, on a specified Date"},
  };
}

std::string ReadRelativeDay(Operator& op, std::string_view key) {
  size_t sign = key.find("-n");
  if (sign == std::string_view::npos) sign = key.find("+n");
  if (sign == std::string_view::npos) return std::string(key);
  while (true) {
    std::optional<std::string> answer =
        op.Input("Please enter a value for n", "Relative Day Input");
    if (!answer || TrimView(*answer).empty()) return "";
    // The number is written without leading zeros: "+03CDOM" would never hold.
    if (std::optional<int64_t> n = AcceptableNumber(*answer, RelativeDayLimit(key))) {
      std::string term(key);
      term.replace(sign + 1, 1, std::to_string(*n));
      return term;
    }
  }
}

std::string RelDaySelect(Operator& op, const CalendarSettings& cal, std::string_view key,
                         const std::function<std::optional<DateTime>()>& pick_date) {
  std::string term = ReadRelativeDay(op, key);
  if (term.empty()) return "";
  if (size_t at = term.find("ddd"); at != std::string::npos) {
    const std::string day = ReadDayName(op);
    if (day.empty()) return "";
    term.replace(at, 3, day);
  }
  if (key == "Selected Date") {
    std::optional<DateTime> picked = pick_date ? pick_date() : std::nullopt;
    return picked ? FormatLongDate(cal, *picked) : "";
  }
  return term;
}

std::string AddFrequencyTerm(std::string_view frequency, std::string_view term) {
  if (term.empty()) return std::string(frequency);
  return Trim(std::string(frequency) + " " + std::string(term));
}

std::vector<std::string> TryFrequency(const Schedule& schedule, std::string_view frequency,
                                      std::string_view skip_on) {
  const CalendarSettings& cal = schedule.Calendar;
  const std::optional<DateTime> skip_date = ParseDate(skip_on);
  const bool skip_always = !skip_date && TrimView(skip_on) == kSkipAlwaysKeyword;
  std::vector<std::string> entries;
  for (int i = 0; i < 350 && entries.size() < 20; ++i) {
    const DateTime day = AddDays(DateOnly(schedule.RunDate), i);
    if (!IsScheduledOn(cal, frequency, day)) continue;
    std::string entry = FormatDateTime(day, "dddd ") + FormatLongDate(cal, day);
    if (skip_always || (skip_date && DayNumber(*skip_date) == DayNumber(day)))
      entry += " (Skipped)";
    entries.push_back(std::move(entry));
  }
  return entries;
}

SkipOnList SkipOnChoices(const Schedule& schedule, std::string_view skip_on) {
  const std::optional<DateTime> date = ParseDate(skip_on);
  return {"", FormatShortDate(schedule.Calendar, date ? *date : schedule.RunDate),
          std::string(kSkipAlwaysKeyword), std::string(kOtherDate)};
}

int SkipOnEntry(const SkipOnList& choices, std::string_view skip_on) {
  for (int i = 0; i < 3; ++i)
    if (choices[static_cast<size_t>(i)] == TrimView(skip_on)) return i;
  return -1;
}

}  // namespace qlr
