#pragma once

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

}  // namespace qlr::testing
