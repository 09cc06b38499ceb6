#pragma once
// What the window tests share: a GuiContext over fakes.

#include "support/fake_clock.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "ui/gui_context.h"

namespace qlr::testing {

// One schedule with its run log, seen through a fake clock, operator and desktop.
struct GuiBed {
  FakeClock clock;
  ScriptedOperator op;
  Schedule schedule;
  RunLog log{schedule, clock, op};
  RecordingDesktop desktop;
  GuiContext gui{schedule, log, op, desktop, clock};
};

}  // namespace qlr::testing
