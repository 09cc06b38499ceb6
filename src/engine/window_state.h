#pragma once
// What the execution window shows, kept as plain state (flags, numbers, lists
// of lines) so that the Qt window and the headless runner are two thin views
// of one engine. Captions and labels are made from it by the presenter
// (execution_presenter.h); the engine never reads them back.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "base/date_time.h"

namespace qlr {

struct WindowState {
  static constexpr size_t kMaxListLines = 500;

  std::deque<std::string> list;      // the day's log lines, newest last
  std::vector<int> unsubmitted;      // job indexes of the waiting jobs, in job order
  int unsubmitted_selected = -1;     // a row of `unsubmitted`, or -1
  bool unsub_label_reports = false;  // the label shows the chosen job's status report

  DateTime started_at = 0;  // when the window opened
  bool activated = false;   // the window has been activated once
  bool suspended = false;
  bool events_shown = false;  // the events and unsubmitted panes
  bool failure_warning_visible = false;

  bool kick_enabled = true;
  bool kick_highlighted = false;
  bool kick_int_enabled = true;
  bool next_day_enabled = false;
  bool suspend_enabled = true;
  bool suspend_highlighted = false;
  bool trigger_event_enabled = false;

  int32_t timer_secs = 0;     // TimerSecs of the run day
  int timer_interval_ms = 0;  // the kick timer's next interval; 0 = stopped
};

// A view of the engine: told when anything it shows has changed.
class ExecutionView {
 public:
  virtual ~ExecutionView() = default;
  virtual void ListLineAdded(const std::string& line) = 0;  // also reflected in WindowState::list
  virtual void StateChanged() = 0;
  // Lets pending window events (timer ticks, commands) run in the middle of a pass.
  virtual void LetEventsRun() = 0;
};

}  // namespace qlr
