// Run days across a change of summer time. The engine works in local civil
// time: the clock here follows real instants, five minutes apart, and gives
// their civil time in Europe/London, where 01:00 GMT becomes 02:00 BST on the
// last Sunday of March and 02:00 BST becomes 01:00 GMT on the last Sunday of
// October.

#include <cstdlib>
#include <ctime>
#include <map>

#include "base/date_format.h"
#include "support/engine_fixture.h"

namespace qlr {
namespace {

// Sets TZ for as long as it lives.
struct ScopedTimeZone {
  explicit ScopedTimeZone(const char* zone) : old(std::getenv("TZ") ? std::getenv("TZ") : "") {
    ::setenv("TZ", zone, 1), ::tzset();
  }
  ~ScopedTimeZone() { old.empty() ? ::unsetenv("TZ") : ::setenv("TZ", old.c_str(), 1), ::tzset(); }
  std::string old;
};

using SummerTimeTest = testing::EngineFixture;

// Each case runs three run days, from 22:00 of the day before the change to
// 23:00 of the day after it.
// The day rolls over once, at its civil start; every job runs once a day; an
// earliest start the clocks skip starts when the skipped hour ends.
TEST_F(SummerTimeTest, EveryDayRollsOverOnceAndRunsEachJobOnce) {
  const struct {
    const char* what;
    DateTime change;  // the Sunday of the change
    int64_t day_start;
    const char* early_start;
    const char* early_started;  // on the day of the change
  } cases[] = {
      {"March, day start 00:00", MakeDate(2026, 3, 29), 0, "01:30", "02:00:00"},
      {"March, day start 01:30", MakeDate(2026, 3, 29), 5400, "01:45", "02:00:00"},
      {"October, day start 00:00", MakeDate(2026, 10, 25), 0, "01:30", "01:30:00"},
      {"October, day start 01:30", MakeDate(2026, 10, 25), 5400, "01:45", "01:45:00"},
  };
  ScopedTimeZone london("Europe/London");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    s.ClearJobs();
    s.DayStart = c.day_start;
    s.RunDate = AddDays(c.change, -1);
    Scripted("DAILY", {{}, 60});
    Scripted("EARLY", {{}, 60}).EarliestStart = c.early_start;
    Scripted("LATE", {{}, 60}).EarliestStart = "03:00";
    std::time_t instant = ToTimeT(AddDays(c.change, -1) + 22 * 3600);
    clock.Set(FromTimeT(instant));
    Open();
    for (const std::time_t end = ToTimeT(AddDays(c.change, 1) + 23 * 3600); instant < end;) {
      instant += 300;
      clock.Set(FromTimeT(instant));
      engine->Kick();
    }
    // The day's list: each run day's heading, then its submissions.
    std::vector<std::string> days;
    std::map<std::pair<std::string, std::string>, int> runs;  // (day, job) -> submissions
    std::string early_started;
    for (const std::string& line : List()) {
      if (line.starts_with("Schedule for ")) days.push_back(line.substr(13, line.find(" --") - 13));
      const size_t at = line.find("\tSubmitted at ");
      if (at == std::string::npos || days.empty()) continue;
      const std::string job = line.substr(0, line.find(' '));
      ++runs[{days.back(), job}];
      if (job == "EARLY" && days.size() == 2) early_started = line.substr(at + 14);
    }
    std::vector<std::string> expected_days;
    for (int d = -1; d <= 1; ++d)
      expected_days.push_back(FormatDateTime(AddDays(c.change, d), "dddd d mmm yyyy"));
    EXPECT_EQ(days, expected_days);
    for (const std::string& day : expected_days)
      for (const char* job : {"DAILY", "EARLY", "LATE"})
        EXPECT_EQ((runs[{day, job}]), 1) << day << " " << job;
    EXPECT_EQ(early_started, c.early_started);
  }
}

}  // namespace
}  // namespace qlr
