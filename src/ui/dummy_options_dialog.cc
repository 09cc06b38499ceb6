#include "ui/dummy_options_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/dialogs.h"
#include "ui/program_end_guard.h"

namespace qlr {

DummyOptionsDialog::DummyOptionsDialog(GuiContext& gui, RunOptions& options, QWidget* parent)
    : QDialog(parent), gui_(gui), options_(options) {
  setObjectName(QStringLiteral("frmDumOp"));
  setWindowTitle(QStringLiteral("Dummy Run Options"));
  CreateChecks();
  CreateCommands();
  CreateMenus();
  CreateLayout();
}

void DummyOptionsDialog::CreateChecks() {
  wait_for_triggers_ =
      new QCheckBox(QStringLiteral("&Wait for Interschedule/External Triggers"), this);
  wait_for_triggers_->setToolTip(
      QStringLiteral("Select to specify file creation triggering via Events window"));
  wait_for_triggers_->setChecked(options_.WaitForTriggers);
  gen_messages_ = new QCheckBox(QStringLiteral("&Generate End of Job Emails"), this);
  gen_messages_->setToolTip(QStringLiteral("Check to generate end of job messages"));
  gen_messages_->setChecked(options_.GenDummyMessages);
  crt_triggers_ = new QCheckBox(QStringLiteral("&Create End of Job Trigger Files"), this);
  crt_triggers_->setChecked(options_.CrtDummyTriggers);
}

void DummyOptionsDialog::CreateCommands() {
  const DialogButtons buttons =
      CreateDialogButtons(this, gui_, "Dummy Run Options", [this] { OnOk(); });
  ok_button_ = buttons.ok;
  cancel_button_ = buttons.cancel;
  help_button_ = buttons.help;
}

// The menu bar's one entry does what the OK command does.
void DummyOptionsDialog::CreateMenus() {
  menu_bar_ = new QMenuBar(this);
  ok_entry_ = menu_bar_->addAction(QStringLiteral("&OK"));
  connect(ok_entry_, &QAction::triggered, this, Guarded([this] { OnOk(); }));
}

void DummyOptionsDialog::CreateLayout() {
  QDialogButtonBox* buttons = NewButtonBox({ok_button_, cancel_button_, help_button_}, this);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menu_bar_);
  layout->addWidget(wait_for_triggers_);
  layout->addWidget(gen_messages_);
  layout->addWidget(crt_triggers_);
  layout->addSpacing(8);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DummyOptionsDialog::OnOk() {
  options_.WaitForTriggers = wait_for_triggers_->isChecked();
  options_.GenDummyMessages = gen_messages_->isChecked();
  options_.CrtDummyTriggers = crt_triggers_->isChecked();
  accept();
}

bool RunDummyOptionsDialog(GuiContext& gui, RunOptions& options, QWidget* parent) {
  DummyOptionsDialog dialog(gui, options, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace qlr
