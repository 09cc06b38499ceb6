#pragma once
// The job editor's "Job Dependency" list: one row per job the edited job may
// wait for, with whether it waits, on which end, and whether it takes itself
// off the day when that end can no longer come.

#include <string>
#include <string_view>
#include <vector>

#include "log/run_log.h"
#include "model/schedule.h"

namespace qlr {

// The EOJ Status words; a row's condition is stored as the word's first letter.
inline constexpr std::string_view kDepSuccess = "Success";
inline constexpr std::string_view kDepFailure = "Failure";
inline constexpr std::string_view kDepUncond = "Uncond";

enum class DepCondition { Success, Failure, Unconditional };  // the condition menu's entries

// The question Fill asks once when the job waits on jobs that no longer exist;
// a caller answering for the operator knows it by this text.
inline constexpr const char* kKeepMissing =
    "Job has one or more dependencies on jobs which no longer exist.  Do you wish to keep them?";

struct DependencyRow {
  std::string name, group;    // trimmed; group "" for a job that no longer exists
  bool wait = false;          // "Wait EOJ"
  std::string status;         // "Success", "Failure" or "Uncond" while ticked, else ""
  bool auto_unsched = false;  // "Auto Unsched", only on a ticked row
};

class DependencyList {
 public:
  // Fills the list for `job` when the editor opens: its own dependencies
  // first, then every other job in table order; with `same_group`, unticked
  // rows of groups other than `group` are left out. Dependencies on jobs that
  // no longer exist are kept or dropped by one question to `op`. An empty
  // RunAfter entry is a program error and ends the program.
  void Fill(const Schedule& schedule, RunLog& log, Operator& op, const Job& job, bool same_group,
            std::string_view group);

  // The Same Group and All Groups options: ticked rows stay whatever their
  // group. Same Group starts again from every job when the list was already
  // cut down, since the group may have changed; All Groups on a full list
  // changes nothing.
  void ShowSameGroup(const Schedule& schedule, std::string_view group);
  void ShowAllGroups(const Schedule& schedule);
  bool same_group() const { return same_group_; }

  // A click on a row's Wait EOJ: unticks it, or ticks it as "Uncond".
  void ClickWait(int row);
  // A click on Auto Unsched: toggles it on a ticked row only.
  void ClickAutoUnsched(int row);
  // The condition menu opens on the EOJ Status of ticked rows only.
  bool HasConditionMenu(int row) const;
  // The menu's choice: the row's status word; Auto Unsched is unticked.
  void ChooseCondition(int row, DepCondition condition);

  // RunAfter, DepConditions and DepAutoUnsched from the ticked rows, in list order.
  void Store(Job& job) const;

  const std::vector<DependencyRow>& rows() const { return rows_; }
  // The row of the job of this name (trimmed, any letter case); -1 when none.
  int FindRow(std::string_view name) const;

 private:
  struct JobsByName;  // the schedule's jobs sorted by name, to find them by it
  void AddOwnDependencies(const Schedule& schedule, const JobsByName& by_name, RunLog& log,
                          Operator& op, const Job& job);
  void GetAllGroups(const Schedule& schedule, const JobsByName& by_name);
  bool Valid(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }

  std::vector<DependencyRow> rows_;
  std::string own_name_;
  bool same_group_ = false;
};

}  // namespace qlr
