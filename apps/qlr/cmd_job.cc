// qlr job get|add|set|rename|delete|move|skip: one job of a schedule read or
// edited through the schedule editor's own rules, then written once.

#include <memory>
#include <nlohmann/json.hpp>

#include "base/encoding.h"
#include "base/text.h"
#include "editor/dependency_list.h"
#include "editor/job_edit_model.h"
#include "editor/job_list_editor.h"
#include "engine/launch.h"
#include "platform/file_lock.h"
#include "qlr/command.h"
#include "qlr/console_operator.h"
#include "qlr/job_keys.h"
#include "qlr/session.h"
#include "store/schedule_file.h"

namespace qlr {
namespace {

struct JobOptions {
  std::string ini, job, new_name, copy_of, group, date;
  std::vector<std::string> pairs;  // KEY=VALUE
  bool json = false, top = false, up = false, down = false, bottom = false;
  bool all = false, unskip = false;
};

// Answers the two questions whose safe answer is the one that goes on: the
// command itself confirms "Delete job X?", and keeping dependencies on jobs
// that no longer exist changes nothing. The console answers the rest.
class JobOperator : public Operator {
 public:
  explicit JobOperator(ConsoleOperator& console) : console_(console) {}
  void Tell(const std::string& text, const std::string& title) override {
    console_.Tell(text, title);
  }
  Answer Ask(const std::string& text, Buttons buttons, const std::string& title) override {
    if (StartsWith(text, "Delete job ") && EndsWith(text, "?")) return Answer::Yes;
    if (text == kKeepMissing) {
      console_.Tell(text + " -> Yes");
      return Answer::Yes;
    }
    return console_.Ask(text, buttons, title);
  }
  std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                   const std::string& initial) override {
    return console_.Input(prompt, title, initial);
  }

 private:
  ConsoleOperator& console_;
};

using JobCommand = std::function<int(Session& s, int index)>;

// Loads the schedule for the run date, takes the run lock when the command
// writes, finds the job (unless `job` is "") and runs the command.
int OnJob(CliEnv& env, const JobOptions& o, bool writes, const std::string& job,
          const JobCommand& command) {
  std::optional<DateTime> date;
  if (!ReadDateOption(env, "--date", o.date, date)) return 1;
  return RunGuarded([&] {
    ConsoleOperator console(env.err, env.yes);
    JobOperator op(console);
    Session s(env.clock, op);
    s.Load(o.ini);
    s.SetRunDate(date);
    FileLock lock;
    if (writes && !LockSchedule(s.schedule, op, lock)) return 1;
    const int index = job.empty() ? 0 : s.schedule.FindJob(Utf8ToCp1252(job));
    if (!job.empty() && index == 0) {
      PrintError(env, "no job named " + Utf8ToCp1252(job));
      return 1;
    }
    return command(s, index);
  });
}

bool ReadPairs(CliEnv& env, const std::vector<std::string>& texts, KeyValues& pairs) {
  for (const std::string& text : texts) {
    const size_t eq = text.find('=');
    const std::string key = text.substr(0, eq);
    if (eq == std::string::npos || JobKeyIndex(key) < 0) {
      PrintError(env, eq == std::string::npos ? "not KEY=VALUE: " + Utf8ToCp1252(text)
                                              : "unknown key: " + Utf8ToCp1252(key));
      return false;
    }
    pairs.emplace_back(key, Utf8ToCp1252(text.substr(eq + 1)));
  }
  return true;
}

// The editor opened on the job, the values typed in, then OK: true when the
// job was stored and the schedule written. Values equal to the stored ones
// are left alone, so what `get` prints changes nothing.
bool EditJob(CliEnv& env, Session& s, int index, bool is_new, KeyValues pairs) {
  JobEditModel model(s.schedule, s.log, s.op, s.clock, index, is_new, WriteSchedule);
  model.Open();
  const KeyValues stored = JobKeyValues(s.schedule[index]);
  OrderForSetting(pairs);
  for (const auto& [key, value] : pairs) {
    if (stored[static_cast<size_t>(JobKeyIndex(key))].second == value) continue;
    if (const std::string problem = SetJobKey(model, key, value); !problem.empty()) {
      PrintError(env, problem);
      return false;
    }
  }
  return model.Ok() == JobEditModel::Outcome::Stored && model.saved();
}

int JobGet(CliEnv& env, const JobOptions& o) {
  return OnJob(env, o, false, o.job, [&](Session& s, int index) {
    const KeyValues values = JobKeyValues(s.schedule[index]);
    if (o.json) {
      nlohmann::ordered_json object = nlohmann::ordered_json::object();
      for (const auto& [key, value] : values) object[key] = Cp1252ToUtf8(value);
      env.out << object.dump(2) << "\n";
    } else {
      for (const auto& [key, value] : values) PrintLine(env.out, key + "=" + value);
    }
    return 0;
  });
}

int JobAdd(CliEnv& env, const JobOptions& o) {
  KeyValues pairs = {{"name", Utf8ToCp1252(o.job)}};
  if (!ReadPairs(env, o.pairs, pairs)) return 1;
  return OnJob(env, o, true, o.copy_of, [&](Session& s, int copy_of) {
    EditorState state;
    JobListEditor list(s.schedule, s.log, s.op, s.clock, state, WriteSchedule);
    list.Open();
    if (copy_of) {
      list.SelectRow(list.RowOf(copy_of));
      list.Copy();
    }
    const int index = list.BeginNew(copy_of != 0);
    const bool stored = index != 0 && EditJob(env, s, index, true, pairs);
    if (index != 0) list.EndNew(!stored);
    return stored ? 0 : 1;
  });
}

int JobSet(CliEnv& env, const JobOptions& o, const std::vector<std::string>& texts) {
  KeyValues pairs;
  if (!ReadPairs(env, texts, pairs)) return 1;
  return OnJob(env, o, true, o.job,
               [&](Session& s, int index) { return EditJob(env, s, index, false, pairs) ? 0 : 1; });
}

// The grid's list with the group filter, the job's row selected; false (with
// a message) when the group or the job is not shown.
bool SelectInGrid(CliEnv& env, JobListEditor& list, EditorState& state, const JobOptions& o,
                  int index) {
  if (!o.group.empty()) state.GroupFilter = Utf8ToCp1252(o.group);
  list.Open();
  if (state.GroupFilter != Utf8ToCp1252(o.group) && !o.group.empty()) {
    PrintError(env, "no group named " + Utf8ToCp1252(o.group));
    return false;
  }
  if (index == 0) return true;
  if (list.RowOf(index) == 0) {
    PrintError(env, "job " + Utf8ToCp1252(o.job) + " is not in group " + state.GroupFilter);
    return false;
  }
  list.SelectRow(list.RowOf(index));
  return true;
}

int JobDelete(CliEnv& env, const JobOptions& o) {
  return OnJob(env, o, true, o.job, [&](Session& s, int index) {
    EditorState state;
    JobListEditor list(s.schedule, s.log, s.op, s.clock, state, WriteSchedule);
    if (!SelectInGrid(env, list, state, o, index) || !list.Delete()) return 1;
    return WriteSchedule(s.schedule, s.log, s.op) ? 0 : 1;
  });
}

int JobMove(CliEnv& env, const JobOptions& o) {
  if (o.top + o.up + o.down + o.bottom != 1) {
    PrintError(env, "give one of --top, --up, --down and --bottom");
    return 1;
  }
  return OnJob(env, o, true, o.job, [&](Session& s, int index) {
    EditorState state;
    JobListEditor list(s.schedule, s.log, s.op, s.clock, state, WriteSchedule);
    if (!SelectInGrid(env, list, state, o, index)) return 1;
    if (o.top) list.Top();
    if (o.up) list.Up();
    if (o.down) list.Down();
    if (o.bottom) list.Bottom();
    return WriteSchedule(s.schedule, s.log, s.op) ? 0 : 1;
  });
}

int JobSkip(CliEnv& env, const JobOptions& o) {
  if (o.all == !o.job.empty()) {
    PrintError(env, "give either JOB or --all");
    return 1;
  }
  return OnJob(env, o, true, o.job, [&](Session& s, int index) {
    EditorState state;
    JobListEditor list(s.schedule, s.log, s.op, s.clock, state, WriteSchedule);
    if (!SelectInGrid(env, list, state, o, index)) return 1;
    const bool saved = o.all ? list.Skip(o.unskip, !o.unskip) : list.Skip(false, false);
    return saved ? 0 : 1;
  });
}

CLI::App* AddJobCommand(CLI::App& job, const char* name, const char* about, JobOptions& o) {
  CLI::App* sub = job.add_subcommand(name, about);
  sub->fallthrough();
  AddIniArgument(*sub, o.ini);
  return sub;
}

}  // namespace

Subcommand RegisterJob(CLI::App& app, CliEnv& env) {
  auto o = std::make_shared<JobOptions>();
  auto set_pairs = std::make_shared<std::vector<std::string>>();
  CLI::App* job = app.add_subcommand("job", "Read or edit one job of a schedule");
  job->require_subcommand(1);
  job->fallthrough();
  CLI::App* get = AddJobCommand(*job, "get", "Print every field of a job as KEY=VALUE", *o);
  get->add_option("JOB", o->job, "The job")->required();
  get->add_flag("--json", o->json, "Print one JSON object instead");
  CLI::App* add = AddJobCommand(*job, "add", "Add a job (New, or Paste New of another)", *o);
  add->add_option("JOB", o->job, "The new job's name")->required();
  add->add_option("KEY=VALUE", o->pairs, "Fields to set");
  add->add_option("--copy-of", o->copy_of, "Start from a copy of this job");
  CLI::App* set = AddJobCommand(*job, "set", "Change fields of a job", *o);
  set->add_option("JOB", o->job, "The job")->required();
  set->add_option("KEY=VALUE", *set_pairs, "Fields to set")->required();
  CLI::App* rename = AddJobCommand(*job, "rename", "Rename a job and what refers to it", *o);
  rename->add_option("JOB", o->job, "The job")->required();
  rename->add_option("NEWNAME", o->new_name, "Its new name")->required();
  CLI::App* del = AddJobCommand(*job, "delete", "Delete a job", *o);
  del->add_option("JOB", o->job, "The job")->required();
  CLI::App* move = AddJobCommand(*job, "move", "Move a job among the jobs shown", *o);
  move->add_option("JOB", o->job, "The job")->required();
  CLI::Option* top = move->add_flag("--top", o->top, "To the top");
  CLI::Option* up = move->add_flag("--up", o->up, "Up one row");
  CLI::Option* down = move->add_flag("--down", o->down, "Down one row");
  CLI::Option* bottom = move->add_flag("--bottom", o->bottom, "To the bottom");
  move->add_option("--group", o->group, "Only the rows of this group are shown");
  top->excludes(up, down, bottom);
  up->excludes(down, bottom);
  down->excludes(bottom);
  CLI::App* skip = AddJobCommand(*job, "skip", "Skip a job on the run date, or all shown", *o);
  skip->add_option("JOB", o->job, "The job to toggle");
  CLI::Option* all = skip->add_flag("--all", o->all, "Skip every job shown");
  skip->add_flag("--unskip", o->unskip, "With --all: unskip every job shown")->needs(all);
  skip->add_option("--group", o->group, "Only the rows of this group are shown");
  AddDateOption(*skip, o->date);
  return {job, [=, &env]() -> int {
            if (get->parsed()) return JobGet(env, *o);
            if (add->parsed()) return JobAdd(env, *o);
            if (set->parsed()) return JobSet(env, *o, *set_pairs);
            if (rename->parsed()) return JobSet(env, *o, {"name=" + o->new_name});
            if (del->parsed()) return JobDelete(env, *o);
            if (move->parsed()) return JobMove(env, *o);
            return JobSkip(env, *o);
          }};
}

}  // namespace qlr
