// qlr run: the execution window without a window.

#include <memory>

#include "base/date_format.h"
#include "base/encoding.h"
#include "calendar/holidays.h"
#include "editor/run_control.h"
#include "engine/engine.h"
#include "engine/launch.h"
#include "messages/message_file.h"
#include "platform/file_lock.h"
#include "platform/process_launcher_posix.h"
#include "qlr/command.h"
#include "qlr/console_operator.h"
#include "qlr/control_protocol.h"
#include "qlr/headless_runner.h"
#include "qlr/session.h"

namespace qlr {
namespace {

struct RunCommandOptions {
  std::string ini = {};
  std::string date = {};   // "" for the run date the launch window offers
  std::string start = {};  // "hh:mm"; "" for DayStart
  std::string cpu = {};    // "" for CPULimit
  bool suspended = false;
  bool serialise_dos = false;
  bool dummy = false;
  bool wait_for_triggers = false;
  bool dummy_messages = false;
  bool dummy_triggers = false;
  bool ignore_cpu_limit = false;
  bool until_complete = false;
};

// Answers the closing question OK once the runner was told to stop, so that
// SIGINT, SIGTERM and `qlr ctl stop` close the run as Exit does. While a
// request of `qlr ctl` is at work, its questions get the request's answer and
// what is told goes back with the reply. Otherwise as the console does.
class RunOperator : public Operator {
 public:
  explicit RunOperator(Operator& console) : console_(console) {}
  void Tell(const std::string& text, const std::string& title) override {
    if (control != nullptr && control->at_work()) control->Told(text);
    console_.Tell(text, title);
  }
  Answer Ask(const std::string& text, Buttons buttons, const std::string& title) override {
    if (closing && buttons == Buttons::OkCancel) return Answer::Ok;
    if (control != nullptr && control->at_work())
      return RequestAnswer(buttons, control->answering_yes());
    return console_.Ask(text, buttons, title);
  }
  std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                   const std::string& initial) override {
    return console_.Input(prompt, title, initial);
  }
  bool closing = false;
  RunControl* control = nullptr;

 private:
  static Answer RequestAnswer(Buttons buttons, bool yes) {
    switch (buttons) {
      case Buttons::Ok:
        return Answer::Ok;
      case Buttons::OkCancel:
        return yes ? Answer::Ok : Answer::Cancel;
      case Buttons::RetryCancel:
        return yes ? Answer::Retry : Answer::Cancel;
      case Buttons::YesNo:
      case Buttons::YesNoCancel:
        break;
    }
    return yes ? Answer::Yes : Answer::No;
  }

  Operator& console_;
};

// One request of `qlr ctl`, carried out between passes.
std::string Answer(RunControl& control, const std::string& line, bool& stop) {
  const std::optional<ControlRequest> request = ReadRequest(line);
  if (!request) return ReplyLine({false, false, "Not a request: " + Utf8ToCp1252(line), {}});
  const ControlReply reply = control.Carry(*request);
  stop = reply.stop;
  return ReplyLine(reply);
}

bool ApplyOptions(CliEnv& env, const RunCommandOptions& o, Session& session) {
  std::optional<DateTime> date;
  if (!ReadDateOption(env, "--date", o.date, date)) return false;
  LaunchValues& launch = session.launch;
  if (date) launch.RunDateText = FormatShortDate(session.schedule.Calendar, *date);
  if (!o.start.empty()) launch.StartTimeText = Utf8ToCp1252(o.start);
  if (!o.cpu.empty()) launch.CpuLimitText = Utf8ToCp1252(o.cpu);
  launch.StartSuspended = o.suspended;
  launch.SerialiseDosJobs = o.serialise_dos;
  launch.DummyRun = o.dummy;
  return true;
}

int Run(CliEnv& env, const RunCommandOptions& o, RunOperator& op) {
  Session session(env.clock, op);
  session.Load(o.ini);
  if (!ApplyOptions(env, o, session)) return 1;
  FileLock lock;
  if (!LaunchSchedule(session.schedule, session.log, session.op, session.launch, lock)) return 1;
  PosixProcessLauncher launcher;
  MessageFiles messages(session.log, session.op, session.clock);
  RunOptions options{false, o.ignore_cpu_limit, o.wait_for_triggers, o.dummy_messages,
                     o.dummy_triggers};
  Engine engine(session.schedule, {session.log, op, env.clock, launcher, messages}, options,
                StandardEngineHooks(session.schedule, session.log, op));
  ListPrinter printer(env.out);
  engine.SetView(&printer);
  RunControl control(session.schedule, engine, session.op);
  op.control = &control;
  ControlServer server;
  ControlChannel channel{server, [&control](const std::string& line, bool& stop) {
                           return Answer(control, line, stop);
                         }};
  if (!server.Listen(ControlSocketPath(session.schedule)))
    PrintError(env, "qlr ctl cannot reach this run: " + server.error());
  HeadlessOptions drive{o.until_complete, session.schedule.KickOnJobEnd, &channel};
  op.closing = DriveEngine(engine, launcher, drive);
  op.control = nullptr;
  engine.Close();
  return 0;
}

// Runs the schedule as the execution window would, printing each line of the
// window's list; returns after SIGINT or SIGTERM, or with `until_complete`
// once the day's jobs are done. Status 1 when the launch was refused.
int CmdRun(CliEnv& env, const RunCommandOptions& options) {
  ConsoleOperator console(env.err, env.yes);
  RunOperator op(console);
  return RunGuarded([&] { return Run(env, options, op); });
}

}  // namespace

Subcommand RegisterRun(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<RunCommandOptions>();
  RunCommandOptions& o = *options;
  CLI::App* sub = app.add_subcommand("run", "Run the schedule until stopped (SIGINT, SIGTERM)");
  AddIniArgument(*sub, o.ini);
  AddDateOption(*sub, o.date);
  sub->add_option("--start", o.start, "Start time of the run day, hh:mm (default: DayStart)");
  sub->add_option("--cpu", o.cpu, "CPU limit (default: CPULimit)");
  sub->add_flag("--suspended", o.suspended, "Start with submission suspended");
  sub->add_flag("--serialise-dos", o.serialise_dos, "Run at most one DOS job at a time");
  sub->add_flag("--dummy", o.dummy, "Dummy run: the dummy program runs in place of each job");
  sub->add_flag("--wait-for-triggers", o.wait_for_triggers, "Dummy run: wait for awaited files");
  sub->add_flag("--dummy-messages", o.dummy_messages, "Dummy run: write end-of-job messages");
  sub->add_flag("--dummy-triggers", o.dummy_triggers, "Dummy run: write end-of-job trigger files");
  sub->add_flag("--ignore-cpu-limit", o.ignore_cpu_limit, "Do not apply the CPU limit");
  sub->add_flag("--until-complete", o.until_complete, "Close once the day's jobs are done");
  return {sub, [&env, options] { return CmdRun(env, *options); }};
}

}  // namespace qlr
