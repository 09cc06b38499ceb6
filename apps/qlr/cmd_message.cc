// qlr message: a job's end-of-job message written now, so that an operator can
// see what its recipients will get before the night.

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "base/text.h"
#include "messages/message_file.h"
#include "messages/message_request.h"
#include "platform/file_system.h"
#include "qlr/command.h"
#include "qlr/session.h"

namespace qlr {
namespace {

struct MessageOptions {
  std::string ini = {};
  std::string job = {};
  bool abnormal = false;      // the abnormal message instead of the normal one
  bool has_failtext = false;  // the job's failure text becomes `failtext`
  std::string failtext = {};
};

// The job's facts as its end would leave them: it ends now, after its last
// run time when it has not started today, with the failure text given.
void PretendEnded(Job& job, DateTime now, const MessageOptions& options) {
  if (job.StartedAt == 0 || job.StartedAt > now)
    job.StartedAt = now - std::max<int32_t>(job.LastDuration, 0);
  job.EndedAt = now;
  if (!options.abnormal)
    job.FailText = "";
  else if (options.has_failtext)
    job.FailText = Utf8ToCp1252(options.failtext);
}

std::vector<std::string> MessageFilesIn(const Schedule& schedule) {
  return ListMatching(JoinPath(schedule.EmailPath, "*.eml"));
}

// Why the message cannot be written at all; "" when it can.
std::string Refusal(const Schedule& schedule, int job, const MessageRequest& request,
                    bool abnormal) {
  if (job == 0) return "no job of that name";
  if (schedule.EmailPath.empty()) return "EmailPath is not specified in " + schedule.IniFile;
  if (TrimView(request.to).empty())
    return "job " + schedule[job].JobName.Str() + " has no " + (abnormal ? "abnormal" : "normal") +
           " message recipients";
  return {};
}

// Writes the job's end-of-job message file as if the job had just ended and
// prints the path of the ".eml" file; status 1 when none was written.
int CmdMessage(CliEnv& env, const MessageOptions& options) {
  return RunOnSchedule(env, options.ini, [&](Session& s) {
    const int index = s.schedule.FindJob(Utf8ToCp1252(options.job));
    MessageRequest request =
        index == 0 ? MessageRequest{} : MessageRequestFor(s.schedule, index, options.abnormal);
    if (std::string refusal = Refusal(s.schedule, index, request, options.abnormal);
        !refusal.empty()) {
      PrintError(env, refusal);
      return 1;
    }
    PretendEnded(s.schedule[index], env.clock.Now(), options);
    const std::vector<std::string> before = MessageFilesIn(s.schedule);
    MessageFiles(s.log, s.op, s.clock).GenMessage(s.schedule, request);
    for (const std::string& path : MessageFilesIn(s.schedule))
      if (std::find(before.begin(), before.end(), path) == before.end()) {
        PrintLine(env.out, path);
        return 0;
      }
    PrintError(env, "no message file was written for job " + s.schedule[index].JobName.Str() +
                        " (the run log tells why)");
    return 1;
  });
}

}  // namespace

Subcommand RegisterMessage(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<MessageOptions>();
  MessageOptions& o = *options;
  CLI::App* sub =
      app.add_subcommand("message", "Write a job's end-of-job message file now and print its path");
  AddIniArgument(*sub, o.ini);
  sub->add_option("JOB", o.job, "The job's name")->required();
  sub->add_flag("--abnormal", o.abnormal,
                "The abnormal (failure) message instead of the normal one");
  auto* failtext =
      sub->add_option("--failtext", o.failtext, "The job's failure text (%ED% in the message)");
  sub->callback([&options = o, failtext] { options.has_failtext = failtext->count() > 0; });
  return {sub, [&env, options] { return CmdMessage(env, *options); }};
}

}  // namespace qlr
