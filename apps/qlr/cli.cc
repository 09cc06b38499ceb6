#include "qlr/cli.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <utility>

#include "base/version.h"

namespace qlr {
namespace {

CLI::App* AddShow(CLI::App& app, ShowOptions& o) {
  auto* sub = app.add_subcommand("show", "Show the schedule's grid for a run date");
  sub->add_option("INI", o.ini, "The schedule's INI file")->required();
  sub->add_option("--date", o.date, "Run date (default: the date the launch window offers)");
  sub->add_option("--columns", o.columns, "Column ids 0..22, comma-separated, or all")
      ->capture_default_str();
  sub->add_flag("--json", o.json, "Print a JSON array of objects keyed by heading");
  return sub;
}

CLI::App* AddCheck(CLI::App& app, std::string& ini) {
  auto* sub = app.add_subcommand("check", "Check the schedule for dependency loops and faults");
  sub->add_option("INI", ini, "The schedule's INI file")->required();
  return sub;
}

CLI::App* AddTerms(CLI::App& app, TermsOptions& o) {
  auto* sub = app.add_subcommand("terms", "List the frequency terms that hold on a date");
  sub->add_option("DATE", o.date, "The date")->required();
  sub->add_option("--ini", o.ini, "INI file for working days, holidays and date format");
  return sub;
}

CLI::App* AddTry(CLI::App& app, TryOptions& o) {
  auto* sub = app.add_subcommand("try", "List the next run dates of a frequency");
  sub->add_option("FREQUENCY", o.frequency, "The frequency expression")->required();
  sub->add_option("--ini", o.ini, "INI file for working days, holidays and date format");
  sub->add_option("--from", o.from, "First date looked at (default: the offered run date)");
  sub->add_option("--skip", o.skip, "Skip On choice: a date or the skip-always keyword");
  return sub;
}

CLI::App* AddSubst(CLI::App& app, SubstOptions& o) {
  auto* sub = app.add_subcommand("subst", "Substitute a job's date variables");
  sub->add_option("INI", o.ini, "The schedule's INI file")->required();
  sub->add_option("JOB", o.job, "The job's name")->required();
  sub->add_option("--date", o.date, "Run date (default: the date the launch window offers)");
  auto* text = sub->add_option("--text", o.text, "Text to substitute instead of the command");
  sub->callback([&options = o, text] { options.has_text = text->count() > 0; });
  return sub;
}

CLI::App* AddReset(CLI::App& app, ResetOptions& o) {
  auto* sub = app.add_subcommand("reset", "Clear the run state of every job");
  sub->add_option("INI", o.ini, "The schedule's INI file")->required();
  sub->add_flag("--standard-triggers", o.standard_triggers, "Delete standard trigger files");
  sub->add_flag("--other-triggers", o.other_triggers, "Delete non-standard trigger files");
  return sub;
}

CLI::App* AddRewrite(CLI::App& app, std::string& ini) {
  auto* sub = app.add_subcommand("rewrite", "Read the schedule and write it back");
  sub->add_option("INI", ini, "The schedule's INI file")->required();
  return sub;
}

CLI::App* AddRun(CLI::App& app, RunCommandOptions& o) {
  auto* sub = app.add_subcommand("run", "Run the schedule until stopped (SIGINT, SIGTERM)");
  sub->add_option("INI", o.ini, "The schedule's INI file")->required();
  sub->add_option("--date", o.date, "Run date (default: the date the launch window offers)");
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
  return sub;
}

CLI::App* AddLogs(CLI::App& app, std::string& ini) {
  auto* sub = app.add_subcommand("logs", "List the schedule's run logs");
  sub->add_option("INI", ini, "The schedule's INI file")->required();
  return sub;
}

CLI::App* AddLog(CLI::App& app, LogOptions& o) {
  auto* sub = app.add_subcommand("log", "Copy a run log, whole or filtered, and print the copy's path");
  sub->add_option("INI", o.ini, "The schedule's INI file")->required();
  auto* all = sub->add_flag("--all", o.all, "Every line (the default)");
  auto* failed = sub->add_flag("--failed", o.failed, "Only the lines of failures");
  auto* group = sub->add_option("--group", o.group, "Only the lines of the jobs of a group");
  auto* job = sub->add_option("--job", o.jobs, "Only the lines of these jobs (J1,J2,...)");
  all->excludes(failed, group, job);
  failed->excludes(group, job);
  group->excludes(job);
  sub->add_option("--name", o.name, "The log (as qlr logs lists it; default: the newest)");
  sub->add_flag("--edit", o.edit, "Also open the copy in the text editor (INI key TextEditor)");
  return sub;
}

CLI::App* AddMessage(CLI::App& app, MessageOptions& o) {
  auto* sub = app.add_subcommand("message", "Write a job's end-of-job message file now and print its path");
  sub->add_option("INI", o.ini, "The schedule's INI file")->required();
  sub->add_option("JOB", o.job, "The job's name")->required();
  sub->add_flag("--abnormal", o.abnormal, "The abnormal (failure) message instead of the normal one");
  auto* failtext = sub->add_option("--failtext", o.failtext, "The job's failure text (%ED% in the message)");
  sub->callback([&options = o, failtext] { options.has_failtext = failtext->count() > 0; });
  return sub;
}

}  // namespace

int RunQlr(int argc, const char* const* argv, CliEnv& env) {
  CLI::App app("Quillrun's command-line tool: show, check and evaluate schedules", "qlr");
  app.set_version_flag("--version", VersionLine("qlr"));
  app.add_flag("--yes", env.yes, "Answer questions Yes, OK or Retry instead of No or Cancel");
  app.require_subcommand(1);
  app.fallthrough();
  ShowOptions show;
  TermsOptions terms;
  TryOptions try_options;
  SubstOptions subst;
  ResetOptions reset;
  RunCommandOptions run;
  LogOptions log_options;
  MessageOptions message;
  std::string logs_ini;
  std::string check_ini, rewrite_ini;
  const std::pair<CLI::App*, std::function<int()>> commands[] = {
      {AddShow(app, show), [&] { return CmdShow(env, show); }},
      {AddCheck(app, check_ini), [&] { return CmdCheck(env, check_ini); }},
      {AddTerms(app, terms), [&] { return CmdTerms(env, terms); }},
      {AddTry(app, try_options), [&] { return CmdTry(env, try_options); }},
      {AddSubst(app, subst), [&] { return CmdSubst(env, subst); }},
      {AddReset(app, reset), [&] { return CmdReset(env, reset); }},
      {AddRewrite(app, rewrite_ini), [&] { return CmdRewrite(env, rewrite_ini); }},
      {AddRun(app, run), [&] { return CmdRun(env, run); }},
      {AddLogs(app, logs_ini), [&] { return CmdLogs(env, logs_ini); }},
      {AddLog(app, log_options), [&] { return CmdLog(env, log_options); }},
      {AddMessage(app, message), [&] { return CmdMessage(env, message); }},
  };
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e, env.out, env.err) == 0 ? 0 : 1;
  }
  for (const auto& [sub, command] : commands)
    if (sub->parsed()) return command();
  return 1;
}

}  // namespace qlr
