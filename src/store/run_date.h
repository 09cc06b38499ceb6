#pragma once
// The launch window's run date: the text the operator types, steps with the
// arrows or picks from the calendar, and the run day it places.

#include <string>

#include "model/schedule.h"
#include "store/launch_values.h"

namespace qlr {

// The weekday name ("Friday") of the run date text; "" when it is no date.
std::string RunDateWeekday(const LaunchValues& launch);

// A typed or picked run date text that is a date becomes RunDate (the date
// only); false, and RunDate unchanged, when it is no date.
bool TakeRunDateText(Schedule& schedule, const LaunchValues& launch);

// The up and down arrows: `days` (+1 or -1) from the date in the text (from
// RunDate when the text is no date); the text is rewritten in the short
// display form and the run day placed on the clock (ApplyRunDate).
void StepRunDate(Schedule& schedule, LaunchValues& launch, int days);

// The run date the execution window reached, written back into the text.
void ShowRunDate(const Schedule& schedule, LaunchValues& launch);

}  // namespace qlr
