#include "calendar/date_vars.h"

#include <cstdlib>

#include "base/date_format.h"
#include "base/field.h"
#include "base/number.h"
#include "base/text.h"
#include "calendar/frequency.h"
#include "calendar/holidays.h"

namespace qlr {
namespace {

// How far the day-by-day searches look before giving up on a frequency that
// selects nothing or a calendar without working days.
constexpr int kSearchDays = 3660;

// The relative day in capitals has text before "RUND": the job's n-th next
// or previous run date, which needs a frequency.
bool IsRunDateCount(std::string_view relative_day) {
  const std::string_view r = TrimView(relative_day);
  if (EndsWith(r, "DOM")) return false;
  const size_t p = Upper(r).find("RUND");
  return p != std::string::npos && p > 0;
}

// The first day of the month whose true terms contain the relative day.
DateTime ResolveDayOfMonth(const Schedule& schedule, RunLog& log, DateTime month_start,
                           const std::string& r) {
  const int month = ToCivilDate(month_start).month;
  for (DateTime day = DateOnly(month_start); ToCivilDate(day).month == month; day = AddDays(day, 1))
    if (ListTrueTerms(schedule.Calendar, day).find(r) != std::string::npos) return day;
  log.FatalStop("Invalid relative day number: (\"" + r + "\") requested in " +
                FormatDateTime(month_start, "mmm yyyy"));
}

// Steps one day at a time from the run date until `count` days have passed
// `counts`; the run date when the search gives up.
template <typename Counts>
DateTime StepCounting(DateTime run_date, int step, int64_t count, Counts counts) {
  if (count == 0) return run_date;
  DateTime day = run_date;
  for (int i = 0; i < kSearchDays; ++i) {
    day = AddDays(day, step);
    if (counts(day) && --count == 0) return day;
  }
  return run_date;
}

// "RUND+nCD", "RUND-nWD" and the like: calendar or working days from the run date.
DateTime ResolveRundOffset(const Schedule& schedule, const std::string& r) {
  const DateTime run_date = DateOnly(schedule.RunDate);
  const size_t sign = r.find_first_of("+-");
  if (sign == std::string::npos) return run_date;
  const int64_t n = ReadWhole(std::string_view(r).substr(sign + 1), 0, INT32_MAX);
  const bool calendar = EndsWith(r, "CD");  // as written: "rund-2cd" counts working days
  return StepCounting(run_date, r[sign] == '-' ? -1 : 1, n,
                      [&](DateTime day) { return calendar || IsWorkday(schedule.Calendar, day); });
}

// "+nRUND" / "-nRUND": the job's n-th next or previous run date.
DateTime ResolveRunCount(const Schedule& schedule, std::string_view frequency,
                         const std::string& r) {
  const int64_t k = ReadWhole(r, INT32_MIN + 1, INT32_MAX);
  return StepCounting(DateOnly(schedule.RunDate), k < 0 ? -1 : 1, std::llabs(k), [&](DateTime day) {
    return IsScheduledOn(schedule.Calendar, frequency, day);
  });
}

std::string NoFrequencyMessage() {
  return std::string("The job does not have a run frequency and one is required for evaluation ") +
         "\n" + "of one or more computed RunDate variables (+nRUND or -nRUND)." + "\n" +
         "\"Weekdays\" assumed.";
}

// The value of one reference: the resolved date with the present time of day,
// in the definition's format.
std::string DateVarValue(const Schedule& schedule, RunLog& log, DateTime now,
                         std::string_view definition, std::string_view frequency) {
  const CivilDate run = ToCivilDate(schedule.RunDate);
  // A Rel Month beyond the bound is refused where definitions are made and
  // reported where they are read; here it only must not overflow.
  const auto rel_month =
      static_cast<int32_t>(ReadWhole(GetField(definition, 3), -kMaxRelMonth, kMaxRelMonth));
  const DateTime month_start = FirstOfMonth(run.year, run.month + rel_month);
  const DateTime date =
      ResolveRelativeDay(schedule, log, month_start, frequency, GetField(definition, 2));
  return FormatDateTime(DateOnly(date) + TimeOfDay(now), GetField(definition, 4));
}

}  // namespace

DateTime ResolveRelativeDay(const Schedule& schedule, RunLog& log, DateTime month_start,
                            std::string_view frequency, std::string_view relative_day) {
  const std::string r = Trim(relative_day);
  if (EndsWith(r, "DOM")) return ResolveDayOfMonth(schedule, log, month_start, r);
  const size_t p = Upper(r).find("RUND");
  if (p == std::string::npos) return DateOnly(schedule.RunDate);
  if (p > 0) return ResolveRunCount(schedule, frequency, r);
  return ResolveRundOffset(schedule, r);
}

std::string SubstituteDateVars(const Schedule& schedule, RunLog& log, Operator& op, DateTime now,
                               std::string_view command_line, const DateVarList& date_vars,
                               std::string_view frequency) {
  std::string text = " " + std::string(command_line);
  std::string freq(frequency);
  for (std::string_view definition : date_vars) {
    const std::string relative_day = GetField(definition, 2);
    if (TrimView(relative_day).empty()) continue;
    const std::string reference = "&" + Upper(Trim(GetField(definition, 1))) + "&";
    for (size_t at = FindNoCase(text, reference); at != std::string::npos;) {
      if (IsRunDateCount(relative_day) && TrimView(freq).empty()) {
        op.Tell(NoFrequencyMessage());
        freq = "WeekDays";  // for the rest of this substitution; the job keeps its own
      }
      const std::string value = DateVarValue(schedule, log, now, definition, freq);
      text.replace(at, reference.size(), value);
      at = FindNoCase(text, reference, at + value.size());
    }
  }
  return Trim(text);
}

std::string CheckDateVar(std::string_view name, std::string_view relative_day,
                         std::string_view format) {
  std::string lines;
  auto add = [&lines](std::string_view line) {
    if (!lines.empty()) lines += "\n";
    lines += line;
  };
  if (TrimView(format).empty()) add("No format string specified");
  if (TrimView(relative_day).empty()) add("No Relative Day in Month specified");
  if (TrimView(name).empty()) add("No Variable Name specified");
  return lines;
}

std::string CheckRelMonth(std::string_view rel_month) {
  const std::string_view t = TrimView(rel_month);
  if (t.empty() || (IsNumeric(t) && std::llabs(ReadWhole(t, INT32_MIN, INT32_MAX)) <= kMaxRelMonth))
    return {};
  return "Rel Month \"" + std::string(t) + "\" is not a number of months from -" +
         std::to_string(kMaxRelMonth) + " to " + std::to_string(kMaxRelMonth);
}

const std::array<std::string_view, 11>& RelativeDayKeys() {
  static constexpr std::array<std::string_view, 11> kKeys = {
      "RunDate", "-nWDOM",   "+nWDOM",   "-nCDOM",   "+nCDOM",  "-nRUND",
      "+nRUND",  "RUND-nWD", "RUND+nWD", "RUND-nCD", "RUND+nCD"};
  return kKeys;
}

}  // namespace qlr
