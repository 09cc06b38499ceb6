#pragma once
// The frequency language: which terms hold on a date, whether a frequency
// selects a date, and skip settings.

#include <string>
#include <string_view>

#include "base/date_time.h"
#include "model/schedule.h"

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

}  // namespace qlr
