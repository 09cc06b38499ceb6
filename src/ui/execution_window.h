#pragma once
// The execution window (frmSched): one run day of the schedule, shown and
// driven through the engine. The engine keeps every text, flag and list the
// window shows; the window passes the operator's commands on and shows the
// engine's state whenever it changed.

#include <QDialog>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "engine/engine.h"
#include "engine/launch.h"
#include "messages/end_of_job.h"
#include "platform/process_launcher.h"
#include "ui/gui_context.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QTableView;
class QTimer;
class QWidget;

namespace qlr {

class ChildWatch;
class EventListModel;
class LogListModel;
class TimelineDialog;
class UnsubmittedListModel;

// Opens the execution window modally over `parent` and returns once it was
// closed (the schedule saved and "Closing" logged). The run date it reached
// is left in gui.schedule.RunDate for the launch window.
void RunExecutionWindow(GuiContext& gui, ProcessLauncher& launcher, EndOfJobMessages& messages,
                        const RunOptions& options, QWidget* parent);

class ExecutionWindow : public QDialog, private ExecutionView {
  Q_OBJECT

 public:
  // The window's fixed heights with the two panes hidden and shown (twips at 96 DPI).
  static constexpr int kPanesHiddenHeight = 6690 / 15;
  static constexpr int kPanesShownHeight = 8550 / 15;

  // "Mod Sched": the Modify Schedule dialog; returns RescheduleDone.
  using ModifyScheduleHook = std::function<bool(GuiContext&, Engine&, QWidget* parent)>;
  // "&Log": the log view dialog.
  using LogViewHook = std::function<void(GuiContext&, QWidget* parent)>;

  // Builds the window and opens the run day (its first pass runs at once).
  // The engine's hooks are those of a real run unless others are given.
  ExecutionWindow(GuiContext& gui, ProcessLauncher& launcher, EndOfJobMessages& messages,
                  const RunOptions& options, QWidget* parent = nullptr,
                  std::optional<EngineHooks> hooks = std::nullopt);
  ~ExecutionWindow() override;

  // Without hooks, Mod Sched changes nothing and Log shows nothing.
  void SetModifyScheduleHook(ModifyScheduleHook hook) { modify_schedule_ = std::move(hook); }
  void SetLogViewHook(LogViewHook hook) { log_view_ = std::move(hook); }

  Engine& engine() { return *engine_; }
  // True once the operator closed the window and the engine let it go.
  bool closed() const { return closed_; }

  QPushButton* kickButton() const { return kick_; }
  QPushButton* kickIntButton() const { return kick_int_; }
  QPushButton* suspendButton() const { return suspend_; }
  QPushButton* nextDayButton() const { return next_day_; }
  QPushButton* modSchedButton() const { return mod_sched_; }
  QPushButton* eventsButton() const { return events_; }
  QPushButton* exitButton() const { return exit_; }
  QPushButton* helpButton() const { return help_; }
  QLabel* titleLabel() const { return title_; }
  QLabel* runDateLabel() const { return run_date_; }
  QLabel* kickLabel() const { return kick_label_; }
  QLabel* failureLabel() const { return failure_; }
  QLabel* unsubLabel() const { return unsub_label_; }
  QLabel* startedLabel() const { return started_; }  // "Started on ...", for the whole run
  QWidget* panes() const { return panes_; }
  QTableView* logList() const { return log_list_; }
  QTableView* eventsList() const { return events_list_; }
  QTableView* unsubList() const { return unsub_list_; }
  QMenu* unsubMenu() const { return unsub_menu_; }
  QAction* statusEntry() const { return status_entry_; }
  QAction* forceSubmitEntry() const { return force_submit_entry_; }
  QAction* triggerEventEntry() const { return trigger_event_entry_; }
  QAction* jobDocEntry() const { return job_doc_entry_; }
  QAction* logEntry() const { return log_entry_; }
  QAction* eventsEntry() const { return events_entry_; }
  QAction* kickEntry() const { return kick_entry_; }
  QAction* suspendEntry() const { return suspend_entry_; }
  QAction* nextDayEntry() const { return next_day_entry_; }
  QAction* helpEntry() const { return help_entry_; }
  QAction* timelineEntry() const { return timeline_entry_; }
  // The "Timeline" view; null until it is first opened.
  TimelineDialog* timelineDialog() const { return timeline_; }
  QTimer* kickTimer() const { return timer_; }

 public slots:
  // Escape and the window frame ask as Exit does.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Building (execution_window.cc).
  void CreateEngine(ProcessLauncher& launcher, EndOfJobMessages& messages,
                    const RunOptions& options, std::optional<EngineHooks> hooks);
  void CreateMenus();
  void CreateCommands();
  void CreateLabels();
  void CreateLists();
  void CreatePanes();
  void CreateLayout();
  void ConnectCommands();
  void ConnectMenus();
  void ConnectLists();
  void ConnectEntry(QAction* entry, QPushButton* command);

  // Commands (execution_window_commands.cc).
  void Command(std::function<void()> action);
  void RunOnEngine(const std::function<void()>& action);
  void RunPending();
  void KickNow();
  void OnJobEnded();
  void OnModSched();
  void OnLog();
  void OnExit();
  void OnJobDoc();
  void OnTriggerEvent();
  void OnUnsubMenu(const QPoint& pos);
  void OnHelp();
  void OnTimeline();
  int CurrentRow(const QTableView* list) const;

  // The engine's view (execution_window_view.cc).
  void ListLineAdded(const std::string& line) override;
  void StateChanged() override;
  void LetEventsRun() override;
  void Refresh();
  void RefreshTexts();
  void RefreshCommands();
  void RefreshPanes();
  void RefreshLists();
  void RefreshSelection(QTableView* list, int row);
  void RefreshTimer();
  void RefreshTimeline();

  GuiContext& gui_;
  std::unique_ptr<Engine> engine_;
  ModifyScheduleHook modify_schedule_;
  LogViewHook log_view_;

  // A command that comes while another is still at work (a pass letting
  // window events run, a question waiting for its answer) waits its turn.
  int depth_ = 0;
  std::deque<std::function<void()>> pending_;
  bool selecting_ = false;  // the window itself moves a list's selection
  bool log_view_open_ = false;
  bool job_end_kick_pending_ = false;
  bool restart_timer_ = false;
  bool closed_ = false;
  bool shown_once_ = false;
  DateTime shown_run_date_ = -1;  // the run date the label shows

  QMenuBar* menu_bar_ = nullptr;
  QPushButton* kick_ = nullptr;
  QPushButton* kick_int_ = nullptr;
  QPushButton* suspend_ = nullptr;
  QPushButton* next_day_ = nullptr;
  QPushButton* mod_sched_ = nullptr;
  QPushButton* events_ = nullptr;
  QPushButton* exit_ = nullptr;
  QPushButton* help_ = nullptr;
  QCheckBox* ignore_cpu_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* run_date_ = nullptr;
  QLabel* start_time_ = nullptr;
  QLabel* kick_label_ = nullptr;
  QLabel* failure_ = nullptr;
  QLabel* unsub_label_ = nullptr;
  QLabel* started_ = nullptr;
  QStatusBar* status_bar_ = nullptr;
  QWidget* panes_ = nullptr;
  QLabel* events_caption_ = nullptr;
  QLabel* unsub_caption_ = nullptr;
  QTableView* log_list_ = nullptr;
  QTableView* events_list_ = nullptr;
  QTableView* unsub_list_ = nullptr;
  LogListModel* log_model_ = nullptr;
  EventListModel* events_model_ = nullptr;
  UnsubmittedListModel* unsub_model_ = nullptr;
  QMenu* unsub_menu_ = nullptr;
  QAction* status_entry_ = nullptr;
  QAction* force_submit_entry_ = nullptr;
  QAction* kick_entry_ = nullptr;
  QAction* kick_int_entry_ = nullptr;
  QAction* suspend_entry_ = nullptr;
  QAction* next_day_entry_ = nullptr;
  QAction* mod_sched_entry_ = nullptr;
  QAction* exit_entry_ = nullptr;
  QAction* events_entry_ = nullptr;
  QAction* trigger_event_entry_ = nullptr;
  QAction* log_entry_ = nullptr;
  QAction* job_doc_entry_ = nullptr;
  QAction* help_entry_ = nullptr;
  QAction* timeline_entry_ = nullptr;
  TimelineDialog* timeline_ = nullptr;
  QTimer* timer_ = nullptr;
  ChildWatch* child_watch_ = nullptr;
};

}  // namespace qlr
