#pragma once
// The frequency language: which terms hold on a date, whether a frequency
// selects a date, skip settings, and the editor's aids for composing one.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

// The comma-separated terms that hold on the date, in their fixed order
// (fields 1..6 always present; 3 and 4 empty on a non-working day).
std::string ListTrueTerms(const CalendarSettings& cal, DateTime date);

// Whether the frequency selects the date (letter case ignored; an empty
// frequency selects every date).
bool IsScheduledOn(const CalendarSettings& cal, std::string_view frequency, DateTime date);

// Whether the job's SkipOn skips it on RunDate: a date equal to the run date,
// or the skip-always keyword.
bool IsSkipped(const Schedule& schedule, const Job& job);

struct FrequencyKey {
  std::string key;
  std::string description;
};
// The 22 keys the job editor offers, in order, with their descriptions.
std::vector<FrequencyKey> FrequencyKeys(const CalendarSettings& cal);

// Asks for n ("Please enter a value for n") when the key holds "-n" or "+n";
// returns the term, or "" when abandoned.
std::string ReadRelativeDay(Operator& op, std::string_view key);
// The term for a frequency key, asking what it needs; "" when abandoned.
// pick_date opens the date picker and returns the picked date, if any.
std::string RelDaySelect(Operator& op, const CalendarSettings& cal, std::string_view key,
                         const std::function<std::optional<DateTime>()>& pick_date);
// The frequency with the term appended after one blank, trimmed; unchanged for "".
std::string AddFrequencyTerm(std::string_view frequency, std::string_view term);

// The next run dates from RunDate: "dddd " + long form, " (Skipped)" when the
// skip choice skips it; at most 20 entries, at most 350 dates looked at.
std::vector<std::string> TryFrequency(const Schedule& schedule, std::string_view frequency,
                                      std::string_view skip_on);

}  // namespace qlr
