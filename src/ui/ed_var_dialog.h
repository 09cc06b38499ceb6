#pragma once
// The date variable dialog (frmEdVar): edits one definition of the job
// editor's date variables. The core DateVarDialog holds the fields and the
// checks of OK; this window shows them.

#include <QDialog>

#include "editor/date_var_editor.h"
#include "ui/dialog_buttons.h"
#include "ui/gui_context.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace qlr {

class EdVarDialog : public QDialog {
 public:
  EdVarDialog(GuiContext& gui, DateVarDialog& variable, QWidget* parent = nullptr);

  QLineEdit* nameEdit() const { return name_; }
  QLineEdit* relativeDayEdit() const { return relative_day_; }
  QListWidget* keyList() const { return keys_; }
  QSpinBox* relMonthBox() const { return rel_month_; }
  QLineEdit* formatEdit() const { return format_; }
  QPushButton* okButton() const { return buttons_.ok; }
  QPushButton* cancelButton() const { return buttons_.cancel; }

  // Escape and Cancel: nothing changes.
  void reject() override;

 protected:
  // Closing by the frame says that nothing changed.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateFields();
  void CreateLayout();
  void ConnectFields();
  void ShowFields();
  void ChooseKey();
  void OnOk();

  GuiContext& gui_;
  DateVarDialog& variable_;
  QLineEdit* name_ = nullptr;
  QLineEdit* relative_day_ = nullptr;
  QListWidget* keys_ = nullptr;
  QSpinBox* rel_month_ = nullptr;
  QLineEdit* format_ = nullptr;
  DialogButtons buttons_;
};

}  // namespace qlr
