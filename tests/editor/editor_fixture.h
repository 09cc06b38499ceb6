#pragma once
// What the editor's tests share: a schedule built from short descriptions,
// a scripted operator, and a save that only counts.

#include <string>
#include <vector>

#include "base/text.h"
#include "editor/editor_state.h"
#include "model/schedule.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"

namespace qlr::testing {

struct EditorBed {
  EditorBed() { schedule.RunDate = MakeDate(2026, 12, 4); }  // a Friday

  // Appends a job; `after` lists its dependencies as "NAME:S", "NAME:F:auto", ...
  Job& Add(const std::string& name, const std::string& group = "G1",
           const std::vector<std::string>& after = {}) {
    Job& job = schedule.Jobs.emplace_back();
    job.JobName = name;
    job.Group = group;
    job.CommandLine = "true";
    job.Frequency = "Daily";
    SetStockDateVars(job);
    for (const std::string& entry : after) {
      std::vector<std::string> parts = Split(entry, ':');
      job.RunAfter.push_back(parts[0]);
      job.DepConditions += parts.size() > 1 ? parts[1] : "U";
      job.DepAutoUnsched += parts.size() > 2 ? 'Y' : ' ';
    }
    return job;
  }
  // The names of the jobs in table order.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 1; i <= schedule.JobCount(); ++i) names.push_back(schedule[i].JobName.Str());
    return names;
  }

  FakeClock clock;
  ScriptedOperator op;
  Schedule schedule;
  RunLog log{schedule, clock, op};
  EditorState state;
  int saves = 0;
  SaveSchedule save = [this](Schedule&, RunLog&, Operator&) { return ++saves > 0; };
};

}  // namespace qlr::testing
