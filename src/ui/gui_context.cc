#include "ui/gui_context.h"

#include "editor/help_page.h"

namespace qlr {

void ShowHelpTopic(GuiContext& gui, std::string_view topic) {
  ShowHelp(gui.schedule, gui.op, gui.desktop, topic);
}

}  // namespace qlr
