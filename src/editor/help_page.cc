#include "editor/help_page.h"

#include "platform/file_system.h"

namespace qlr {

std::string HelpPagePath(const Schedule& schedule, std::string_view topic) {
  return JoinPath(schedule.HelpPath, std::string(topic) + ".html");
}

bool ShowHelp(const Schedule& schedule, Operator& op, Desktop& desktop, std::string_view topic) {
  const std::string path = HelpPagePath(schedule, topic);
  if (!FileExists(path)) {
    op.Tell("Sorry - cannot find a help file matching " + path);
    return false;
  }
  if (desktop.OpenDocument(path)) return true;
  op.Tell("Sorry - no program could be started to show the help file " + path);
  return false;
}

}  // namespace qlr
