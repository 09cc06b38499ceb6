#pragma once
// Everything the GUI program holds from start-up to exit: the schedule, its
// log, the operator's message boxes, the settings, and the launch window with
// the real windows behind its commands.

#include <memory>
#include <string>

#include "base/clock.h"
#include "log/run_log.h"
#include "messages/message_file.h"
#include "model/schedule.h"
#include "platform/process_launcher_posix.h"
#include "session/startup.h"
#include "store/settings_store.h"
#include "ui/about_box.h"
#include "ui/gui_context.h"
#include "ui/launch_window.h"
#include "ui/qt_desktop.h"
#include "ui/qt_operator.h"

namespace qlr {

class GuiProgram {
 public:
  // `command_line`: the one comma-separated text start-up reads.
  explicit GuiProgram(std::string command_line);

  // The splash, the start-up sequence (a fatal stop ends the program), then
  // the launch window. Exit quits the application.
  void Start();

 private:
  LaunchActions Actions();
  FirstRunChoice AskFirstRun();

  SystemClock clock_;
  QtOperator op_;
  Schedule schedule_;
  RunLog log_{schedule_, clock_, op_};
  ProfileSettingsStore settings_{ProfileSettingsStore::DefaultPath()};
  QtDesktop desktop_{schedule_};
  GuiContext gui_{schedule_, log_, op_, desktop_, clock_};
  PosixProcessLauncher launcher_;
  MessageFiles messages_{log_, op_, clock_};
  StartupContext startup_;
  LaunchValues launch_;
  std::unique_ptr<AboutBox> splash_;
  std::unique_ptr<LaunchWindow> window_;
};

}  // namespace qlr
