#include "editor/dependency_list.h"

#include <algorithm>
#include <unordered_set>

#include "base/text.h"

namespace qlr {
namespace {

// The status word of a stored condition letter; "" for anything else.
std::string_view StatusWord(char letter) {
  switch (UpperChar(letter)) {
    case 'S':
      return kDepSuccess;
    case 'F':
      return kDepFailure;
    case 'U':
      return kDepUncond;
    default:
      return {};
  }
}

constexpr const char* kKeepMissing =
    "Job has one or more dependencies on jobs which no longer exist.  Do you wish to keep them?";

}  // namespace

void DependencyList::Fill(const Schedule& schedule, RunLog& log, Operator& op, const Job& job,
                          bool same_group, std::string_view group) {
  rows_.clear();
  own_name_ = job.JobName.Str();
  AddOwnDependencies(schedule, log, op, job);
  GetAllGroups(schedule);
  if (same_group) ShowSameGroup(group);
  same_group_ = same_group;
}

void DependencyList::AddOwnDependencies(const Schedule& schedule, RunLog& log, Operator& op,
                                        const Job& job) {
  bool asked = false, keep_missing = true;
  for (size_t i = 0; i < job.RunAfter.size(); ++i) {
    const std::string name = Trim(job.RunAfter[i]);
    if (name.empty())
      log.FatalStop("Empty RunAfter entry for job " + job.JobName.Padded() + ".  Critical error.");
    const int found = schedule.FindJob(name);
    if (found == 0 && !asked) {
      asked = true;
      keep_missing = op.Ask(kKeepMissing, Buttons::YesNo) == Answer::Yes;
    }
    if (found == 0 && !keep_missing) continue;
    DependencyRow row{name, found ? schedule[found].Group.Str() : "", false, "", false};
    const char condition = i < job.DepConditions.size() ? job.DepConditions[i] : ' ';
    row.status = std::string(StatusWord(condition));
    row.wait = !row.status.empty();
    row.auto_unsched = i < job.DepAutoUnsched.size() && job.DepAutoUnsched[i] == 'Y';
    rows_.push_back(std::move(row));
  }
}

// Every job not listed yet, and not the edited job itself, in table order.
// Names are compared in any letter case, as dependencies find their jobs.
void DependencyList::GetAllGroups(const Schedule& schedule) {
  std::unordered_set<std::string> listed = {Upper(own_name_)};
  for (const DependencyRow& row : rows_) listed.insert(Upper(row.name));
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    const Job& job = schedule[i];
    if (listed.insert(Upper(job.JobName.Trimmed())).second)
      rows_.push_back({job.JobName.Str(), job.Group.Str(), false, "", false});
  }
}

void DependencyList::ShowSameGroup(std::string_view group) {
  const std::string_view wanted = TrimView(group);
  std::erase_if(rows_, [&](const DependencyRow& r) { return !r.wait && r.group != wanted; });
  same_group_ = true;
}

void DependencyList::ShowAllGroups(const Schedule& schedule) {
  GetAllGroups(schedule);
  same_group_ = false;
}

void DependencyList::ClickWait(int row) {
  if (!Valid(row)) return;
  DependencyRow& r = rows_[static_cast<size_t>(row)];
  r.wait = !r.wait;
  r.status = r.wait ? std::string(kDepUncond) : "";
  r.auto_unsched = false;
}

void DependencyList::ClickAutoUnsched(int row) {
  if (Valid(row) && rows_[static_cast<size_t>(row)].wait)
    rows_[static_cast<size_t>(row)].auto_unsched = !rows_[static_cast<size_t>(row)].auto_unsched;
}

bool DependencyList::HasConditionMenu(int row) const {
  return Valid(row) && rows_[static_cast<size_t>(row)].wait;
}

void DependencyList::ChooseCondition(int row, DepCondition condition) {
  if (!HasConditionMenu(row)) return;
  DependencyRow& r = rows_[static_cast<size_t>(row)];
  r.status = condition == DepCondition::Success   ? kDepSuccess
             : condition == DepCondition::Failure ? kDepFailure
                                                  : kDepUncond;
  r.auto_unsched = false;
}

// One condition letter and one auto-unschedule mark per stored dependency,
// which is what the schedule file keeps of the list's padded strings.
void DependencyList::Store(Job& job) const {
  job.RunAfter.clear();
  job.DepConditions.clear();
  job.DepAutoUnsched.clear();
  for (const DependencyRow& row : rows_) {
    if (!row.wait) continue;
    job.RunAfter.push_back(row.name);
    job.DepConditions += row.status.front();
    job.DepAutoUnsched += row.auto_unsched ? 'Y' : ' ';
  }
}

int DependencyList::FindRow(std::string_view name) const {
  const std::string_view wanted = TrimView(name);
  for (size_t i = 0; i < rows_.size(); ++i)
    if (EqualsNoCase(rows_[i].name, wanted)) return static_cast<int>(i);
  return -1;
}

}  // namespace qlr
