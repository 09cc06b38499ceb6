#include "engine/dependencies.h"

#include "base/text.h"

namespace qlr {
namespace {

char LetterAt(const std::string& letters, size_t i, char fallback) {
  return i < letters.size() ? letters[i] : fallback;
}

// The description of a predecessor that holds the job back, or "" when it does not.
std::string_view Description(JobStatus status, char condition, bool& unschedule, char auto_unsched) {
  switch (status) {
    case JobStatus::Running: return "Running";
    case JobStatus::Scheduled: return "Not Started";
    case JobStatus::Failed:
      if (condition != 'S') return "";
      unschedule = unschedule || auto_unsched == 'Y';
      return "Failed";
    case JobStatus::Completed:
    case JobStatus::Unscheduled:
      if (condition != 'F') return "";
      unschedule = unschedule || auto_unsched == 'Y';
      return "Succeeded";
    default: return "";
  }
}

}  // namespace

void DependencyIndex::Invalidate() {
  names_.clear();
  direct_.clear();
  lists_.clear();
  built_.clear();
  seen_.clear();
}

void DependencyIndex::BuildNames() {
  for (int i = schedule_.JobCount(); i >= 1; --i)  // backwards, so the first of a name wins
    names_[Upper(schedule_[i].JobName.Trimmed())] = i;
  size_t slots = static_cast<size_t>(schedule_.JobCount()) + 1;
  direct_.assign(slots, {});
  lists_.assign(slots, {});
  built_.assign(slots, false);
  seen_.assign(slots, 0);
}

int DependencyIndex::FindJob(std::string_view name) {
  if (built_.size() != static_cast<size_t>(schedule_.JobCount()) + 1) BuildNames();
  auto it = names_.find(Upper(TrimView(name)));
  return it == names_.end() ? 0 : it->second;
}

const std::vector<Predecessor>& DependencyIndex::Predecessors(int job, RunLog& log) {
  if (built_.size() != static_cast<size_t>(schedule_.JobCount()) + 1) BuildNames();
  auto slot = static_cast<size_t>(job);
  if (!built_[slot]) {
    lists_[slot] = Walk(job, log);
    built_[slot] = true;
  }
  return lists_[slot];
}

const DependencyIndex::Direct& DependencyIndex::DirectOf(int job) {
  Direct& direct = direct_[static_cast<size_t>(job)];
  if (direct.built) return direct;
  const Job& from = schedule_[job];
  for (size_t k = 0; k < from.RunAfter.size(); ++k) {
    std::string_view name = TrimView(from.RunAfter[k]);
    direct.empty_entry = direct.empty_entry || name.empty();
    if (int pred = FindJob(name); pred != 0)
      direct.preds.push_back({pred, LetterAt(from.DepConditions, k, 'S'), LetterAt(from.DepAutoUnsched, k, ' ')});
  }
  direct.built = true;
  return direct;
}

// Breadth-first over RunAfter entries: the job's own entries first, then the
// entries of each predecessor in the order they were reached.
std::vector<Predecessor> DependencyIndex::Walk(int job, RunLog& log) {
  ++stamp_;
  std::vector<Predecessor> found;
  std::vector<int> queue{job};
  for (size_t q = 0; q < queue.size(); ++q) {
    const Direct& direct = DirectOf(queue[q]);
    if (direct.empty_entry && q > 0)
      log.FatalStop("Empty RunAfter entry for job " + schedule_[queue[q]].JobName.Padded() +
                    ".  Critical error.");
    for (const Predecessor& pred : direct.preds) {
      auto slot = static_cast<size_t>(pred.job);
      if (seen_[slot] == stamp_) continue;
      seen_[slot] = stamp_;
      found.push_back(pred);
      queue.push_back(pred.job);
    }
  }
  return found;
}

DepResult CheckDependency(const Schedule& schedule, DependencyIndex& index, RunLog& log, int job,
                          std::string& wait_list) {
  wait_list.clear();
  bool unschedule = false;
  for (const Predecessor& p : index.Predecessors(job, log)) {
    const Job& pred = schedule[p.job];
    std::string_view d = Description(pred.Status, p.condition, unschedule, p.auto_unsched);
    if (d.empty()) continue;
    if (!wait_list.empty()) wait_list += ", ";
    wait_list.append(pred.JobName.Trimmed());
    wait_list += '(';
    wait_list += p.condition;
    wait_list += ") - ";
    wait_list.append(d);
  }
  if (unschedule) return DepResult::Unsched;
  return wait_list.empty() ? DepResult::Ready : DepResult::Wait;
}

bool DependsOn(const Schedule& schedule, DependencyIndex& index, RunLog& log, int job,
               std::string_view name) {
  for (const Predecessor& p : index.Predecessors(job, log))
    if (EqualsNoCase(schedule[p.job].JobName.Trimmed(), TrimView(name))) return true;
  return false;
}

}  // namespace qlr

