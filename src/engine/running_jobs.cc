#include "engine/running_jobs.h"

#include "base/text.h"

namespace qlr {
namespace {

// An exclusivity list counts its first ten names; qlr check reports longer lists.
constexpr size_t kMaxExclusivityNames = 10;

}  // namespace

void RunningJobs::Rebuild(const Schedule& schedule) {
  jobs_.clear();
  position_.assign(static_cast<size_t>(schedule.JobCount()) + 1, -1);
  words_.clear();
  cpu_ = dos_ = 0;
  for (int i = 1; i <= schedule.JobCount(); ++i)
    if (schedule[i].Status == JobStatus::Running) Add(schedule, i);
}

void RunningJobs::Add(const Schedule& schedule, int job) {
  if (position_.size() <= static_cast<size_t>(job))
    position_.resize(static_cast<size_t>(job) + 1, -1);
  if (position_[static_cast<size_t>(job)] >= 0) return;
  position_[static_cast<size_t>(job)] = static_cast<int>(jobs_.size());
  jobs_.push_back(job);
  Count(schedule[job], 1);
}

// The last job takes the place of the one that left: removing costs the same
// however many jobs run.
void RunningJobs::Remove(const Schedule& schedule, int job) {
  if (position_.size() <= static_cast<size_t>(job) || position_[static_cast<size_t>(job)] < 0)
    return;
  const int at = position_[static_cast<size_t>(job)];
  const int last = jobs_.back();
  jobs_[static_cast<size_t>(at)] = last;
  position_[static_cast<size_t>(last)] = at;
  jobs_.pop_back();
  position_[static_cast<size_t>(job)] = -1;
  Count(schedule[job], -1);
}

void RunningJobs::Count(const Job& job, int by) {
  cpu_ += by * job.CpuUsage;
  if (job.IsDosProgram) dos_ += by;
  for (std::string_view word : SplitWords(job.Exclusivity)) {
    auto it = words_.try_emplace(Upper(word), 0).first;
    if ((it->second += by) <= 0) words_.erase(it);
  }
}

bool RunningJobs::MayRunBeside(const Job& job) const {
  if (words_.empty()) return true;
  std::vector<std::string_view> names = SplitWords(TrimView(job.Exclusivity));
  if (names.size() > kMaxExclusivityNames) names.resize(kMaxExclusivityNames);
  for (std::string_view name : names)
    if (words_.count(Upper(name)) != 0) return false;
  return true;
}

}  // namespace qlr
