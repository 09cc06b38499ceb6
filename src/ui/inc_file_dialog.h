#pragma once
// The included-file dialog (frmIncFile): makes a message
// body line a file entry, copied into the message or attached. The core
// IncludedFileDialog holds the fields and the checks of OK.

#include <QDialog>

#include "editor/included_file.h"
#include "platform/operator.h"
#include "ui/dialog_buttons.h"
#include "ui/gui_context.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qlr {

class IncFileDialog : public QDialog {
 public:
  // `choose_file` is the file-open dialog of Browse.
  IncFileDialog(GuiContext& gui, IncludedFileDialog& file, FileChooser choose_file,
                QWidget* parent = nullptr);

  QLineEdit* nameEdit() const { return name_; }
  QRadioButton* copyOption() const { return copy_; }
  QRadioButton* attachOption() const { return attach_; }
  QCheckBox* deleteBox() const { return delete_after_; }
  QPushButton* okButton() const { return buttons_.ok; }
  QPushButton* cancelButton() const { return buttons_.cancel; }

  void reject() override;

 protected:
  // Closing by the frame asks whether to apply what was entered.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateFields();
  void CreateLayout();
  void ConnectFields();
  void ShowFields();
  void Browse();
  void OnOk();

  GuiContext& gui_;
  IncludedFileDialog& file_;
  FileChooser choose_file_;
  QLineEdit* name_ = nullptr;
  QPushButton* browse_ = nullptr;
  QRadioButton* copy_ = nullptr;
  QRadioButton* attach_ = nullptr;
  QCheckBox* filter_ = nullptr;
  QCheckBox* date_var_ = nullptr;
  QCheckBox* delete_after_ = nullptr;
  DialogButtons buttons_;
};

}  // namespace qlr
