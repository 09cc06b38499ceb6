#include "ui/log_view_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "log/view_log.h"
#include "ui/dialog_buttons.h"
#include "ui/dialogs.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"

namespace qlr {
namespace {

// The name list is a sorted list box: jobs appear in name order, like groups.
std::vector<std::string> JobNames(const Schedule& schedule) {
  std::vector<std::string> names;
  for (int i = 1; i <= schedule.JobCount(); ++i) names.push_back(schedule[i].JobName.Str());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

LogViewDialog::LogViewDialog(GuiContext& gui, QWidget* parent) : QDialog(parent), gui_(gui) {
  setObjectName(QStringLiteral("frmLogView"));
  setWindowTitle(QStringLiteral("Log View Specifications"));
  CreateLogList();
  CreateKinds();
  CreateNameList();
  CreateCommands();
  CreateLayout();
  ChooseKind(LogSelection::All);
}

void LogViewDialog::CreateLogList() {
  log_list_ = new QComboBox(this);
  for (const std::string& name : LogNames(gui_.schedule, gui_.clock.Now()))
    log_list_->addItem(ToQString(name));
  log_list_->setCurrentIndex(log_list_->count() - 1);
  log_list_->setMinimumContentsLength(16);
}

void LogViewDialog::CreateKinds() {
  static const char* const kCaptions[] = {"&All Entries", "For &Group", "For &Job", "&Failed Jobs"};
  kind_group_ = new QButtonGroup(this);
  for (int kind = 0; kind < 4; ++kind) {
    kinds_[kind] = new QRadioButton(QString::fromLatin1(kCaptions[kind]), this);
    kind_group_->addButton(kinds_[kind], kind);
  }
  kinds_[0]->setChecked(true);
  connect(kind_group_, &QButtonGroup::idClicked, this,
          Guarded([this](int kind) { ChooseKind(static_cast<LogSelection>(kind)); }));
}

void LogViewDialog::CreateNameList() {
  name_list_ = new QListWidget(this);
  name_list_->setMinimumSize(140, 160);
}

void LogViewDialog::CreateCommands() {
  const DialogButtons buttons = CreateDialogButtons(this, gui_, "Log Viewer", [this] { OnOk(); });
  ok_button_ = buttons.ok;
  cancel_button_ = buttons.cancel;
  help_button_ = buttons.help;
}

void LogViewDialog::CreateLayout() {
  auto* options = new QVBoxLayout;
  for (QRadioButton* kind : kinds_) options->addWidget(kind);
  options->addStretch();
  QDialogButtonBox* buttons = NewButtonBox({ok_button_, cancel_button_, help_button_}, this);
  auto* log_label = new QLabel(QStringLiteral("&Log:"), this);
  log_label->setBuddy(log_list_);
  auto* log_row = new QHBoxLayout;
  log_row->addWidget(log_label);
  log_row->addWidget(log_list_, 1);
  auto* layout = new QGridLayout(this);
  layout->addLayout(log_row, 0, 0, 1, 2);
  layout->addLayout(options, 1, 0);
  layout->addWidget(name_list_, 1, 1);
  layout->addWidget(buttons, 2, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(1, 1);
  layout->setVerticalSpacing(10);
  layout->setHorizontalSpacing(16);
}

// All entries and failures need no names: the list is out of use for them.
void LogViewDialog::ChooseKind(LogSelection kind) {
  switch (kind) {
    case LogSelection::All:
    case LogSelection::Failed:
      name_list_->setEnabled(false);
      break;
    case LogSelection::Group:
      FillNames(GroupNames(gui_.schedule));
      name_list_->setSelectionMode(QAbstractItemView::SingleSelection);
      name_list_->setToolTip(QStringLiteral("Select a single group name"));
      name_list_->setEnabled(true);
      break;
    case LogSelection::Jobs:
      FillNames(JobNames(gui_.schedule));
      name_list_->setSelectionMode(QAbstractItemView::MultiSelection);
      name_list_->setToolTip(QStringLiteral("You may select a combination of job names"));
      name_list_->setEnabled(true);
      break;
  }
}

void LogViewDialog::FillNames(const std::vector<std::string>& names) {
  QStringList items;
  items.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) items.append(ToQString(name));
  name_list_->clear();
  name_list_->addItems(items);
}

LogSelection LogViewDialog::Kind() const {
  return static_cast<LogSelection>(std::max(0, kind_group_->checkedId()));
}

bool LogViewDialog::ChosenNames(std::vector<std::string>& names) {
  const LogSelection kind = Kind();
  if (kind == LogSelection::Group) {
    const QList<QListWidgetItem*> chosen = name_list_->selectedItems();
    if (chosen.isEmpty()) {
      gui_.op.Tell("You must select a group name");
      return false;
    }
    names = JobsOfGroup(gui_.schedule, FromQString(chosen.front()->text()));
  } else if (kind == LogSelection::Jobs) {
    for (int row = 0; row < name_list_->count(); ++row)
      if (name_list_->item(row)->isSelected())
        names.push_back(FromQString(name_list_->item(row)->text()));
    if (names.empty()) {
      gui_.op.Tell("You must select a job name");
      return false;
    }
  }
  return true;
}

// The dialog closes after OK whether or not the copy could be made: a
// failure has been told already.
void LogViewDialog::OnOk() {
  std::vector<std::string> names;
  if (!ChosenNames(names)) return;
  ViewLogCopy(gui_.schedule, gui_.op, gui_.desktop, FromQString(log_list_->currentText()), Kind(),
              names);
  accept();
}

void RunLogViewDialog(GuiContext& gui, QWidget* parent) {
  LogViewDialog dialog(gui, parent);
  dialog.exec();
}

}  // namespace qlr
