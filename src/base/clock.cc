#include "base/clock.h"

namespace qlr {

DateTime SystemClock::Now() const { return FromTimeT(std::time(nullptr)); }

}  // namespace qlr
