#pragma once
// The kick timer's next interval, chosen after each pass: 5 seconds while no
// job runs, 1 second after an event that calls for a quick look, otherwise
// TimerSecs or half the last run time of a short running job. Plain numbers;
// the window's label is made from them.

#include <cstdint>
#include <vector>

#include "model/schedule.h"

namespace qlr {

class KickTimer {
 public:
  static constexpr int kIdleMs = 5000;

  // A new run day: TimerSecs as read for it; the timer runs with that interval.
  void Start(int32_t timer_secs);
  // After a pass: the interval for what runs now (`running`: their job indexes).
  void Adjust(const Schedule& schedule, const std::vector<int>& running, bool no_job_running,
              bool kick_soon);
  // Kick Int: between TimerSecs and 5 seconds.
  void Toggle();
  // The day's work is done: only the rollover test is left, every 5 seconds.
  void Idle() { interval_ms_ = kIdleMs; }
  // Stopped while Modify Schedule is open or the window closes; Resume goes
  // back to the interval the last pass chose.
  void Stop() { interval_ms_ = 0; }
  void Resume() { interval_ms_ = next_kick_ * 500; }

  int32_t timer_secs() const { return timer_secs_; }
  int interval_ms() const { return interval_ms_; }  // 0: stopped

 private:
  int32_t timer_secs_ = 0;
  int32_t kick_interval_ms_ = 0;
  int next_kick_ = 0;  // half-seconds
  int interval_ms_ = 0;
};

}  // namespace qlr
