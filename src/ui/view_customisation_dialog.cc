#include "ui/view_customisation_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "ui/dialog_buttons.h"
#include "ui/editor_widgets.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"

namespace qlr {
namespace {

constexpr const char* kHelpTopic = "Edit View Customisation";

// The width box takes only the characters the core allows.
class WidthValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (const QChar c : input)
      if (!WidthKeyAllowed(c.toLatin1())) return Invalid;
    return Acceptable;
  }
};

// Replaces the entries of a list when they differ from `headings`.
void ShowHeadings(QListWidget* list, const std::vector<std::string>& headings) {
  QStringList texts;
  for (const std::string& heading : headings) texts << ToQString(heading);
  QStringList shown;
  for (int row = 0; row < list->count(); ++row) shown << list->item(row)->text();
  if (shown == texts) return;
  list->clear();
  list->addItems(texts);
}

}  // namespace

ViewCustomisationDialog::ViewCustomisationDialog(GuiContext& gui, ViewProfiles& profiles,
                                                 QWidget* parent)
    : QDialog(parent), gui_(gui), custom_(profiles, gui.op) {
  setObjectName(QStringLiteral("frmColSel"));
  setWindowTitle(QStringLiteral("Edit View Customisation"));
  custom_.Open();
  CreateLists();
  CreateMoveCommands();
  CreateWidthAlignment();
  CreateCommands();
  CreateLayout();
  ConnectControls();
  Redraw();
}

void ViewCustomisationDialog::CreateLists() {
  undisplayed_ = new QListWidget(this);
  undisplayed_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  displayed_ = new QListWidget(this);
  displayed_->setSelectionMode(QAbstractItemView::SingleSelection);
  const int width = fontMetrics().horizontalAdvance(QStringLiteral("Inter/Ext Dependency")) * 3 / 2;
  for (QListWidget* list : {undisplayed_, displayed_}) list->setMinimumSize(width, 260);
}

void ViewCustomisationDialog::CreateMoveCommands() {
  move_right_ = NewCommand(QStringLiteral(">"), this, QStringLiteral("Move selected item(s)"));
  move_all_right_ = NewCommand(QStringLiteral(">>>>"), this, QStringLiteral("Move all items"));
  move_left_ = NewCommand(QStringLiteral("<"), this, QStringLiteral("Move selected item"));
  move_all_left_ = NewCommand(QStringLiteral("<<<<"), this, QStringLiteral("Move all items"));
  up_ = NewCommand(QStringLiteral("Up &1"), this);
  down_ = NewCommand(QStringLiteral("D&own 1"), this);
}

void ViewCustomisationDialog::CreateWidthAlignment() {
  width_alignment_ = new QGroupBox(QStringLiteral("Width/Alignment"), this);
  width_ = new QLineEdit(width_alignment_);
  width_->setValidator(new WidthValidator(width_));
  width_->setMaxLength(5);
  width_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
  alignment_ = new QComboBox(width_alignment_);
  for (std::string_view choice : kAlignmentChoices) alignment_->addItem(ToQString(choice));
  apply_ = NewCommand(QStringLiteral("&Apply"), width_alignment_);
  auto* row = new QHBoxLayout(width_alignment_);
  row->addWidget(NewBuddyLabel(QStringLiteral("&Width:"), width_, width_alignment_));
  row->addWidget(width_);
  row->addSpacing(12);
  row->addWidget(NewBuddyLabel(QStringLiteral("A&lignment:"), alignment_, width_alignment_));
  row->addWidget(alignment_);
  row->addStretch();
  row->addWidget(apply_);
}

void ViewCustomisationDialog::CreateCommands() {
  profile_name_ = new QLineEdit(this);
  delete_ = NewCommand(QStringLiteral("D&elete"), this);
  const DialogButtons buttons = CreateDialogButtons(this, gui_, kHelpTopic, [this] {
    if (custom_.Ok()) done(QDialog::Accepted);
  });
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  help_ = buttons.help;
}

void ViewCustomisationDialog::CreateLayout() {
  auto* moves = new QVBoxLayout;
  moves->addStretch();
  for (QPushButton* button : {move_right_, move_all_right_, move_left_, move_all_left_})
    moves->addWidget(button);
  moves->addStretch();
  auto* order = new QVBoxLayout;
  order->addStretch();
  order->addWidget(up_);
  order->addWidget(down_);
  order->addStretch();
  auto* name = new QHBoxLayout;
  name->addWidget(NewBuddyLabel(QStringLiteral("&Profile Name:"), profile_name_, this));
  name->addWidget(profile_name_, 1);
  name->addWidget(delete_);
  QDialogButtonBox* buttons = NewButtonBox({ok_, cancel_, help_}, this);
  auto* layout = new QGridLayout(this);
  layout->addWidget(NewBuddyLabel(QStringLiteral("&Undisplayed Fields"), undisplayed_, this), 0, 0);
  layout->addWidget(NewBuddyLabel(QStringLiteral("&Displayed Fields"), displayed_, this), 0, 2);
  layout->addWidget(undisplayed_, 1, 0);
  layout->addLayout(moves, 1, 1);
  layout->addWidget(displayed_, 1, 2);
  layout->addLayout(order, 1, 3);
  layout->addWidget(width_alignment_, 2, 0, 1, 4);
  layout->addLayout(name, 3, 0, 1, 4);
  layout->addWidget(buttons, 4, 0, 1, 4);
  QWidget* const chain[] = {
      undisplayed_, move_right_, move_all_right_, move_left_, move_all_left_, displayed_,
      up_,          down_,       width_,          alignment_, apply_,         profile_name_,
      delete_,      ok_,         cancel_,         help_};
  for (size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void ViewCustomisationDialog::Run(QPushButton* button, void (ViewCustomisation::*command)()) {
  connect(button, &QPushButton::clicked, this, Guarded([this, command] {
            (custom_.*command)();
            Redraw();
          }));
}

void ViewCustomisationDialog::ConnectControls() {
  Run(move_right_, &ViewCustomisation::MoveRight);
  Run(move_all_right_, &ViewCustomisation::MoveAllRight);
  Run(move_left_, &ViewCustomisation::MoveLeft);
  Run(move_all_left_, &ViewCustomisation::MoveAllLeft);
  Run(up_, &ViewCustomisation::Up);
  Run(down_, &ViewCustomisation::Down);
  Run(apply_, &ViewCustomisation::Apply);
  Run(delete_, &ViewCustomisation::Delete);
  connect(undisplayed_, &QListWidget::itemSelectionChanged, this,
          Guarded([this] { OnUndisplayedSelection(); }));
  connect(displayed_, &QListWidget::currentRowChanged, this,
          Guarded([this](int row) { OnDisplayedSelection(row); }));
  connect(width_, &QLineEdit::textEdited, this, Guarded([this](const QString& text) {
            custom_.EditWidth(FromQString(text));
            RedrawCommands();
          }));
  connect(alignment_, &QComboBox::activated, this, Guarded([this](int choice) {
            custom_.EditAlignment(choice);
            RedrawCommands();
          }));
  BindText(profile_name_, custom_.profile_name);
}

// ---------------------------------------------------------------------------

void ViewCustomisationDialog::Redraw() {
  redrawing_ = true;
  RedrawLists();
  const bool selected = custom_.displayed_selected >= 0;
  width_alignment_->setEnabled(selected);
  width_->setText(selected ? ToQString(custom_.width_text) : QString());
  alignment_->setCurrentIndex(selected ? custom_.alignment : -1);
  if (profile_name_->text() != ToQString(custom_.profile_name))
    profile_name_->setText(ToQString(custom_.profile_name));
  RedrawCommands();
  redrawing_ = false;
}

void ViewCustomisationDialog::RedrawLists() {
  ShowHeadings(undisplayed_, custom_.undisplayed);
  for (int row = 0; row < undisplayed_->count(); ++row)
    undisplayed_->item(row)->setSelected(custom_.undisplayed_selected[static_cast<size_t>(row)]);
  ShowHeadings(displayed_, custom_.displayed);
  displayed_->setCurrentRow(custom_.displayed_selected);
  if (custom_.displayed_selected < 0) displayed_->clearSelection();
}

void ViewCustomisationDialog::RedrawCommands() {
  const CustomisationCommands on = custom_.Buttons();
  const std::pair<QPushButton*, bool> states[] = {{move_right_, on.move_right},
                                                  {move_all_right_, on.move_all_right},
                                                  {move_left_, on.move_left},
                                                  {move_all_left_, on.move_all_left},
                                                  {up_, on.up},
                                                  {down_, on.down},
                                                  {apply_, on.apply}};
  for (const auto& [button, enabled] : states) button->setEnabled(enabled);
  move_right_->setText(ToQString(custom_.MoveRightCaption()));
}

void ViewCustomisationDialog::OnUndisplayedSelection() {
  if (redrawing_) return;
  for (int row = 0; row < undisplayed_->count(); ++row)
    custom_.SelectUndisplayed(row, undisplayed_->item(row)->isSelected());
  RedrawCommands();
}

// Selecting another heading may first ask about a width or alignment not applied.
void ViewCustomisationDialog::OnDisplayedSelection(int row) {
  if (redrawing_) return;
  custom_.SelectDisplayed(row);
  Redraw();
}

void ViewCustomisationDialog::reject() {
  custom_.Cancel();
  QDialog::reject();
}

void ViewCustomisationDialog::closeEvent(QCloseEvent* event) {
  bool closes = true;
  RunGuarded([&] { closes = custom_.CloseRequested(); });
  if (!closes) {
    event->ignore();
    return;
  }
  done(QDialog::Accepted);
  event->accept();
}

void RunViewCustomisationDialog(GuiContext& gui, ViewProfiles& profiles, QWidget* parent) {
  ViewCustomisationDialog dialog(gui, profiles, parent);
  dialog.exec();
}

}  // namespace qlr
