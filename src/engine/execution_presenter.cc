#include "engine/execution_presenter.h"

#include "base/date_format.h"
#include "base/field.h"
#include "calendar/frequency.h"
#include "calendar/holidays.h"

namespace qlr {

std::string StartedCaption(const WindowState& state) {
  return "Started on " + FormatDateTime(state.started_at, "dd-mmm-yy") + " @ " +
         FormatDateTime(state.started_at, "hh:nn:ss");
}

std::string WindowCaption(const WindowState& state, const Schedule& schedule) {
  return state.activated ? "Verlando. - " + schedule.VersionText : StartedCaption(state);
}

std::string TitleText(const WindowState& state, const Schedule& schedule) {
  return state.activated ? schedule.VersionText : std::string();
}

std::string KickLabel(const WindowState& state) {
  return std::to_string(state.timer_secs) + "/" + std::to_string(state.timer_interval_ms / 1000) +
         " seconds";
}

std::string SuspendCaption(const WindowState& state) {
  return state.suspended ? "Un&suspend" : "&Suspend";
}

std::string EventsCaption(const WindowState& state) {
  return std::string(state.events_shown ? "Hide" : "Show") + " E&vents/Unsubmitted Job Status";
}

std::string RunDateLabel(const Schedule& schedule) {
  const std::string terms = ListTrueTerms(schedule.Calendar, schedule.RunDate);
  std::string f[7];
  for (int i = 1; i <= 6; ++i) f[i] = GetField(terms, i);
  std::string place = f[2] + ", " + f[1];
  for (int i : {4, 3})
    if (!f[i].empty()) place += ", " + f[i];
  place += ", " + f[6] + ", " + f[5];
  return FormatDateTime(schedule.RunDate, "dddd") + ", " +
         FormatShortDate(schedule.Calendar, schedule.RunDate) + "\n(" + place + ")";
}

std::string StartTimeLabel(const Schedule& schedule) {
  return FormatDateTime(schedule.DayStart, "hh:nn");
}

std::string UnsubLabel(Engine& engine) {
  const WindowState& state = engine.window();
  const int row = state.unsubmitted_selected;
  if (row < 0 || row >= static_cast<int>(state.unsubmitted.size())) return {};
  if (state.unsub_label_reports)
    return engine.WaitReasons(state.unsubmitted[static_cast<size_t>(row)]);
  return engine.UnsubText(PaneRow{row});
}

}  // namespace qlr
