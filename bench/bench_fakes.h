#pragma once
// Stand-ins for the clock, the process launcher and the desktop, shared by
// the benchmarks: nothing real starts, the time stands still.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/process_launcher.h"
#include "support/fake_clock.h"

namespace qlr {

// The tests' clock, which the benchmarks never move: 4 Dec 2026 at noon
// unless told otherwise.
using StillClock = testing::FakeClock;

// Every job started keeps running, so each pass follows them all.
class RunningLauncher : public ProcessLauncher {
 public:
  std::optional<ProcessRef> Start(const LaunchRequest&) override { return ProcessRef{1, ++pid_}; }
  ProcessState Poll(const ProcessRef&) override { return {.running = true}; }
  std::vector<std::string> ReadOutput(const ProcessRef&, const std::string&, int64_t&) override {
    return {};
  }
  void Terminate(const ProcessRef&) override {}
  std::string error() const override { return {}; }

 private:
  int32_t pid_ = 1000;
};

// Nothing is opened, edited or copied.
class NoDesktop : public Desktop {
 public:
  bool EditText(const std::string&) override { return false; }
  bool SetClipboardText(const std::string&) override { return false; }
  bool OpenDocument(const std::string&) override { return false; }
};

}  // namespace qlr
