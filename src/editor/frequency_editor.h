#pragma once
// The job editor's aids for composing a frequency and a Skip On value: the
// frequency keys, the prompts that turn a key into a term, the list of the
// next run dates, and the Skip On choice list.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

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

inline constexpr std::string_view kOtherDate = "Other Date";
using SkipOnList = std::array<std::string, 4>;

// The Skip On choices: "", a date in the short display form (the job's SkipOn
// when that is a date, else the run date), the skip-always keyword, "Other Date".
SkipOnList SkipOnChoices(const Schedule& schedule, std::string_view skip_on);
// The entry equal to the trimmed SkipOn (0..2); -1 when none is.
int SkipOnEntry(const SkipOnList& choices, std::string_view skip_on);

}  // namespace qlr
