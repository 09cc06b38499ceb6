#pragma once
// What the schedule editor keeps for the rest of the run, whichever window is
// open: the group filter (shared with Modify Schedule), the copy buffer's
// state and the Skip command's mode; and how it saves the schedule.

#include <functional>
#include <string>

#include "editor/group_list.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

enum class SkipMode { ToggleSingle, UnskipAll, SkipAll };

struct EditorState {
  std::string GroupFilter = std::string(kAllGroups);  // "(All)" shows every job
  bool CopyAvailable = false;                         // Copy has filled the copy buffer (job 0)
  bool PasteMode = false;                             // the next New copies the copy buffer
  std::string PasteNewTip;                            // Paste New's tool tip, naming the copied job
  SkipMode skip_mode = SkipMode::ToggleSingle;
};

// Writes the schedule file, asking `op` what to do when it fails; false when
// it was not written. WriteSchedule in the programs, something lighter in benchmarks.
using SaveSchedule = std::function<bool(Schedule&, RunLog&, Operator&)>;

}  // namespace qlr
