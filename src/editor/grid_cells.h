#pragma once
// The text of one cell of the schedule grid: what column `column_id` (0..22,
// see grid_columns.h) shows for a job.

#include <string>
#include <string_view>

#include "log/run_log.h"
#include "model/job.h"
#include "model/schedule.h"

namespace qlr {

// The texts of a Boolean cell; the grid shows a picture in their place.
inline constexpr std::string_view kCellTrue = "True";
inline constexpr std::string_view kCellFalse = "False";

// The cell text; "" for an id outside 0..22. An empty RunAfter entry is a
// program error and ends the program through the fatal stop.
std::string CellText(const Schedule& schedule, RunLog& log, const Job& job, int column_id);

}  // namespace qlr
