#pragma once

#include <chrono>

#include "base/clock.h"
#include "base/date_time.h"

namespace qlr::testing {

// A clock that stands still until the test moves it.
class FakeClock : public Clock {
 public:
  explicit FakeClock(DateTime now = MakeDateTime(2026, 12, 4, 12, 0, 0)) : now_(now) {}
  DateTime Now() const override { return now_; }
  void Set(DateTime now) { now_ = now; }
  void Advance(int64_t seconds) { now_ += seconds; }

 private:
  DateTime now_;
};

// A clock that runs at the real pace from a fixed moment: for tests in which
// real processes need time to pass, without depending on today's date or on
// midnight coming while they run.
class RunningClock : public Clock {
 public:
  explicit RunningClock(DateTime start = MakeDateTime(2026, 12, 4, 12, 0, 0))
      : start_(start), origin_(std::chrono::steady_clock::now()) {}
  DateTime Now() const override {
    const auto passed = std::chrono::steady_clock::now() - origin_;
    return start_ + std::chrono::duration_cast<std::chrono::seconds>(passed).count();
  }

 private:
  DateTime start_;
  std::chrono::steady_clock::time_point origin_;
};

}  // namespace qlr::testing
