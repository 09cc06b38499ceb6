#pragma once
// Showing a text file to the operator: the text editor started on it through
// the desktop, and the log viewer's OK, which copies the chosen lines of a
// run log and shows the copy.

#include <string>
#include <string_view>
#include <vector>

#include "log/log_viewer.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/desktop.h"
#include "platform/operator.h"

namespace qlr {

// Starts the text editor on `path` without waiting; when it cannot be
// started, tells "Cannot start the text editor " + TextEditor + " on " + path
// and returns false.
bool StartTextEditor(const Schedule& schedule, Operator& op, Desktop& desktop,
                     const std::string& path);

struct LogCopyView {
  std::string copy;    // the copy's path; "" when it could not be written
  bool shown = false;  // the text editor was started on it
};
// Writes the copy of the log (CopyLog, which tells "Error copying log: ..."
// on failure) and starts the text editor on it.
LogCopyView ViewLogCopy(const Schedule& schedule, Operator& op, Desktop& desktop,
                        std::string_view log_name, LogSelection selection,
                        const std::vector<std::string>& names);

}  // namespace qlr
