#include "ui/ed_var_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "base/number.h"
#include "calendar/date_vars.h"
#include "ui/dialog_buttons.h"
#include "ui/editor_widgets.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"
#include "ui/typing_validators.h"

namespace qlr {

EdVarDialog::EdVarDialog(GuiContext& gui, DateVarDialog& variable, QWidget* parent)
    : QDialog(parent), gui_(gui), variable_(variable) {
  setObjectName(QStringLiteral("frmEdVar"));
  setWindowTitle(QStringLiteral("Date Variable"));
  CreateFields();
  CreateLayout();
  ConnectFields();
  ShowFields();
}

void EdVarDialog::CreateFields() {
  name_ = NewTextBox(this, QStringLiteral("The name written between two \"&\" in the command line"),
                     0, NewDateVarNameValidator(this));
  relative_day_ = NewTextBox(this, QStringLiteral("The date the variable stands for"));
  keys_ = new QListWidget(this);
  for (std::string_view key : RelativeDayKeys()) keys_->addItem(ToQString(key));
  keys_->setCurrentRow(0);
  keys_->setToolTip(
      QStringLiteral("Double click (or Enter) puts the key in Relative Day in Month"));
  KeepEnter(keys_);
  rel_month_ = new QSpinBox(this);
  rel_month_->setRange(-kMaxRelMonth, kMaxRelMonth);
  rel_month_->setToolTip(QStringLiteral("Months added to the run date's month (DOM days only)"));
  format_ =
      NewTextBox(this, QStringLiteral("For example yyyymmdd"), 0, NewDateVarFormatValidator(this));
  buttons_ = CreateDialogButtons(this, gui_, "Date Variable", [this] { OnOk(); });
  AddHelpKey(this, buttons_.help);
}

void EdVarDialog::CreateLayout() {
  auto* grid = new QGridLayout(this);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Name"), name_, this), 0, 0);
  grid->addWidget(name_, 0, 1);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Relative Day in Month"), relative_day_, this), 1,
                  0);
  grid->addWidget(relative_day_, 1, 1);
  grid->addWidget(NewBuddyLabel(QStringLiteral("Relative Day &Keys"), keys_, this), 2, 0,
                  Qt::AlignTop);
  grid->addWidget(keys_, 2, 1);
  grid->addWidget(NewBuddyLabel(QStringLiteral("Rel &Month"), rel_month_, this), 3, 0);
  grid->addWidget(rel_month_, 3, 1, Qt::AlignLeft);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Format"), format_, this), 4, 0);
  grid->addWidget(format_, 4, 1);
  grid->addWidget(NewButtonBox(buttons_, this), 5, 0, 1, 2);
  SetTabChain({name_, relative_day_, keys_, rel_month_, format_, buttons_.ok, buttons_.cancel,
               buttons_.help});
  name_->setFocus();
}

void EdVarDialog::ConnectFields() {
  BindText(name_, variable_.fields.name);
  connect(relative_day_, &QLineEdit::textEdited, this, Guarded([this](const QString& text) {
            variable_.SetRelativeDay(FromQString(text));
            ShowFields();
          }));
  connect(keys_, &QListWidget::activated, this, Guarded([this] { ChooseKey(); }));
  connect(rel_month_, &QSpinBox::valueChanged, this, Guarded([this](int months) {
            if (rel_month_->isEnabled()) variable_.fields.rel_month = std::to_string(months);
          }));
  BindText(format_, variable_.fields.format);
}

// Rel Month shows "0" and cannot change unless the relative day is a day of the month.
void EdVarDialog::ShowFields() {
  const DateVarDefinition& f = variable_.fields;
  if (name_->text() != ToQString(f.name)) name_->setText(ToQString(f.name));
  if (relative_day_->text() != ToQString(f.relative_day))
    relative_day_->setText(ToQString(f.relative_day));
  if (format_->text() != ToQString(f.format)) format_->setText(ToQString(f.format));
  rel_month_->setEnabled(false);  // setting the value is not the operator's change
  rel_month_->setValue(ReadInt32(f.rel_month));
  rel_month_->setEnabled(variable_.RelMonthEnabled());
}

void EdVarDialog::ChooseKey() {
  const QListWidgetItem* key = keys_->currentItem();
  if (key == nullptr) return;
  variable_.ChooseKey(FromQString(key->text()));
  ShowFields();
  relative_day_->setFocus();
}

void EdVarDialog::OnOk() {
  if (variable_.Ok()) {
    accept();
    return;
  }
  QWidget* const fields[] = {name_, relative_day_, rel_month_, format_};
  fields[static_cast<int>(variable_.focus())]->setFocus();
}

void EdVarDialog::reject() {
  variable_.Cancel();
  QDialog::reject();
}

void EdVarDialog::closeEvent(QCloseEvent* event) {
  RunGuarded([this] { variable_.CloseByFrame(); });
  event->accept();
  done(QDialog::Rejected);
}

}  // namespace qlr
