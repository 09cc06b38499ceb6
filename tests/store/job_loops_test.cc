#include "store/job_loops.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "platform/file_system.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using JobSpec = std::pair<std::string, std::vector<std::string>>;  // name, RunAfter

Schedule MakeSchedule(const std::vector<JobSpec>& jobs) {
  Schedule s;
  for (const auto& [name, after] : jobs) {
    Job job;
    job.JobName = name;
    job.RunAfter = after;
    job.DepConditions.assign(after.size(), 'S');
    s.Jobs.push_back(job);
  }
  return s;
}

// Runs JobLoops and gives the logged text without its time stamp, or nullopt
// when no loop was found (and nothing was logged).
std::optional<std::string> LoopLine(Schedule& s) {
  static const testing::TempDir dir;
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  s.LogFile = dir.File("run.log");
  RemoveFile(s.LogFile);
  RunLog log(s, clock, op);
  bool found = JobLoops(s, log);
  std::string text = dir.Read("run.log");
  if (!found) {
    EXPECT_EQ(text, "");
    return std::nullopt;
  }
  const std::string kPrefix = "Circular dependencies";
  size_t at = text.find(kPrefix);
  EXPECT_NE(at, std::string::npos) << text;
  EXPECT_EQ(text.find(kPrefix, at + 1), std::string::npos) << "only one loop is logged";
  EXPECT_TRUE(EndsWith(text, "\r\n"));
  return at == std::string::npos ? text : text.substr(at, text.size() - at - 2);
}

TEST(JobLoopsTest, Cases) {
  struct Case {
    const char* what;
    std::vector<JobSpec> jobs;
    std::optional<std::string> line;
  };
  const std::vector<Case> cases = {
      {"no dependencies", {{"A", {}}, {"B", {}}}, std::nullopt},
      {"missing job", {{"A", {"NOSUCH"}}, {"B", {"A"}}}, std::nullopt},
      {"self loop", {{"X", {}}, {"A", {"A"}}}, "Circular dependencies involving jobs A and A"},
      {"pair, A first",
       {{"A", {"B"}}, {"B", {"A"}}},
       "Circular dependencies involving jobs A and B"},
      {"tail into a loop",
       {{"T", {"A"}}, {"A", {"B"}}, {"B", {"A"}}},
       "Circular dependencies involving jobs A and B"},
      {"lower case entry",
       {{"JOBA", {"jobb"}}, {"JOBB", {" joba "}}},
       "Circular dependencies involving jobs JOBA and jobb"},
      {"only the first loop",
       {{"P", {"Q"}}, {"Q", {"P"}}, {"R", {"R"}}},
       "Circular dependencies involving jobs P and Q"},
      {"duplicate name closes the loop",
       {{"A", {"B"}}, {"B", {}}, {"B", {"A"}}},
       "Circular dependencies involving jobs A and B"},
  };
  for (const Case& c : cases) {
    Schedule s = MakeSchedule(c.jobs);
    EXPECT_EQ(LoopLine(s), c.line) << c.what;
  }
}

TEST(JobLoopsTest, LongChainEndingInLoopDoesNotExhaustTheStack) {
  std::vector<JobSpec> jobs;
  for (int i = 0; i < 32767; ++i)
    jobs.push_back({"J" + std::to_string(i), {"J" + std::to_string(i == 0 ? 32766 : i - 1)}});
  Schedule s = MakeSchedule(jobs);
  EXPECT_EQ(LoopLine(s), "Circular dependencies involving jobs J0 and J32766");
}

// The chase taken literally: does following entry k of job i lead, through
// any chain, to a job with an entry naming `target`? A job already on the
// chain is not entered again, which keeps it finite without losing any path.
bool SameName(std::string_view a, std::string_view b) {
  return EqualsNoCase(TrimView(a), TrimView(b));
}

bool ChaseFinds(const Schedule& s, int i, size_t k, const std::string& target,
                std::vector<bool>& on_chain) {
  for (int j = 1; j <= s.JobCount(); ++j) {
    if (!SameName(s[j].JobName.Trimmed(), s[i].RunAfter[k]) || on_chain[static_cast<size_t>(j)])
      continue;
    on_chain[static_cast<size_t>(j)] = true;
    for (size_t m = 0; m < s[j].RunAfter.size(); ++m)
      if (SameName(s[j].RunAfter[m], target) || ChaseFinds(s, j, m, target, on_chain)) {
        on_chain[static_cast<size_t>(j)] = false;
        return true;
      }
    on_chain[static_cast<size_t>(j)] = false;
  }
  return false;
}

std::optional<std::string> LiteralLoopLine(const Schedule& s) {
  for (int i = 1; i <= s.JobCount(); ++i)
    for (size_t k = 0; k < s[i].RunAfter.size(); ++k) {
      std::vector<bool> on_chain(static_cast<size_t>(s.JobCount()) + 1);
      if (ChaseFinds(s, i, k, s[i].JobName.Str(), on_chain))
        return "Circular dependencies involving jobs " + s[i].JobName.Str() + " and " +
               Trim(s[i].RunAfter[k]);
    }
  return std::nullopt;
}

TEST(JobLoopsTest, AgreesWithTheLiteralChaseOnRandomSchedules) {
  // A small pool of names with case and blank variants, duplicates and a
  // name no job carries, so that every matching rule is exercised.
  const std::vector<std::string> names = {"A", "a", "B", " b ", "C", "D", "E"};
  const std::vector<std::string> entries = {"A", "b", "B ", "c", "D", "E", "Z"};
  std::mt19937 rng(20261204);
  int with_loop = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<JobSpec> jobs(1 + rng() % 6);
    for (auto& [name, after] : jobs) {
      name = names[rng() % names.size()];
      after.resize(rng() % 4);
      for (auto& entry : after) entry = entries[rng() % entries.size()];
    }
    Schedule s = MakeSchedule(jobs);
    std::optional<std::string> expected = LiteralLoopLine(s);
    with_loop += expected.has_value();
    ASSERT_EQ(LoopLine(s), expected) << "round " << round;
  }
  EXPECT_GT(with_loop, 300);
  EXPECT_LT(with_loop, 2700);
}

}  // namespace
}  // namespace qlr
