#pragma once
// "Dummy Run Options" (frmDumOp): the three flags of a dummy run, stored only
// when the operator confirms them.

#include <QDialog>

#include "engine/run_options.h"
#include "ui/gui_context.h"

class QAction;
class QCheckBox;
class QMenuBar;
class QPushButton;

namespace qlr {

class DummyOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // The check boxes start from the flags in `options`; OK writes them back.
  DummyOptionsDialog(GuiContext& gui, RunOptions& options, QWidget* parent = nullptr);

  QCheckBox* waitForTriggersBox() const { return wait_for_triggers_; }
  QCheckBox* genMessagesBox() const { return gen_messages_; }
  QCheckBox* crtTriggersBox() const { return crt_triggers_; }
  QPushButton* okButton() const { return ok_button_; }
  QPushButton* cancelButton() const { return cancel_button_; }
  QPushButton* helpButton() const { return help_button_; }
  QAction* okMenuEntry() const { return ok_entry_; }

 private:
  void CreateChecks();
  void CreateCommands();
  void CreateMenus();
  void CreateLayout();
  void OnOk();

  GuiContext& gui_;
  RunOptions& options_;
  QCheckBox* wait_for_triggers_ = nullptr;
  QCheckBox* gen_messages_ = nullptr;
  QCheckBox* crt_triggers_ = nullptr;
  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  QPushButton* help_button_ = nullptr;
  QAction* ok_entry_ = nullptr;
  QMenuBar* menu_bar_ = nullptr;
};

}  // namespace qlr
