#pragma once
// The job editor (frmEdit): every field of one job as its six tabs show it,
// the rules that enable them, the checks and questions of OK, and the store
// that puts the fields back into the record and writes the schedule. The
// window draws `fields` and the lists, and calls one function per command.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "editor/date_var_editor.h"
#include "editor/dependency_list.h"
#include "editor/editor_state.h"
#include "editor/frequency_editor.h"
#include "editor/included_file.h"
#include "editor/message_fields.h"
#include "editor/trigger_choices.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

enum class EditTab { Submission = 0, Substitution, Timing, Dependencies, NormalEoj, AbnormalEoj };
// The field a failed check puts the cursor in.
enum class EditField {
  None,
  JobName,
  CommandLine,
  Group,
  EarliestStart,
  WaitFileName,
  TriggerJobs,
  NormalSubject,
  AbnormalSubject
};

struct EditFocus {
  EditTab tab = EditTab::Submission;
  EditField field = EditField::None;
};

// The "Reschedule on Completion:" list; its position is stored.
inline constexpr std::array<std::string_view, 4> kRescheduleChoices = {
    "(Never)", "Success", "Unconditionally", "Failure"};
// The stored lengths of the fixed-length fields: longer text is cut when the job is stored.
inline constexpr size_t kJobNameLength = decltype(Job::JobName)::kLength;
inline constexpr size_t kGroupLength = decltype(Job::Group)::kLength;
inline constexpr size_t kEarliestStartLength = decltype(Job::EarliestStart)::kLength;
inline constexpr size_t kSkipOnLength = decltype(Job::SkipOn)::kLength;
inline constexpr size_t kTriggerFileLength = decltype(Job::TriggerFile)::kLength;
inline constexpr size_t kDescriptionLength = decltype(Job::Description)::kLength;

// The texts and boxes of the tabs. The window writes what is typed here.
struct JobEditFields {
  std::string JobName, CommandLine, Group, Description, CpuUsage, EarliestStart, SkipOn, Frequency,
      Exclusivity, DeferEojMsgMins;
  bool IsDosProgram = false, DeferRollover = false, SubmitOnly = false, Critical = false,
       SuppressEmptyMsg = false;
  int AutoReschedule = 0;  // position in kRescheduleChoices
  WaitFileChoice wait;
  TriggerCreation trigger;
  MessageFields normal, abnormal;
};

class JobEditModel {
 public:
  enum class Outcome { Stored, StaysOpen, Cancelled };

  // The editor on job `current_job` (CurrentJob); `is_new` when New or Paste
  // New has just appended it. `op` is asked and told by the checks; `clock`
  // gives the time of day the date variables' values show.
  JobEditModel(Schedule& schedule, RunLog& log, Operator& op, const Clock& clock, int current_job,
               bool is_new, SaveSchedule save);

  // Opening: the fields show the record. May tell that an interschedule wait
  // was dropped and ask whether to keep dependencies on missing jobs. The As
  // at Run Date cells are left to PopulateNamedAsAt, called as the tab is shown.
  void Open();

  JobEditFields fields;
  DependencyList& dependencies() { return dependencies_; }
  DateVarGrid& date_vars() { return date_vars_; }
  const std::vector<std::string>& groups() const { return groups_; }  // the schedule's groups
  int current_job() const { return current_job_; }

  // "Job Name - Edit Job", or "Edit Job" while the name is empty.
  std::string Caption() const;
  bool IsNullJob() const { return null_job_; }  // opened with an empty command line
  bool CriticalVisible() const;                 // AllowCritical
  bool RescheduleEnabled() const;               // neither Submit Only nor Defer Rollover ticked
  bool SubmitOnlyEnabled() const;               // Reschedule on Completion is "(Never)"
  bool DeferRolloverEnabled() const { return SubmitOnlyEnabled(); }

  // A command line typed: naming a ".COM" program ticks the DOS box.
  void SetCommandLine(std::string_view command_line);
  // Browse for the executable: the chosen file, quoted when it holds a blank,
  // followed by the command line's old parameters.
  void BrowsedExecutable(std::string_view file);

  // The wait-file choice; "Interschedule" builds the trigger job list.
  void ChooseWait(WaitChoice choice);
  // The Same Group and All Groups options of the dependency list.
  void ShowSameGroup(bool same_group);

  // The Skip On list and its choice; "Other Date" picks a date that replaces
  // entry 1 (nothing changes when none is picked).
  const SkipOnList& SkipOnChoicesShown() const { return skip_on_choices_; }
  void ChooseSkipOn(int entry, const std::function<std::optional<DateTime>(DateTime)>& pick);
  // A date for Skip On, in the short display form.
  void SetSkipOnDate(DateTime date);
  // Keyword Formats: the key's term joins the frequency; "" when abandoned.
  std::string AddFrequencyKey(std::string_view key,
                              const std::function<std::optional<DateTime>()>& pick_date);
  std::vector<std::string> TryFrequency() const;  // "Try it", from the fields shown

  // Date variables with the editor's frequency. EditDateVar opens the edit
  // dialog on a row; what its OK hands back goes into the row.
  DateVarDialog EditDateVar(int row) {
    return DateVarDialog(op_, date_vars_.rows().at(static_cast<size_t>(row)).fields);
  }
  void EndEditDateVar(int row, const DateVarDialog& dialog) {
    if (dialog.result()) SetDateVar(row, *dialog.result());
  }
  void PopulateNamedAsAt() { date_vars_.PopulateNamedAsAt(fields.Frequency); }
  void SetDateVar(int row, const DateVarDefinition& d) {
    date_vars_.SetDefDateVar(row, d, fields.Frequency);
  }
  void DefaultVariables() { date_vars_.DefaultVariables(fields.Frequency); }
  TryText TrySubstitution() const { return date_vars_.Try(fields.CommandLine, fields.Frequency); }

  MessageFields& Message(MessageKind kind) {
    return kind == MessageKind::Normal ? fields.normal : fields.abnormal;
  }
  FlagAvailability BodyFlags(MessageKind kind, int line);
  // The include-file browse of a body line (1..4): the exchange values to open
  // the dialog with, and what an accepted dialog gave back. A cancelled
  // dialog leaves the line as it was.
  IncludedFile BeginIncludedFile(MessageKind kind, int line);
  void EndIncludedFile(MessageKind kind, int line, const IncludedFile& result);

  // The 16 checks in order: errors tell their message and return false with
  // focus() naming the tab and field; warnings tell, questions ask, neither stops.
  bool Valid();
  // OK: checks, the two questions, then the store and the schedule written.
  Outcome Ok();
  // Cancel: nothing stored.
  Outcome Cancel();
  // Closing the window otherwise asks whether to save (Yes is OK, No Cancel).
  Outcome CloseRequested();

  const EditFocus& focus() const { return focus_; }
  bool EditCancelled() const { return edit_cancelled_; }
  bool saved() const { return saved_; }  // the schedule file was written at the store

 private:
  void LoadFields();
  bool Fail(const std::string& text, EditTab tab, EditField field, const std::string& title = {});
  bool CheckNames();
  bool CheckEarliestStart();
  bool CheckWaitFile();
  void OfferDaily(bool applies, const std::string& question);
  bool CheckMessage(MessageKind kind);
  bool TriggerFileChanged() const;
  bool ConfirmTriggerChange();
  bool ConfirmExecutable();
  void Store();
  void StoreName(Job& job);

  Schedule& schedule_;
  RunLog& log_;
  Operator& op_;
  int current_job_;
  bool is_new_;
  SaveSchedule save_;
  DependencyList dependencies_;
  DateVarGrid date_vars_;
  std::vector<std::string> groups_;
  SkipOnList skip_on_choices_;
  bool null_job_ = false;
  EditFocus focus_;
  bool edit_cancelled_ = true;
  bool saved_ = false;
};

}  // namespace qlr
