#include "model/job.h"

#include "model/constants.h"

namespace qlr {

void SetStockDateVars(Job& job) {
  static const TextList<7> kStock = {kStockDateVars[0], kStockDateVars[1], kStockDateVars[2],
                                     kStockDateVars[3], kStockDateVars[4], kStockDateVars[5],
                                     kStockDateVars[6]};
  job.DateVars = kStock;  // one text for every job that has them
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
