#pragma once
// The OK, Cancel and Help commands a dialog ends with.

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <functional>
#include <string>

#include "ui/gui_context.h"

namespace qlr {

struct DialogButtons {
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* help = nullptr;
};

// Creates the three commands on `dialog`: OK (the default button) runs
// `on_ok`, Cancel rejects the dialog, Help opens `help_topic`.
DialogButtons CreateDialogButtons(QDialog* dialog, GuiContext& gui, std::string help_topic,
                                  std::function<void()> on_ok);
// The three in a button box on `parent`, in the order the platform gives them.
QDialogButtonBox* NewButtonBox(const DialogButtons& buttons, QWidget* parent);
// F1 anywhere in `dialog` clicks its `help` command.
void AddHelpKey(QDialog* dialog, QPushButton* help);

}  // namespace qlr
