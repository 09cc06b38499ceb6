// The schedule reader on any bytes: it reads every text without a crash, and
// what it makes of a text is written and read back to the same lines.

#include "base/clock.h"
#include "fuzz_support.h"
#include "log/run_log.h"
#include "silent_operator.h"
#include "store/schedule_file.h"

namespace qlr {
namespace {

std::string Lines(const Schedule& schedule, RunLog& log) {
  std::string text;
  for (int i = 1; i <= schedule.JobCount(); ++i) text += FormatJobLine(schedule[i], log) + "\r\n";
  return text;
}

}  // namespace
}  // namespace qlr

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qlr;
  SystemClock clock;
  SilentOperator op;
  Schedule schedule;
  RunLog log(schedule, clock, op);
  schedule.ScheduleFile = "night.sch";
  schedule.RunDate = MakeDate(2026, 12, 4);
  schedule.DayStart = 6 * 3600;
  schedule.DayStartAt = schedule.RunDate + schedule.DayStart;
  try {
    ReadScheduleText(schedule, log, fuzz::Bytes(data, size));
  } catch (const ProgramEnd&) {
    return 0;  // more than 32767 jobs: a fatal stop the program means to make
  }
  // Whatever was read is written so that it reads back the same; only a name
  // with a blank from an old comma file cannot, and the reader says so.
  bool blank_in_name = false;
  for (const ScheduleDiagnostic& d : schedule.ReadDiagnostics)
    blank_in_name = blank_in_name || DiagnosticText(d).find(" holds a blank") != std::string::npos;
  const std::string written = Lines(schedule, log);
  ReadScheduleText(schedule, log, written);
  fuzz::Require(Lines(schedule, log) == written || blank_in_name);
  return 0;
}
