#include "ui/timing_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "base/date_format.h"
#include "calendar/holidays.h"
#include "editor/frequency_editor.h"
#include "ui/editor_widgets.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"
#include "ui/typing_validators.h"

namespace qlr {

TimingPage::TimingPage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks, QWidget* parent)
    : JobEditPage(gui, model, hooks, parent) {
  CreateFields();
  CreateKeywords();
  CreateLayout();
  ConnectFields();
}

void TimingPage::CreateFields() {
  start_ =
      NewTextBox(this, QStringLiteral("The earliest time at which the job is to be submitted."),
                 static_cast<int>(kEarliestStartLength), NewTimeOrFrequencyValidator(this));
  start_->setFixedWidth(start_->fontMetrics().horizontalAdvance(QStringLiteral("00:000")) + 12);
  skip_on_ = new QComboBox(this);
  skip_on_->setToolTip(QStringLiteral("Run Date(s) when job is not to be scheduled"));
  skip_on_->setMinimumContentsLength(static_cast<int>(kSkipOnLength));
  frequency_ =
      NewTextBox(this, QStringLiteral("When the job is to run - see Keyword Formats list."), 0,
                 NewTimeOrFrequencyValidator(this));
  try_ = NewCommand(QStringLiteral("T&ry it"), this,
                    QStringLiteral("List the next run dates of the frequency"));
  try_list_ = new QListWidget(this);
  try_list_->setMinimumWidth(try_list_->fontMetrics().horizontalAdvance(
                                 QStringLiteral("Wednesday 30 September 2026 (Skipped)")) +
                             24);
  QSizePolicy keep = try_list_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);  // the other fields stay where they are
  try_list_->setSizePolicy(keep);
  try_list_->hide();
}

void TimingPage::CreateKeywords() {
  keywords_ = new QTreeWidget(this);
  keywords_->setColumnCount(2);
  keywords_->setHeaderLabels({QStringLiteral("Keyword"), QStringLiteral("Description")});
  keywords_->setRootIsDecorated(false);
  keywords_->setUniformRowHeights(true);
  keywords_->setToolTip(
      QStringLiteral("Double click (or Enter) adds the keyword to the frequency"));
  for (const FrequencyKey& key : FrequencyKeys(gui_.schedule.Calendar))
    new QTreeWidgetItem(keywords_, {ToQString(key.key), ToQString(key.description)});
  keywords_->setCurrentItem(keywords_->topLevelItem(0));
  keywords_->header()->resizeSection(
      0, keywords_->fontMetrics().horizontalAdvance(QStringLiteral("Selected Date")) + 24);
  KeepEnter(keywords_);
  use_keyword_ = NewCommand(QStringLiteral("&Use Keyword"), this,
                            QStringLiteral("Add the chosen keyword to the frequency"));
}

void TimingPage::CreateLayout() {
  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(10);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Earliest Start Time"), start_, this), 0, 0);
  grid->addWidget(start_, 0, 1, Qt::AlignLeft);
  grid->addWidget(NewBuddyLabel(QStringLiteral("S&kip On"), skip_on_, this), 1, 0);
  grid->addWidget(skip_on_, 1, 1, Qt::AlignLeft);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Frequency"), frequency_, this), 2, 0);
  grid->addWidget(frequency_, 2, 1);
  grid->addWidget(try_, 2, 2);
  grid->addWidget(NewBuddyLabel(QStringLiteral("Keyword F&ormats"), keywords_, this), 3, 0, 1, 2);
  grid->addWidget(keywords_, 4, 0, 1, 2);
  grid->addWidget(use_keyword_, 5, 0, Qt::AlignLeft);
  grid->addWidget(try_list_, 3, 2, 3, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);
  SetTabChain({start_, skip_on_, frequency_, try_, keywords_, use_keyword_, try_list_});
}

void TimingPage::ConnectFields() {
  BindText(start_, model_.fields.EarliestStart);
  connect(frequency_, &QLineEdit::textEdited, this, Guarded([this](const QString& text) {
            model_.fields.Frequency = FromQString(text);
            try_list_->hide();  // it showed the frequency as it was
          }));
  connect(skip_on_, &QComboBox::activated, this,
          Guarded([this](int entry) { ChooseSkipOn(entry); }));
  connect(keywords_, &QTreeWidget::activated, this, Guarded([this] { UseKeyword(); }));
  connect(use_keyword_, &QPushButton::clicked, this, Guarded([this] { UseKeyword(); }));
  connect(try_, &QPushButton::clicked, this, Guarded([this] { TryFrequency(); }));
}

void TimingPage::ShowFields() {
  ShowText(start_, model_.fields.EarliestStart);
  ShowText(frequency_, model_.fields.Frequency);
  ShowSkipOn();
}

void TimingPage::ShowSkipOn() {
  const SkipOnList& choices = model_.SkipOnChoicesShown();
  skip_on_->clear();
  for (const std::string& choice : choices) skip_on_->addItem(ToQString(choice));
  skip_on_->setCurrentIndex(SkipOnEntry(choices, model_.fields.SkipOn));
}

void TimingPage::ChooseSkipOn(int entry) {
  model_.ChooseSkipOn(entry, [this](DateTime on) { return PickDate(on); });
  ShowSkipOn();
  try_list_->hide();
}

std::optional<DateTime> TimingPage::PickDate(DateTime on) {
  const std::optional<std::string> picked =
      hooks_.pick_date(FormatShortDate(gui_.schedule.Calendar, on));
  if (!picked) return std::nullopt;
  return ParseDate(*picked);
}

// "Selected Date" opens the picker on the run date: the date a job is most
// often set to run once is close to the day being run.
void TimingPage::UseKeyword() {
  const QTreeWidgetItem* item = keywords_->currentItem();
  if (item == nullptr) return;
  const std::string term = model_.AddFrequencyKey(
      FromQString(item->text(0)), [this] { return PickDate(gui_.schedule.RunDate); });
  if (term.empty()) return;
  ShowText(frequency_, model_.fields.Frequency);
  frequency_->setCursorPosition(static_cast<int>(frequency_->text().size()));
  frequency_->setFocus();
  try_list_->hide();
}

void TimingPage::TryFrequency() {
  try_list_->clear();
  for (const std::string& entry : model_.TryFrequency()) try_list_->addItem(ToQString(entry));
  try_list_->show();
}

QWidget* TimingPage::FieldWidget(EditField field) const {
  return field == EditField::EarliestStart ? start_ : nullptr;
}

}  // namespace qlr
