#pragma once
// The log viewer's dialog: chooses a run log and which of its lines to
// see (all, a group's jobs, chosen jobs, failures); OK writes the copy and
// opens it in the text editor.

#include <QDialog>
#include <string>
#include <vector>

#include "log/log_viewer.h"
#include "ui/gui_context.h"

class QButtonGroup;
class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace qlr {

class LogViewDialog : public QDialog {
  Q_OBJECT

 public:
  // Lists the run logs that exist now; the last one is chosen, and all entries.
  explicit LogViewDialog(GuiContext& gui, QWidget* parent = nullptr);

  QComboBox* logList() const { return log_list_; }
  // The selection options, in the order of LogSelection.
  QRadioButton* kindOption(LogSelection kind) const { return kinds_[static_cast<int>(kind)]; }
  QListWidget* nameList() const { return name_list_; }
  QPushButton* okButton() const { return ok_button_; }
  QPushButton* cancelButton() const { return cancel_button_; }
  QPushButton* helpButton() const { return help_button_; }

 private:
  void CreateLogList();
  void CreateKinds();
  void CreateNameList();
  void CreateCommands();
  void CreateLayout();
  void ChooseKind(LogSelection kind);
  void FillNames(const std::vector<std::string>& names);
  LogSelection Kind() const;
  // The chosen names for OK; false after telling the operator that a choice is missing.
  bool ChosenNames(std::vector<std::string>& names);
  void OnOk();

  GuiContext& gui_;
  QComboBox* log_list_ = nullptr;
  QButtonGroup* kind_group_ = nullptr;
  QRadioButton* kinds_[4] = {};
  QListWidget* name_list_ = nullptr;
  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  QPushButton* help_button_ = nullptr;
};

}  // namespace qlr
