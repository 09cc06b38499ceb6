#pragma once
// "Edit View Customisation" (frmColSel): which columns the schedule grid
// shows, in which order, how wide and how aligned, under which profile name.
// ViewCustomisation holds every rule and the lists shown; each control
// forwards the operator's action to it.

#include <QDialog>

#include "editor/view_customisation.h"
#include "ui/gui_context.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qlr {

// Shows the dialog modally over the grid; the grid reloads the stored
// profile afterwards.
void RunViewCustomisationDialog(GuiContext& gui, ViewProfiles& profiles, QWidget* parent);

class ViewCustomisationDialog : public QDialog {
  Q_OBJECT

 public:
  ViewCustomisationDialog(GuiContext& gui, ViewProfiles& profiles, QWidget* parent = nullptr);

  const ViewCustomisation& customisation() const { return custom_; }

  QListWidget* undisplayedList() const { return undisplayed_; }
  QListWidget* displayedList() const { return displayed_; }
  QPushButton* moveRightButton() const { return move_right_; }
  QPushButton* moveAllRightButton() const { return move_all_right_; }
  QPushButton* moveLeftButton() const { return move_left_; }
  QPushButton* moveAllLeftButton() const { return move_all_left_; }
  QPushButton* upButton() const { return up_; }
  QPushButton* downButton() const { return down_; }
  QLineEdit* widthField() const { return width_; }
  QComboBox* alignmentList() const { return alignment_; }
  QPushButton* applyButton() const { return apply_; }
  QLineEdit* profileNameField() const { return profile_name_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* helpButton() const { return help_; }

 public slots:
  // Escape and the Cancel command: nothing is saved.
  void reject() override;

 protected:
  // Closing by the frame asks whether to save; the dialog may stay open.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateLists();
  void CreateMoveCommands();
  void CreateWidthAlignment();
  void CreateCommands();
  void CreateLayout();
  void ConnectControls();
  void Run(QPushButton* button, void (ViewCustomisation::*command)());
  // Shows the state of ViewCustomisation: the lists, the width and
  // alignment of the selected heading, the commands.
  void Redraw();
  void RedrawLists();
  void RedrawCommands();
  void OnUndisplayedSelection();
  void OnDisplayedSelection(int row);

  GuiContext& gui_;
  ViewCustomisation custom_;
  bool redrawing_ = false;  // controls set from the state do not call back into it

  QListWidget* undisplayed_ = nullptr;
  QListWidget* displayed_ = nullptr;
  QPushButton* move_right_ = nullptr;
  QPushButton* move_all_right_ = nullptr;
  QPushButton* move_left_ = nullptr;
  QPushButton* move_all_left_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
  QGroupBox* width_alignment_ = nullptr;
  QLineEdit* width_ = nullptr;
  QComboBox* alignment_ = nullptr;
  QPushButton* apply_ = nullptr;
  QLineEdit* profile_name_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* help_ = nullptr;
};

}  // namespace qlr
