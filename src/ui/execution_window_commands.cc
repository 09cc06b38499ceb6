// The execution window's commands. Each one runs on the engine through
// Command(): the engine lets window events run in the middle of a pass, and a
// question waits for its answer in an event loop of its own, so a command can
// arrive while another is still at work. Kicks go to the engine at once (it
// ignores those that come during a pass); anything else waits its turn.

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include "editor/runtime_doc.h"
#include "ui/execution_window.h"
#include "ui/program_end_guard.h"
#include "ui/timeline_view.h"

namespace qlr {
namespace {

// Counts a command's time on the engine, also when a fatal stop leaves early.
class Busy {
 public:
  explicit Busy(int& depth) : depth_(depth) { ++depth_; }
  ~Busy() { --depth_; }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  int& depth_;
};

}  // namespace

void ExecutionWindow::Command(std::function<void()> action) {
  if (closed_) return;
  if (depth_ > 0) {
    pending_.push_back(std::move(action));
    return;
  }
  RunOnEngine(action);
  RunPending();
}

void ExecutionWindow::RunOnEngine(const std::function<void()>& action) {
  Busy busy(depth_);
  action();
}

void ExecutionWindow::RunPending() {
  while (!pending_.empty() && !closed_) {
    std::function<void()> next = std::move(pending_.front());
    pending_.pop_front();
    RunOnEngine(next);
  }
  pending_.clear();
  Refresh();
}

void ExecutionWindow::KickNow() {
  if (closed_) return;
  if (depth_ > 0) {
    // During a pass the kick reaches the engine, which lets it do nothing.
    // While another command's question or dialog is open, the program's own
    // processing waits: the kick is dropped and the timer armed again after.
    if (engine_->window().kick_highlighted) RunOnEngine([this] { engine_->Kick(); });
    return;
  }
  RunOnEngine([this] { engine_->Kick(); });
  restart_timer_ = true;  // the next tick comes a whole interval after this pass
  RunPending();
}

// Unlike a tick, a job's end must not be lost in a pass that has already
// looked at that job: its kick waits until the command at work is done.
void ExecutionWindow::OnJobEnded() {
  if (depth_ == 0) {
    KickNow();
    return;
  }
  if (job_end_kick_pending_) return;
  job_end_kick_pending_ = true;
  Command([this] {
    job_end_kick_pending_ = false;
    engine_->Kick();
  });
}

void ExecutionWindow::OnModSched() {
  Command([this] {
    engine_->BeginModifySchedule();
    Refresh();  // the timer stops before the dialog opens
    const bool done = modify_schedule_ ? modify_schedule_(gui_, *engine_, this) : false;
    engine_->EndModifySchedule(done);
  });
}

void ExecutionWindow::OnLog() {
  // The log viewer is a dialog of its own: passes go on while it is open,
  // only the Kick command waits for it to close.
  auto view = [this] {
    log_view_open_ = true;
    Refresh();
    if (log_view_) log_view_(gui_, this);
    log_view_open_ = false;
    Refresh();
  };
  if (depth_ > 0)
    Command(view);
  else
    view();
}

void ExecutionWindow::OnExit() {
  Command([this] {
    if (!engine_->Close()) return;  // the operator chose to stay
    closed_ = true;
    timer_->stop();
    QDialog::done(QDialog::Accepted);
  });
}

void ExecutionWindow::reject() { OnExit(); }

void ExecutionWindow::OnJobDoc() {
  Command([this] {
    const int row = CurrentRow(log_list_);
    const auto& list = engine_->window().list;
    const std::string line =
        row >= 0 && row < static_cast<int>(list.size()) ? list[static_cast<size_t>(row)] : "";
    OpenJobDocFromList(gui_.schedule, gui_.op, gui_.desktop, line);
  });
}

void ExecutionWindow::OnTriggerEvent() {
  Command([this] {
    const int row = CurrentRow(events_list_);
    if (row < 0) return;
    selecting_ = true;
    events_list_->selectionModel()->clear();
    selecting_ = false;
    engine_->ForceEvent(PaneRow{row});
  });
}

// The right button selects the entry under the pointer and opens the pop-up.
void ExecutionWindow::OnUnsubMenu(const QPoint& pos) {
  const QModelIndex index = unsub_list_->indexAt(pos);
  if (!index.isValid()) return;
  Command([this, row = index.row()] { engine_->SelectUnsubmitted(PaneRow{row}); });
  unsub_menu_->popup(unsub_list_->viewport()->mapToGlobal(pos));
}

// The timeline is a window of its own beside this one; passes go on while
// it is open, and each one brings it up to date.
void ExecutionWindow::OnTimeline() {
  if (timeline_ == nullptr) timeline_ = new TimelineDialog(this);
  timeline_->show();
  timeline_->raise();
  timeline_->activateWindow();
  RefreshTimeline();
}

void ExecutionWindow::OnHelp() {
  Command([this] { ShowHelpTopic(gui_, "Schedule Execution"); });
}

int ExecutionWindow::CurrentRow(const QTableView* list) const {
  const QModelIndexList rows = list->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

}  // namespace qlr
