// The entry point the launch window opens the execution window through; the
// only place the window is given the real Modify Schedule and log view dialogs.

#include "ui/dialogs.h"
#include "ui/execution_window.h"
#include "ui/qt_operator.h"

namespace qlr {

void RunExecutionWindow(GuiContext& gui, ProcessLauncher& launcher, EndOfJobMessages& messages,
                        const RunOptions& options, QWidget* parent) {
  ExecutionWindow window(gui, launcher, messages, options, parent);
  window.SetModifyScheduleHook(RunModifyScheduleDialog);
  window.SetLogViewHook(RunLogViewDialog);
  // Questions of the run are asked over this window, not the hidden launch window.
  auto* boxes = dynamic_cast<QtOperator*>(&gui.op);
  if (boxes != nullptr) boxes->SetParent(&window);
  window.exec();
  if (boxes != nullptr) boxes->SetParent(parent);
}

}  // namespace qlr
