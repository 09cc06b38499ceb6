#pragma once
// The job editor's "Substitution" tab: the job's seven date variables with
// the value each takes on the run date, their edit dialog, the stock set,
// and the command line as it would be submitted on the run date.

#include "ui/job_edit_page.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace qlr {

class DateVarTableModel;

class SubstitutionPage : public JobEditPage {
 public:
  SubstitutionPage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks, QWidget* parent);

  void ShowFields() override;
  std::string HelpTopic() const override { return "Job Edit Form - Substitution Tab"; }
  // The As at Run Date cells are worked out as the page comes forward, with
  // the frequency the editor shows then.
  void Entered() override;

  QTableView* variableGrid() const { return grid_; }
  QPushButton* editButton() const { return edit_; }
  QPushButton* clearButton() const { return clear_; }
  QPushButton* tryButton() const { return try_; }
  QLineEdit* tryCommandLine() const { return try_command_; }

 private:
  void CreateGrid();
  void CreateCommands();
  QWidget* CreateTryFrame();
  void CreateLayout();
  int CurrentRow() const;
  // frmEdVar on the row; what its OK hands back goes into the row.
  void EditRow(int row);
  void ClearRow(int row);
  void DefaultVariables();
  void TrySubstitution();

  DateVarTableModel* table_ = nullptr;
  QTableView* grid_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* defaults_ = nullptr;
  QPushButton* try_ = nullptr;
  QLineEdit* try_command_ = nullptr;
  QLineEdit* try_substituted_ = nullptr;
  QLineEdit* try_run_date_ = nullptr;
};

}  // namespace qlr
