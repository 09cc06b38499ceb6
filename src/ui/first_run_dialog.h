#pragma once
// "Quillrun Startup": shown when neither the command line nor the user's
// settings name an INI file; the operator finds an existing schedule or has
// a new one created.

#include <QDialog>

#include "session/startup.h"

class QPushButton;
class QRadioButton;

namespace qlr {

class FirstRunDialog : public QDialog {
 public:
  explicit FirstRunDialog(QWidget* parent = nullptr);

  // OK gives the chosen option, Cancel and Escape Cancel, the window's frame Closed.
  FirstRunChoice choice() const { return choice_; }

  QRadioButton* findExistingOption() const { return find_existing_; }
  QRadioButton* createNewOption() const { return create_new_; }
  QPushButton* okButton() const { return ok_button_; }
  QPushButton* cancelButton() const { return cancel_button_; }

  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateOptions();
  void CreateCommands();
  void CreateLayout();
  void OnOk();

  QRadioButton* find_existing_ = nullptr;
  QRadioButton* create_new_ = nullptr;
  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  FirstRunChoice choice_ = FirstRunChoice::Closed;
  bool closing_by_frame_ = false;
};

// Shows the dialog modally and returns the operator's choice.
FirstRunChoice RunFirstRunDialog(QWidget* parent);

}  // namespace qlr
