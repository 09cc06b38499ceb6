#pragma once
// Which message a job's end asks for: its abnormal recipients, texts and flags
// with the callout switch set when the job is critical, or its normal ones
// without callout.

#include "messages/end_of_job.h"
#include "model/schedule.h"

namespace qlr {

// The request for job `job` (an index of the job table). Whether it is sent at
// all (a blank To list sends nothing) is the caller's decision.
MessageRequest MessageRequestFor(const Schedule& schedule, int job, bool abnormal);

}  // namespace qlr
