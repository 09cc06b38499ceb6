#include "ui/launch_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

#include "calendar/holidays.h"
#include "engine/launch.h"
#include "platform/file_lock.h"
#include "session/launch_commands.h"
#include "session/reset_questions.h"
#include "store/reset.h"
#include "store/run_date.h"
#include "ui/about_box.h"
#include "ui/date_sel_dialog.h"
#include "ui/editor_widgets.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"

namespace qlr {
namespace {

constexpr const char* kHelpTopic = "Startup";

// The width a field or command needs for `text` with room to spare on both sides.
int WidthFor(const QWidget* widget, const QString& text) {
  const QFontMetrics metrics = widget->fontMetrics();
  return metrics.horizontalAdvance(QString(text).remove(QLatin1Char('&'))) +
         4 * metrics.averageCharWidth();
}

// A command wide enough for its caption.
QPushButton* NewButton(const char* caption, QWidget* parent) {
  QPushButton* button = NewCommand(QString::fromLatin1(caption), parent);
  button->setMinimumWidth(WidthFor(button, button->text()));
  return button;
}

QToolButton* NewArrow(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);  // Up and Down in the date field do the same
  button->setFixedSize(18, 12);
  return button;
}

// Puts the chooser back however the start-up it served ended.
class ChooserRestore {
 public:
  explicit ChooserRestore(FileChooser& slot) : slot_(slot), saved_(slot) {}
  ~ChooserRestore() { slot_ = saved_; }
  const FileChooser& saved() const { return saved_; }

 private:
  FileChooser& slot_;
  FileChooser saved_;
};

}  // namespace

LaunchWindow::LaunchWindow(GuiContext& gui, StartupContext& startup, LaunchValues& launch,
                           LaunchActions actions, QWidget* parent)
    : QMainWindow(parent),
      gui_(gui),
      startup_(startup),
      launch_(launch),
      actions_(std::move(actions)) {
  setObjectName(QStringLiteral("frmStartup"));
  CreateFields();
  CreateChecks();
  CreateCommands();
  CreateMenus();
  CreateLayout();
  ConnectCommands();
  ShowValues();
}

void LaunchWindow::CreateFields() {
  ini_file_ = new QLineEdit(this);
  ini_file_->setReadOnly(true);
  ini_file_->installEventFilter(this);
  ini_file_->setMinimumWidth(320);
  run_date_ = new QLineEdit(this);
  // The longest date the field is likely to hold, typed with the month's full name.
  run_date_->setFixedWidth(WidthFor(run_date_, QStringLiteral("30 September 2026")));
  run_date_->installEventFilter(this);
  weekday_ = new QLabel(this);
  weekday_->setMinimumWidth(weekday_->fontMetrics().horizontalAdvance(QStringLiteral("Wednesday")));
  start_time_ = new QLineEdit(this);
  start_time_->setFixedWidth(60);
  cpu_limit_ = new QLineEdit(this);
  cpu_limit_->setFixedWidth(60);
  date_up_ = NewArrow(Qt::UpArrow, this);
  date_down_ = NewArrow(Qt::DownArrow, this);
}

void LaunchWindow::CreateChecks() {
  start_suspended_ = new QCheckBox(QStringLiteral("S&tart Suspended"), this);
  serialise_dos_ = new QCheckBox(QStringLiteral("Serialise &DOS Jobs"), this);
  show_events_ = new QCheckBox(QStringLiteral("Show E&vents"), this);
  dummy_run_ = new QCheckBox(QStringLiteral("D&ummy Run"), this);
}

void LaunchWindow::CreateCommands() {
  launch_button_ = NewButton("&Launch Schedule", this);
  edit_button_ = NewButton("&Edit Schedule", this);
  view_log_button_ = NewButton("Vie&w Log", this);
  calendar_button_ = NewButton("C&alendar", this);
  exit_button_ = NewButton("E&xit", this);
  help_button_ = NewButton("Hel&p", this);  // Alt+H is the Help menu's
}

void LaunchWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  open_new_entry_ = file->addAction(QStringLiteral("&Open New Schedule"));
  file->addSeparator();
  exit_entry_ = file->addAction(QStringLiteral("E&xit"));
  QMenu* view = menuBar()->addMenu(QStringLiteral("V&iew"));  // Alt+V is Show Events
  log_entry_ = view->addAction(QStringLiteral("&Log"));
  QMenu* schedule = menuBar()->addMenu(QStringLiteral("&Schedule"));
  launch_entry_ = schedule->addAction(QStringLiteral("&Launch"));
  edit_entry_ = schedule->addAction(QStringLiteral("&Edit"));
  schedule->addSeparator();
  reset_entry_ = schedule->addAction(QStringLiteral("Re&set"));
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help_entry_ = help->addAction(QStringLiteral("&Quillrun Help"));
  help_entry_->setShortcut(QKeySequence::HelpContents);
  help->addSeparator();
  about_entry_ = help->addAction(QStringLiteral("&About"));
}

QWidget* LaunchWindow::CreateDateRow() {
  auto* row = new QWidget(this);
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  arrows->addWidget(date_up_);
  arrows->addWidget(date_down_);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addWidget(run_date_);
  layout->addLayout(arrows);
  layout->addSpacing(8);
  layout->addWidget(weekday_);
  layout->addStretch();
  layout->addWidget(calendar_button_);
  return row;
}

QWidget* LaunchWindow::CreateCommandColumn() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 6, 0, 0);
  for (QPushButton* button : {launch_button_, edit_button_, view_log_button_})
    layout->addWidget(button);
  layout->addStretch();
  layout->addWidget(exit_button_);
  layout->addWidget(help_button_);
  return column;
}

void LaunchWindow::CreateLayout() {
  schedule_frame_ = new QGroupBox(this);
  auto* grid = new QGridLayout(schedule_frame_);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);
  grid->addWidget(NewBuddyLabel(QStringLiteral("I&NI File:"), ini_file_, this), 0, 0);
  grid->addWidget(ini_file_, 0, 1, 1, 2);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Run Date:"), run_date_, this), 1, 0);
  grid->addWidget(CreateDateRow(), 1, 1, 1, 2);
  grid->addWidget(NewBuddyLabel(QStringLiteral("T&o start at:"), start_time_, this), 2, 0);
  grid->addWidget(start_time_, 2, 1, Qt::AlignLeft);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&CPU Limit:"), cpu_limit_, this), 3, 0);
  grid->addWidget(cpu_limit_, 3, 1, Qt::AlignLeft);
  auto* checks = new QGridLayout;
  checks->setHorizontalSpacing(24);
  checks->addWidget(start_suspended_, 0, 0);
  checks->addWidget(serialise_dos_, 0, 1);
  checks->addWidget(show_events_, 1, 0);
  checks->addWidget(dummy_run_, 1, 1);
  grid->addLayout(checks, 4, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(12, 10, 12, 12);
  layout->setSpacing(12);
  layout->addWidget(schedule_frame_, 1);
  layout->addWidget(CreateCommandColumn());
  setCentralWidget(central);
  SetTabChain({run_date_, calendar_button_, start_time_, cpu_limit_, start_suspended_,
               serialise_dos_, show_events_, dummy_run_, launch_button_, edit_button_,
               view_log_button_, exit_button_, help_button_, ini_file_});
  run_date_->setFocus();
}

void LaunchWindow::ConnectCommands() {
  const auto on = [this](auto* sender, auto signal, auto slot) {
    connect(sender, signal, this, Guarded(std::move(slot)));
  };
  for (auto [button, entry, slot] :
       {std::tuple<QPushButton*, QAction*, std::function<void()>>{launch_button_, launch_entry_,
                                                                  [this] { LaunchSchedule(); }},
        {edit_button_, edit_entry_, [this] { EditSchedule(); }},
        {view_log_button_, log_entry_, [this] { ViewLog(); }},
        {exit_button_, exit_entry_, [this] { close(); }},
        {help_button_, help_entry_, [this] { ShowHelpTopic(gui_, kHelpTopic); }}}) {
    on(button, &QPushButton::clicked, slot);
    on(entry, &QAction::triggered, slot);
  }
  on(calendar_button_, &QPushButton::clicked, [this] { PickDate(); });
  on(date_up_, &QToolButton::clicked, [this] { StepDate(1); });
  on(date_down_, &QToolButton::clicked, [this] { StepDate(-1); });
  on(open_new_entry_, &QAction::triggered, [this] { OpenNewSchedule(); });
  on(reset_entry_, &QAction::triggered, [this] { ResetSchedule(); });
  on(about_entry_, &QAction::triggered, [this] { ShowAboutBox(gui_.schedule.VersionText, this); });
  on(run_date_, &QLineEdit::textChanged, [this] { OnRunDateEdited(); });
  on(dummy_run_, &QCheckBox::clicked, [this](bool checked) { OnDummyRunClicked(checked); });
}

void LaunchWindow::ShowValues() {
  const Schedule& schedule = gui_.schedule;
  setWindowTitle(ToQString(schedule.VersionText));
  schedule_frame_->setTitle(ToQString("Schedule: " + schedule.ScheduleName));
  schedule_frame_->setToolTip(ToQString(schedule.ScheduleFile));
  ini_file_->setText(ToQString(schedule.IniFile));
  ini_file_->setToolTip(ini_file_->text());
  ini_file_->setCursorPosition(0);
  run_date_->setText(ToQString(launch_.RunDateText));
  start_time_->setText(ToQString(launch_.StartTimeText));
  cpu_limit_->setText(ToQString(launch_.CpuLimitText));
  start_suspended_->setChecked(launch_.StartSuspended);
  serialise_dos_->setChecked(launch_.SerialiseDosJobs);
  show_events_->setChecked(launch_.ShowEvents);
  dummy_run_->setChecked(launch_.DummyRun);
}

void LaunchWindow::ReadValues() {
  launch_.RunDateText = FromQString(run_date_->text());
  launch_.StartTimeText = FromQString(start_time_->text());
  launch_.CpuLimitText = FromQString(cpu_limit_->text());
  launch_.StartSuspended = start_suspended_->isChecked();
  launch_.SerialiseDosJobs = serialise_dos_->isChecked();
  launch_.ShowEvents = show_events_->isChecked();
  launch_.DummyRun = dummy_run_->isChecked();
}

void LaunchWindow::LaunchSchedule() {
  ReadValues();
  FileLock lock;  // held until the execution window has closed
  const bool launched = qlr::LaunchSchedule(gui_.schedule, gui_.log, gui_.op, launch_, lock);
  ShowValues();  // the launch check shows the CPU limit trimmed
  if (!launched) {
    FocusRefusedField();
    return;
  }
  RunOptions options = options_;
  options.ShowEvents = launch_.ShowEvents;
  hide();
  if (actions_.run_schedule) actions_.run_schedule(options);
  ShowRunDate(gui_.schedule, launch_);
  ShowValues();
  show();
}

// The grid shows each job's earliest start on the run date shown here.
void LaunchWindow::EditSchedule() {
  ApplyRunDate(gui_.schedule);
  if (actions_.edit_schedule) actions_.edit_schedule();
}

void LaunchWindow::ViewLog() {
  if (actions_.view_log) actions_.view_log();
}

void LaunchWindow::StepDate(int days) {
  launch_.RunDateText = FromQString(run_date_->text());
  StepRunDate(gui_.schedule, launch_, days);
  run_date_->setText(ToQString(launch_.RunDateText));
}

void LaunchWindow::PickDate() {
  if (auto picked = RunDateSelDialog(gui_, FromQString(run_date_->text()), this))
    run_date_->setText(ToQString(*picked));
}

void LaunchWindow::OnRunDateEdited() {
  launch_.RunDateText = FromQString(run_date_->text());
  TakeRunDateText(gui_.schedule, launch_);
  weekday_->setText(ToQString(RunDateWeekday(launch_)));
}

void LaunchWindow::OnDummyRunClicked(bool checked) {
  if (checked && actions_.dummy_options) actions_.dummy_options(options_);
}

// Once another INI file was picked the window makes way for the splash
// while start-up reads the new schedule.
void LaunchWindow::OpenNewSchedule() {
  ReadValues();
  ChooserRestore restore(startup_.choose_file);
  std::unique_ptr<AboutBox> splash;
  startup_.choose_file = [&](const std::string& suggested, const std::string& filter) {
    std::string picked = restore.saved() ? restore.saved()(suggested, filter) : "";
    if (!picked.empty()) {
      hide();
      splash = ShowSplash(gui_.schedule.VersionText);
    }
    return picked;
  };
  qlr::OpenNewSchedule(startup_, launch_);
  ShowValues();
  show();
  FocusRefusedField();
}

void LaunchWindow::ResetSchedule() {
  if (const std::optional<ResetChoices> choices = AskResetChoices(gui_.op))
    gui_.op.Tell(ResetDoneText(Reset(gui_.schedule, gui_.log, gui_.op, *choices)));
}

// After a failed launch check the cursor waits in the field it refused.
void LaunchWindow::FocusRefusedField() {
  const std::optional<LaunchFault> fault = CheckLaunchValues(launch_);
  if (!fault) return;
  QLineEdit* field = fault->field == LaunchField::RunDate     ? run_date_
                     : fault->field == LaunchField::StartTime ? start_time_
                                                              : cpu_limit_;
  field->setFocus();
  field->selectAll();
}

// Exit, the menu entry and the window's frame all end here.
void LaunchWindow::closeEvent(QCloseEvent* event) {
  if (!exiting_) {
    ReadValues();
    RunGuarded([this] { PrepareExit(startup_, launch_); });
    exiting_ = true;
    if (actions_.exited) actions_.exited();
  }
  event->accept();
}

bool LaunchWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ini_file_ && event->type() == QEvent::MouseButtonDblClick) {
    RunGuarded([this] { OpenNewSchedule(); });
    return true;
  }
  if (watched == run_date_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      RunGuarded([this, key] { StepDate(key == Qt::Key_Up ? 1 : -1); });
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace qlr
