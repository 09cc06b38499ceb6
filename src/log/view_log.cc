#include "log/view_log.h"

namespace qlr {

bool StartTextEditor(const Schedule& schedule, Operator& op, Desktop& desktop,
                     const std::string& path) {
  if (desktop.EditText(path)) return true;
  op.Tell("Cannot start the text editor " + schedule.TextEditor + " on " + path);
  return false;
}

LogCopyView ViewLogCopy(const Schedule& schedule, Operator& op, Desktop& desktop,
                        std::string_view log_name, LogSelection selection,
                        const std::vector<std::string>& names) {
  LogCopyView view;
  view.copy = CopyLog(schedule, op, log_name, selection, names);
  view.shown = !view.copy.empty() && StartTextEditor(schedule, op, desktop, view.copy);
  return view;
}

}  // namespace qlr
