#pragma once
// "Email Address Selection" (frmSelAddr): picks a message's recipients from
// the schedule's address files. The core AddressSelection holds the list.

#include <QDialog>

#include "editor/address_selection.h"
#include "ui/dialog_buttons.h"
#include "ui/gui_context.h"

class QListWidget;
class QPushButton;

namespace qlr {

class SelAddrDialog : public QDialog {
 public:
  // Lists the address files and selects the names of `selection`'s exchange
  // value, telling which of them are gone.
  SelAddrDialog(GuiContext& gui, AddressSelection& selection, QWidget* parent = nullptr);

  QListWidget* addressList() const { return list_; }
  QPushButton* okButton() const { return buttons_.ok; }
  QPushButton* cancelButton() const { return buttons_.cancel; }

  void reject() override;

 protected:
  // Closing by the frame says the selection was cancelled.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateList();
  void CreateLayout();

  GuiContext& gui_;
  AddressSelection& selection_;
  QListWidget* list_ = nullptr;
  DialogButtons buttons_;
};

}  // namespace qlr
