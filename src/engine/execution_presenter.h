#pragma once
// The execution window's texts, made from the engine's plain state: the Qt
// window and `qlr run` show them, the engine never reads them back.

#include <string>

#include "engine/engine.h"
#include "engine/window_state.h"
#include "model/schedule.h"

namespace qlr {

// "Started on dd-mmm-yy @ hh:mm:ss": when the window opened.
std::string StartedCaption(const WindowState& state);
// The window's caption: StartedCaption until it is first activated, then
// "Verlando. - " + the version text.
std::string WindowCaption(const WindowState& state, const Schedule& schedule);
// The title label: the version text once the window was activated, else "".
std::string TitleText(const WindowState& state, const Schedule& schedule);
// "TimerSecs/interval seconds", the interval in whole seconds.
std::string KickLabel(const WindowState& state);
std::string SuspendCaption(const WindowState& state);  // "&Suspend" or "Un&suspend"
// "Show E&vents/Unsubmitted Job Status", or "Hide" in place of "Show" while shown.
std::string EventsCaption(const WindowState& state);
// "dddd, <short date>" and, on a second line in parentheses, the run date's
// place in its month: "(+4CDOM, -28CDOM, +4WDOM, -19WDOM, +1Fri, -4Fri)".
std::string RunDateLabel(const Schedule& schedule);
std::string StartTimeLabel(const Schedule& schedule);  // DayStart as "hh:mm"
// The label above the unsubmitted list: the chosen job's entry, or its
// status report when that was asked for; "" when no job is chosen.
std::string UnsubLabel(Engine& engine);

}  // namespace qlr
