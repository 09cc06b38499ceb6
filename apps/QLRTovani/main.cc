// QLRTovani: creates a new schedule through a wizard, makes it this user's
// default schedule and starts quillrun on it. Start-up's first-run choice
// "I want to create a new schedule." starts it from the program's folder.

#include <QApplication>
#include <cstring>
#include <iostream>

#include "base/clock.h"
#include "base/field.h"
#include "base/version.h"
#include "log/run_log.h"
#include "platform/file_system.h"
#include "platform/install_layout.h"
#include "platform/process_launcher_posix.h"
#include "store/settings_store.h"
#include "ui/new_schedule_wizard.h"
#include "ui/program_end_guard.h"
#include "ui/qt_desktop.h"
#include "ui/qt_operator.h"
#include "ui/window_capture.h"

namespace {

// The help pages of an installed copy, or of the source tree beside a build.
std::string HelpFolder() {
  const std::string exe = qlr::ExecutableDir();
  const std::string installed = qlr::InstalledHelpDir(exe);
  if (qlr::DirExists(installed)) return installed;
  const std::string source = qlr::JoinPath(exe, "../../docs/help");
  return qlr::DirExists(source) ? source : "";
}

bool StartQuillrun(const std::string& ini) {
  qlr::PosixProcessLauncher launcher;
  const std::string program = qlr::JoinPath(qlr::ExecutableDir(), "quillrun");
  return launcher.Start({qlr::QuoteText(program) + " " + qlr::QuoteText(ini), false, ""})
      .has_value();
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that it works without a display.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << qlr::VersionLine("QLRTovani") << "\n";
    return 0;
  }
  QApplication app(argc, argv);
  qlr::WindowCapture capture;
  app.installEventFilter(&capture);
  qlr::SystemClock clock;
  qlr::QtOperator op;
  qlr::Schedule schedule;  // none yet: it holds the help folder
  schedule.HelpPath = HelpFolder();
  qlr::RunLog log(schedule, clock, op);
  qlr::QtDesktop desktop(schedule);
  qlr::GuiContext gui{schedule, log, op, desktop, clock};
  qlr::ProfileSettingsStore settings(qlr::ProfileSettingsStore::DefaultPath());
  qlr::NewScheduleWizard wizard(gui, settings, StartQuillrun);
  op.SetParent(&wizard);
  int status = 1;
  qlr::RunGuarded([&] { status = wizard.exec() == QDialog::Accepted ? 0 : 1; });
  return status;
}
