#include "ui/schedule_grid_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "store/schedule_file.h"
#include "ui/dialogs.h"
#include "ui/grid_model.h"
#include "ui/program_end_guard.h"
#include "ui/qt_operator.h"
#include "ui/qt_text.h"
#include "ui/tick_delegate.h"
#include "ui/view_customisation_dialog.h"

namespace qlr {
namespace {

constexpr const char* kHelpTopic = "Schedule Update Form";
constexpr const char* kMoveTip = "Relevant only to submission sequnce of mutually exclusive jobs.";
constexpr int kTwipsPerPixel = 15;   // at 96 dots per inch
constexpr int kDefaultHeight = 560;  // pixels, until "GridHeight" was saved

QPushButton* NewButton(const char* caption, const char* tip, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setToolTip(QString::fromLatin1(tip));
  return button;
}

// Replaces the entries of a list when they differ, then selects `selected`.
void ShowEntries(QComboBox* list, const std::vector<std::string>& entries, int selected) {
  QStringList texts;
  for (const std::string& entry : entries) texts << ToQString(entry);
  QStringList shown;
  for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
  if (shown != texts) {
    list->clear();
    list->addItems(texts);
  }
  list->setCurrentIndex(selected);
}

}  // namespace

ScheduleGridWindow::ScheduleGridWindow(GuiContext& gui, SettingsStore& settings, QWidget* parent,
                                       JobEditHook edit_job)
    : QDialog(parent),
      gui_(gui),
      edit_job_(edit_job ? std::move(edit_job) : JobEditHook(RunJobEditDialog)),
      editor_(gui.schedule, gui.log, gui.op, gui.clock, gui.editor, WriteSchedule),
      profiles_(settings) {
  setObjectName(QStringLiteral("frmLGrid"));
  setWindowTitle(QStringLiteral("Schedule Update"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  profiles_.Open();
  editor_.Open();
  CreateGrid();
  CreateLists();
  CreateCommands();
  CreateMenus();
  CreateLayout();
  ConnectCommands();
  Redraw();
  FitWindow();
  grid_->setFocus();
}

ScheduleGridWindow::~ScheduleGridWindow() = default;

void ScheduleGridWindow::CreateGrid() {
  model_ = new GridModel(gui_.schedule, gui_.log, editor_, profiles_, this);
  grid_ = new QTableView(this);
  grid_->setModel(model_);
  grid_->setItemDelegate(new TickDelegate(grid_));
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setAlternatingRowColors(true);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->hide();
  // Every row is one line high: the view never measures thirty thousand rows.
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setHighlightSections(false);
  grid_->installEventFilter(this);
}

void ScheduleGridWindow::CreateLists() {
  group_list_ = new QComboBox(this);
  group_list_->setMinimumContentsLength(10);
  group_list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  profile_list_ = new QComboBox(this);
  profile_list_->setMinimumContentsLength(16);
  profile_list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

void ScheduleGridWindow::CreateCommands() {
  new_ = NewButton("&New", "Add a new job", this);
  paste_new_ = NewButton("&Paste New", "", this);
  copy_ = NewButton("&Copy", "Copy the selected job for Paste New", this);
  modify_ = NewButton("&Modify", "Change the selected job (or double click it)", this);
  modify_->setDefault(true);  // Enter changes the selected job, wherever the focus is
  delete_ = NewButton("&Delete", "Delete the selected job", this);
  edit_ = NewButton("&Edit", "", this);
  resched_ = NewButton("", "", this);
  skip_ = NewButton("&Skip Today",
                    "Skip Functions - Unshifted=Toggle Single, Shifted=Unskip All, Ctrl=Skip "
                    "All, No change to Skip Always jobs.",
                    this);
  top_ = NewButton("&Top", kMoveTip, this);
  up_ = NewButton("Up &1", kMoveTip, this);
  down_ = NewButton("Do&wn 1", kMoveTip, this);
  bottom_ = NewButton("&Bottom", kMoveTip, this);
  close_ = NewButton("C&lose", "Save the changes and close the window.", this);
  help_ = NewButton("&Help", "", this);
}

void ScheduleGridWindow::CreateMenus() {
  auto* bar = new QMenuBar(this);
  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  customise_entry_ = view->addAction(QStringLiteral("&Customise..."));
}

void ScheduleGridWindow::CreateLayout() {
  auto* group_label = new QLabel(QStringLiteral("&Group:"), this);
  group_label->setBuddy(group_list_);
  auto* profile_label = new QLabel(QStringLiteral("Pr&ofile:"), this);
  profile_label->setBuddy(profile_list_);
  auto* lists = new QHBoxLayout;
  lists->addWidget(group_label);
  lists->addWidget(group_list_);
  lists->addSpacing(24);
  lists->addWidget(profile_label);
  lists->addWidget(profile_list_);
  lists->addStretch();
  auto* commands = new QVBoxLayout;
  for (QPushButton* button : {new_, paste_new_, copy_, modify_, delete_, edit_})
    commands->addWidget(button);
  commands->addSpacing(12);
  for (QPushButton* button : {resched_, skip_}) commands->addWidget(button);
  commands->addSpacing(12);
  for (QPushButton* button : {top_, up_, down_, bottom_}) commands->addWidget(button);
  commands->addStretch();
  for (QPushButton* button : {close_, help_}) commands->addWidget(button);
  auto* body = new QHBoxLayout;
  body->addWidget(grid_, 1);
  body->addLayout(commands);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(findChild<QMenuBar*>());
  layout->addLayout(lists);
  layout->addLayout(body, 1);
  QWidget* previous = group_list_;
  for (QWidget* next : std::initializer_list<QWidget*>{
           profile_list_, grid_, new_, paste_new_, copy_, modify_, delete_, edit_, resched_, skip_,
           top_, up_, down_, bottom_, close_, help_}) {
    setTabOrder(previous, next);
    previous = next;
  }
}

// Every command redraws the window after the editor has done its work.
void ScheduleGridWindow::Run(QPushButton* button, const std::function<void()>& command) {
  connect(button, &QPushButton::clicked, this, Guarded([this, command] {
            command();
            Redraw();
          }));
}

void ScheduleGridWindow::ConnectCommands() {
  Run(new_, [this] { OnNew(false); });
  Run(paste_new_, [this] { OnNew(true); });
  Run(copy_, [this] { editor_.Copy(); });
  Run(modify_, [this] { OnModify(); });
  Run(delete_, [this] { editor_.Delete(); });
  Run(edit_, [this] { OnEdit(); });
  Run(resched_, [this] { editor_.Resched(); });
  Run(skip_, [this] { OnSkip(); });
  Run(top_, [this] { editor_.Top(); });
  Run(up_, [this] { editor_.Up(); });
  Run(down_, [this] { editor_.Down(); });
  Run(bottom_, [this] { editor_.Bottom(); });
  connect(close_, &QPushButton::clicked, this, Guarded([this] { Close(); }));
  connect(help_, &QPushButton::clicked, this, Guarded([this] { ShowHelpTopic(gui_, kHelpTopic); }));
  connect(customise_entry_, &QAction::triggered, this, Guarded([this] { OnCustomise(); }));
  connect(grid_, &QTableView::doubleClicked, this, Guarded([this] {
            OnModify();
            Redraw();
          }));
  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          Guarded([this](const QModelIndex& current) { OnRowChanged(current.row()); }));
  connect(group_list_, &QComboBox::activated, this, Guarded([this](int entry) {
            editor_.ChooseGroup(FromQString(group_list_->itemText(entry)));
            Redraw();
          }));
  connect(profile_list_, &QComboBox::activated, this,
          Guarded([this](int entry) { OnChooseProfile(entry); }));
}

// ---------------------------------------------------------------------------
// Showing the editor's state

void ScheduleGridWindow::Redraw() {
  redrawing_ = true;
  RedrawGroups();
  RedrawProfiles();
  if (model_->Sync()) ApplyColumnWidths();
  // The selected row may show another job than before the command: the
  // commands follow the job the operator sees selected.
  if (!editor_.rows().empty()) editor_.SelectRow(editor_.selected_row());
  ShowSelectedRow();
  RedrawCommands();
  redrawing_ = false;
}

void ScheduleGridWindow::RedrawGroups() {
  const GroupList& groups = editor_.group_list();
  ShowEntries(group_list_, groups.groups, groups.selected);
}

void ScheduleGridWindow::RedrawProfiles() {
  ShowEntries(profile_list_, profiles_.names, profiles_.selected);
}

void ScheduleGridWindow::RedrawCommands() {
  const GridCommands on = editor_.Buttons();
  const std::pair<QPushButton*, bool> states[] = {
      {edit_, on.edit},       {modify_, on.modify},      {delete_, on.del},
      {resched_, on.resched}, {skip_, on.skip},          {copy_, on.copy},
      {top_, on.top},         {bottom_, on.bottom},      {down_, on.down},
      {up_, on.up},           {paste_new_, on.paste_new}};
  for (const auto& [button, enabled] : states) button->setEnabled(enabled);
  const bool resched = editor_.ReschedCaption() == "Resched";
  resched_->setText(resched ? QStringLiteral("&Resched") : QStringLiteral("&Unschedule"));
  resched_->setToolTip(ToQString(editor_.ReschedTip()));
  edit_->setToolTip(ToQString(editor_.EditTip()));
  paste_new_->setToolTip(ToQString(gui_.editor.PasteNewTip));
}

void ScheduleGridWindow::ShowSelectedRow() {
  const int row = editor_.selected_row();
  if (row < 1) return;
  const QModelIndex index = model_->index(row - 1, 0);
  grid_->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  grid_->scrollTo(index);
}

// A column's width gives 100 twips to each character of its definition, so
// on this desktop a twip is a hundredth of the headings' average character,
// and each column has room for the margins the header draws around a heading.
void ScheduleGridWindow::ApplyColumnWidths() {
  QString headings;
  for (std::string_view definition : kGridColumnDefinitions) headings += ToQString(definition);
  const double pixels_per_twip =
      grid_->fontMetrics().horizontalAdvance(headings) / (100.0 * headings.size());
  const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, grid_) + 4;
  for (int column = 0; column < model_->columnCount(); ++column) {
    const int twips = profiles_.columns[static_cast<size_t>(model_->ColumnId(column))].width;
    grid_->horizontalHeader()->resizeSection(column, int(twips * pixels_per_twip) + margins);
  }
}

void ScheduleGridWindow::FitWindow() {
  const QRect screen = this->screen()->availableGeometry();
  const int columns = grid_->horizontalHeader()->length() +
                      grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth();
  const int rest = layout()->sizeHint().width() - grid_->sizeHint().width();
  int height = kDefaultHeight;
  const std::string saved = profiles_.GridHeight();
  if (!saved.empty()) height = std::max(200, std::atoi(saved.c_str()) / kTwipsPerPixel);
  resize(std::min(columns + rest, screen.width()), std::min(height, screen.height()));
}

void ScheduleGridWindow::OnRowChanged(int row) {
  if (redrawing_) return;
  editor_.SelectRow(row + 1);
  RedrawCommands();
}

// ---------------------------------------------------------------------------
// Commands

void ScheduleGridWindow::OnNew(bool paste) {
  const int index = editor_.BeginNew(paste);
  if (index == 0) return;
  const bool stored = edit_job_(gui_, index, true, this);
  editor_.EndNew(!stored);
}

void ScheduleGridWindow::OnModify() {
  const int index = editor_.BeginModify();
  if (index == 0) return;  // no job shown
  edit_job_(gui_, index, false, this);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  editor_.EndModify();
  QApplication::restoreOverrideCursor();
}

void ScheduleGridWindow::OnEdit() {
  editor_.Edit(QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier), gui_.desktop);
}

void ScheduleGridWindow::OnSkip() {
  const Qt::KeyboardModifiers keys = QApplication::keyboardModifiers();
  editor_.Skip(keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier));
}

void ScheduleGridWindow::OnChooseProfile(int entry) {
  if (entry < 0 || entry >= static_cast<int>(profiles_.names.size())) return;
  profiles_.ChooseProfile(profiles_.names[static_cast<size_t>(entry)]);
  editor_.DisplayGrid();
  Redraw();
  FitWindow();
}

void ScheduleGridWindow::OnCustomise() {
  RunViewCustomisationDialog(gui_, profiles_, this);
  profiles_.Reload();  // what was applied but not saved does not last
  editor_.DisplayGrid();
  Redraw();
  FitWindow();
}

// Close, Escape and the frame: the changes only memory holds are written,
// the profile and the window's height are kept for the next time.
void ScheduleGridWindow::Close() {
  if (closed_) return;
  closed_ = true;
  editor_.Close();  // a failed write was told; the table keeps the changes
  profiles_.SaveViewProfile();
  profiles_.SaveGridHeight(height() * kTwipsPerPixel);
  done(QDialog::Accepted);
}

void ScheduleGridWindow::reject() {
  RunGuarded([this] { Close(); });
}

void ScheduleGridWindow::closeEvent(QCloseEvent* event) {
  RunGuarded([this] { Close(); });
  event->accept();
}

bool ScheduleGridWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    QPushButton* command = key == Qt::Key_Return || key == Qt::Key_Enter ? modify_
                           : key == Qt::Key_Delete                       ? delete_
                                                                         : nullptr;
    if (command != nullptr) {
      if (command->isEnabled()) command->click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void RunScheduleGrid(GuiContext& gui, SettingsStore& settings, QWidget* parent) {
  ScheduleGridWindow window(gui, settings, parent);
  // Questions are asked over the grid, not over the launch window beneath it.
  auto* boxes = dynamic_cast<QtOperator*>(&gui.op);
  if (boxes != nullptr) boxes->SetParent(&window);
  window.exec();
  if (boxes != nullptr) boxes->SetParent(parent);
}

}  // namespace qlr
