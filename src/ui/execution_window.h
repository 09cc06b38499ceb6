#pragma once
// The execution window (frmSched): one run day of the schedule, shown and
// driven through the engine.

#include <QWidget>

#include "engine/engine.h"
#include "messages/end_of_job.h"
#include "platform/process_launcher.h"
#include "ui/gui_context.h"

namespace qlr {

// Opens the execution window modally over `parent` and returns once it was
// closed (the schedule saved and "Closing" logged). The run date it reached
// is left in gui.schedule.RunDate for the launch window.
void RunExecutionWindow(GuiContext& gui, ProcessLauncher& launcher, EndOfJobMessages& messages,
                        const RunOptions& options, QWidget* parent);

}  // namespace qlr
