// The dispatch pass's quick decision, built from each job's direct
// predecessors, against the walk over all of them that defines it.

#include "engine/dependencies.h"

#include <gtest/gtest.h>

#include <random>

#include "support/fake_clock.h"
#include "support/scripted_operator.h"

namespace qlr {
namespace {

constexpr JobStatus kStatuses[] = {
    JobStatus::Scheduled,    JobStatus::Running, JobStatus::Completed,   JobStatus::EndForced,
    JobStatus::SubmitFailed, JobStatus::Failed,  JobStatus::Unscheduled, JobStatus::NotScheduled};

// `jobs` jobs, each after up to three earlier ones (with `loops`, any ones),
// with random statuses. Most entries naming a job carry that job's usual
// letters, so that both the quick way and the walk decide often.
Schedule RandomSchedule(std::mt19937& rng, int jobs, bool loops) {
  Schedule s;
  std::vector<std::pair<char, char>> usual(static_cast<size_t>(jobs) + 1);
  for (auto& letters : usual) letters = {"SFU"[rng() % 3], rng() % 2 ? 'Y' : ' '};
  for (int i = 1; i <= jobs; ++i) {
    Job& job = s.Jobs.emplace_back();
    job.JobName = "J" + std::to_string(i);
    job.Status = kStatuses[rng() % std::size(kStatuses)];
    const int preds = i == 1 ? 0 : static_cast<int>(rng() % 4);
    for (int k = 0; k < preds; ++k) {
      const unsigned pred = 1 + rng() % static_cast<unsigned>(loops ? jobs : i - 1);
      job.RunAfter.push_back("J" + std::to_string(pred));
      auto [condition, auto_unsched] = usual[pred];
      if (rng() % 8 == 0) condition = "SFU"[rng() % 3], auto_unsched = rng() % 2 ? 'Y' : ' ';
      job.DepConditions += condition;
      job.DepAutoUnsched += auto_unsched;
    }
    if (rng() % 8 == 0 && !job.DepConditions.empty()) job.DepConditions.pop_back();  // no letter
  }
  return s;
}

TEST(DependencyIndexTest, QuickDecisionAgreesWithTheWalkAsStatusesChange) {
  std::mt19937 rng(20261205);
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  for (int round = 0; round < 400; ++round) {
    Schedule s = RandomSchedule(rng, 2 + static_cast<int>(rng() % 40), round % 4 == 0);
    RunLog log(s, clock, op);
    DependencyIndex index(s);
    index.BeginPass();
    std::string wait_list;
    // A dispatch step: each job in order is decided, then may change as a
    // pass changes it (started, not started, unscheduled).
    for (int i = 1; i <= s.JobCount(); ++i) {
      ASSERT_EQ(index.Decide(i, log), CheckDependency(s, index, log, i, wait_list))
          << "round " << round << ", job " << i;
      if (s[i].Status != JobStatus::Scheduled) continue;
      const JobStatus next[] = {JobStatus::Running, JobStatus::SubmitFailed, JobStatus::Unscheduled,
                                JobStatus::Scheduled};
      s[i].Status = next[rng() % std::size(next)];
      if (s[i].Status != JobStatus::Running) index.StatusChanged(i);
    }
  }
}

TEST(DependencyIndexTest, WaitListsAndDependants) {
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  Schedule s;
  for (const char* name : {"A", "B", "C", "D"}) s.Jobs.emplace_back().JobName = name;
  s[1].Status = JobStatus::Running;
  s[2].RunAfter = {"a"}, s[2].DepConditions = "S", s[2].DepAutoUnsched = " ";
  s[3].RunAfter = {"B", "A"}, s[3].DepConditions = "FS", s[3].DepAutoUnsched = "  ";
  RunLog log(s, clock, op);
  DependencyIndex index(s);
  std::string wait_list;
  EXPECT_EQ(CheckDependency(s, index, log, 3, wait_list), DepResult::Wait);
  EXPECT_EQ(wait_list, "B(F) - Not Started, A(S) - Running");
  EXPECT_EQ(index.Dependants({1}), (std::vector<bool>{false, false, true, true, false}));

  s[4].RunAfter = {"C"};  // C has an empty entry; D waits on C
  s[3].RunAfter.push_back(" ");
  index.Invalidate();
  index.BeginPass();
  EXPECT_THROW(index.Decide(4, log), ProgramEnd);
}

// B runs after A; its condition letter is `letters` (shorter than its list
// when empty). A missing letter holds B back only while A runs or has not
// started: a failed A must not keep it waiting for ever.
TEST(CheckDependencyTest, AMissingConditionLetterWaitsOnlyForARunningOrUnstartedJob) {
  const struct {
    const char* letters;
    JobStatus a;
    DepResult result;
    const char* wait_list;
  } cases[] = {
      {"", JobStatus::Running, DepResult::Wait, "A() - Running"},
      {"", JobStatus::Scheduled, DepResult::Wait, "A() - Not Started"},
      {"", JobStatus::Failed, DepResult::Ready, ""},
      {"", JobStatus::Completed, DepResult::Ready, ""},
      {"S", JobStatus::Failed, DepResult::Wait, "A(S) - Failed"},
  };
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  for (const auto& c : cases) {
    Schedule s;
    RunLog log(s, clock, op);
    s.Jobs.resize(3);
    s[1].JobName = "A";
    s[1].Status = c.a;
    s[2].JobName = "B";
    s[2].RunAfter = {"A"};
    s[2].DepConditions = c.letters;
    DependencyIndex index(s);
    index.BeginPass();
    std::string wait_list;
    EXPECT_EQ(CheckDependency(s, index, log, 2, wait_list), c.result)
        << c.letters << static_cast<int>(c.a);
    EXPECT_EQ(wait_list, c.wait_list);
    EXPECT_EQ(index.Decide(2, log), c.result) << c.letters << static_cast<int>(c.a);
  }
}

}  // namespace
}  // namespace qlr
