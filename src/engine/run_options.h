#pragma once
// The options a run is launched with, beyond the schedule's own values: the
// launch window's "Show Events", the execution window's "Ignore CPU Limit"
// and the dummy run options.

namespace qlr {

struct RunOptions {
  bool ShowEvents = false;
  bool IgnoreCpuLimit = false;
  bool WaitForTriggers = false;
  bool GenDummyMessages = false;
  bool CrtDummyTriggers = false;
};

}  // namespace qlr
