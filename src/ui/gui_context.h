#pragma once
// What every window works with: the one schedule, its run log, the operator's
// message boxes, the desktop services and the clock; and what the schedule
// editor's windows keep for the rest of the run.

#include <string_view>

#include "base/clock.h"
#include "editor/editor_state.h"
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
  // The group filter the grid shares with Modify Schedule, the copy buffer's state.
  EditorState editor{};
};

// The window's help command: opens the topic's page from HelpPath.
void ShowHelpTopic(GuiContext& gui, std::string_view topic);

}  // namespace qlr
