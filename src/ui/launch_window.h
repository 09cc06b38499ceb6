#pragma once
// The launch window: the schedule in use, its run date, start time, CPU
// limit and run options, and the commands that launch, reset, open another
// schedule or leave the program.

#include <QMainWindow>
#include <functional>

#include "engine/run_options.h"
#include "session/startup.h"
#include "ui/gui_context.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace qlr {

// The windows the launch window opens, supplied by the program (tests give
// fakes): the execution window, the dummy run options, the log viewer, the
// schedule grid.
struct LaunchActions {
  std::function<void(const RunOptions&)> run_schedule;  // returns once it was closed
  std::function<bool(RunOptions&)> dummy_options;       // true when OK stored the options
  std::function<void()> view_log;
  std::function<void()> edit_schedule;  // returns once the grid was closed
  std::function<void()> exited;         // Exit is done: the program ends
};

class LaunchWindow : public QMainWindow {
 public:
  // `launch` holds what start-up offered; the window shows it and writes the
  // operator's changes back.
  LaunchWindow(GuiContext& gui, StartupContext& startup, LaunchValues& launch,
               LaunchActions actions, QWidget* parent = nullptr);

  // Shows the launch values and the schedule's names.
  void ShowValues();

  // The commands, as the buttons and menu entries run them.
  void LaunchSchedule();
  void EditSchedule();
  void ViewLog();
  void StepDate(int days);
  void PickDate();
  void OpenNewSchedule();
  void ResetSchedule();

  const RunOptions& options() const { return options_; }

  QGroupBox* scheduleFrame() const { return schedule_frame_; }
  QLineEdit* iniFileField() const { return ini_file_; }
  QLineEdit* runDateField() const { return run_date_; }
  QLabel* weekdayLabel() const { return weekday_; }
  QLineEdit* startTimeField() const { return start_time_; }
  QLineEdit* cpuLimitField() const { return cpu_limit_; }
  QCheckBox* showEventsBox() const { return show_events_; }
  QCheckBox* dummyRunBox() const { return dummy_run_; }
  QToolButton* dateUpButton() const { return date_up_; }
  QToolButton* dateDownButton() const { return date_down_; }
  QPushButton* launchButton() const { return launch_button_; }
  QPushButton* editButton() const { return edit_button_; }
  QPushButton* viewLogButton() const { return view_log_button_; }
  QPushButton* calendarButton() const { return calendar_button_; }
  QPushButton* exitButton() const { return exit_button_; }
  QPushButton* helpButton() const { return help_button_; }
  QAction* openNewEntry() const { return open_new_entry_; }
  QAction* logEntry() const { return log_entry_; }
  QAction* launchEntry() const { return launch_entry_; }
  QAction* resetEntry() const { return reset_entry_; }
  QAction* helpEntry() const { return help_entry_; }
  QAction* aboutEntry() const { return about_entry_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateFields();
  void CreateChecks();
  void CreateCommands();
  void CreateMenus();
  void CreateLayout();
  QWidget* CreateDateRow();
  QWidget* CreateCommandColumn();
  void ConnectCommands();
  void ReadValues();
  void OnRunDateEdited();
  void OnDummyRunClicked(bool checked);
  void FocusRefusedField();

  GuiContext& gui_;
  StartupContext& startup_;
  LaunchValues& launch_;
  LaunchActions actions_;
  RunOptions options_;
  bool exiting_ = false;

  QGroupBox* schedule_frame_ = nullptr;
  QLineEdit* ini_file_ = nullptr;
  QLineEdit* run_date_ = nullptr;
  QLabel* weekday_ = nullptr;
  QLineEdit* start_time_ = nullptr;
  QLineEdit* cpu_limit_ = nullptr;
  QCheckBox* start_suspended_ = nullptr;
  QCheckBox* serialise_dos_ = nullptr;
  QCheckBox* show_events_ = nullptr;
  QCheckBox* dummy_run_ = nullptr;
  QToolButton* date_up_ = nullptr;
  QToolButton* date_down_ = nullptr;
  QPushButton* launch_button_ = nullptr;
  QPushButton* edit_button_ = nullptr;
  QPushButton* view_log_button_ = nullptr;
  QPushButton* calendar_button_ = nullptr;
  QPushButton* exit_button_ = nullptr;
  QPushButton* help_button_ = nullptr;
  QAction* open_new_entry_ = nullptr;
  QAction* exit_entry_ = nullptr;
  QAction* log_entry_ = nullptr;
  QAction* launch_entry_ = nullptr;
  QAction* edit_entry_ = nullptr;
  QAction* reset_entry_ = nullptr;
  QAction* help_entry_ = nullptr;
  QAction* about_entry_ = nullptr;
};

}  // namespace qlr
