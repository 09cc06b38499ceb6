#pragma once
// The job editor's "Dependencies" tab: the file the job waits for (another
// job's standard trigger file or any file), the jobs it waits for with the
// end each must reach, and its exclusivity keywords.

#include <array>

#include "ui/job_edit_page.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTableView;

namespace qlr {

class DependencyTableModel;

class DependenciesPage : public JobEditPage {
 public:
  DependenciesPage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks, QWidget* parent);

  void ShowFields() override;
  QWidget* FieldWidget(EditField field) const override;
  std::string HelpTopic() const override { return "Job Edit Form - Dependencies Tab"; }

  QRadioButton* waitOption(WaitChoice choice) const {
    return waits_.at(static_cast<size_t>(choice));
  }
  QLabel* waitLabel() const { return wait_label_; }
  QLineEdit* waitFileEdit() const { return wait_file_; }
  QPushButton* waitBrowseButton() const { return wait_browse_; }
  QListWidget* triggerJobList() const { return trigger_jobs_; }
  QCheckBox* deleteFileBox() const { return delete_file_; }
  QTableView* dependencyGrid() const { return grid_; }
  QRadioButton* sameGroupOption() const { return same_group_; }
  QRadioButton* allGroupsOption() const { return all_groups_; }
  QLineEdit* exclusivityEdit() const { return exclusivity_; }

 private:
  void CreateWaitChoice();
  void CreateGrid();
  void CreateConditionMenu();
  QWidget* CreateWaitFrame();
  void CreateLayout();
  void ConnectWaitChoice();
  void ConnectGrid();
  void ShowWait();
  void ShowGrid();
  void ShowTriggerJobs();
  void BrowseWaitFile();
  // A left click (or Space) on a cell of the grid.
  void ClickCell(int row, int column);
  // The condition menu on a ticked row's EOJ Status, at `where` on the screen.
  void OfferCondition(int row, int column, const QPoint& where);

  std::array<QRadioButton*, 3> waits_{};  // in the order of WaitChoice
  QLabel* wait_label_ = nullptr;
  QLineEdit* wait_file_ = nullptr;
  QPushButton* wait_browse_ = nullptr;
  QListWidget* trigger_jobs_ = nullptr;
  QCheckBox* delete_file_ = nullptr;
  DependencyTableModel* table_ = nullptr;
  QTableView* grid_ = nullptr;
  QMenu* condition_menu_ = nullptr;
  QRadioButton* same_group_ = nullptr;
  QRadioButton* all_groups_ = nullptr;
  QLineEdit* exclusivity_ = nullptr;
};

}  // namespace qlr
