#include "session/first_run.h"

#include "base/field.h"
#include "model/constants.h"
#include "platform/process_launcher_posix.h"
#include "store/profile_file.h"

namespace qlr {
namespace {

constexpr const char* kRunElsewhereWarning =
    "Warning:  The same Quillrun schedule cannot be run on more than one computer "
    "simultaneously.\n\n"
    "The schedule to be executed on this computer should be disabled from execution "
    "elsewhere.\n\n"
    "Press Cancel to terminate or OK to locate the Quillrun INI file for the required schedule.";

// Starts the program on its own, without arguments; false when it could not be started.
bool StartProgram(const std::string& program) {
  PosixProcessLauncher launcher;
  return launcher.Start({QuoteText(program), false, ""}).has_value();
}

}  // namespace

std::string FindExistingSchedule(StartupContext& ctx) {
  Operator& op = ctx.op;
  if (op.Ask(kRunElsewhereWarning, Buttons::OkCancel) != Answer::Ok)
    throw ProgramEnd("No schedule chosen");
  for (;;) {
    std::string path = ctx.choose_file ? ctx.choose_file("", "Ini Files (*.ini)|*.ini") : "";
    if (path.empty()) ctx.log.TellAndEnd("No ini file selected.  Quillrun terminated.");
    if (!IniRead(kSettingsName, "ScheduleName", path).empty()) {
      ctx.settings.Set(std::string(kSettingsName), "Current", path);
      ctx.schedule.IniFile = path;
      return path;
    }
    if (op.Ask("That file does not appear to be a Quillrun ini file.", Buttons::OkCancel) !=
        Answer::Ok)
      throw ProgramEnd("No schedule chosen");
  }
}

void RunTovani(const Schedule& schedule, Operator& op) {
  if (!StartProgram(schedule.TovaniProgram))
    op.Tell("Error invoking  \"" + schedule.TovaniProgram + "\"");
  throw ProgramEnd("The schedule is created by " + schedule.TovaniProgram);
}

}  // namespace qlr
