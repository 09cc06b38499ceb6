#include "engine/dependencies.h"

#include "base/text.h"

namespace qlr {
namespace {

char LetterAt(const std::string& letters, size_t i, char fallback) {
  return i < letters.size() ? letters[i] : fallback;
}

// What a predecessor in `status`, met through an entry with these letters,
// does to the job: the description the wait list gives it ("" when it does
// not hold the job back), and whether the job is to be unscheduled.
struct Effect {
  std::string_view description;
  bool unsched = false;
};

Effect EffectOf(JobStatus status, char condition, char auto_unsched) {
  switch (status) {
    case JobStatus::Running:
      return {"Running"};
    case JobStatus::Scheduled:
      return {"Not Started"};
    case JobStatus::Failed:
      if (condition != 'S') return {};
      return {"Failed", auto_unsched == 'Y'};
    case JobStatus::Completed:
    case JobStatus::Unscheduled:
      if (condition != 'F') return {};
      return {"Succeeded", auto_unsched == 'Y'};
    default:
      return {};
  }
}

// Whether the letters of the entry matter for a predecessor in this status.
bool LettersMatter(JobStatus status) {
  return status == JobStatus::Failed || status == JobStatus::Completed ||
         status == JobStatus::Unscheduled;
}

}  // namespace

void DependencyIndex::Invalidate() {
  names_.clear();
  edges_.clear();
  summary_.clear();
  summary_stamp_.clear();
  on_stack_.clear();
  seen_.clear();
}

int DependencyIndex::FindJob(std::string_view name) {
  Ensure();
  auto it = names_.find(Upper(TrimView(name)));
  return it == names_.end() ? 0 : it->second;
}

void DependencyIndex::Build() {
  const size_t slots = static_cast<size_t>(schedule_.JobCount()) + 1;
  names_.clear();
  for (int i = schedule_.JobCount(); i >= 1; --i)  // backwards, so the first of a name wins
    names_[Upper(schedule_[i].JobName.Trimmed())] = i;
  edges_.assign(slots, {});
  for (int i = 1; i <= schedule_.JobCount(); ++i) {
    const Job& job = schedule_[i];
    Edges& from = edges_[static_cast<size_t>(i)];
    for (size_t k = 0; k < job.RunAfter.size(); ++k) {
      std::string_view name = TrimView(job.RunAfter[k]);
      from.empty_entry = from.empty_entry || name.empty();
      auto it = names_.find(Upper(name));
      if (name.empty() || it == names_.end()) continue;
      const Predecessor pred{it->second, LetterAt(job.DepConditions, k, kNoCondition),
                             LetterAt(job.DepAutoUnsched, k, ' ')};
      from.preds.push_back(pred);
      Edges& to = edges_[static_cast<size_t>(pred.job)];
      to.dependants.push_back(i);
      if (to.condition == 0) {
        to.condition = pred.condition, to.auto_unsched = pred.auto_unsched;
      } else if (to.condition != pred.condition || to.auto_unsched != pred.auto_unsched) {
        to.uniform = false;
      }
    }
  }
  summary_.assign(slots, {});
  summary_stamp_.assign(slots, 0);
  on_stack_.assign(slots, 0);
  seen_.assign(slots, 0);
}

void DependencyIndex::BeginPass() {
  Ensure();
  if (++pass_ == 0) {  // the stamps wrapped: none may look valid by chance
    std::fill(summary_stamp_.begin(), summary_stamp_.end(), 0);
    pass_ = 1;
  }
}

void DependencyIndex::StatusChanged(int job) {
  Ensure();
  std::vector<int32_t> stack = edges_[static_cast<size_t>(job)].dependants;
  while (!stack.empty()) {
    const int32_t d = stack.back();
    stack.pop_back();
    if (!Valid(d)) continue;  // nor are its dependants' summaries, then
    summary_stamp_[static_cast<size_t>(d)] = 0;
    const auto& next = edges_[static_cast<size_t>(d)].dependants;
    stack.insert(stack.end(), next.begin(), next.end());
  }
}

// What predecessor `pred` itself does to a job that waits on it.
DependencyIndex::Summary DependencyIndex::SelfOf(int pred) const {
  const Edges& edges = edges_[static_cast<size_t>(pred)];
  const JobStatus status = schedule_[pred].Status;
  Summary self;
  self.walk = edges.empty_entry;  // the walk stops the program there
  if (LettersMatter(status) && !edges.uniform) {
    self.walk = true;  // the letters depend on which entry the walk meets first
    return self;
  }
  const Effect effect = EffectOf(status, edges.condition, edges.auto_unsched);
  self.hold = !effect.description.empty();
  self.unsched = effect.unsched;
  return self;
}

// Each job's summary is its direct predecessors' own effects and summaries,
// built depth first without recursion (chains may be 32767 jobs long). A
// dependency loop leaves the decision to the walk.
const DependencyIndex::Summary& DependencyIndex::SummaryOf(int job) {
  struct Frame {
    int job;
    size_t next = 0;
  };
  if (Valid(job)) return summary_[static_cast<size_t>(job)];
  std::vector<Frame> stack{{job}};
  on_stack_[static_cast<size_t>(job)] = 1;
  while (!stack.empty()) {
    const int node = stack.back().job;
    const auto& preds = edges_[static_cast<size_t>(node)].preds;
    if (stack.back().next < preds.size()) {
      const int p = preds[stack.back().next++].job;
      if (!Valid(p) && !on_stack_[static_cast<size_t>(p)]) {
        on_stack_[static_cast<size_t>(p)] = 1;
        stack.push_back({p});
      }
      continue;
    }
    Summary sum;
    for (const Predecessor& pred : preds) {
      const Summary self = SelfOf(pred.job);
      const bool looped = !Valid(pred.job);
      const Summary& up = summary_[static_cast<size_t>(pred.job)];
      sum.hold = sum.hold || self.hold || (!looped && up.hold);
      sum.unsched = sum.unsched || self.unsched || (!looped && up.unsched);
      sum.walk = sum.walk || self.walk || looped || up.walk;
    }
    summary_[static_cast<size_t>(node)] = sum;
    summary_stamp_[static_cast<size_t>(node)] = pass_;
    on_stack_[static_cast<size_t>(node)] = 0;
    stack.pop_back();
  }
  return summary_[static_cast<size_t>(job)];
}

DepResult DependencyIndex::Decide(int job, RunLog& log) {
  Ensure();
  const Summary& sum = SummaryOf(job);
  if (sum.walk) {
    std::string wait_list;
    return CheckDependency(schedule_, *this, log, job, wait_list);
  }
  if (sum.unsched) return DepResult::Unsched;
  return sum.hold ? DepResult::Wait : DepResult::Ready;
}

// Breadth-first over RunAfter entries: the job's own entries first, then the
// entries of each predecessor in the order they were reached.
std::vector<Predecessor> DependencyIndex::Predecessors(int job, RunLog& log) {
  std::vector<Predecessor> found;
  Walk(job, log, [&found](const Predecessor& pred) {
    found.push_back(pred);
    return true;
  });
  return found;
}

void DependencyIndex::Walk(int job, RunLog& log,
                           const std::function<bool(const Predecessor&)>& visit) {
  Ensure();
  if (++walk_ == 0) {
    std::fill(seen_.begin(), seen_.end(), 0);
    walk_ = 1;
  }
  std::vector<int> queue{job};
  for (size_t q = 0; q < queue.size(); ++q) {
    const Edges& edges = edges_[static_cast<size_t>(queue[q])];
    if (edges.empty_entry && q > 0)
      log.FatalStop("Empty RunAfter entry for job " + schedule_[queue[q]].JobName.Padded() +
                    ".  Critical error.");
    for (const Predecessor& pred : edges.preds) {
      auto slot = static_cast<size_t>(pred.job);
      if (seen_[slot] == walk_) continue;
      seen_[slot] = walk_;
      if (!visit(pred)) return;
      queue.push_back(pred.job);
    }
  }
}

std::vector<bool> DependencyIndex::Dependants(const std::vector<int>& jobs) {
  Ensure();
  std::vector<bool> reached(edges_.size(), false);
  std::vector<int32_t> stack;
  for (int job : jobs) {
    const auto& next = edges_[static_cast<size_t>(job)].dependants;
    stack.insert(stack.end(), next.begin(), next.end());
  }
  while (!stack.empty()) {
    const int32_t d = stack.back();
    stack.pop_back();
    if (reached[static_cast<size_t>(d)]) continue;
    reached[static_cast<size_t>(d)] = true;
    const auto& next = edges_[static_cast<size_t>(d)].dependants;
    stack.insert(stack.end(), next.begin(), next.end());
  }
  return reached;
}

namespace {

// Adds "NAME(S) - Failed" for a predecessor that holds the job back; false when it does not.
bool AddHolder(const Schedule& schedule, const Predecessor& p, std::string& wait_list,
               bool& unschedule) {
  const Job& pred = schedule[p.job];
  const Effect effect = EffectOf(pred.Status, p.condition, p.auto_unsched);
  if (effect.description.empty()) return false;
  unschedule = unschedule || effect.unsched;
  if (!wait_list.empty()) wait_list += ", ";
  wait_list.append(pred.JobName.Trimmed());
  wait_list += '(';
  if (p.condition != kNoCondition) wait_list += p.condition;
  wait_list += ") - ";
  wait_list.append(effect.description);
  return true;
}

}  // namespace

DepResult CheckDependency(const Schedule& schedule, DependencyIndex& index, RunLog& log, int job,
                          std::string& wait_list) {
  wait_list.clear();
  bool unschedule = false;
  index.Walk(job, log, [&](const Predecessor& p) {
    AddHolder(schedule, p, wait_list, unschedule);
    return true;
  });
  if (unschedule) return DepResult::Unsched;
  return wait_list.empty() ? DepResult::Ready : DepResult::Wait;
}

std::string WaitList(const Schedule& schedule, DependencyIndex& index, RunLog& log, int job,
                     size_t limit) {
  std::string wait_list;
  bool unschedule = false;
  size_t named = 0;
  index.Walk(job, log, [&](const Predecessor& p) {
    if (named == limit) {
      const Job& pred = schedule[p.job];
      if (EffectOf(pred.Status, p.condition, p.auto_unsched).description.empty()) return true;
      wait_list += ", ...";
      return false;
    }
    named += AddHolder(schedule, p, wait_list, unschedule) ? 1 : 0;
    return true;
  });
  return wait_list;
}

}  // namespace qlr
