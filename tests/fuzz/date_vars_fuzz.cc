// Date-variable substitution: any command line, seven definitions and a
// frequency, on run dates between 1900 and 2079. An impossible day of a month
// is the program's own fatal stop; nothing else may stop it.

#include "base/clock.h"
#include "calendar/date_vars.h"
#include "fuzz_support.h"
#include "silent_operator.h"

namespace {

class FixedClock : public qlr::Clock {
 public:
  explicit FixedClock(qlr::DateTime now) : now_(now) {}
  qlr::DateTime Now() const override { return now_; }

 private:
  qlr::DateTime now_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qlr;
  std::string_view bytes = fuzz::Bytes(data, size);
  Schedule schedule;
  schedule.RunDate = AddDays(MakeDate(1900, 1, 1), fuzz::TakeNumber(bytes));
  FixedClock clock(schedule.RunDate + 12 * 3600 + 34 * 60);
  SilentOperator op;
  RunLog log(schedule, clock, op);
  const std::vector<std::string> parts = fuzz::Parts(bytes, 9);  // line, 7 definitions, frequency
  const DateVarList vars = {parts[1], parts[2], parts[3], parts[4], parts[5], parts[6], parts[7]};
  for (std::string_view definition : vars) CheckRelMonth(definition);
  try {
    SubstituteDateVars(schedule, log, op, clock.Now(), parts[0], vars, parts[8]);
  } catch (const ProgramEnd&) {
  }
  return 0;
}
