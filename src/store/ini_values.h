#pragma once
// Start-up values that must read as a number, a time of day or a Y/N flag.
// Each is read as it always was (the leading number; "Y" in any letter case);
// a value that does not read cleanly gives the operator one warning naming the
// key, the value and what is used instead. An empty value takes the default
// without a word.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

// The leading number, rounded (halves to even) and held within [min, max];
// a result of 0 (an empty value too) becomes `zero_as`. Warns when the value
// is not a number or lies outside [min, max].
int64_t IniNumber(Operator& op, std::string_view key, std::string_view value, int64_t min,
                  int64_t max, int64_t zero_as = 0);

// The time of day "h:mm" or "hh:mm" (optionally ":ss") as it is to be shown;
// "00:00" for a blank value, and, with a warning, for one that is not a time.
std::string IniTime(Operator& op, std::string_view key, std::string_view value);

// True for "Y" in any letter case (with `first_letter`, for any value starting
// with "Y" or "y"). Warns, and reads false, for a value that is not Y or N
// (nor starts with either, with `first_letter`).
bool IniFlag(Operator& op, std::string_view key, std::string_view value, bool first_letter = false);

// Reads a key of the schedule's INI file for start-up: an empty value is added
// to `missing` (", KEY") and written to the INI file with the default; a value
// equal to the default reads as "".
std::string IniGetWarn(const Schedule& schedule, std::string_view key, std::string& missing,
                       std::string_view default_value);

}  // namespace qlr
