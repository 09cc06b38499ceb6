#pragma once
// The job editor's "Submission" tab: the job's name, command line and group,
// how it is started and what happens when it ends.

#include <functional>

#include "ui/job_edit_page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace qlr {

class SubmissionPage : public JobEditPage {
 public:
  // `name_typed` runs after each change of the job name (the caption follows it).
  SubmissionPage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks,
                 std::function<void()> name_typed, QWidget* parent);

  void ShowFields() override;
  QWidget* FieldWidget(EditField field) const override;
  std::string HelpTopic() const override { return "Job Edit Form - Submission Tab"; }

  QLineEdit* nameEdit() const { return name_; }
  QLineEdit* commandEdit() const { return command_; }
  QCheckBox* dosBox() const { return dos_; }
  QCheckBox* deferRolloverBox() const { return defer_rollover_; }
  QComboBox* groupList() const { return group_; }
  QLineEdit* descriptionEdit() const { return description_; }
  QLineEdit* cpuEdit() const { return cpu_; }
  QCheckBox* submitOnlyBox() const { return submit_only_; }
  QComboBox* rescheduleList() const { return reschedule_; }
  QCheckBox* criticalBox() const { return critical_; }

 private:
  void CreateFields();
  void CreateChecks();
  void CreateLayout();
  void ConnectFields();
  void ConnectChecks();
  // Reschedule on Completion against Submit Only and Defer Rollover.
  void ApplyEnabling();
  void Browse();

  std::function<void()> name_typed_;
  QLineEdit* name_ = nullptr;
  QLineEdit* command_ = nullptr;
  QPushButton* browse_ = nullptr;
  QCheckBox* dos_ = nullptr;
  QCheckBox* defer_rollover_ = nullptr;
  QComboBox* group_ = nullptr;
  QLineEdit* description_ = nullptr;
  QLineEdit* cpu_ = nullptr;
  QCheckBox* submit_only_ = nullptr;
  QComboBox* reschedule_ = nullptr;
  QCheckBox* critical_ = nullptr;
};

}  // namespace qlr
