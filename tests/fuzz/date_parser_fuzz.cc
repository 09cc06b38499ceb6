// The date parser on any text: a date it reads, written back in the schedule
// file's form, reads as the same date and time; the formatter takes any pattern.

#include "base/date_format.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qlr;
  const std::vector<std::string> parts = fuzz::Parts(fuzz::Bytes(data, size), 2);  // text, pattern
  if (std::optional<DateTime> date = ParseDate(parts[0])) {
    const std::string written = FormatDateTime(*date, "dd mmm yyyy hh:nn:ss");
    fuzz::Require(ParseDate(written) == date);
    FormatDateTime(*date, parts[1]);
  }
  if (std::optional<int64_t> time = ParseTimeOfDay(parts[0]))
    fuzz::Require(*time >= 0 && *time < kSecondsPerDay);
  return 0;
}
