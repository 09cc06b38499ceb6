#pragma once
// "Modify Schedule" (frmResched): takes jobs off the running day or puts them
// back. The dialog mirrors ModifySchedule, which holds every rule and all the
// state shown; each control forwards the operator's action to it.

#include <QDialog>
#include <string>

#include "editor/modify_schedule.h"
#include "ui/gui_context.h"

class QCheckBox;
class QComboBox;
class QItemSelection;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace qlr {

class ModifyListModel;

class ModifyScheduleDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens Modify Schedule over the engine's day; `group_filter` is the group
  // filter shared with the schedule grid for the whole run.
  ModifyScheduleDialog(GuiContext& gui, Engine& engine, std::string& group_filter,
                       QWidget* parent = nullptr);

  const ModifyScheduleView& view() const { return modify_.view(); }

  QRadioButton* unscheduleOption() const { return unschedule_; }
  QRadioButton* rescheduleOption() const { return reschedule_; }
  QCheckBox* includeUnscheduledBox() const { return include_unscheduled_; }
  QCheckBox* cascadeBox() const { return cascade_; }
  QCheckBox* sortedBox() const { return sorted_; }
  QComboBox* groupList() const { return group_list_; }
  QTreeView* jobList() const { return job_list_; }
  QPushButton* clearButton() const { return clear_button_; }
  QPushButton* okButton() const { return ok_button_; }
  QPushButton* cancelButton() const { return cancel_button_; }
  QPushButton* helpButton() const { return help_button_; }

 public slots:
  // Escape and the Cancel command.
  void reject() override;

 protected:
  // Closing by the frame asks whether to apply a selection; it may stay open.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateOptions();
  void CreateChecks();
  void CreateGroupList();
  void CreateJobList();
  void CreateCommands();
  void CreateLayout();
  // Shows the state of ModifySchedule in every control.
  void Redraw();
  void RedrawSelection();
  void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
  void OnOk();
  // Ends the dialog the way ModifySchedule decided (OK or Cancel).
  void Finish();

  GuiContext& gui_;
  ModifySchedule modify_;
  bool redrawing_ = false;  // controls set from the state do not call back into it

  QRadioButton* unschedule_ = nullptr;
  QRadioButton* reschedule_ = nullptr;
  QCheckBox* include_unscheduled_ = nullptr;
  QCheckBox* cascade_ = nullptr;
  QCheckBox* sorted_ = nullptr;
  QComboBox* group_list_ = nullptr;
  ModifyListModel* model_ = nullptr;
  QTreeView* job_list_ = nullptr;
  QPushButton* clear_button_ = nullptr;
  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  QPushButton* help_button_ = nullptr;
};

}  // namespace qlr
