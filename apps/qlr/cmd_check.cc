#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/text.h"
#include "platform/file_system.h"
#include "qlr/command.h"
#include "qlr/session.h"
#include "store/job_loops.h"

namespace qlr {
namespace {

// Names beyond this many in an exclusivity list are never looked at.
constexpr size_t kMaxExclusivityNames = 10;

// The first job of each name, names compared trimmed and case-blind as
// dependencies are resolved; a map keeps the check linear on large schedules.
using NameIndex = std::unordered_map<std::string, int>;

std::string NameKey(std::string_view name) { return Upper(TrimView(name)); }

NameIndex IndexNames(const Schedule& schedule) {
  NameIndex index;
  for (int i = 1; i <= schedule.JobCount(); ++i)
    index.emplace(NameKey(schedule[i].JobName.Trimmed()), i);
  return index;
}

void MissingDependencies(const Job& job, const NameIndex& index, std::vector<std::string>& faults) {
  for (const std::string& name : job.RunAfter)
    if (!index.contains(NameKey(name)))
      faults.push_back("Job " + job.JobName.Str() + " depends on job " + Trim(name) +
                       ", which does not exist");
}

void DuplicateName(const Schedule& schedule, int i, const NameIndex& index,
                   std::vector<std::string>& faults) {
  int first = index.at(NameKey(schedule[i].JobName.Trimmed()));
  if (first != i)
    faults.push_back("Duplicate job name " + schedule[i].JobName.Str() + " (jobs " +
                     std::to_string(first) + " and " + std::to_string(i) + ")");
}

void LongExclusivityList(const Job& job, std::vector<std::string>& faults) {
  size_t names = SplitWords(job.Exclusivity).size();
  if (names > kMaxExclusivityNames)
    faults.push_back("Job " + job.JobName.Str() + " has " + std::to_string(names) +
                     " exclusivity names; only the first 10 are used");
}

// Trigger, tracker and documentation files are named after the job.
void NameUnfitForFiles(const Job& job, std::vector<std::string>& faults) {
  std::string_view name = job.JobName.Trimmed();
  if (name.find('/') != std::string_view::npos || name == "." || name == "..")
    faults.push_back("Job name " + std::string(name) + " cannot be used as a file name");
}

std::vector<std::string> OtherFaults(const Schedule& schedule) {
  std::vector<std::string> faults;
  NameIndex index = IndexNames(schedule);
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    MissingDependencies(schedule[i], index, faults);
    DuplicateName(schedule, i, index, faults);
    LongExclusivityList(schedule[i], faults);
    NameUnfitForFiles(schedule[i], faults);
  }
  return faults;
}

// The line JobLoops has just written: the last line of today's log.
std::string LastLogLine(const Session& s, const Clock& clock) {
  auto lines = ReadLines(ExpandLogName(s.schedule.LogFile, false, clock.Now()));
  return lines && !lines->empty() ? lines->back() : std::string();
}

// Dependency loops (status 1) and, without changing the status, other faults.
int CmdCheck(CliEnv& env, const std::string& ini) {
  return RunOnSchedule(env, ini, [&](Session& s) {
    int status = 0;
    if (JobLoops(s.schedule, s.log)) {
      PrintLine(env.out, "Circular job dependencies exist.  See log for details");
      PrintLine(env.out, LastLogLine(s, env.clock));
      status = 1;
    }
    for (const std::string& fault : OtherFaults(s.schedule)) PrintLine(env.out, fault);
    // Lines of the file that did not read cleanly were read anyway; a check says so.
    for (const ScheduleDiagnostic& d : s.schedule.ReadDiagnostics)
      PrintLine(env.out, DiagnosticText(d));
    return s.schedule.ReadDiagnostics.empty() ? status : 1;
  });
}

}  // namespace

Subcommand RegisterCheck(CLI::App& app, CliEnv& env) {
  auto ini = std::make_shared<std::string>();
  CLI::App* sub = app.add_subcommand("check", "Check the schedule for dependency loops and faults");
  AddIniArgument(*sub, *ini);
  return {sub, [&env, ini] { return CmdCheck(env, *ini); }};
}

}  // namespace qlr
