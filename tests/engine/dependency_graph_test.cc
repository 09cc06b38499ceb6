#include "engine/dependency_graph.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

Job& Add(Schedule& s, const std::string& name) {
  Job& job = s.Jobs.emplace_back();
  job.JobName = name;
  job.Status = JobStatus::Scheduled;
  return job;
}

// The lines a graph must hold, each checked on its own (the whole graph's
// shape is the golden file's business).
TEST(DependencyGraphTest, NamesAreQuotedAndWrittenFilesJoinTheirWriters) {
  Schedule s;
  s.ScheduleName = "A\"B";
  s.RunDate = MakeDate(2026, 12, 4);
  Add(s, "Q\"T\\S");
  Job& caf = Add(s, "CAF\xC9");  // Windows-1252 É
  caf.TriggerFile = "out/ready.flag";
  Job& waits = Add(s, "WAITS");
  waits.WaitFile = " out/ready.flag ";
  waits.RunAfter = {"caf\xE9"};  // names compare case-blind
  Add(s, "OFF").Status = JobStatus::NotScheduled;
  const std::string dot = DependencyGraphDot(s);
  for (const std::string line : {
           "digraph \"A\\\"B\" {\n",
           "  j1 [label=\"Q\\\"T\\\\S\", fillcolor=\"#ffffff\"];\n",
           "  j2 [label=\"CAF\xC3\x89\", fillcolor=\"#ffffff\"];\n",
           "  f1 [label=\"out/ready.flag\", shape=note, style=filled, fillcolor=\"#fffde7\"];\n",
           "  j2 -> j3 [label=\"S\"];\n",  // no letter stored: after success
           "  f1 -> j3;\n",
           "  j2 -> f1 [style=dotted];\n",
       })
    EXPECT_NE(dot.find(line), std::string::npos) << line << "\n" << dot;
  EXPECT_EQ(dot.find("OFF"), std::string::npos);  // not due, and nobody waits for it
}

}  // namespace
}  // namespace qlr
