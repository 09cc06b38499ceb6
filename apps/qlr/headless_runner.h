#pragma once
// The headless view of the engine: prints each line of the window's list as it
// is added, and kicks the engine whenever its timer interval has passed (or,
// with KickOnJobEnd, a job's process ended), until the day completes (when
// asked to stop there) or SIGINT or SIGTERM ask it to close.

#include <functional>
#include <ostream>
#include <string>

#include "engine/engine.h"
#include "engine/window_state.h"
#include "platform/control_socket.h"

namespace qlr {

class PosixProcessLauncher;

class ListPrinter : public ExecutionView {
 public:
  explicit ListPrinter(std::ostream& out) : out_(out) {}
  void ListLineAdded(const std::string& line) override;
  void StateChanged() override {}
  void LetEventsRun() override {}

 private:
  std::ostream& out_;
};

// Requests that come through the run's socket: each line is answered by
// `answer`, between passes; `stop` set by it closes the run after the answer.
struct ControlChannel {
  ControlServer& server;
  std::function<std::string(const std::string& line, bool& stop)> answer;
};

struct HeadlessOptions {
  bool until_complete = false;   // close after the pass that finds the day complete
  bool kick_on_job_end = false;  // a pass also runs as soon as a job's process ends
  ControlChannel* control = nullptr;
};

// Opens the engine and drives it; returns when it is time to close (the
// engine is not closed here). True when a stop signal or request asked for it.
bool DriveEngine(Engine& engine, PosixProcessLauncher& launcher, const HeadlessOptions& options);

}  // namespace qlr
