#include "ui/inc_file_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/editor_widgets.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"

namespace qlr {

IncFileDialog::IncFileDialog(GuiContext& gui, IncludedFileDialog& file, FileChooser choose_file,
                             QWidget* parent)
    : QDialog(parent), gui_(gui), file_(file), choose_file_(std::move(choose_file)) {
  setObjectName(QStringLiteral("frmIncFile"));
  setWindowTitle(QStringLiteral("EOJ Message Included File"));
  CreateFields();
  CreateLayout();
  ConnectFields();
  ShowFields();
}

void IncFileDialog::CreateFields() {
  name_ = NewTextBox(this, QStringLiteral("The full path of the file"));
  name_->setMinimumWidth(360);
  browse_ = NewCommand(QStringLiteral("&Browse..."), this, QStringLiteral("Browse for the file"));
  copy_ = new QRadioButton(QStringLiteral("&Copy the file into the message body"), this);
  attach_ = new QRadioButton(QStringLiteral("&Attach the File"), this);
  auto* choice = new QButtonGroup(this);
  choice->addButton(copy_);
  choice->addButton(attach_);
  filter_ = new QCheckBox(QStringLiteral("Fil&ter the file text (DOS dir display output)"), this);
  date_var_ = new QCheckBox(QStringLiteral("Filename contains &date variables"), this);
  delete_after_ = new QCheckBox(QStringLiteral("De&lete the file after use"), this);
  buttons_ = CreateDialogButtons(this, gui_, "Included File", [this] { OnOk(); });
  AddHelpKey(this, buttons_.help);
}

void IncFileDialog::CreateLayout() {
  auto* grid = new QGridLayout(this);
  grid->addWidget(NewBuddyLabel(QStringLiteral("Include &File Name"), name_, this), 0, 0, 1, 2);
  grid->addWidget(name_, 1, 0);
  grid->addWidget(browse_, 1, 1);
  auto* options = new QVBoxLayout;
  for (QWidget* option :
       std::initializer_list<QWidget*>{copy_, filter_, attach_, date_var_, delete_after_})
    options->addWidget(option);
  filter_->setContentsMargins(20, 0, 0, 0);  // it belongs to Copy
  grid->addLayout(options, 2, 0, 1, 2);
  grid->addWidget(NewButtonBox(buttons_, this), 3, 0, 1, 2);
  SetTabChain({name_, browse_, copy_, filter_, attach_, date_var_, delete_after_, buttons_.ok,
               buttons_.cancel, buttons_.help});
  name_->setFocus();
}

void IncFileDialog::ConnectFields() {
  BindText(name_, file_.name);
  connect(browse_, &QPushButton::clicked, this, Guarded([this] { Browse(); }));
  const auto choose = [this](QRadioButton* option, bool attach) {
    connect(option, &QRadioButton::clicked, this, Guarded([this, attach] {
              file_.SetAttach(attach);
              ShowFields();
            }));
  };
  choose(copy_, false);
  choose(attach_, true);
  BindCheck(filter_, file_.filter);
  BindCheck(date_var_, file_.date_var);
  BindCheck(delete_after_, file_.delete_after);
}

void IncFileDialog::ShowFields() {
  ShowText(name_, file_.name);
  (file_.attach ? attach_ : copy_)->setChecked(true);
  filter_->setChecked(file_.filter);
  filter_->setEnabled(file_.FilterEnabled());
  date_var_->setChecked(file_.date_var);
  delete_after_->setChecked(file_.delete_after);
}

void IncFileDialog::Browse() {
  const std::string chosen = choose_file_(file_.BrowseStart(), std::string(kAnyFileFilter));
  if (chosen.empty()) return;
  file_.Browsed(chosen);
  ShowText(name_, file_.name);
}

void IncFileDialog::OnOk() {
  if (file_.Ok()) {
    accept();
    return;
  }
  ShowText(name_, file_.name);  // trimmed
  name_->setFocus();
}

void IncFileDialog::reject() {
  file_.Cancel();
  QDialog::reject();
}

void IncFileDialog::closeEvent(QCloseEvent* event) {
  bool closes = true;
  RunGuarded([&] { closes = file_.CloseRequested(); });
  if (!closes) {
    event->ignore();
    return;
  }
  event->accept();
  done(file_.accepted() ? QDialog::Accepted : QDialog::Rejected);
}

}  // namespace qlr
