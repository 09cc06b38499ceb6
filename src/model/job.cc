#include "model/job.h"

#include "model/constants.h"

namespace qlr {

void SetStockDateVars(Job& job) {
  for (size_t i = 0; i < job.DateVars.size(); ++i) job.DateVars[i] = kStockDateVars[i];
}

Job NewPlaceholderJob() {
  Job job;
  job.JobName = "Dummy";
  job.Group = "Dummy";
  job.Frequency = "WorkDays";
  SetStockDateVars(job);
  return job;
}

}  // namespace qlr
