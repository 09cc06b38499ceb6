#include <string>

#include "engine/launch.h"
#include "platform/file_lock.h"
#include "qlr/commands.h"
#include "qlr/console_operator.h"
#include "qlr/session.h"
#include "store/schedule_file.h"
#include "store/startup.h"

namespace qlr {
namespace {

// Answers Reset's own questions: running `qlr reset` is the confirmation,
// and the flags say which trigger files go. Other questions (a failed save)
// are the console's.
class ResetOperator : public Operator {
 public:
  ResetOperator(ConsoleOperator& console, const ResetOptions& options)
      : console_(console), options_(options) {}

  void Tell(const std::string& text, const std::string& title) override {
    console_.Tell(text, title);
  }
  Answer Ask(const std::string& text, Buttons buttons, const std::string& title) override {
    if (text == "Are you sure you want to reset all scheduling values?") return Answer::Yes;
    if (text == "Do you want to delete standard trigger files?")
      return options_.standard_triggers ? Answer::Yes : Answer::No;
    if (text == "Do you want to delete non-standard trigger files?")
      return options_.other_triggers ? Answer::Yes : Answer::No;
    return console_.Ask(text, buttons, title);
  }
  std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                   const std::string& initial) override {
    return console_.Input(prompt, title, initial);
  }

 private:
  ConsoleOperator& console_;
  const ResetOptions& options_;
};

}  // namespace

int CmdReset(CliEnv& env, const ResetOptions& options) {
  return RunGuarded([&] {
    ConsoleOperator console(env.err, env.yes);
    ResetOperator op(console, options);
    Session s(env.clock, op);
    s.Load(options.ini);
    FileLock lock;  // never while the schedule runs
    if (!LockSchedule(s.schedule, op, lock)) return 1;
    return Reset(s.schedule, s.log) ? 0 : 1;
  });
}

int CmdRewrite(CliEnv& env, const std::string& ini) {
  return RunOnSchedule(env, ini, [&](Session& s) {
    FileLock lock;
    if (!LockSchedule(s.schedule, s.log.op(), lock)) return 1;
    return WriteSchedule(s.schedule, s.log) ? 0 : 1;
  });
}

}  // namespace qlr
