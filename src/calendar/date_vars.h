#pragma once
// Date variables: &NAME& references in a command line replaced by dates
// relative to the run date.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/date_time.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "model/text_list.h"
#include "platform/operator.h"

namespace qlr {

using DateVarList = TextList<7>;

// The command line with every reference to an active variable replaced by its
// value for RunDate (combined with the time of day of `now`), trimmed.
// A ±nRUND variable of a job without frequency tells `op` and assumes
// "WeekDays" for the rest of the substitution. An impossible "DOM" day is fatal.
std::string SubstituteDateVars(const Schedule& schedule, RunLog& log, Operator& op, DateTime now,
                               std::string_view command_line, const DateVarList& date_vars,
                               std::string_view frequency);

// The date a relative day names (see the README's table of forms). The
// searches by run dates or working days give up after 3660 days and then
// name the run date.
DateTime ResolveRelativeDay(const Schedule& schedule, RunLog& log, DateTime month_start,
                            std::string_view frequency, std::string_view relative_day);

// The edit dialog's OK checks: "" when the definition may be stored, else the
// lines "No format string specified", "No Relative Day in Month specified",
// "No Variable Name specified" (those that apply, one per line).
std::string CheckDateVar(std::string_view name, std::string_view relative_day,
                         std::string_view format);

// A Rel Month moves the target month at most this many months either way.
inline constexpr int32_t kMaxRelMonth = 1200;

// "" when the Rel Month text is empty or a number of months from -kMaxRelMonth
// to kMaxRelMonth (inclusive, halves to even); otherwise the message
// Rel Month "<text>" is not a number of months from -1200 to 1200
// for the reader's diagnostics, qlr check and the edit dialog's checks.
std::string CheckRelMonth(std::string_view rel_month);

// The relative-day keys the edit dialog offers, in order.
const std::array<std::string_view, 11>& RelativeDayKeys();

}  // namespace qlr
