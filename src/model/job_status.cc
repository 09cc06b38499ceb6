#include "model/job_status.h"

namespace qlr {

std::string_view StatusText(JobStatus status) {
  switch (status) {
    case JobStatus::Scheduled:
      return "Scheduled";
    case JobStatus::Running:
      return "Running";
    case JobStatus::Completed:
      return "Completed";
    case JobStatus::EndForced:
      return "End Forced";
    case JobStatus::SubmitFailed:
      return "";
    case JobStatus::NotScheduled:
      return "Not Scheduled";
    case JobStatus::Failed:
      return "Aborted";
    case JobStatus::Unscheduled:
      return "Unscheduled";
  }
  return "";
}

}  // namespace qlr
