// quillrun: the desktop program. Its one argument names the INI file and the
// TEMP option ("PATH,TEMP"); "quillrun PATH [TEMP]" is read the same way.

#include <QApplication>
#include <cstring>
#include <iostream>

#include "base/version.h"
#include "gui_program.h"
#include "session/startup_command_line.h"
#include "ui/program_end_guard.h"
#include "ui/window_capture.h"

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that it works without a display.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << qlr::VersionLine("quillrun") << "\n";
    return 0;
  }
  QApplication app(argc, argv);          // takes Qt's own options out of argv
  app.setQuitOnLastWindowClosed(false);  // only Exit ends the program
  qlr::WindowCapture capture;
  app.installEventFilter(&capture);
  qlr::GuiProgram program(qlr::StartupCommandLine({argv + 1, argv + argc}));
  qlr::RunGuarded([&] { program.Start(); });  // a fatal stop leaves with status 2
  return app.exec();
}
