#pragma once
// The schedule grid's list operations (frmLGrid, "Schedule Update"): the rows
// the group filter shows, the selected job, New, Paste New, Copy, Modify,
// Delete, Reschedule/Unschedule, Skip and the moves, with the rules that
// enable each command. The window draws rows() with the grid's cell texts;
// the job editor (JobEditModel) runs between BeginNew/EndNew and
// BeginModify/EndModify.

#include <string>
#include <vector>

#include "base/clock.h"
#include "editor/editor_state.h"
#include "editor/group_list.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/desktop.h"
#include "platform/operator.h"

namespace qlr {

// Which commands are enabled.
struct GridCommands {
  bool edit = false, modify = false, del = false, resched = false;  // any row
  bool skip = false, copy = false, top = false, bottom = false, down = false,
       up = false;         // a job row
  bool paste_new = false;  // after Copy
};

class JobListEditor {
 public:
  // `op` is asked and told by the commands; `clock` stamps what Resched does.
  JobListEditor(Schedule& schedule, RunLog& log, Operator& op, const Clock& clock,
                EditorState& state, SaveSchedule save);

  // Opening the window: the rows, the first row selected, Edit prepared for job 1.
  void Open();
  // Rebuilds the rows for the group filter ("(All)" when its group is gone)
  // and keeps the selected row, or the last one. An empty RunAfter entry of a
  // shown job ends the program.
  void DisplayGrid();

  // The job of each grid row: rows()[r - 1] for row r (1 is the first job row).
  const std::vector<int>& rows() const { return rows_; }
  const GroupList& group_list() const { return groups_; }
  int selected_row() const { return selected_; }  // 0 while no job is shown
  int current_job() const { return current_; }    // CurrentJob
  // The first job, in table order, whose trimmed name is the row's (exact);
  // 0 for a row that is not there.
  int FindArrayRow(int row) const;
  // The grid row showing job `index`; 0 when the group filter hides it.
  int RowOf(int index) const;

  // Row change: CurrentJob, the Resched command's caption and the Edit command.
  void SelectRow(int row);
  const std::string& ReschedCaption() const {
    return resched_caption_;
  }  // "Resched" or "Unschedule"
  std::string ReschedTip() const;
  // The Edit command for a job: a batch file (a first word ending in ".sh",
  // ".bat" or ".cmd") or the runtime documentation file.
  void SetEditJobDesc(int index);
  const std::string& EditTag() const { return edit_tag_; }
  const std::string& EditTip() const { return edit_tip_; }
  // Edit: the batch file in the text editor unless shifted, else the job's
  // notes; nothing while no job is shown.
  void Edit(bool shifted, Desktop& desktop);
  // The grid's tool tip after a click on a row: "Job NAME: description", or "".
  std::string RowTip(int row) const;
  GridCommands Buttons() const;

  // New (Paste New with `paste`): appends the record to edit and returns its
  // index; 0 when the schedule is full (the operator is told).
  int BeginNew(bool paste);
  // After the job editor: a cancelled new job is removed again.
  void EndNew(bool edit_cancelled);
  // Copy: the selected job into the copy buffer; enables Paste New.
  void Copy();
  // Modify: the job to edit; afterwards the run day is placed again.
  int BeginModify();
  void EndModify();
  // Delete, after the operator's confirmation and the dependents question.
  // The last job of a schedule is never deleted. True when a job went.
  bool Delete();
  // Resched / Unschedule the selected job.
  void Resched();
  // Skip: the keys held choose the mode (none toggles the selected job, Shift
  // unskips and Ctrl skips every shown job); the schedule is written at once.
  // False when it could not be written.
  bool Skip(bool shift, bool ctrl);
  // Moves among the shown rows; with a group filter a job passes hidden jobs.
  void Top();
  void Up();
  void Down();
  void Bottom();
  // Choosing a group in the filter list.
  void ChooseGroup(const std::string& group);
  // Close ("Save the changes and close the window."): writes the schedule
  // when Delete, a move or Resched changed it since it was last written.
  // False when it could not be written.
  bool Close();
  // Whether the table holds changes the schedule file does not have yet.
  bool unsaved() const { return unsaved_; }

 private:
  void MoveJobUp(int target);
  void MoveJobDown(int target);
  void SkipJob(Job& job, const std::string& run_date);
  int LastRow() const { return static_cast<int>(rows_.size()); }

  Schedule& schedule_;
  RunLog& log_;
  Operator& op_;
  const Clock& clock_;
  EditorState& state_;
  SaveSchedule save_;
  std::vector<int> rows_;
  GroupList groups_;
  int selected_ = 1;
  int current_ = 0;
  bool unsaved_ = false;
  std::string resched_caption_ = "Unschedule";
  std::string edit_tag_, edit_tip_;
};

}  // namespace qlr
