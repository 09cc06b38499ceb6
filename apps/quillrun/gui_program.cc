#include "gui_program.h"

#include <QCoreApplication>

#include "base/version.h"
#include "ui/dialogs.h"
#include "ui/execution_window.h"
#include "ui/first_run_dialog.h"
#include "ui/schedule_grid_window.h"

namespace qlr {

GuiProgram::GuiProgram(std::string command_line)
    : startup_{schedule_,
               log_,
               op_,
               clock_,
               settings_,
               QtFileChooser(),
               std::move(command_line),
               [this] { return AskFirstRun(); }} {}

void GuiProgram::Start() {
  splash_ = ShowSplash(kVersionText);
  StartUp(startup_, launch_);
  window_ = std::make_unique<LaunchWindow>(gui_, startup_, launch_, Actions());
  startup_.choose_file = QtFileChooser(window_.get());
  op_.SetParent(window_.get());
  window_->show();
  splash_.reset();
}

// The splash would stand in front of the dialog the operator has to answer.
FirstRunChoice GuiProgram::AskFirstRun() {
  if (splash_) splash_->hide();
  return RunFirstRunDialog(nullptr);
}

LaunchActions GuiProgram::Actions() {
  return {
      [this](const RunOptions& options) {
        RunExecutionWindow(gui_, launcher_, messages_, options, window_.get());
      },
      [this](RunOptions& options) { return RunDummyOptionsDialog(gui_, options, window_.get()); },
      [this] { RunLogViewDialog(gui_, window_.get()); },
      [this] { RunScheduleGrid(gui_, settings_, window_.get()); },
      [] { QCoreApplication::quit(); },
  };
}

}  // namespace qlr
