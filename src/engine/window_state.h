#pragma once
// Everything the execution window shows, kept as plain state so that the Qt
// window and the headless runner are two thin views of one engine.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace qlr {

struct EventEntry {
  std::string text;  // JobName (8 characters) + tab + event text
  int16_t key = 0;
  // False for the lines Modify Schedule adds: they only tell what was done,
  // there is nothing to force.
  bool forceable = true;
};

struct WindowState {
  static constexpr size_t kMaxListLines = 500;

  std::deque<std::string> list;  // the day's log lines, newest last
  std::vector<EventEntry> events;
  std::vector<int> unsubmitted;  // job indexes; see Engine::UnsubText for the entry text
  int unsubmitted_selected = -1;

  std::string caption;           // "Started on dd-mmm-yy @ hh:mm:ss"
  std::string title;             // the version text, once the window was activated
  std::string window_caption;    // "Verlando. - " + the version text, likewise
  std::string run_date_label;
  std::string start_time_label;
  std::string kick_label;        // "5/10 seconds"
  std::string unsub_label;       // the label above the unsubmitted list
  std::string suspend_caption = "&Suspend";
  std::string events_caption = "Show E&vents/Unsubmitted Job Status";

  bool failure_warning_visible = false;
  bool events_shown = false;     // the events and unsubmitted panes
  bool kick_enabled = true;
  bool kick_highlighted = false;
  bool kick_int_enabled = true;
  bool next_day_enabled = false;
  bool suspend_enabled = true;
  bool suspend_highlighted = false;
  bool trigger_event_enabled = false;

  int timer_interval_ms = 0;     // the kick timer's next interval; 0 = stopped
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
