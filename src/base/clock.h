#pragma once
// The one source of the present time. Only SystemClock reads the system
// clock; tests use a clock they advance by hand.

#include "base/date_time.h"

namespace qlr {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;  // local civil time, whole seconds
};

class SystemClock : public Clock {
 public:
  DateTime Now() const override;
};

}  // namespace qlr
