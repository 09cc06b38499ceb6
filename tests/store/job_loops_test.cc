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
    Job& job = s.Jobs.emplace_back();
    job.JobName = name;
    job.RunAfter = after;
    job.DepConditions.assign(after.size(), 'S');
  }
  return s;
}

// Runs JobLoops; the one logged line without its time stamp, or nullopt when
// no loop was found (and nothing was logged).
std::optional<std::string> LoopLine(const std::vector<JobSpec>& jobs) {
  static const testing::TempDir dir;
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  Schedule s = MakeSchedule(jobs);
  RemoveFile(s.LogFile = dir.File("run.log"));
  RunLog log(s, clock, op);
  const bool found = JobLoops(s, log);
  const std::string text = dir.Read("run.log"), kPrefix = "Circular dependencies";
  const size_t at = text.find(kPrefix);
  EXPECT_EQ(found, at != std::string::npos) << text;
  if (at == std::string::npos) return text.empty() ? std::nullopt : std::optional(text);
  EXPECT_EQ(text.find(kPrefix, at + 1), std::string::npos) << "only one loop is logged";
  EXPECT_TRUE(EndsWith(text, "\r\n"));
  return text.substr(at, text.size() - at - 2);
}

TEST(JobLoopsTest, Cases) {
  const std::string kLoop = "Circular dependencies involving jobs ";
  const std::pair<std::vector<JobSpec>, std::optional<std::string>> cases[] = {
      {{{"A", {}}, {"B", {}}}, std::nullopt},
      {{{"A", {"NOSUCH"}}, {"B", {"A"}}}, std::nullopt},
      {{{"X", {}}, {"A", {"A"}}}, kLoop + "A and A"},
      {{{"T", {"A"}}, {"A", {"B"}}, {"B", {"A"}}}, kLoop + "A and B"},
      {{{"JOBA", {"jobb"}}, {"JOBB", {" joba "}}}, kLoop + "JOBA and jobb"},
  };
  for (const auto& [jobs, line] : cases) EXPECT_EQ(LoopLine(jobs), line) << jobs[0].first;
  std::vector<JobSpec> chain;  // a long chain ending in a loop must not exhaust the stack
  for (int i = 0; i < 32767; ++i)
    chain.push_back({"J" + std::to_string(i), {"J" + std::to_string(i == 0 ? 32766 : i - 1)}});
  EXPECT_EQ(LoopLine(chain), kLoop + "J0 and J32766");
}

// Names match case-blind, blanks trimmed. The chase taken literally: does entry k of job i lead,
// through any chain, to a job with an entry naming `target`? Jobs on the chain are skipped.
bool Same(std::string_view a, std::string_view b) { return EqualsNoCase(TrimView(a), TrimView(b)); }
bool ChaseFinds(const Schedule& s, int i, size_t k, const std::string& target,
                const std::vector<bool>& on_chain) {
  for (int j = 1; j <= s.JobCount(); ++j) {
    if (!Same(s[j].JobName.Trimmed(), s[i].RunAfter[k]) || on_chain[j]) continue;
    std::vector<bool> chain = on_chain;
    chain[j] = true;
    for (size_t m = 0; m < s[j].RunAfter.size(); ++m)
      if (Same(s[j].RunAfter[m], target) || ChaseFinds(s, j, m, target, chain)) return true;
  }
  return false;
}

TEST(JobLoopsTest, AgreesWithTheLiteralChaseOnRandomSchedules) {
  // Names with case and blank variants, duplicates and an entry no job carries.
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
    const Schedule s = MakeSchedule(jobs);
    std::optional<std::string> expected;
    for (int i = 1; i <= s.JobCount() && !expected; ++i)
      for (size_t k = 0; k < s[i].RunAfter.size() && !expected; ++k)
        if (ChaseFinds(s, i, k, s[i].JobName.Str(), std::vector<bool>(s.JobCount() + 1)))
          expected = "Circular dependencies involving jobs " + s[i].JobName.Str() + " and " +
                     Trim(s[i].RunAfter[k]);
    with_loop += expected.has_value();
    ASSERT_EQ(LoopLine(jobs), expected) << "round " << round;
  }
  EXPECT_TRUE(with_loop > 300 && with_loop < 2700) << with_loop;  // both outcomes well tried
}

}  // namespace
}  // namespace qlr
