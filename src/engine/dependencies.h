#pragma once
// Dependency checks of the dispatch pass. The transitive predecessor list of
// a job does not change while the schedule runs, so it is built once per job
// and kept until the schedule changes.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "log/run_log.h"
#include "model/schedule.h"

namespace qlr {

enum class DepResult { Ready, Wait, Unsched };

struct Predecessor {
  int32_t job;      // index of the first job of that name
  char condition;   // "S", "F" or "U"
  char auto_unsched;  // "Y" or blank
};

class DependencyIndex {
 public:
  explicit DependencyIndex(const Schedule& schedule) : schedule_(schedule) {}

  // Drops every cached list; call whenever jobs or their RunAfter lists change.
  void Invalidate();
  // Index of the first job whose trimmed name equals `name` ignoring case; 0 when none.
  int FindJob(std::string_view name);
  // All direct and indirect predecessors that are jobs of the schedule, each
  // once, with the letters of the entry that first brought it in. An empty
  // RunAfter entry met on the way is fatal.
  const std::vector<Predecessor>& Predecessors(int job, RunLog& log);

 private:
  // A job's own RunAfter entries resolved to job indexes, so that the walks,
  // which visit every edge of every job's ancestry, never touch a name.
  struct Direct {
    std::vector<Predecessor> preds;
    bool empty_entry = false;  // a blank RunAfter entry
    bool built = false;
  };

  void BuildNames();
  const Direct& DirectOf(int job);
  std::vector<Predecessor> Walk(int job, RunLog& log);

  const Schedule& schedule_;
  std::unordered_map<std::string, int> names_;
  std::vector<Direct> direct_;
  std::vector<std::vector<Predecessor>> lists_;
  std::vector<bool> built_;
  std::vector<uint32_t> seen_;  // walk stamps, to keep each predecessor once
  uint32_t stamp_ = 0;
};

// Whether job `job` may start as far as its dependencies go; `wait_list`
// receives "NAME(S) - Failed, ..." for the predecessors that hold it back.
DepResult CheckDependency(const Schedule& schedule, DependencyIndex& index, RunLog& log, int job,
                          std::string& wait_list);
// Whether `name` is among the direct or indirect predecessors of `job`.
bool DependsOn(const Schedule& schedule, DependencyIndex& index, RunLog& log, int job,
               std::string_view name);

}  // namespace qlr
