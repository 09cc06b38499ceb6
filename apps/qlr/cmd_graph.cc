// qlr graph: the jobs due on a run date and what they wait for, as Graphviz
// DOT, or as SVG drawn by Graphviz's dot when it is installed.

#include <memory>
#include <optional>

#include "calendar/status_decision.h"
#include "engine/dependency_graph.h"
#include "platform/filter_program.h"
#include "qlr/command.h"
#include "qlr/session.h"

namespace qlr {
namespace {

struct GraphOptions {
  std::string ini = {};
  std::string date = {};  // "" for the run date the launch window offers
  std::string format = "dot";
};

int DrawWithDot(CliEnv& env, const std::string& dot) {
  const FilterResult svg = RunFilter({"dot", "-Tsvg"}, dot);
  if (!svg.started) {
    PrintError(env,
               "cannot draw SVG: Graphviz's dot is not installed (Debian package graphviz); "
               "--format dot prints the graph for it");
    return 1;
  }
  if (svg.status != 0) {
    PrintError(env, "dot -Tsvg failed (exit status " + std::to_string(svg.status) + ")");
    return 1;
  }
  env.out << svg.output;
  return 0;
}

int CmdGraph(CliEnv& env, const GraphOptions& o) {
  std::optional<DateTime> date;
  if (!ReadDateOption(env, "--date", o.date, date)) return 1;
  return RunOnSchedule(env, o.ini, [&](Session& s) {
    s.SetRunDate(date);
    for (int i = 1; i <= s.schedule.JobCount(); ++i) SetJobStatus(s.schedule, i);
    const std::string dot = DependencyGraphDot(s.schedule);
    if (o.format == "svg") return DrawWithDot(env, dot);
    env.out << dot;
    return 0;
  });
}

}  // namespace

Subcommand RegisterGraph(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<GraphOptions>();
  GraphOptions& o = *options;
  CLI::App* sub = app.add_subcommand(
      "graph", "Show the jobs due on a run date and their dependencies as Graphviz DOT or SVG");
  AddIniArgument(*sub, o.ini);
  AddDateOption(*sub, o.date);
  sub->add_option("--format", o.format, "dot, or svg (drawn by Graphviz's dot)")
      ->check(CLI::IsMember({"dot", "svg"}))
      ->capture_default_str();
  return {sub, [&env, options] { return CmdGraph(env, *options); }};
}

}  // namespace qlr
