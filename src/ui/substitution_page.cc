#include "ui/substitution_page.h"

#include <QAbstractTableModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "base/text.h"
#include "ui/ed_var_dialog.h"
#include "ui/editor_widgets.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"

namespace qlr {

// The seven rows of the editor's date variables, in the columns of the
// grid's layout string ("<" left-aligned, "^" centred, the heading's blanks
// giving its width).
class DateVarTableModel : public QAbstractTableModel {
 public:
  DateVarTableModel(const DateVarGrid& grid, QObject* parent)
      : QAbstractTableModel(parent), grid_(grid) {
    for (const std::string& column : Split(kDateVarGridLayout, '|')) {
      aligns_.push_back(column.front() == '<' ? Qt::AlignLeft : Qt::AlignHCenter);
      headings_.push_back(ToQString(Trim(column.substr(1))));
      widths_.push_back(static_cast<int>(column.size()) - 1);
    }
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(grid_.rows().size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(aligns_[static_cast<size_t>(index.column())] | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const DateVarRow& row = grid_.rows()[static_cast<size_t>(index.row())];
    const std::string* const cells[] = {&row.fields.name, &row.fields.relative_day,
                                        &row.fields.rel_month, &row.fields.format, &row.as_at};
    return ToQString(*cells[index.column()]);
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return headings_[static_cast<size_t>(section)];
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(aligns_[static_cast<size_t>(section)] | Qt::AlignVCenter);
    return {};
  }
  int WidthInChars(int column) const { return widths_[static_cast<size_t>(column)]; }
  void Refresh() { emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1)); }

 private:
  const DateVarGrid& grid_;
  std::vector<Qt::Alignment> aligns_;
  std::vector<QString> headings_;
  std::vector<int> widths_;
};

SubstitutionPage::SubstitutionPage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks,
                                   QWidget* parent)
    : JobEditPage(gui, model, hooks, parent) {
  CreateGrid();
  CreateCommands();
  CreateLayout();
}

void SubstitutionPage::CreateGrid() {
  table_ = new DateVarTableModel(model_.date_vars(), this);
  grid_ = new QTableView(this);
  grid_->setModel(table_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
  grid_->horizontalHeader()->setStretchLastSection(true);
  // Each column as wide as its heading in the layout string, blanks and all,
  // and never narrower than the heading as the header draws it.
  const QFontMetrics metrics = grid_->fontMetrics();
  QFont bold = grid_->horizontalHeader()->font();
  bold.setBold(true);
  const QFontMetrics heading_metrics(bold);
  for (int column = 0; column < table_->columnCount(); ++column) {
    const QString heading = table_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    grid_->setColumnWidth(column,
                          std::max((table_->WidthInChars(column) + 2) * metrics.averageCharWidth(),
                                   heading_metrics.horizontalAdvance(heading) + 16));
  }
  grid_->setMinimumHeight(grid_->horizontalHeader()->sizeHint().height() +
                          table_->rowCount() * grid_->verticalHeader()->defaultSectionSize() + 4);
  grid_->setToolTip(QStringLiteral("Double click (or Enter) edits a variable"));
  grid_->setCurrentIndex(table_->index(0, 0));
  KeepEnter(grid_);
  connect(grid_, &QTableView::activated, this,
          Guarded([this](const QModelIndex& index) { EditRow(index.row()); }));
}

void SubstitutionPage::CreateCommands() {
  edit_ = NewCommand(QStringLiteral("&Edit..."), this, QStringLiteral("Edit the chosen variable"));
  clear_ = NewCommand(QStringLiteral("C&lear"), this, QStringLiteral("Remove the chosen variable"));
  defaults_ = NewCommand(QStringLiteral("Default &Variables"), this,
                         QStringLiteral("Replace every variable by the stock set"));
  try_ =
      NewCommand(QStringLiteral("T&ry Substitution"), this,
                 QStringLiteral("Show the command line as it would be submitted on the run date"));
  connect(edit_, &QPushButton::clicked, this, Guarded([this] { EditRow(CurrentRow()); }));
  connect(clear_, &QPushButton::clicked, this, Guarded([this] { ClearRow(CurrentRow()); }));
  connect(defaults_, &QPushButton::clicked, this, Guarded([this] { DefaultVariables(); }));
  connect(try_, &QPushButton::clicked, this, Guarded([this] { TrySubstitution(); }));
}

QWidget* SubstitutionPage::CreateTryFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Try Substitution"), this);
  try_command_ = new QLineEdit(frame);
  try_substituted_ = new QLineEdit(frame);
  try_run_date_ = new QLineEdit(frame);
  auto* layout = new QGridLayout(frame);
  const QString captions[] = {QStringLiteral("Command Line:"), QStringLiteral("Substituted:"),
                              QStringLiteral("Run Date:")};
  QLineEdit* const boxes[] = {try_command_, try_substituted_, try_run_date_};
  for (int row = 0; row < 3; ++row) {
    boxes[row]->setReadOnly(true);
    layout->addWidget(new QLabel(captions[row], frame), row, 0);
    layout->addWidget(boxes[row], row, 1);
  }
  layout->addWidget(try_, 3, 1, Qt::AlignLeft);
  return frame;
}

void SubstitutionPage::CreateLayout() {
  auto* commands = new QVBoxLayout;
  for (QPushButton* button : {edit_, clear_, defaults_}) commands->addWidget(button);
  commands->addStretch();
  auto* grid = new QGridLayout(this);
  grid->addWidget(NewBuddyLabel(QStringLiteral("Date Var&iables"), grid_, this), 0, 0);
  grid->addWidget(grid_, 1, 0);
  grid->addLayout(commands, 1, 1);
  grid->addWidget(CreateTryFrame(), 2, 0, 1, 2);
  grid->setRowStretch(1, 1);
  grid->setColumnStretch(0, 1);
  SetTabChain({grid_, edit_, clear_, defaults_, try_});
}

void SubstitutionPage::ShowFields() { table_->Refresh(); }

void SubstitutionPage::Entered() {
  model_.PopulateNamedAsAt();
  table_->Refresh();
}

int SubstitutionPage::CurrentRow() const {
  const QModelIndex current = grid_->currentIndex();
  return current.isValid() ? current.row() : 0;
}

void SubstitutionPage::EditRow(int row) {
  DateVarDialog variable = model_.EditDateVar(row);
  EdVarDialog dialog(gui_, variable, this);
  dialog.exec();
  model_.EndEditDateVar(row, variable);
  table_->Refresh();
}

void SubstitutionPage::ClearRow(int row) {
  model_.date_vars().Clear(row);
  table_->Refresh();
}

void SubstitutionPage::DefaultVariables() {
  model_.DefaultVariables();
  table_->Refresh();
}

void SubstitutionPage::TrySubstitution() {
  const TryText text = model_.TrySubstitution();
  try_command_->setText(ToQString(text.command_line));
  try_substituted_->setText(ToQString(text.substituted));
  try_run_date_->setText(ToQString(text.run_date));
}

}  // namespace qlr
