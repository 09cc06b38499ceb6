#include "ui/dialog_buttons.h"

#include <QShortcut>

#include "ui/program_end_guard.h"

namespace qlr {

DialogButtons CreateDialogButtons(QDialog* dialog, GuiContext& gui, std::string help_topic,
                                  std::function<void()> on_ok) {
  DialogButtons buttons;
  buttons.ok = new QPushButton(QStringLiteral("OK"), dialog);
  buttons.ok->setDefault(true);
  buttons.cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
  buttons.help = new QPushButton(QStringLiteral("&Help"), dialog);
  QObject::connect(buttons.ok, &QPushButton::clicked, dialog, Guarded(std::move(on_ok)));
  QObject::connect(buttons.cancel, &QPushButton::clicked, dialog,
                   Guarded([dialog] { dialog->reject(); }));
  QObject::connect(buttons.help, &QPushButton::clicked, dialog,
                   Guarded([&gui, topic = std::move(help_topic)] { ShowHelpTopic(gui, topic); }));
  return buttons;
}

QDialogButtonBox* NewButtonBox(const DialogButtons& buttons, QWidget* parent) {
  auto* box = new QDialogButtonBox(parent);
  box->addButton(buttons.ok, QDialogButtonBox::AcceptRole);
  box->addButton(buttons.cancel, QDialogButtonBox::RejectRole);
  box->addButton(buttons.help, QDialogButtonBox::HelpRole);
  return box;
}

void AddHelpKey(QDialog* dialog, QPushButton* help) {
  QObject::connect(new QShortcut(QKeySequence::HelpContents, dialog), &QShortcut::activated, help,
                   &QPushButton::click);
}

}  // namespace qlr
