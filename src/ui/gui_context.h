#pragma once
// What every window works with: the one schedule, its run log, the operator's
// message boxes, the desktop services and the clock.

#include <string_view>

#include "base/clock.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/desktop.h"
#include "platform/operator.h"

namespace qlr {

struct GuiContext {
  Schedule& schedule;
  RunLog& log;
  Operator& op;
  Desktop& desktop;
  const Clock& clock;
};

// The window's help command: opens the topic's page from HelpPath.
void ShowHelpTopic(GuiContext& gui, std::string_view topic);

}  // namespace qlr
