#include "model/job.h"

#include "model/constants.h"

namespace qlr {

void SetStockDateVars(Job& job) {
  job.DateVars = {kStockDateVars[0], kStockDateVars[1], kStockDateVars[2], kStockDateVars[3],
                  kStockDateVars[4], kStockDateVars[5], kStockDateVars[6]};
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
