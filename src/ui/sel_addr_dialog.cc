#include "ui/sel_addr_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
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
  buttons_ = CreateDialogButtons(this, gui_, "Email Address Selection", [this] {
    selection_.Ok();
    accept();
  });
  AddHelpKey(this, buttons_.help);
}

void SelAddrDialog::CreateLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NewBuddyLabel(QStringLiteral("&Addresses"), list_, this));
  layout->addWidget(list_, 1);
  layout->addWidget(NewButtonBox(buttons_, this));
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
