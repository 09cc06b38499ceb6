#include "ui/message_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/address_selection.h"
#include "editor/included_file.h"
#include "ui/editor_widgets.h"
#include "ui/inc_file_dialog.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"
#include "ui/sel_addr_dialog.h"
#include "ui/typing_validators.h"

namespace qlr {
namespace {

constexpr const char* kFlagNames[] = {"Fil", "Var", "Att", "Flt", "Del"};
constexpr const char* kFlagTips[] = {
    "Fil: the line is the path/name of a file", "Var: substitute date variables in the file name",
    "Att: attach the file to the message",      "Flt: filter the file text (a directory listing)",
    "Del: delete the file after use",
};

}  // namespace

MessagePage::MessagePage(GuiContext& gui, JobEditModel& model, JobEditHooks& hooks,
                         MessageKind kind, QWidget* parent)
    : JobEditPage(gui, model, hooks, parent), kind_(kind) {
  CreateAddresses();
  CreateBody();
  if (normal()) CreateNormalExtras();
  CreateLayout();
  ConnectAddresses();
  ConnectBody();
  if (normal()) ConnectNormalExtras();
}

std::string MessagePage::HelpTopic() const {
  return normal() ? "Job Edit Form - Normal EOJ Tab" : "Job Edit Form - Abnormal EOJ Tab";
}

void MessagePage::CreateAddresses() {
  const QString tip = QStringLiteral("Recipients: names of address files, separated by commas");
  to_ = NewTextBox(this, tip);
  cc_ = NewTextBox(this, tip);
  const QString change_tip = QStringLiteral("Choose the recipients from the address files");
  change_to_ = NewCommand(QStringLiteral("Change..."), this, change_tip);
  change_cc_ = NewCommand(QStringLiteral("Change..."), this, change_tip);
}

void MessagePage::CreateBody() {
  subject_ = NewTextBox(this, {}, 0, NewMessageValidator(this));
  for (size_t line = 0; line < lines_.size(); ++line) {
    lines_[line] = NewTextBox(
        this,
        QStringLiteral("Message text or name of file to be copied into message at this point."), 0,
        NewMessageValidator(this));
    for (size_t flag = 0; flag < 5; ++flag) {
      // Twenty boxes share five captions: the headings name them, Tab reaches them.
      flags_[line][flag] = new QCheckBox(this);
      flags_[line][flag]->setToolTip(QString::fromLatin1(kFlagTips[flag]));
    }
    include_[line] =
        NewCommand(QStringLiteral("..."), this, QStringLiteral("Browse for include file"));
    include_[line]->setFixedWidth(
        include_[line]->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  }
}

void MessagePage::CreateNormalExtras() {
  suppress_ = new QCheckBox(
      QStringLiteral("Su&ppress message if all included files empty/non-existent"), this);
  defer_ = NewTextBox(this, {}, 4, NewDigitsValidator(this, true));
  defer_->setFixedWidth(defer_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
  triggers_[static_cast<size_t>(TriggerChoice::None)] =
      new QRadioButton(QStringLiteral("Non&e"), this);
  triggers_[static_cast<size_t>(TriggerChoice::External)] =
      new QRadioButton(QStringLiteral("E&xternal"), this);
  triggers_[static_cast<size_t>(TriggerChoice::Interschedule)] =
      new QRadioButton(QStringLiteral("&Interschedule"), this);
  auto* group = new QButtonGroup(this);
  for (QRadioButton* option : triggers_) group->addButton(option);
  trigger_file_ = NewTextBox(this, {}, static_cast<int>(kTriggerFileLength));
}

QWidget* MessagePage::CreateMessageFrame() {
  auto* frame = new QGroupBox(normal() ? QStringLiteral("Message on Job Completion")
                                       : QStringLiteral("Abnormal EOJ Message"),
                              this);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(8);
  grid->addWidget(NewBuddyLabel(QStringLiteral("T&o:"), to_, frame), 0, 0);
  grid->addWidget(to_, 0, 1, 1, 6);
  grid->addWidget(change_to_, 0, 7);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Cc:"), cc_, frame), 1, 0);
  grid->addWidget(cc_, 1, 1, 1, 6);
  grid->addWidget(change_cc_, 1, 7);
  grid->addWidget(NewBuddyLabel(QStringLiteral("S&ubject:"), subject_, frame), 2, 0);
  grid->addWidget(subject_, 2, 1, 1, 7);
  grid->addWidget(NewBuddyLabel(QStringLiteral("&Message Body"), lines_[0], frame), 3, 1);
  for (int flag = 0; flag < 5; ++flag) {
    auto* heading = new QLabel(QString::fromLatin1(kFlagNames[flag]), frame);
    heading->setToolTip(QString::fromLatin1(kFlagTips[flag]));
    grid->addWidget(heading, 3, 2 + flag, Qt::AlignHCenter);
  }
  for (int line = 0; line < 4; ++line) {
    grid->addWidget(new QLabel(QString::number(line + 1), frame), 4 + line, 0, Qt::AlignRight);
    grid->addWidget(lines_[static_cast<size_t>(line)], 4 + line, 1);
    for (int flag = 0; flag < 5; ++flag)
      grid->addWidget(flags_[static_cast<size_t>(line)][static_cast<size_t>(flag)], 4 + line,
                      2 + flag, Qt::AlignHCenter);
    grid->addWidget(include_[static_cast<size_t>(line)], 4 + line, 7);
  }
  grid->setColumnStretch(1, 1);
  if (normal()) {
    grid->addWidget(suppress_, 8, 1, 1, 7);
    auto* defer_row = new QHBoxLayout;
    defer_row->addWidget(
        NewBuddyLabel(QStringLiteral("De&fer EOJ message by (mins):"), defer_, frame));
    defer_row->addWidget(defer_);
    defer_row->addStretch();
    grid->addLayout(defer_row, 9, 1, 1, 7);
  }
  return frame;
}

QWidget* MessagePage::CreateTriggerFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Trigger File Creation"), this);
  auto* layout = new QHBoxLayout(frame);
  for (QRadioButton* option : triggers_) layout->addWidget(option);
  layout->addSpacing(16);
  layout->addWidget(NewBuddyLabel(QStringLiteral("File Name/&Location"), trigger_file_, frame));
  layout->addWidget(trigger_file_, 1);
  return frame;
}

void MessagePage::CreateLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CreateMessageFrame());
  if (normal()) layout->addWidget(CreateTriggerFrame());
  layout->addStretch();
  std::vector<QWidget*> chain = {to_, change_to_, cc_, change_cc_, subject_};
  for (size_t line = 0; line < 4; ++line) {
    chain.push_back(lines_[line]);
    for (QCheckBox* flag : flags_[line]) chain.push_back(flag);
    chain.push_back(include_[line]);
  }
  if (normal()) {
    chain.insert(chain.end(), {suppress_, defer_});
    chain.insert(chain.end(), triggers_.begin(), triggers_.end());
    chain.push_back(trigger_file_);
  }
  SetTabChain(chain);
}

void MessagePage::ConnectAddresses() {
  BindText(to_, model_.Message(kind_).to);
  BindText(cc_, model_.Message(kind_).cc);
  connect(change_to_, &QPushButton::clicked, this,
          Guarded([this] { ChangeAddresses(to_, &MessageFields::to); }));
  connect(change_cc_, &QPushButton::clicked, this,
          Guarded([this] { ChangeAddresses(cc_, &MessageFields::cc); }));
}

void MessagePage::ConnectBody() {
  BindText(subject_, model_.Message(kind_).lines[0]);
  for (int line = 1; line <= 4; ++line) {
    connect(bodyEdit(line), &QLineEdit::textEdited, this,
            Guarded([this, line](const QString& text) {
              model_.Message(kind_).lines[static_cast<size_t>(line)] = FromQString(text);
              ShowLine(line);
            }));
    for (int flag = 0; flag < 5; ++flag)
      connect(flagBox(line, static_cast<MsgFlag>(flag)), &QCheckBox::clicked, this,
              Guarded([this, line, flag](bool ticked) {
                SetFlag(model_.Message(kind_).flags[static_cast<size_t>(line)],
                        static_cast<MsgFlag>(flag), ticked);
                ShowLine(line);
              }));
    connect(includeButton(line), &QPushButton::clicked, this,
            Guarded([this, line] { IncludeFile(line); }));
  }
}

void MessagePage::ConnectNormalExtras() {
  BindCheck(suppress_, model_.fields.SuppressEmptyMsg);
  BindText(defer_, model_.fields.DeferEojMsgMins);
  for (size_t choice = 0; choice < triggers_.size(); ++choice)
    connect(triggers_[choice], &QRadioButton::clicked, this, Guarded([this, choice] {
              model_.fields.trigger.choice = static_cast<TriggerChoice>(choice);
              ShowTrigger();
            }));
  BindText(trigger_file_, model_.fields.trigger.file_name);
}

void MessagePage::ShowFields() {
  const MessageFields& m = model_.Message(kind_);
  ShowText(to_, m.to);
  ShowText(cc_, m.cc);
  ShowText(subject_, m.lines[0]);
  for (int line = 1; line <= 4; ++line) ShowLine(line);
  if (!normal()) return;
  suppress_->setChecked(model_.fields.SuppressEmptyMsg);
  ShowText(defer_, model_.fields.DeferEojMsgMins);
  ShowTrigger();
}

// The line's text and its flags, each usable only where the line allows it.
void MessagePage::ShowLine(int line) {
  const MessageFields& m = model_.Message(kind_);
  const std::string& text = m.lines[static_cast<size_t>(line)];
  if (bodyEdit(line)->text() != ToQString(text)) ShowText(bodyEdit(line), text);
  const FlagAvailability usable = model_.BodyFlags(kind_, line);
  for (int flag = 0; flag < 5; ++flag) {
    const auto f = static_cast<MsgFlag>(flag);
    flagBox(line, f)->setChecked(FlagTicked(m.flags[static_cast<size_t>(line)], f));
    flagBox(line, f)->setEnabled(usable[f]);
  }
}

void MessagePage::ShowTrigger() {
  const TriggerCreation& trigger = model_.fields.trigger;
  triggerOption(trigger.choice)->setChecked(true);
  ShowText(trigger_file_, trigger.file_name);
  trigger_file_->setEnabled(trigger.choice == TriggerChoice::External);
}

QWidget* MessagePage::FieldWidget(EditField field) const {
  const EditField mine = normal() ? EditField::NormalSubject : EditField::AbnormalSubject;
  return field == mine ? subject_ : nullptr;
}

void MessagePage::ChangeAddresses(QLineEdit* box, std::string MessageFields::*field) {
  std::string& shown = model_.Message(kind_).*field;
  std::string list = shown;
  AddressSelection selection(gui_.schedule, gui_.op, list);
  SelAddrDialog dialog(gui_, selection, this);
  dialog.exec();
  if (list == shown) return;
  shown = list;
  ShowText(box, list);
}

// A cancelled dialog leaves the line as it was, text or file.
void MessagePage::IncludeFile(int line) {
  IncludedFile exchange = model_.BeginIncludedFile(kind_, line);
  IncludedFileDialog file(gui_.op, exchange);
  IncFileDialog dialog(gui_, file, hooks_.choose_file, this);
  dialog.exec();
  if (!file.accepted()) return;
  model_.EndIncludedFile(kind_, line, exchange);
  ShowLine(line);
}

}  // namespace qlr
