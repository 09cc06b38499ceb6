#pragma once
// The headless view of the engine: prints each line of the window's list as it
// is added, and kicks the engine whenever its timer interval has passed (or,
// with KickOnJobEnd, a job's process ended), until the day completes (when
// asked to stop there) or SIGINT or SIGTERM ask it to close.

#include <ostream>

#include "engine/engine.h"
#include "engine/window_state.h"

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

struct HeadlessOptions {
  bool until_complete = false;   // close after the pass that finds the day complete
  bool kick_on_job_end = false;  // a pass also runs as soon as a job's process ends
};

// Opens the engine and drives it; returns when it is time to close (the
// engine is not closed here). True when a stop signal asked for it.
bool DriveEngine(Engine& engine, PosixProcessLauncher& launcher, const HeadlessOptions& options);

}  // namespace qlr
