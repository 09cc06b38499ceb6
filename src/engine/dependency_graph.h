#pragma once
// The jobs due on the run date and what each waits for, as a Graphviz DOT
// digraph: predecessors, files and other jobs' trigger files.

#include <string>

#include "model/schedule.h"

namespace qlr {

// The digraph of the jobs whose status is not NotScheduled (decided for the
// run date beforehand, SetJobStatus) and of their direct predecessors (a
// predecessor not due today is drawn grey, a name no job has dotted). An edge
// runs from each predecessor to its dependant, labelled S, F or U, dashed
// when the dependant leaves the day should that predecessor fail it. A file
// or another job's trigger a job waits for is a node of its own, with an
// edge from the job of this schedule that writes it. Jobs are coloured by
// status. The text is UTF-8 and depends only on the schedule.
std::string DependencyGraphDot(const Schedule& schedule);

}  // namespace qlr
