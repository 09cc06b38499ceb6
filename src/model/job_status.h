#pragma once
// Job status codes and the texts the status decision gives them.

#include <cstdint>
#include <string_view>

namespace qlr {

enum class JobStatus : uint8_t {
  Scheduled = 0,
  Running = 1,
  Completed = 2,
  EndForced = 3,
  SubmitFailed = 4,
  NotScheduled = 5,
  Failed = 6,
  Unscheduled = 7,
};

// "Scheduled", "Running", ...; "Aborted" for Failed; "" for SubmitFailed,
// whose text is set only at submission.
std::string_view StatusText(JobStatus status);

}  // namespace qlr
