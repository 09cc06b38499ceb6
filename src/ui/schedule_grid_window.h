#pragma once
// "Schedule Update" (frmLGrid): the schedule editor's grid of jobs, in the
// columns of the operator's view profile and filtered by group, with the
// list operations. JobListEditor holds every rule and the rows; ViewProfiles
// the columns. The window forwards each command and shows their state.

#include <QDialog>
#include <functional>

#include "editor/job_list_editor.h"
#include "editor/view_profiles.h"
#include "store/settings_store.h"
#include "ui/gui_context.h"

class QAction;
class QComboBox;
class QPushButton;
class QTableView;

namespace qlr {

class GridModel;

// Opens the grid modally over `parent` and returns once it was closed.
void RunScheduleGrid(GuiContext& gui, SettingsStore& settings, QWidget* parent);

class ScheduleGridWindow : public QDialog {
  Q_OBJECT

 public:
  // The job editor on job `current_job` (appended by New when `is_new`);
  // true when it stored the job. RunJobEditDialog unless a test gives another.
  using JobEditHook =
      std::function<bool(GuiContext& gui, int current_job, bool is_new, QWidget* parent)>;

  ScheduleGridWindow(GuiContext& gui, SettingsStore& settings, QWidget* parent = nullptr,
                     JobEditHook edit_job = {});
  ~ScheduleGridWindow() override;

  const JobListEditor& editor() const { return editor_; }
  const ViewProfiles& profiles() const { return profiles_; }

  QTableView* grid() const { return grid_; }
  QComboBox* groupList() const { return group_list_; }
  QComboBox* profileList() const { return profile_list_; }
  QAction* customiseEntry() const { return customise_entry_; }
  QPushButton* newButton() const { return new_; }
  QPushButton* pasteNewButton() const { return paste_new_; }
  QPushButton* copyButton() const { return copy_; }
  QPushButton* modifyButton() const { return modify_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* editButton() const { return edit_; }
  QPushButton* reschedButton() const { return resched_; }
  QPushButton* skipButton() const { return skip_; }
  QPushButton* topButton() const { return top_; }
  QPushButton* upButton() const { return up_; }
  QPushButton* downButton() const { return down_; }
  QPushButton* bottomButton() const { return bottom_; }
  QPushButton* closeButton() const { return close_; }
  QPushButton* helpButton() const { return help_; }

 public slots:
  // Escape: the Close command.
  void reject() override;

 protected:
  // The frame's close box: the Close command.
  void closeEvent(QCloseEvent* event) override;
  // Enter on the grid is Modify, Delete is Delete.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateGrid();
  void CreateLists();
  void CreateCommands();
  void CreateMenus();
  void CreateLayout();
  void ConnectCommands();
  void Run(QPushButton* button, const std::function<void()>& command);

  // Shows the editor's state: rows, groups, the selected row, the commands.
  void Redraw();
  void RedrawGroups();
  void RedrawProfiles();
  void RedrawCommands();
  void ShowSelectedRow();
  void ApplyColumnWidths();
  // Sizes the window to the columns (within the screen) and "GridHeight".
  void FitWindow();
  void OnRowChanged(int row);

  // The commands that open other windows or read the keys held.
  void OnNew(bool paste);
  void OnModify();
  void OnEdit();
  void OnSkip();
  void OnChooseProfile(int entry);
  void OnCustomise();
  void Close();

  GuiContext& gui_;
  JobEditHook edit_job_;
  JobListEditor editor_;
  ViewProfiles profiles_;
  GridModel* model_ = nullptr;
  bool redrawing_ = false;  // row changes made by a redisplay are not the operator's
  bool closed_ = false;

  QTableView* grid_ = nullptr;
  QComboBox* group_list_ = nullptr;
  QComboBox* profile_list_ = nullptr;
  QAction* customise_entry_ = nullptr;
  QPushButton* new_ = nullptr;
  QPushButton* paste_new_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* modify_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* resched_ = nullptr;
  QPushButton* skip_ = nullptr;
  QPushButton* top_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
  QPushButton* bottom_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* help_ = nullptr;
};

}  // namespace qlr
