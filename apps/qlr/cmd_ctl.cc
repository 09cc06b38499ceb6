// qlr ctl: operates a running `qlr run` of the schedule through its socket,
// with the powers the execution window gives an operator.

#include <memory>
#include <string>

#include "base/encoding.h"
#include "engine/launch.h"
#include "model/constants.h"
#include "platform/control_socket.h"
#include "platform/file_system.h"
#include "qlr/command.h"
#include "qlr/control_protocol.h"
#include "qlr/session.h"
#include "store/profile_file.h"

namespace qlr {
namespace {

// A status of the largest schedule is a few megabytes, made between passes.
constexpr int kAnswerTimeoutMs = 30000;
constexpr int kNotListening = 3;

struct CtlOptions {
  std::string ini;
  ControlRequest request;
  bool json = false;
};

// The schedule file the INI file names, found as start-up finds it; the INI
// file is only read.
std::optional<std::string> ScheduleFileOf(CliEnv& env, const std::string& ini_utf8) {
  const std::string ini = ResolvePath(CurrentDir(), Utf8ToCp1252(ini_utf8));
  if (!FileExists(ini)) {
    PrintError(env, "Cannot find INI file: " + ini);
    return std::nullopt;
  }
  const std::string file = IniRead(kSettingsName, "ScheduleFile", ini);
  if (file.empty()) {
    PrintError(env, "No ScheduleFile in " + ini);
    return std::nullopt;
  }
  return ResolvePath(DirName(ini), file);
}

int Ctl(CliEnv& env, CtlOptions& o) {
  const std::optional<std::string> schedule_file = ScheduleFileOf(env, o.ini);
  if (!schedule_file) return 1;
  Schedule schedule;
  schedule.ScheduleFile = *schedule_file;
  o.request.yes = env.yes;
  const std::optional<std::string> answer =
      SendControlRequest(ControlSocketPath(schedule), RequestLine(o.request), kAnswerTimeoutMs);
  if (!answer) {
    PrintError(env, "No run of " + *schedule_file + " is listening");
    return kNotListening;
  }
  std::string text;
  bool ok = false;
  if (!ReplyText(*answer, text, ok)) {
    PrintError(env, "The run gave an answer that does not read: " + Utf8ToCp1252(*answer));
    return 1;
  }
  std::ostream& out = ok ? env.out : env.err;
  if (o.json)
    env.out << *answer << "\n";
  else if (!text.empty())
    out << (ok ? "" : "qlr: ") << text << "\n";
  return ok ? 0 : 1;
}

// A command of `qlr ctl`, with the job it names when it names one.
CLI::App* AddCommand(CLI::App& ctl, const char* name, const char* about, CtlOptions& o,
                     bool names_job) {
  CLI::App* sub = ctl.add_subcommand(name, about);
  sub->fallthrough();
  sub->callback([&o, name] { o.request.command = name; });
  if (names_job) sub->add_option("JOB", o.request.job, "The job")->required();
  return sub;
}

}  // namespace

Subcommand RegisterCtl(CLI::App& app, CliEnv& env) {
  auto o = std::make_shared<CtlOptions>();
  CLI::App* ctl = app.add_subcommand("ctl", "Operate a running qlr run of the schedule");
  ctl->require_subcommand(1);
  ctl->fallthrough();
  AddIniArgument(*ctl, o->ini);
  ctl->add_flag("--json", o->json, "Print the run's answer as one JSON object");
  AddCommand(*ctl, "status", "Run date, states, waiting jobs, events and the last log lines", *o,
             false);
  AddCommand(*ctl, "kick", "A pass now", *o, false);
  AddCommand(*ctl, "suspend", "Suspend submission", *o, false);
  AddCommand(*ctl, "resume", "Resume submission", *o, false);
  AddCommand(*ctl, "next-day", "Roll over to the next day (asks; --yes answers Yes)", *o, false);
  AddCommand(*ctl, "force", "Force the job's entry in the events list (asks once)", *o, true);
  AddCommand(*ctl, "submit", "Force the submission of a waiting job (asks)", *o, true);
  for (const char* name : {"unsched", "resched"}) {
    CLI::App* modify = AddCommand(
        *ctl, name,
        std::string(name) == "unsched" ? "Take the job off the day" : "Put the job back on the day",
        *o, true);
    modify->add_flag("--cascade", o->request.cascade, "The jobs that wait on it too");
  }
  AddCommand(*ctl, "stop", "Close the run as SIGTERM does", *o, false);
  return {ctl, [&env, o] { return RunGuarded([&] { return Ctl(env, *o); }); }};
}

}  // namespace qlr
