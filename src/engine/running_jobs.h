#pragma once
// The jobs that run now, kept as the exclusivity, CPU and DOS tests ask
// about them, so that each test costs the same however many jobs run.

#include <string>
#include <unordered_map>
#include <vector>

#include "model/schedule.h"

namespace qlr {

class RunningJobs {
 public:
  // Every job whose status is Running, in job order.
  void Rebuild(const Schedule& schedule);
  void Add(const Schedule& schedule, int job);
  void Remove(const Schedule& schedule, int job);  // nothing when it is not there

  const std::vector<int>& jobs() const { return jobs_; }
  // Whether a job with this exclusivity list may start: none of its first ten
  // names (upper-cased) is a word of a running job's list.
  bool MayRunBeside(const Job& job) const;
  int cpu() const { return cpu_; }  // the running jobs' CpuUsage, added up
  bool any_dos() const { return dos_ > 0; }

 private:
  void Count(const Job& job, int by);

  std::vector<int> jobs_;
  std::vector<int> position_;                   // by job index: where it is in jobs_, or -1
  std::unordered_map<std::string, int> words_;  // upper-cased exclusivity words, counted
  int cpu_ = 0;
  int dos_ = 0;
};

}  // namespace qlr
