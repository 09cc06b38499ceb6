#include "editor/dependency_list.h"

#include <algorithm>
#include <compare>
#include <cstdint>
#include <optional>
#include <vector>

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

// A name in capitals, packed with its length so that a whole schedule's
// names sort without a string each. Names longer than a job's eight
// characters belong to no job and get no key.
struct NameKey {
  uint64_t chars = 0;
  size_t size = 0;
  auto operator<=>(const NameKey&) const = default;
};

std::optional<NameKey> KeyOf(std::string_view name) {
  if (name.size() > 8) return std::nullopt;
  NameKey key{0, name.size()};
  for (char c : name) key.chars = key.chars << 8 | static_cast<unsigned char>(UpperChar(c));
  return key;
}

}  // namespace

// Every job's name key and index, sorted by name, then table order, so that
// the first job of a name comes first.
struct DependencyList::JobsByName {
  explicit JobsByName(const Schedule& schedule) {
    sorted.reserve(static_cast<size_t>(schedule.JobCount()));
    for (int i = 1; i <= schedule.JobCount(); ++i)
      sorted.emplace_back(*KeyOf(schedule[i].JobName.Trimmed()), i);
    std::sort(sorted.begin(), sorted.end());
  }
  // As Schedule::FindJob: the first job of the trimmed name in any letter
  // case; 0 when none.
  int Find(std::string_view name) const {
    const std::optional<NameKey> key = KeyOf(TrimView(name));
    if (!key) return 0;
    auto it = std::lower_bound(sorted.begin(), sorted.end(), std::pair{*key, 0});
    return it != sorted.end() && it->first == *key ? it->second : 0;
  }
  std::vector<std::pair<NameKey, int>> sorted;
};

void DependencyList::Fill(const Schedule& schedule, RunLog& log, Operator& op, const Job& job,
                          bool same_group, std::string_view group) {
  rows_.clear();
  same_group_ = false;
  own_name_ = job.JobName.Str();
  const JobsByName by_name(schedule);
  AddOwnDependencies(schedule, by_name, log, op, job);
  GetAllGroups(schedule, by_name);
  if (same_group) ShowSameGroup(schedule, group);
}

void DependencyList::AddOwnDependencies(const Schedule& schedule, const JobsByName& by_name,
                                        RunLog& log, Operator& op, const Job& job) {
  bool asked = false, keep_missing = true;
  for (size_t i = 0; i < job.RunAfter.size(); ++i) {
    const std::string name = Trim(job.RunAfter[i]);
    if (name.empty())
      log.FatalStop("Empty RunAfter entry for job " + job.JobName.Padded() + ".  Critical error.");
    const int found = by_name.Find(name);
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
// Names are compared in any letter case, as dependencies find their jobs; of
// jobs sharing a name only the first is listed.
void DependencyList::GetAllGroups(const Schedule& schedule, const JobsByName& by_name) {
  std::vector<NameKey> listed;
  if (auto key = KeyOf(own_name_)) listed.push_back(*key);
  for (const DependencyRow& row : rows_)
    if (auto key = KeyOf(row.name)) listed.push_back(*key);
  std::sort(listed.begin(), listed.end());

  const int count = schedule.JobCount();
  const std::vector<std::pair<NameKey, int>>& jobs = by_name.sorted;
  std::vector<bool> shown(static_cast<size_t>(count) + 1);
  for (size_t k = 0; k < jobs.size(); ++k)
    shown[static_cast<size_t>(jobs[k].second)] =
        (k == 0 || jobs[k - 1].first != jobs[k].first) &&
        !std::binary_search(listed.begin(), listed.end(), jobs[k].first);

  rows_.reserve(rows_.size() + static_cast<size_t>(std::count(shown.begin(), shown.end(), true)));
  for (int i = 1; i <= count; ++i)
    if (shown[static_cast<size_t>(i)])
      rows_.push_back({schedule[i].JobName.Str(), schedule[i].Group.Str(), false, "", false});
}

void DependencyList::ShowSameGroup(const Schedule& schedule, std::string_view group) {
  if (same_group_) GetAllGroups(schedule, JobsByName(schedule));
  const std::string_view wanted = TrimView(group);
  std::erase_if(rows_, [&](const DependencyRow& r) { return !r.wait && r.group != wanted; });
  same_group_ = true;
}

void DependencyList::ShowAllGroups(const Schedule& schedule) {
  if (!same_group_) return;  // every job is listed already
  GetAllGroups(schedule, JobsByName(schedule));
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
