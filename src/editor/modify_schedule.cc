#include "editor/modify_schedule.h"

#include <algorithm>

#include "base/text.h"
#include "calendar/status_decision.h"
#include "editor/group_list.h"
#include "model/constants.h"

namespace qlr {
namespace {

bool IsCandidate(ModifyAction action, JobStatus status, bool include_unscheduled) {
  switch (action) {
    case ModifyAction::Unschedule:
      return status == JobStatus::Scheduled || status == JobStatus::Running;
    case ModifyAction::Reschedule:
      return status == JobStatus::Failed || status == JobStatus::Completed ||
             (include_unscheduled &&
              (status == JobStatus::Unscheduled || status == JobStatus::NotScheduled));
    case ModifyAction::None:
      break;
  }
  return false;
}

// A sorted list box orders its entries alphabetically, ignoring case.
bool TextOrder(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(UpperChar(x)) < static_cast<unsigned char>(UpperChar(y));
  });
}

}  // namespace

ModifySchedule::ModifySchedule(Schedule& schedule, Engine& engine, Operator& op,
                               std::string& group_filter)
    : schedule_(schedule), engine_(engine), op_(op), group_filter_(group_filter) {}

void ModifySchedule::Open() {
  ModifyScheduleView fresh;
  fresh.IncludeUnscheduled = view_.IncludeUnscheduled;
  fresh.CascadeDependents = view_.CascadeDependents;
  fresh.SortedByName = view_.SortedByName;
  view_ = std::move(fresh);
  GroupList list = FillGroupList(schedule_, group_filter_);
  if (!list.found) {
    group_filter_ = kAllGroups;
    list.selected = static_cast<int>(list.groups.size()) - 1;
  }
  view_.groups = std::move(list.groups);
  view_.group_row = list.selected;
}

void ModifySchedule::ChooseAction(ModifyAction action) {
  view_.action = action;
  view_.entries.clear();
  for (int i = 1; i <= schedule_.JobCount(); ++i) {
    const Job& job = schedule_[i];
    if (InGroup(job, group_filter_) && IsCandidate(action, job.Status, view_.IncludeUnscheduled))
      view_.entries.push_back({i, false});
  }
  if (view_.SortedByName) SortByName();
  bool chosen = action != ModifyAction::None;
  view_.list_enabled = chosen;
  view_.group_list_enabled = chosen;
  view_.cascade_enabled = action == ModifyAction::Unschedule;
  view_.include_unscheduled_enabled = action == ModifyAction::Reschedule;
  view_.ok_enabled = false;
}

std::string ModifySchedule::EntryText(int row) {
  const int job = view_.entries[static_cast<size_t>(row)].job;
  return schedule_[job].JobName.Padded() + "\t" + engine_.StatusTextOf(job);
}

// In the order of the entries' texts: by name, and by status text only
// between jobs of the same name.
void ModifySchedule::SortByName() {
  std::stable_sort(view_.entries.begin(), view_.entries.end(),
                   [this](const ModifyEntry& a, const ModifyEntry& b) {
                     const std::string x = schedule_[a.job].JobName.Padded();
                     const std::string y = schedule_[b.job].JobName.Padded();
                     if (!EqualsNoCase(x, y)) return TextOrder(x, y);
                     return TextOrder(engine_.StatusTextOf(a.job), engine_.StatusTextOf(b.job));
                   });
}

void ModifySchedule::ForceRebuild() {
  if (view_.action != ModifyAction::None) ChooseAction(view_.action);
}

void ModifySchedule::SetIncludeUnscheduled(bool ticked) {
  view_.IncludeUnscheduled = ticked;
  if (view_.action == ModifyAction::Reschedule) ChooseAction(ModifyAction::Reschedule);
}

void ModifySchedule::SetSorted(bool ticked) {
  view_.SortedByName = ticked;
  ForceRebuild();
}

void ModifySchedule::SetCascade(bool ticked) {
  view_.CascadeDependents = ticked;
  if (ticked) SelectDeps();
}

void ModifySchedule::ChooseGroup(int row) {
  if (row < 0 || row >= static_cast<int>(view_.groups.size())) return;
  view_.group_row = row;
  group_filter_ = view_.groups[static_cast<size_t>(row)];
}

void ModifySchedule::Select(int row, bool selected) {
  if (row < 0 || row >= static_cast<int>(view_.entries.size())) return;
  view_.entries[static_cast<size_t>(row)].selected = selected;
  // The cascade belongs to unscheduling: a job cannot run once a job it
  // waits on is off the day, so its dependants come off with it.
  if (view_.CascadeDependents && view_.action == ModifyAction::Unschedule) SelectDeps();
  view_.ok_enabled = AnySelected();
}

void ModifySchedule::Clear() {
  for (ModifyEntry& entry : view_.entries) entry.selected = false;
  view_.ok_enabled = false;
}

bool ModifySchedule::AnySelected() const {
  return std::any_of(view_.entries.begin(), view_.entries.end(),
                     [](const ModifyEntry& e) { return e.selected; });
}

// A listed job is selected when a selected one is among its direct or
// indirect predecessors: one walk from the selected jobs to all that wait on
// them finds every such job at once. Dependencies name jobs, so a selected
// job stands for the first job of its name.
void ModifySchedule::SelectDeps() {
  DependencyIndex& deps = engine_.dependencies();
  std::vector<int> chosen;
  for (const ModifyEntry& entry : view_.entries)
    if (entry.selected) chosen.push_back(deps.FindJob(schedule_[entry.job].JobName.Trimmed()));
  if (chosen.empty()) return;
  const std::vector<bool> waits = deps.Dependants(chosen);
  for (ModifyEntry& entry : view_.entries)
    if (waits[static_cast<size_t>(entry.job)]) entry.selected = true;
}

void ModifySchedule::Ok() {
  view_.ExitMode = ModifyScheduleView::Exit::Ok;
  Apply();
}

void ModifySchedule::Cancel() { view_.ExitMode = ModifyScheduleView::Exit::Cancel; }

bool ModifySchedule::CloseRequested() {
  if (view_.ExitMode != ModifyScheduleView::Exit::None) return true;
  if (!AnySelected()) {
    Cancel();
    return true;
  }
  switch (op_.Ask("Do you want to apply the select modifications to the schedule?",
                  Buttons::YesNoCancel, std::string(kSettingsName))) {
    case Answer::Yes:
      Ok();
      return true;
    case Answer::No:
      Cancel();
      return true;
    default:
      return false;
  }
}

void ModifySchedule::Apply() {
  for (const ModifyEntry& entry : view_.entries) {
    if (!entry.selected) continue;
    Job& job = schedule_[entry.job];
    if (view_.action == ModifyAction::Reschedule)
      Reschedule(job);
    else
      Unschedule(job);
    SetJobStatus(schedule_, entry.job);
    engine_.LogModification(ModificationLine(job));
  }
  engine_.UnsubBuild();
  engine_.Save();
}

// The job runs again today: its last run is forgotten, and a job that its
// frequency or skip setting would leave off (or that was taken off) is forced on.
void ModifySchedule::Reschedule(Job& job) {
  job.StartedAt = 0;
  job.EndedAt = 0;
  if (job.OverrideCode.Trimmed() == "U" || !job.DueToday || job.SkipToday) job.OverrideCode = "S";
  view_.RescheduleDone = true;
}

// A job that would otherwise run today (by its frequency or a forced "S") is
// marked off; one that would not run anyway keeps its code.
void ModifySchedule::Unschedule(Job& job) {
  if (job.OverrideCode.Trimmed() == "S" || (job.DueToday && !job.SkipToday)) job.OverrideCode = "U";
}

std::string ModifySchedule::ModificationLine(const Job& job) const {
  return job.JobName.Padded() + " (" + Trim(job.Frequency) + ")\t" + job.StatusText;
}

}  // namespace qlr
