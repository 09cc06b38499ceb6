#pragma once
// The dependency checks of the dispatch pass. A job waits while any of its
// direct or indirect predecessors holds it back; deciding that for every job
// of a pass costs one visit of each job and each dependency, however long
// the chains, because each job's answer is built from its direct
// predecessors' answers. The wait list that names the predecessors is only
// made when someone asks for it.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "log/run_log.h"
#include "model/schedule.h"

namespace qlr {

enum class DepResult { Ready, Wait, Unsched };

// The condition of a dependency whose letter is missing (DepConditions shorter
// than RunAfter): like a blank letter, it holds the job back only while the
// predecessor runs or has not started, and the wait list shows "NAME() - Running".
inline constexpr char kNoCondition = ' ';

struct Predecessor {
  int32_t job;        // index of the first job of that name
  char condition;     // "S", "F", "U", another letter as written, or kNoCondition
  char auto_unsched;  // "Y" or blank
};

class DependencyIndex {
 public:
  explicit DependencyIndex(const Schedule& schedule) : schedule_(schedule) {}

  // Drops what was built from the job table; call whenever jobs or their
  // RunAfter lists change.
  void Invalidate();
  // Index of the first job whose trimmed name equals `name` ignoring case; 0 when none.
  int FindJob(std::string_view name);

  // A dispatch step begins: the statuses may all have changed since the last one.
  void BeginPass();
  // Job `job` changed its status during the step (the decisions of the jobs
  // after it in the step must see that).
  void StatusChanged(int job);
  // Whether `job` may start as far as its dependencies go, with the statuses
  // as they are now. An empty RunAfter entry of a predecessor is fatal.
  DepResult Decide(int job, RunLog& log);

  // All direct and indirect predecessors of `job`, each once, in the order a
  // breadth-first walk of RunAfter entries meets them, with the letters of
  // the entry that first brought each in. Fatal as Decide.
  std::vector<Predecessor> Predecessors(int job, RunLog& log);
  // The same walk, calling `visit` for each predecessor until it returns false.
  void Walk(int job, RunLog& log, const std::function<bool(const Predecessor&)>& visit);
  // The jobs that wait, directly or indirectly, on any of `jobs`, as a flag per job index.
  std::vector<bool> Dependants(const std::vector<int>& jobs);

 private:
  // What holds a job back, built from its direct predecessors.
  struct Summary {
    bool hold = false;     // some predecessor holds it back
    bool unsched = false;  // ... and asks for it to be unscheduled
    bool walk = false;     // only a walk can tell (see Decide)
  };
  // A job's own RunAfter entries resolved to job indexes, and the jobs whose
  // entries name it.
  struct Edges {
    std::vector<Predecessor> preds;
    std::vector<int32_t> dependants;
    bool empty_entry = false;  // a blank RunAfter entry
    // Every entry that names this job carries the same two letters, so that
    // whichever entry a walk meets first, its effect is known.
    bool uniform = true;
    char condition = 0, auto_unsched = 0;
  };

  void Build();
  void Ensure() {
    if (edges_.size() != static_cast<size_t>(schedule_.JobCount()) + 1) Build();
  }
  Summary SelfOf(int pred) const;
  const Summary& SummaryOf(int job);
  bool Valid(int job) const { return summary_stamp_[static_cast<size_t>(job)] == pass_; }

  const Schedule& schedule_;
  std::unordered_map<std::string, int> names_;
  std::vector<Edges> edges_;
  std::vector<Summary> summary_;
  std::vector<uint32_t> summary_stamp_;  // == pass_ while the summary holds
  std::vector<uint8_t> on_stack_;        // walking it now: a loop when met again
  uint32_t pass_ = 1;
  std::vector<uint32_t> seen_;  // walk stamps, to keep each predecessor once
  uint32_t walk_ = 0;
};

// The exact check of one job: the decision, and in `wait_list` "NAME(S) -
// Failed, ..." for the predecessors that hold it back.
DepResult CheckDependency(const Schedule& schedule, DependencyIndex& index, RunLog& log, int job,
                          std::string& wait_list);
// The wait list alone, naming at most `limit` predecessors (then ", ..."), so
// that the end of a long chain costs no more than its start.
std::string WaitList(const Schedule& schedule, DependencyIndex& index, RunLog& log, int job,
                     size_t limit);

}  // namespace qlr
