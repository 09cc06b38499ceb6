#include "ui/sel_addr_dialog.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/editor_widgets.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"

namespace qlr {

SelAddrDialog::SelAddrDialog(GuiContext& gui, AddressSelection& selection, QWidget* parent)
    : QDialog(parent), gui_(gui), selection_(selection) {
  setObjectName(QStringLiteral("frmSelAddr"));
  setWindowTitle(QStringLiteral("Email Address Selection"));
  selection_.Open();
  CreateList();
  CreateLayout();
}

void SelAddrDialog::CreateList() {
  list_ = new QListWidget(this);
  list_->setSelectionMode(QAbstractItemView::MultiSelection);
  list_->setMinimumSize(280, 220);
  list_->setToolTip(QStringLiteral("Click (or Space) selects or deselects a recipient"));
  const std::vector<AddressEntry>& entries = selection_.entries();
  for (const AddressEntry& entry : entries) {
    auto* item = new QListWidgetItem(ToQString(entry.text), list_);
    item->setSelected(entry.selected);
  }
  if (!entries.empty()) list_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  list_->setMinimumWidth(std::min(list_->sizeHintForColumn(0) + 40, 640));
  connect(list_, &QListWidget::itemSelectionChanged, this, Guarded([this] {
            for (int row = 0; row < list_->count(); ++row)
              selection_.Select(row, list_->item(row)->isSelected());
          }));
  const DialogButtons buttons = CreateDialogButtons(this, gui_, "Email Address Selection", [this] {
    selection_.Ok();
    accept();
  });
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  help_ = buttons.help;
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, help_,
          &QPushButton::click);
}

void SelAddrDialog::CreateLayout() {
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
  buttons->addButton(help_, QDialogButtonBox::HelpRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NewBuddyLabel(QStringLiteral("&Addresses"), list_, this));
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  list_->setFocus();
}

void SelAddrDialog::reject() {
  selection_.Cancel();
  QDialog::reject();
}

void SelAddrDialog::closeEvent(QCloseEvent* event) {
  RunGuarded([this] { selection_.CloseRequested(); });
  event->accept();
  done(QDialog::Rejected);
}

}  // namespace qlr
