#pragma once
// Modify Schedule: takes jobs off the running day or puts them back on it.
// This object owns everything the dialog shows and every rule; the dialog is
// a thin view that calls one function per control and then redraws from
// view(). The execution window brackets it with Engine::BeginModifySchedule()
// and Engine::EndModifySchedule(view().RescheduleDone).

#include <string>
#include <vector>

#include "engine/engine.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

enum class ModifyAction { None, Unschedule, Reschedule };

struct ModifyEntry {
  int job = 0;  // index in the job table
  bool selected = false;
};

// What the dialog shows.
struct ModifyScheduleView {
  enum class Exit { None, Ok, Cancel };

  ModifyAction action = ModifyAction::None;
  bool IncludeUnscheduled = false;
  bool CascadeDependents = false;
  bool SortedByName = false;
  std::vector<std::string> groups;  // the schedule's groups, then "(All)"
  int group_row = 0;                // the row of the group filter
  std::vector<ModifyEntry> entries;

  bool list_enabled = false;
  bool include_unscheduled_enabled = false;
  bool cascade_enabled = false;
  bool group_list_enabled = false;
  bool ok_enabled = false;

  Exit ExitMode = Exit::None;
  bool RescheduleDone = false;  // a job was put back on the schedule
};

class ModifySchedule {
 public:
  // `group_filter` is the group filter the schedule grid shares: this dialog
  // reads it when it opens and sets it when a group is chosen.
  ModifySchedule(Schedule& schedule, Engine& engine, Operator& op, std::string& group_filter);

  // Opening: clears RescheduleDone, fills the group list (an unknown group
  // filter becomes "(All)"); no action is chosen and the list is empty.
  void Open();
  // The action options: builds the list of candidates for the action.
  void ChooseAction(ModifyAction action);
  // "Include Unscheduled Jobs": rebuilds the Reschedule list.
  void SetIncludeUnscheduled(bool ticked);
  // "Sorted by Name": rebuilds the current list.
  void SetSorted(bool ticked);
  // "Cascade Dependent Jobs": when ticked, selects the dependants at once.
  void SetCascade(bool ticked);
  // The group list: sets the group filter; the list follows at its next build.
  void ChooseGroup(int row);
  // Selects or deselects the entry at `row`; OK is enabled while any entry is
  // selected, and with the cascade ticked the dependants follow.
  void Select(int row, bool selected);
  // "Clear": deselects every entry and disables OK.
  void Clear();
  // Rebuilds the list for the chosen action (nothing when none is chosen).
  void ForceRebuild();
  // The cascade: selects every listed job that waits, directly or indirectly,
  // on a selected one.
  void SelectDeps();

  // The OK command: applies the selected entries and closes.
  void Ok();
  // The Cancel command: closes and changes nothing.
  void Cancel();
  // Closing the dialog any other way: asks whether to apply the selection when
  // there is one (Yes applies, No cancels). False when the dialog stays open.
  bool CloseRequested();

  const ModifyScheduleView& view() const { return view_; }
  // The text of the entry at `row`: JobName (8 characters) + tab + the job's
  // status text as the execution window shows it. Made when asked, since a
  // wait for a long chain of predecessors names each of them.
  std::string EntryText(int row);

 private:
  bool AnySelected() const;
  void SortByName();
  void Apply();
  void Reschedule(Job& job);
  void Unschedule(Job& job);
  std::string ModificationLine(const Job& job) const;

  Schedule& schedule_;
  Engine& engine_;
  Operator& op_;
  std::string& group_filter_;
  ModifyScheduleView view_;
};

}  // namespace qlr
