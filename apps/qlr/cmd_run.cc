// qlr run: the execution window without a window.

#include "base/date_format.h"
#include "base/encoding.h"
#include "calendar/holidays.h"
#include "engine/engine.h"
#include "engine/launch.h"
#include "messages/message_file.h"
#include "platform/file_lock.h"
#include "platform/process_launcher_posix.h"
#include "qlr/commands.h"
#include "qlr/console_operator.h"
#include "qlr/headless_runner.h"
#include "qlr/session.h"

namespace qlr {
namespace {

// Answers the closing question OK once the runner was told to stop, so that
// SIGINT and SIGTERM close the run as Exit does; otherwise as the console does.
class RunOperator : public Operator {
 public:
  explicit RunOperator(Operator& console) : console_(console) {}
  void Tell(const std::string& text, const std::string& title) override {
    console_.Tell(text, title);
  }
  Answer Ask(const std::string& text, Buttons buttons, const std::string& title) override {
    if (closing && buttons == Buttons::OkCancel) return Answer::Ok;
    return console_.Ask(text, buttons, title);
  }
  std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                   const std::string& initial) override {
    return console_.Input(prompt, title, initial);
  }
  bool closing = false;

 private:
  Operator& console_;
};

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
  if (!LaunchSchedule(session.schedule, session.log, session.launch, lock)) return 1;
  PosixProcessLauncher launcher;
  MessageFiles messages(session.log);
  RunOptions options{false, o.ignore_cpu_limit, o.wait_for_triggers, o.dummy_messages,
                     o.dummy_triggers};
  Engine engine(session.schedule, {session.log, op, env.clock, launcher, messages}, options,
                StandardEngineHooks(session.schedule, session.log));
  ListPrinter printer(env.out);
  engine.SetView(&printer);
  op.closing = DriveEngine(engine, launcher, {o.until_complete, session.schedule.KickOnJobEnd});
  engine.Close();
  return 0;
}

}  // namespace

int CmdRun(CliEnv& env, const RunCommandOptions& options) {
  ConsoleOperator console(env.err, env.yes);
  RunOperator op(console);
  return RunGuarded([&] { return Run(env, options, op); });
}

}  // namespace qlr
