#include "engine/kick_timer.h"

#include <algorithm>

namespace qlr {

void KickTimer::Start(int32_t timer_secs) {
  timer_secs_ = timer_secs;
  kick_interval_ms_ =
      static_cast<int32_t>(std::min<int64_t>(int64_t{timer_secs} * 1000, INT32_MAX));
  interval_ms_ = kick_interval_ms_;
}

void KickTimer::Adjust(const Schedule& schedule, const std::vector<int>& running,
                       bool no_job_running, bool kick_soon) {
  if (no_job_running) {
    next_kick_ = kIdleMs / 500;
  } else if (kick_soon) {
    next_kick_ = 2;
  } else {
    next_kick_ = static_cast<int>(std::min<int64_t>(kick_interval_ms_ / 500, INT16_MAX));
    for (int job : running) {
      const int32_t d = schedule[job].LastDuration;
      if (d >= 1 && d < next_kick_) next_kick_ = d;
    }
  }
  interval_ms_ = next_kick_ * 500;
}

void KickTimer::Toggle() {
  interval_ms_ = interval_ms_ < kick_interval_ms_ ? kick_interval_ms_ : kIdleMs;
}

}  // namespace qlr
