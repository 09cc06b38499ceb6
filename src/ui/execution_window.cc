// The execution window's parts: menus, commands, labels, the day's list and
// the events and unsubmitted-job panes, and what each of them is wired to.

#include "ui/execution_window.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/child_watch.h"
#include "ui/editor_widgets.h"
#include "ui/list_models.h"
#include "ui/program_end_guard.h"

namespace qlr {
namespace {

constexpr int kWindowWidth = 10500 / 15;  // twips at 96 DPI
// The lists' first tab stops, in dialog units.
constexpr int kLogTabStop = 150;
constexpr int kEventsTabStop = 48;
constexpr int kUnsubTabStop = 20;

// A list box with tab stops: a table without grid or headings, one line a
// row, whose first column reaches the first tab stop (never narrower than a
// padded job name).
QTableView* MakeList(int tab_stop, QWidget* parent) {
  auto* list = new QTableView(parent);
  list->setShowGrid(false);
  list->setWordWrap(false);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  list->horizontalHeader()->hide();
  list->horizontalHeader()->setStretchLastSection(true);
  list->verticalHeader()->hide();
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  const QFontMetrics metrics = list->fontMetrics();
  list->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
  const int stop = tab_stop * metrics.averageCharWidth() / 4;
  list->horizontalHeader()->setDefaultSectionSize(
      std::max(stop, metrics.horizontalAdvance(QString(10, 'X'))));
  return list;
}

}  // namespace

ExecutionWindow::ExecutionWindow(GuiContext& gui, ProcessLauncher& launcher,
                                 EndOfJobMessages& messages, const RunOptions& options,
                                 QWidget* parent, std::optional<EngineHooks> hooks)
    : QDialog(parent), gui_(gui) {
  setObjectName(QStringLiteral("frmSched"));
  CreateEngine(launcher, messages, options, std::move(hooks));
  CreateMenus();
  CreateCommands();
  CreateLabels();
  CreateLists();
  CreatePanes();
  CreateLayout();
  ConnectCommands();
  ConnectMenus();
  ConnectLists();
  ignore_cpu_->setChecked(options.IgnoreCpuLimit);
  Command([this] { engine_->Open(); });
}

ExecutionWindow::~ExecutionWindow() {
  engine_->SetView(nullptr);  // the widgets go before the engine does
}

void ExecutionWindow::CreateEngine(ProcessLauncher& launcher, EndOfJobMessages& messages,
                                   const RunOptions& options, std::optional<EngineHooks> hooks) {
  engine_ = std::make_unique<Engine>(
      gui_.schedule, EngineServices{gui_.log, gui_.op, gui_.clock, launcher, messages}, options,
      hooks ? std::move(*hooks) : StandardEngineHooks(gui_.schedule, gui_.log, gui_.op));
  engine_->SetView(this);
  timer_ = new QTimer(this);
  timer_->setSingleShot(true);  // armed again from the interval the engine asks for
  connect(timer_, &QTimer::timeout, this, Guarded([this] { KickNow(); }));
  if (gui_.schedule.KickOnJobEnd)
    child_watch_ = new ChildWatch(
        launcher, [this] { OnJobEnded(); }, this);
}

void ExecutionWindow::CreateMenus() {
  menu_bar_ = new QMenuBar(this);
  QMenu* file = menu_bar_->addMenu(QStringLiteral("&File"));
  exit_entry_ = file->addAction(QStringLiteral("E&xit"));
  QMenu* schedule = menu_bar_->addMenu(QStringLiteral("S&chedule"));
  kick_entry_ = schedule->addAction(QStringLiteral("&Kick"));
  kick_int_entry_ = schedule->addAction(QStringLiteral("Kick &Int"));
  suspend_entry_ = schedule->addAction(QStringLiteral("&Suspend"));
  next_day_entry_ = schedule->addAction(QStringLiteral("&Next Day"));
  mod_sched_entry_ = schedule->addAction(QStringLiteral("&Mod Sched"));
  QMenu* view = menu_bar_->addMenu(QStringLiteral("Vie&w"));
  events_entry_ = view->addAction(QStringLiteral("&Events"));
  trigger_event_entry_ = view->addAction(QStringLiteral("&Trigger Event"));
  view->addSeparator();
  log_entry_ = view->addAction(QStringLiteral("&Log"));
  job_doc_entry_ = view->addAction(QStringLiteral("&Job Documentation"));
  timeline_entry_ = view->addAction(QStringLiteral("T&imeline"));
  QMenu* help = menu_bar_->addMenu(QStringLiteral("&Help"));
  help_entry_ = help->addAction(QStringLiteral("&Quillrun Help"));
  help_entry_->setShortcut(QKeySequence::HelpContents);
}

void ExecutionWindow::CreateCommands() {
  kick_ = NewCommand(QStringLiteral("&Kick"), this,
                     QStringLiteral("Kick the scheduler to check for completed jobs"));
  kick_->setDefault(true);
  kick_->setAutoFillBackground(true);  // its green highlight while a pass runs
  kick_int_ = NewCommand(QStringLiteral("Kick &Int"), this, QStringLiteral("Toggle Kick Interval"));
  suspend_ = NewCommand(QStringLiteral("&Suspend"), this,
                        QStringLiteral("Suspend or Unsuspend job processing"));
  suspend_->setAutoFillBackground(true);
  next_day_ = NewCommand(QStringLiteral("&Next Day"), this,
                         QStringLiteral("Roll over to the next day's schedule"));
  mod_sched_ = NewCommand(QStringLiteral("&Mod Sched"), this,
                          QStringLiteral("Reschedule and Unschedule Jobs"));
  events_ = NewCommand(QStringLiteral("Show E&vents/Unsubmitted Job Status"), this,
                       QStringLiteral("Show/hide Event/Status windows"));
  exit_ = NewCommand(QStringLiteral("E&xit"), this);
  help_ = NewCommand(QStringLiteral("Hel&p"), this,
                     QStringLiteral("Help on the Schedule Execution window"));
  ignore_cpu_ = new QCheckBox(QStringLiteral("I&gnore CPU Limit"), this);
}

void ExecutionWindow::CreateLabels() {
  title_ = new QLabel(this);
  QFont bold = title_->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  title_->setFont(bold);
  run_date_ = new QLabel(this);
  run_date_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  start_time_ = new QLabel(this);
  kick_label_ = new QLabel(this);
  kick_label_->setAlignment(Qt::AlignCenter);
  failure_ = new QLabel(QStringLiteral("One or More Submission/Run Failures"), this);
  failure_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
  failure_->hide();
  unsub_label_ = new QLabel(this);
  unsub_label_->setTextFormat(Qt::PlainText);
  // The window's title gives way to the version text once it is activated;
  // when the run started stays in sight below.
  status_bar_ = new QStatusBar(this);
  status_bar_->setSizeGripEnabled(false);
  started_ = new QLabel(this);
  status_bar_->addWidget(started_);
}

void ExecutionWindow::CreateLists() {
  const WindowState& state = engine_->window();
  log_list_ = MakeList(kLogTabStop, this);
  log_model_ = new LogListModel(
      state.list, [this](int row) { return engine_->ListTip(PaneRow{row}); }, this);
  log_list_->setModel(log_model_);
  events_list_ = MakeList(kEventsTabStop, this);
  events_list_->setToolTip(QStringLiteral("Double click entry to trigger event"));
  events_model_ = new EventListModel(this);
  events_list_->setModel(events_model_);
  unsub_list_ = MakeList(kUnsubTabStop, this);
  unsub_list_->setToolTip(
      QStringLiteral("Single Click on a job name for full status.  Double click to force submit."));
  unsub_list_->setContextMenuPolicy(Qt::CustomContextMenu);
  unsub_model_ = new UnsubmittedListModel(
      gui_.schedule, [this](int job) { return engine_->StatusTextOf(job); }, this);
  unsub_list_->setModel(unsub_model_);
  unsub_menu_ = new QMenu(this);
  status_entry_ = unsub_menu_->addAction(QStringLiteral("&Status"));
  force_submit_entry_ = unsub_menu_->addAction(QStringLiteral("&Force Submit"));
}

// The panes sit below the day's list: showing them makes the window taller
// by their height and leaves the list as it was.
void ExecutionWindow::CreatePanes() {
  panes_ = new QWidget(this);
  events_caption_ = new QLabel(QStringLiteral("Untriggered Events"), panes_);
  unsub_caption_ = new QLabel(QStringLiteral("Unsubmitted Job Status"), panes_);
  for (QLabel* caption : {events_caption_, unsub_caption_}) {
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
  }
  // A long wait reason must not widen the window: the label gives way and
  // keeps the whole text as its tip.
  unsub_label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto* unsub_head = new QHBoxLayout;
  unsub_head->addWidget(unsub_caption_);
  unsub_head->addSpacing(12);
  unsub_head->addWidget(unsub_label_, 1);
  auto* layout = new QGridLayout(panes_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setVerticalSpacing(2);
  layout->addWidget(events_caption_, 0, 0);
  layout->addLayout(unsub_head, 0, 1);
  layout->addWidget(events_list_, 1, 0);
  layout->addWidget(unsub_list_, 1, 1);
  layout->setColumnStretch(0, 2);
  layout->setColumnStretch(1, 3);
  panes_->hide();
}

void ExecutionWindow::CreateLayout() {
  auto* header = new QGridLayout;
  header->addWidget(title_, 0, 0);
  header->addWidget(run_date_, 0, 1, 2, 1);
  header->addWidget(start_time_, 1, 0);
  header->setColumnStretch(0, 1);

  auto* commands = new QVBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(kick_), static_cast<QWidget*>(kick_int_),
                     static_cast<QWidget*>(kick_label_)})
    commands->addWidget(w);
  commands->addSpacing(8);
  for (QPushButton* b : {suspend_, next_day_, mod_sched_}) commands->addWidget(b);
  commands->addStretch(1);
  commands->addWidget(exit_);
  commands->addWidget(help_);

  auto* body = new QHBoxLayout;
  body->addWidget(log_list_, 1);
  body->addLayout(commands);

  auto* footer = new QHBoxLayout;
  footer->addWidget(events_);
  footer->addWidget(ignore_cpu_);
  footer->addStretch(1);
  footer->addWidget(failure_);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menu_bar_);
  layout->addLayout(header);
  layout->addLayout(body, 1);
  layout->addLayout(footer);
  layout->addWidget(panes_);
  layout->addWidget(status_bar_);
  panes_->setFixedHeight(kPanesShownHeight - kPanesHiddenHeight - layout->spacing());
  setFixedSize(kWindowWidth, kPanesHiddenHeight);
  const QList<QWidget*> order = {log_list_, kick_,       kick_int_,    suspend_,
                                 next_day_, mod_sched_,  exit_,        help_,
                                 events_,   ignore_cpu_, events_list_, unsub_list_};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void ExecutionWindow::ConnectCommands() {
  connect(kick_, &QPushButton::clicked, this, Guarded([this] { KickNow(); }));
  connect(kick_int_, &QPushButton::clicked, this, Guarded([this] {
            Command([this] {
              engine_->ToggleKickInterval();
              restart_timer_ = true;
            });
          }));
  connect(suspend_, &QPushButton::clicked, this,
          Guarded([this] { Command([this] { engine_->ToggleSuspend(); }); }));
  connect(next_day_, &QPushButton::clicked, this,
          Guarded([this] { Command([this] { engine_->NextDay(); }); }));
  connect(mod_sched_, &QPushButton::clicked, this, Guarded([this] { OnModSched(); }));
  connect(events_, &QPushButton::clicked, this,
          Guarded([this] { Command([this] { engine_->ToggleEvents(); }); }));
  connect(exit_, &QPushButton::clicked, this, Guarded([this] { OnExit(); }));
  connect(help_, &QPushButton::clicked, this, Guarded([this] { OnHelp(); }));
  connect(ignore_cpu_, &QCheckBox::toggled, this,
          Guarded([this](bool on) { engine_->SetIgnoreCpuLimit(on); }));
}

// Every menu entry does what the command of the same caption does.
void ExecutionWindow::ConnectEntry(QAction* entry, QPushButton* command) {
  connect(entry, &QAction::triggered, command, [command] { command->click(); });
}

void ExecutionWindow::ConnectMenus() {
  ConnectEntry(kick_entry_, kick_);
  ConnectEntry(kick_int_entry_, kick_int_);
  ConnectEntry(suspend_entry_, suspend_);
  ConnectEntry(next_day_entry_, next_day_);
  ConnectEntry(mod_sched_entry_, mod_sched_);
  ConnectEntry(events_entry_, events_);
  ConnectEntry(exit_entry_, exit_);
  connect(trigger_event_entry_, &QAction::triggered, this, Guarded([this] { OnTriggerEvent(); }));
  connect(log_entry_, &QAction::triggered, this, Guarded([this] { OnLog(); }));
  connect(job_doc_entry_, &QAction::triggered, this, Guarded([this] { OnJobDoc(); }));
  connect(timeline_entry_, &QAction::triggered, this, Guarded([this] { OnTimeline(); }));
  connect(help_entry_, &QAction::triggered, this, Guarded([this] { OnHelp(); }));
}

void ExecutionWindow::ConnectLists() {
  connect(log_list_, &QTableView::doubleClicked, this, Guarded([this] { OnJobDoc(); }));
  connect(events_list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          Guarded([this](const QModelIndex& index) {
            if (!selecting_)
              Command([this, row = index.row()] { engine_->SelectEvent(PaneRow{row}); });
          }));
  connect(events_list_, &QTableView::doubleClicked, this, Guarded([this] { OnTriggerEvent(); }));
  connect(unsub_list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          Guarded([this](const QModelIndex& index) {
            if (!selecting_)
              Command([this, row = index.row()] { engine_->SelectUnsubmitted(PaneRow{row}); });
          }));
  connect(
      unsub_list_, &QTableView::doubleClicked, this, Guarded([this] {
        Command([this] { engine_->ForceSubmit(PaneRow{engine_->window().unsubmitted_selected}); });
      }));
  connect(unsub_list_, &QTableView::customContextMenuRequested, this,
          Guarded([this](const QPoint& pos) { OnUnsubMenu(pos); }));
  connect(
      status_entry_, &QAction::triggered, this, Guarded([this] {
        Command([this] { engine_->StatusReport(PaneRow{engine_->window().unsubmitted_selected}); });
      }));
  connect(
      force_submit_entry_, &QAction::triggered, this, Guarded([this] {
        Command([this] { engine_->ForceSubmit(PaneRow{engine_->window().unsubmitted_selected}); });
      }));
}

}  // namespace qlr
