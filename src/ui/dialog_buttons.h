#pragma once
// The OK, Cancel and Help commands a dialog ends with.

#include <QDialog>
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

}  // namespace qlr
