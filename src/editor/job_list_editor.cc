#include "editor/job_list_editor.h"

#include <algorithm>
#include <utility>

#include "base/field.h"
#include "base/text.h"
#include "calendar/holidays.h"
#include "calendar/status_decision.h"
#include "editor/rename_propagation.h"
#include "editor/runtime_doc.h"
#include "log/view_log.h"
#include "model/constants.h"

namespace qlr {
namespace {

bool IsFinished(JobStatus status) {
  return status == JobStatus::Completed || status == JobStatus::Failed ||
         status == JobStatus::Unscheduled;
}

// The first word of a command line, a quoted part counting as one word.
std::string_view FirstWord(std::string_view command_line) {
  if (!command_line.empty() && command_line.front() == '"') {
    const size_t close = command_line.find('"', 1);
    return command_line.substr(0, close == std::string_view::npos ? close : close + 1);
  }
  return command_line.substr(0, command_line.find(' '));
}

// On Linux a job's batch file is a shell script, or a ".bat" or ".cmd" file
// kept from Windows; the program name must come before the extension.
bool IsBatchFile(std::string_view word) {
  if (!word.empty() && word.back() == '"') word.remove_suffix(1);
  for (std::string_view ext : {".sh", ".bat", ".cmd"})
    if (word.size() > ext.size() + 1 && EndsWith(Lower(word), ext)) return true;
  return false;
}

}  // namespace

JobListEditor::JobListEditor(Schedule& schedule, RunLog& log, Operator& op, const Clock& clock,
                             EditorState& state, SaveSchedule save)
    : schedule_(schedule),
      log_(log),
      op_(op),
      clock_(clock),
      state_(state),
      save_(std::move(save)) {}

void JobListEditor::Open() {
  selected_ = 1;
  DisplayGrid();
  SelectRow(selected_);
  SetEditJobDesc(1);
}

void JobListEditor::DisplayGrid() {
  groups_ = FillGroupList(schedule_, state_.GroupFilter);
  if (!groups_.found) {
    state_.GroupFilter = kAllGroups;
    groups_ = FillGroupList(schedule_, state_.GroupFilter);
  }
  rows_.clear();
  for (int i = 1; i <= schedule_.JobCount(); ++i) {
    const Job& job = schedule_[i];
    if (!InGroup(job, state_.GroupFilter)) continue;
    for (const std::string& entry : job.RunAfter)
      if (TrimView(entry).empty())
        log_.FatalStop("Empty RunAfter entry for job " + job.JobName.Padded() +
                       ".  Critical error.");
    rows_.push_back(i);
  }
  selected_ = rows_.empty() ? 0 : std::clamp(selected_, 1, LastRow());
}

int JobListEditor::FindArrayRow(int row) const {
  if (row < 1 || row > LastRow()) return 0;
  const std::string_view name = schedule_[rows_[static_cast<size_t>(row - 1)]].JobName.Trimmed();
  for (int i = 1; i <= schedule_.JobCount(); ++i)
    if (schedule_[i].JobName.Trimmed() == name) return i;
  return 0;
}

int JobListEditor::RowOf(int index) const {
  const auto at = std::find(rows_.begin(), rows_.end(), index);
  return at == rows_.end() ? 0 : static_cast<int>(at - rows_.begin()) + 1;
}

void JobListEditor::SelectRow(int row) {
  selected_ = rows_.empty() ? 0 : std::clamp(row, 1, LastRow());
  current_ = FindArrayRow(selected_);
  resched_caption_ = IsFinished(schedule_[current_].Status) ? "Resched" : "Unschedule";
  SetEditJobDesc(current_);
}

std::string JobListEditor::ReschedTip() const {
  return resched_caption_ == "Resched" ? "Reschedule selected job" : "Unschedule selected job";
}

void JobListEditor::SetEditJobDesc(int index) {
  edit_tag_.clear();
  edit_tip_ = "Edit Runtime Documentation File";
  if (index < 1 || index > schedule_.JobCount()) return;
  const Job& job = schedule_[index];
  const std::string_view word = FirstWord(job.CommandLine);
  if (IsBatchFile(word)) {
    edit_tag_ = std::string(word) + ",";
    edit_tip_ = "Edit Batch File (unshifted) or Runtime Documentation File (shifted)";
  }
  edit_tag_ += "$" + job.JobName.Str();
}

void JobListEditor::Edit(bool shifted, Desktop& desktop) {
  if (edit_tag_.empty()) return;  // no job shown: nothing to open
  if (!shifted && !StartsWith(edit_tag_, "$"))
    StartTextEditor(schedule_, op_, desktop, GetField(edit_tag_, 1));
  else
    EditJobDoc(schedule_, op_, desktop, TextAfter(edit_tag_, "$"));
}

std::string JobListEditor::RowTip(int row) const {
  const int index = FindArrayRow(row);
  if (index == 0 || schedule_[index].Description.IsBlank()) return "";
  const Job& job = schedule_[index];
  return "Job " + job.JobName.Str() + ": " + job.Description.Str();
}

// The grid always has its heading row, so the commands tagged for any row
// are always enabled; those tagged for a job row need one.
GridCommands JobListEditor::Buttons() const {
  const bool job_row = !rows_.empty();
  GridCommands c;
  c.edit = c.modify = c.del = c.resched = true;
  c.skip = c.copy = c.top = c.bottom = c.down = c.up = job_row;
  c.paste_new = state_.CopyAvailable;
  return c;
}

int JobListEditor::BeginNew(bool paste) {
  if (schedule_.JobCount() >= kMaxJobs) {
    op_.Tell("The schedule holds " + std::to_string(kMaxJobs) + " jobs, the most it can hold.");
    return 0;
  }
  Job job;
  if (paste || state_.PasteMode) {
    job = schedule_[0];
    job.JobName = "";
    state_.PasteMode = false;
  } else {
    job.Frequency = "WorkDays";
    SetStockDateVars(job);
  }
  schedule_.Jobs.push_back(std::move(job));
  current_ = schedule_.JobCount();
  return current_;
}

void JobListEditor::EndNew(bool edit_cancelled) {
  if (edit_cancelled) {
    schedule_.Jobs.pop_back();
  } else {
    selected_ = LastRow() + 1;  // the new row, or the last one shown
    unsaved_ = false;           // the job editor's store wrote the whole table
  }
  DisplayGrid();
}

void JobListEditor::Copy() {
  const int index = FindArrayRow(selected_);
  if (index == 0) return;
  schedule_[0] = schedule_[index];
  state_.CopyAvailable = true;
  state_.PasteNewTip = " (Copy of job \"" + schedule_[index].JobName.Str() + "\") ";
}

int JobListEditor::BeginModify() {
  current_ = FindArrayRow(selected_);
  return current_;
}

void JobListEditor::EndModify() {
  ApplyRunDate(schedule_);
  DisplayGrid();
}

bool JobListEditor::Delete() {
  current_ = FindArrayRow(selected_);
  if (current_ == 0) return false;
  Operator& op = op_;
  const std::string name = schedule_[current_].JobName.Str();
  if (op.Ask("Delete job " + name + "?", Buttons::YesNo) != Answer::Yes) return false;
  const std::string dependents = UpdateDependents(schedule_, op, name, "");
  if (!dependents.empty() && op.Ask("The following jobs:  " + dependents +
                                        "  are dependent on this job.  Proceed with deletion?",
                                    Buttons::YesNo) != Answer::Yes)
    return false;
  if (schedule_.JobCount() == 1) {
    op.Tell("Cannot delete last row");
    return false;
  }
  const size_t shown = rows_.size();
  schedule_.Jobs.erase(schedule_.Jobs.begin() + current_);
  unsaved_ = true;
  if (shown <= 1 && state_.GroupFilter != kAllGroups) {
    op.Tell("Last member of group " + state_.GroupFilter +
            " deleted, display option reset to \"(All)\"");
    state_.GroupFilter = kAllGroups;
  }
  DisplayGrid();
  return true;
}

void JobListEditor::Resched() {
  if (current_ < 1 || current_ > schedule_.JobCount()) return;
  Job& job = schedule_[current_];
  job.DueToday = true;
  if (IsFinished(job.Status)) {
    job.Status = JobStatus::Scheduled;
    job.StartedAt = job.EndedAt = 0;
  } else {
    job.Status = job.Status == JobStatus::Running ? JobStatus::EndForced : JobStatus::Unscheduled;
    job.StartedAt = job.EndedAt = StampTime(schedule_, clock_);
  }
  job.StatusText = StatusText(job.Status);
  unsaved_ = true;
  DisplayGrid();
  SelectRow(selected_);
}

void JobListEditor::SkipJob(Job& job, const std::string& run_date) {
  if (job.SkipOn.Trimmed() == kSkipAlwaysKeyword) return;
  switch (state_.skip_mode) {
    case SkipMode::ToggleSingle:
      job.SkipOn = job.SkipOn.IsBlank() ? run_date : "";
      break;
    case SkipMode::UnskipAll:
      job.SkipOn = "";
      break;
    case SkipMode::SkipAll:
      job.SkipOn = run_date;
      break;
  }
}

bool JobListEditor::Skip(bool shift, bool ctrl) {
  if (shift != ctrl) state_.skip_mode = shift ? SkipMode::UnskipAll : SkipMode::SkipAll;
  if (!shift && !ctrl) state_.skip_mode = SkipMode::ToggleSingle;
  const std::string run_date = FormatShortDate(schedule_.Calendar, schedule_.RunDate);
  if (state_.skip_mode == SkipMode::ToggleSingle) {
    if (const int index = FindArrayRow(selected_)) SkipJob(schedule_[index], run_date);
  } else {
    for (int index : rows_) SkipJob(schedule_[index], run_date);
  }
  const bool saved = save_ && save_(schedule_, log_, op_);
  if (saved) unsaved_ = false;
  DisplayGrid();
  SelectRow(selected_);
  return saved;
}

// ---------------------------------------------------------------------------
// Re-sequencing: the target is the job of a shown row, so with a group filter
// a job passes the hidden jobs between it and the target.

void JobListEditor::MoveJobUp(int target) {
  current_ = FindArrayRow(selected_);
  if (current_ <= 1) return DisplayGrid();
  for (; current_ > target; --current_) {
    std::swap(schedule_[current_], schedule_[current_ - 1]);
    unsaved_ = true;
  }
  selected_ = std::max(1, selected_ - 1);
  DisplayGrid();
}

void JobListEditor::MoveJobDown(int target) {
  current_ = FindArrayRow(selected_);
  if (current_ == 0 || current_ >= schedule_.JobCount()) return DisplayGrid();
  for (; current_ < target; ++current_) {
    std::swap(schedule_[current_], schedule_[current_ + 1]);
    unsaved_ = true;
  }
  selected_ = selected_ + 1;
  DisplayGrid();
}

void JobListEditor::Top() {
  MoveJobUp(FindArrayRow(1));
  SelectRow(1);
}

void JobListEditor::Up() {
  if (selected_ >= 2) MoveJobUp(FindArrayRow(selected_ - 1));
  SelectRow(selected_);
}

void JobListEditor::Down() {
  if (selected_ >= 1 && selected_ < LastRow()) MoveJobDown(FindArrayRow(selected_ + 1));
  SelectRow(selected_);
}

void JobListEditor::Bottom() {
  MoveJobDown(FindArrayRow(LastRow()));
  SelectRow(LastRow());
}

void JobListEditor::ChooseGroup(const std::string& group) {
  state_.GroupFilter = group;
  DisplayGrid();
  SelectRow(selected_);
}

// Deletions, moves and reschedules stay in memory until the next write; the
// window's Close promises to save them, so that leaving the program after
// closing the grid loses nothing.
bool JobListEditor::Close() {
  if (!unsaved_) return true;
  if (!save_ || !save_(schedule_, log_, op_)) return false;
  unsaved_ = false;
  return true;
}

}  // namespace qlr
