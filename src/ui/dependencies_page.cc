#include "ui/dependencies_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "editor/included_file.h"
#include "ui/dependency_table_model.h"
#include "ui/editor_widgets.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"
#include "ui/typing_validators.h"

namespace qlr {
namespace {

// The grid takes Space as a click on its current cell, and opens the
// condition menu from the keyboard on the current cell, so that it can be
// used without a mouse.
class DependencyGridView : public QTableView {
 public:
  using CellAction = std::function<void(int row, int column)>;
  using MenuAction = std::function<void(int row, int column, const QPoint& where)>;

  DependencyGridView(CellAction click, MenuAction menu, QWidget* parent)
      : QTableView(parent), click_(std::move(click)), menu_(std::move(menu)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && current.isValid()) {
      RunGuarded([&] { click_(current.row(), current.column()); });
      return;
    }
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
      QContextMenuEvent menu(QContextMenuEvent::Keyboard, {}, {});
      contextMenuEvent(&menu);
      return;
    }
    QTableView::keyPressEvent(event);
  }
  void contextMenuEvent(QContextMenuEvent* event) override {
    const bool mouse = event->reason() == QContextMenuEvent::Mouse;
    const QModelIndex index = mouse ? indexAt(event->pos()) : currentIndex();
    if (!index.isValid()) return;
    const QPoint where =
        mouse ? event->globalPos() : viewport()->mapToGlobal(visualRect(index).center());
    RunGuarded([&] { menu_(index.row(), index.column(), where); });
  }

 private:
  CellAction click_;
  MenuAction menu_;
};

// "Interschedule Trigger File from Job:" with the access key on "File".
QString LabelWithKey(std::string_view label) {
  QString text = ToQString(label);
  const qsizetype file = text.indexOf(QStringLiteral("File"));
  if (file >= 0) text.insert(file, QLatin1Char('&'));
  return text;
}

}  // namespace

DependenciesPage::DependenciesPage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks,
                                   QWidget* parent)
    : JobEditPage(gui, model, hooks, parent) {
  CreateWaitChoice();
  CreateGrid();
  CreateConditionMenu();
  CreateLayout();
  ConnectWaitChoice();
  ConnectGrid();
}

void DependenciesPage::CreateWaitChoice() {
  waits_[static_cast<size_t>(WaitChoice::None)] = new QRadioButton(QStringLiteral("(N&one)"), this);
  waits_[static_cast<size_t>(WaitChoice::Interschedule)] =
      new QRadioButton(QStringLiteral("&Interschedule"), this);
  waits_[static_cast<size_t>(WaitChoice::External)] =
      new QRadioButton(QStringLiteral("E&xternal"), this);
  auto* group = new QButtonGroup(this);
  for (QRadioButton* option : waits_) group->addButton(option);
  wait_label_ = new QLabel(this);
  wait_file_ =
      NewTextBox(this, QStringLiteral("Job will not be submitted until this file exists."));
  wait_browse_ = NewCommand(QStringLiteral("Bro&wse..."), this,
                            QStringLiteral("Browse to find the file, if it exists!!"));
  trigger_jobs_ = new QListWidget(this);
  trigger_jobs_->setMinimumHeight(90);
  trigger_jobs_->setToolTip(QStringLiteral("The job whose standard trigger file is awaited"));
  delete_file_ = new QCheckBox(QStringLiteral("De&lete File on Job Submission"), this);
  delete_file_->setToolTip(
      QStringLiteral("Set this only if no other jobs are triggered by this file."));
}

void DependenciesPage::CreateGrid() {
  table_ = new DependencyTableModel(model_.dependencies(), this);
  grid_ = new DependencyGridView(
      [this](int row, int column) { ClickCell(row, column); },
      [this](int row, int column, const QPoint& where) { OfferCondition(row, column, where); },
      this);
  grid_->setModel(table_);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->hide();
  // Rows of one height, columns of set widths: a list of every job of a large
  // schedule is shown without measuring its rows.
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setStretchLastSection(true);
  // Names and groups have at most 8 characters; the other columns are as
  // wide as their headings.
  const QFontMetrics metrics = grid_->fontMetrics();
  int width = 0;
  for (int column = 0; column < DependencyTableModel::kColumns; ++column) {
    const QString heading = table_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int wanted = std::max(metrics.horizontalAdvance(heading),
                                column <= DependencyTableModel::kGroup
                                    ? metrics.horizontalAdvance(QStringLiteral("NNNNNNNN"))
                                    : 0) +
                       16;
    grid_->setColumnWidth(column, wanted);
    width += wanted;
  }
  grid_->setMinimumWidth(width + grid_->verticalScrollBar()->sizeHint().width() + 4);
  grid_->setToolTip(QStringLiteral(
      "Click Wait EOJ to wait for the job; right click EOJ Status to choose the end"));
  same_group_ = new QRadioButton(QStringLiteral("Same &Group"), this);
  all_groups_ = new QRadioButton(QStringLiteral("All G&roups"), this);
  auto* groups = new QButtonGroup(this);
  groups->addButton(same_group_);
  groups->addButton(all_groups_);
  exclusivity_ = NewTextBox(
      this,
      QStringLiteral("Jobs with any matching keywords are prevented from running simultaneously."),
      0, NewExclusivityValidator(this));
}

void DependenciesPage::CreateConditionMenu() {
  condition_menu_ = new QMenu(this);
  const std::pair<const char*, DepCondition> entries[] = {
      {"&Success", DepCondition::Success},
      {"&Failure", DepCondition::Failure},
      {"&Unconditional", DepCondition::Unconditional}};
  for (const auto& [caption, condition] : entries)
    condition_menu_->addAction(QString::fromLatin1(caption))->setData(static_cast<int>(condition));
}

QWidget* DependenciesPage::CreateWaitFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Interschedule && External Dependency"), this);
  auto* options = new QHBoxLayout;
  for (QRadioButton* option : waits_) options->addWidget(option);
  options->addStretch();
  auto* file_row = new QHBoxLayout;
  file_row->addWidget(wait_file_, 1);
  file_row->addWidget(wait_browse_);
  auto* layout = new QVBoxLayout(frame);
  layout->addLayout(options);
  layout->addWidget(wait_label_);
  layout->addLayout(file_row);
  layout->addWidget(trigger_jobs_);
  layout->addWidget(delete_file_);
  layout->addStretch();
  return frame;
}

void DependenciesPage::CreateLayout() {
  auto* group_options = new QHBoxLayout;
  group_options->addWidget(same_group_);
  group_options->addWidget(all_groups_);
  group_options->addStretch();
  auto* grid = new QGridLayout(this);
  grid->addWidget(CreateWaitFrame(), 0, 0, 3, 1);
  grid->addWidget(NewBuddyLabel(QStringLiteral("Job Dependen&cy"), grid_, this), 0, 1);
  grid->addWidget(grid_, 1, 1);
  grid->addLayout(group_options, 2, 1);
  auto* keywords = new QHBoxLayout;
  keywords->addWidget(NewBuddyLabel(QStringLiteral("Exclusivity &Keywords"), exclusivity_, this));
  keywords->addWidget(exclusivity_, 1);
  grid->addLayout(keywords, 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(1, 1);
  SetTabChain({waits_[0], waits_[1], waits_[2], wait_file_, wait_browse_, trigger_jobs_,
               delete_file_, grid_, same_group_, all_groups_, exclusivity_});
}

void DependenciesPage::ConnectWaitChoice() {
  for (size_t choice = 0; choice < waits_.size(); ++choice)
    connect(waits_[choice], &QRadioButton::clicked, this, Guarded([this, choice] {
              model_.ChooseWait(static_cast<WaitChoice>(choice));
              ShowWait();
            }));
  BindText(wait_file_, model_.fields.wait.file_name);
  connect(wait_browse_, &QPushButton::clicked, this, Guarded([this] { BrowseWaitFile(); }));
  connect(trigger_jobs_, &QListWidget::currentRowChanged, this,
          Guarded([this](int row) { model_.fields.wait.selected = row; }));
  BindCheck(delete_file_, model_.fields.wait.delete_file);
}

void DependenciesPage::ConnectGrid() {
  connect(grid_, &QTableView::clicked, this,
          Guarded([this](const QModelIndex& index) { ClickCell(index.row(), index.column()); }));
  const auto choose = [this](QRadioButton* option, bool same_group) {
    connect(option, &QRadioButton::clicked, this, Guarded([this, same_group] {
              model_.ShowSameGroup(same_group);
              ShowGrid();
            }));
  };
  choose(same_group_, true);
  choose(all_groups_, false);
  BindText(exclusivity_, model_.fields.Exclusivity);
}

void DependenciesPage::ShowFields() {
  ShowWait();
  ShowGrid();
  (model_.dependencies().same_group() ? same_group_ : all_groups_)->setChecked(true);
  ShowText(exclusivity_, model_.fields.Exclusivity);
}

// "(None)" hides the label, the file box and the job list; each other
// choice shows its own.
void DependenciesPage::ShowWait() {
  const WaitFileChoice& wait = model_.fields.wait;
  waitOption(wait.choice)->setChecked(true);
  const bool external = wait.choice == WaitChoice::External;
  const bool interschedule = wait.choice == WaitChoice::Interschedule;
  wait_label_->setText(LabelWithKey(wait.Label()));
  wait_label_->setBuddy(interschedule ? static_cast<QWidget*>(trigger_jobs_) : wait_file_);
  wait_label_->setVisible(wait.choice != WaitChoice::None);
  ShowText(wait_file_, wait.file_name);
  wait_file_->setVisible(external);
  wait_browse_->setVisible(external);
  trigger_jobs_->setVisible(interschedule);
  ShowTriggerJobs();
  delete_file_->setChecked(wait.delete_file);
  delete_file_->setEnabled(wait.DeleteEnabled());
}

// The list rebuilt; the cursor goes back to the first row's Wait EOJ.
void DependenciesPage::ShowGrid() {
  table_->Reset();
  grid_->setCurrentIndex(table_->index(0, DependencyTableModel::kWait));
}

void DependenciesPage::ShowTriggerJobs() {
  const WaitFileChoice& wait = model_.fields.wait;
  const int selected = wait.selected;  // filling the list moves its current row
  const QSignalBlocker quiet(trigger_jobs_);
  trigger_jobs_->clear();
  for (const std::string& line : wait.trigger_jobs) trigger_jobs_->addItem(ToQString(line));
  trigger_jobs_->setCurrentRow(selected);
}

void DependenciesPage::BrowseWaitFile() {
  const std::string chosen =
      hooks_.choose_file(model_.fields.wait.file_name, std::string(kAnyFileFilter));
  if (chosen.empty()) return;
  model_.fields.wait.file_name = chosen;
  ShowText(wait_file_, chosen);
}

void DependenciesPage::ClickCell(int row, int column) {
  DependencyList& list = model_.dependencies();
  if (column == DependencyTableModel::kWait) list.ClickWait(row);
  if (column == DependencyTableModel::kAutoUnsched) list.ClickAutoUnsched(row);
  table_->RowChanged(row);
}

void DependenciesPage::OfferCondition(int row, int column, const QPoint& where) {
  DependencyList& list = model_.dependencies();
  if (column != DependencyTableModel::kStatus || !list.HasConditionMenu(row)) return;
  const QAction* chosen = condition_menu_->exec(where);
  if (chosen == nullptr) return;
  list.ChooseCondition(row, static_cast<DepCondition>(chosen->data().toInt()));
  table_->RowChanged(row);
}

QWidget* DependenciesPage::FieldWidget(EditField field) const {
  if (field == EditField::WaitFileName) return wait_file_;
  if (field == EditField::TriggerJobs) return trigger_jobs_;
  return nullptr;
}

}  // namespace qlr
