#include <memory>
#include <optional>
#include <string>

#include "base/encoding.h"
#include "calendar/date_vars.h"
#include "qlr/command.h"
#include "qlr/session.h"

namespace qlr {
namespace {

struct SubstOptions {
  std::string ini = {};
  std::string job = {};
  std::string date = {};
  bool has_text = false;  // substitute `text` instead of the job's command line
  std::string text = {};
};

// The job's command line (or the text) with its date variables substituted.
int CmdSubst(CliEnv& env, const SubstOptions& options) {
  std::optional<DateTime> date;
  if (!ReadDateOption(env, "--date", options.date, date)) return 1;
  return RunOnSchedule(env, options.ini, [&](Session& s) {
    s.SetRunDate(date);
    std::string name = Utf8ToCp1252(options.job);
    int index = s.schedule.FindJob(name);
    if (index == 0) {
      PrintError(env, "no job named " + name);
      return 1;
    }
    const Job& job = s.schedule[index];
    std::string text = options.has_text ? Utf8ToCp1252(options.text) : job.CommandLine;
    PrintLine(env.out, SubstituteDateVars(s.schedule, s.log, s.op, s.clock.Now(), text,
                                          job.DateVars, job.Frequency));
    return 0;
  });
}

}  // namespace

Subcommand RegisterSubst(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<SubstOptions>();
  SubstOptions& o = *options;
  CLI::App* sub = app.add_subcommand("subst", "Substitute a job's date variables");
  AddIniArgument(*sub, o.ini);
  sub->add_option("JOB", o.job, "The job's name")->required();
  AddDateOption(*sub, o.date);
  auto* text = sub->add_option("--text", o.text, "Text to substitute instead of the command");
  sub->callback([&options = o, text] { options.has_text = text->count() > 0; });
  return {sub, [&env, options] { return CmdSubst(env, *options); }};
}

}  // namespace qlr
