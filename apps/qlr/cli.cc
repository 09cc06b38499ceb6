#include "qlr/cli.h"

#include <string>
#include <vector>

#include "base/version.h"
#include "qlr/command.h"

namespace qlr {

void AddIniArgument(CLI::App& sub, std::string& ini) {
  sub.add_option("INI", ini, "The schedule's INI file")->required();
}

void AddDateOption(CLI::App& sub, std::string& date) {
  sub.add_option("--date", date, "Run date (default: the date the launch window offers)");
}

int RunQlr(int argc, const char* const* argv, CliEnv& env) {
  CLI::App app("Quillrun's command-line tool: show, check and evaluate schedules", "qlr");
  app.set_version_flag("--version", VersionLine("qlr"));
  app.add_flag("--yes", env.yes, "Answer questions Yes, OK or Retry instead of No or Cancel");
  app.require_subcommand(1);
  app.fallthrough();
  using Register = Subcommand (*)(CLI::App&, CliEnv&);
  std::vector<Subcommand> subcommands;
  for (Register add :
       {RegisterShow, RegisterCheck, RegisterTerms, RegisterTry, RegisterSubst, RegisterReset,
        RegisterRewrite, RegisterRun, RegisterLogs, RegisterLog, RegisterTimeline, RegisterGraph,
        RegisterMessage, RegisterJob, RegisterNew, RegisterCtl})
    subcommands.push_back(add(app, env));
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e, env.out, env.err) == 0 ? 0 : 1;
  }
  for (const Subcommand& sub : subcommands)
    if (sub.app->parsed()) return sub.run();
  return 1;
}

}  // namespace qlr
