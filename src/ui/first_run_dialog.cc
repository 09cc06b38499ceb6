#include "ui/first_run_dialog.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qlr {

FirstRunDialog::FirstRunDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmFirstRun"));
  setWindowTitle(QStringLiteral("Quillrun Startup"));
  CreateOptions();
  CreateCommands();
  CreateLayout();
}

void FirstRunDialog::CreateOptions() {
  find_existing_ = new QRadioButton(QStringLiteral("I want to &find an existing schedule."), this);
  create_new_ = new QRadioButton(QStringLiteral("I want to &create a new schedule."), this);
  find_existing_->setChecked(true);
}

void FirstRunDialog::CreateCommands() {
  ok_button_ = new QPushButton(QStringLiteral("OK"), this);
  cancel_button_ = new QPushButton(QStringLiteral("Cancel"), this);
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, [this] { OnOk(); });
  connect(cancel_button_, &QPushButton::clicked, this, [this] {
    choice_ = FirstRunChoice::Cancel;
    QDialog::reject();
  });
}

void FirstRunDialog::CreateLayout() {
  auto* options = new QGroupBox(this);
  auto* option_layout = new QVBoxLayout(options);
  option_layout->addWidget(find_existing_);
  option_layout->addWidget(create_new_);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok_button_, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel_button_, QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addWidget(options);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FirstRunDialog::OnOk() {
  choice_ = create_new_->isChecked() ? FirstRunChoice::CreateNew : FirstRunChoice::FindExisting;
  accept();
}

// Escape lands here as Cancel does; closing by the frame comes through
// closeEvent first and stays Closed.
void FirstRunDialog::reject() {
  if (!closing_by_frame_ && choice_ == FirstRunChoice::Closed) choice_ = FirstRunChoice::Cancel;
  QDialog::reject();
}

void FirstRunDialog::closeEvent(QCloseEvent* event) {
  closing_by_frame_ = true;
  QDialog::closeEvent(event);
  closing_by_frame_ = false;
}

FirstRunChoice RunFirstRunDialog(QWidget* parent) {
  FirstRunDialog dialog(parent);
  dialog.exec();
  return dialog.choice();
}

}  // namespace qlr
