// The execution window as the engine's view: it shows the engine's state.
// While a command is at work on the engine (a pass may tell of thousands of
// changes), the window is brought up to date only where the engine lets
// window events run and once the command is done.

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>

#include "engine/day_timeline.h"
#include "engine/execution_presenter.h"
#include "ui/execution_window.h"
#include "ui/list_models.h"
#include "ui/qt_text.h"
#include "ui/timeline_view.h"

namespace qlr {
namespace {

const QColor kHighlight(0, 255, 0);  // the green of a highlighted command

void SetHighlight(QPushButton* button, bool on) {
  if (button->property("highlighted").toBool() == on) return;
  button->setProperty("highlighted", on);
  QPalette palette;  // unset: the style's own button face
  if (on) {
    palette = button->palette();
    palette.setColor(QPalette::Button, kHighlight);
  }
  button->setPalette(palette);
}

void SetEnabled(bool on, std::initializer_list<QWidget*> widgets,
                std::initializer_list<QAction*> entries) {
  for (QWidget* w : widgets) w->setEnabled(on);
  for (QAction* a : entries) a->setEnabled(on);
}

}  // namespace

void ExecutionWindow::ListLineAdded(const std::string&) {
  log_model_->LineAdded();
  if (depth_ == 0) Refresh();
}

void ExecutionWindow::StateChanged() {
  if (depth_ == 0) Refresh();
}

void ExecutionWindow::LetEventsRun() {
  Refresh();
  QCoreApplication::processEvents();
}

void ExecutionWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  Command([this] { engine_->Activated(); });
}

void ExecutionWindow::Refresh() {
  RefreshTexts();
  RefreshCommands();
  RefreshPanes();
  RefreshLists();
  RefreshTimer();
  RefreshTimeline();
}

void ExecutionWindow::RefreshTexts() {
  const WindowState& state = engine_->window();
  const Schedule& schedule = gui_.schedule;
  setWindowTitle(ToQString(WindowCaption(state, schedule)));
  started_->setText(ToQString(StartedCaption(state)));
  title_->setText(ToQString(TitleText(state, schedule)));
  if (shown_run_date_ != schedule.RunDate) {  // the place in the month is worked out once a day
    shown_run_date_ = schedule.RunDate;
    run_date_->setText(ToQString(RunDateLabel(schedule)));
  }
  start_time_->setText(QStringLiteral("To start at: ") + ToQString(StartTimeLabel(schedule)));
  kick_label_->setText(ToQString(KickLabel(state)));
  unsub_label_->setText(ToQString(UnsubLabel(*engine_)));
  unsub_label_->setToolTip(unsub_label_->text());
  failure_->setVisible(state.failure_warning_visible);
}

void ExecutionWindow::RefreshCommands() {
  const WindowState& state = engine_->window();
  SetEnabled(state.kick_enabled && !log_view_open_, {kick_}, {kick_entry_});
  SetHighlight(kick_, state.kick_highlighted);
  SetEnabled(state.kick_int_enabled, {kick_int_}, {kick_int_entry_});
  SetEnabled(state.next_day_enabled, {next_day_}, {next_day_entry_});
  SetEnabled(state.suspend_enabled, {suspend_}, {suspend_entry_});
  suspend_->setText(ToQString(SuspendCaption(state)));
  suspend_entry_->setText(ToQString(SuspendCaption(state)));
  SetHighlight(suspend_, state.suspend_highlighted);
  events_->setText(ToQString(EventsCaption(state)));
  trigger_event_entry_->setEnabled(state.trigger_event_enabled);
}

// Showing the panes makes the window taller; it keeps that fixed size.
void ExecutionWindow::RefreshPanes() {
  const bool shown = engine_->window().events_shown;
  if (panes_->isHidden() != shown) return;
  panes_->setVisible(shown);
  setFixedHeight(shown ? kPanesShownHeight : kPanesHiddenHeight);
}

void ExecutionWindow::RefreshLists() {
  const WindowState& state = engine_->window();
  selecting_ = true;  // rows moving under a selection are not the operator's choice
  const int first = log_model_->Sync();
  if (first >= 0) {
    const int rows = log_model_->rowCount();
    for (int row = first; row < rows; ++row)  // a line without a tab spans both columns
      if (state.list[static_cast<size_t>(row)].find('\t') == std::string::npos)
        log_list_->setSpan(row, 0, 1, 2);
    RefreshSelection(log_list_, rows - 1);  // the newest line is selected and shown
    log_list_->scrollToBottom();
  }
  if (events_model_->Sync(engine_->events().entries())) {
    events_list_->clearSpans();
    for (int row : events_model_->WholeLineRows()) events_list_->setSpan(row, 0, 1, 2);
  }
  unsub_model_->Sync(state.unsubmitted);
  RefreshSelection(unsub_list_, state.unsubmitted_selected);
  selecting_ = false;
}

void ExecutionWindow::RefreshSelection(QTableView* list, int row) {
  QItemSelectionModel* selection = list->selectionModel();
  if (row < 0 || row >= list->model()->rowCount()) {
    if (selection->hasSelection() || selection->currentIndex().isValid()) selection->clear();
    return;
  }
  const QModelIndex index = list->model()->index(row, 0);
  if (selection->currentIndex() != index || !selection->isRowSelected(row))
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// The timeline is made afresh once a command or pass is done, and only while
// it is open.
void ExecutionWindow::RefreshTimeline() {
  if (timeline_ == nullptr || !timeline_->isVisible() || depth_ > 0) return;
  timeline_->SetTimeline(DayTimeline(*engine_, gui_.schedule, gui_.clock.Now()));
}

// The kick timer runs once for the interval the engine asked for last (0:
// it stays stopped). It starts again after a kick, and whenever the engine
// asks for another interval; other changes leave its countdown alone.
void ExecutionWindow::RefreshTimer() {
  const int interval = engine_->window().timer_interval_ms;
  if (closed_ || interval <= 0) {
    timer_->stop();
    return;
  }
  if (restart_timer_ || !timer_->isActive() || timer_->interval() != interval)
    timer_->start(interval);
  restart_timer_ = false;
}

}  // namespace qlr
