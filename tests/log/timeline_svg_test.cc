#include "log/timeline_svg.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "log/timeline_log.h"
#include "support/golden.h"

namespace qlr {
namespace {

const DateTime kDec4 = MakeDate(2026, 12, 4);

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The fixed day of tests/golden/night_20261204.log, seen at noon.
Timeline GoldenDay() {
  Schedule schedule;
  schedule.ScheduleName = "NIGHT";
  schedule.DayStart = 6 * 3600;
  DayLogReader reader(schedule, kDec4);
  std::istringstream log(testing::ReadGolden("night_20261204.log"));
  for (std::string line; std::getline(log, line);) reader.Feed(line.substr(0, line.size() - 1));
  return reader.Finish(kDec4 + 12 * 3600);
}

TEST(TimelineSvgTest, TheFixedDayAsSvgAndAsAPage) {
  const Timeline day = GoldenDay();
  ASSERT_EQ(day.runs.size(), 7u);
  const std::string svg = TimelineSvg(day);
  EXPECT_TRUE(testing::MatchesGolden("timeline.svg", svg));
  const std::string html = TimelineHtml(day);
  EXPECT_EQ(html.find("<!DOCTYPE html>"), 0u);
  EXPECT_NE(html.find(svg.substr(svg.find("<svg"))), std::string::npos);  // the same picture
  EXPECT_EQ(Count(html, "<script"), 0u);
}

TEST(TimelineSvgTest, HoverTexts) {
  Timeline t;
  t.run_date = kDec4;
  const DateTime six = kDec4 + 6 * 3600, next = kDec4 + kSecondsPerDay;
  struct Case {
    TimelineRun run;
    const char* title;
  } cases[] = {
      {{"PAY1", six, six + 2405, RunOutcome::Completed, "", false},
       "PAY1\n06:00:00 to 06:40:05 (Duration 00:40:05)\nCompleted"},
      {{"LOAD", six, next + 3600, RunOutcome::Failed, "FATAL: x", true},
       "LOAD\n06:00:00 to 5 Dec 01:00:00 (Duration 19:00:00)\nFailed: FATAL: x, then rescheduled"},
      {{"LONG", six, six + 30 * 3600, RunOutcome::Running, "", false},
       "LONG\nSubmitted 06:00:00, running for 30:00:00\nRunning"},
      {{"BAD", six, six, RunOutcome::SubmitFailed, "", false},
       "BAD\nSubmission failed at 06:00:00"},
      {{"LOST", six, six + 60, RunOutcome::NoEnd, "", false},
       "LOST\n06:00:00 to 06:01:00 (Duration 00:01:00)\nNo end logged"},
  };
  for (const Case& c : cases) EXPECT_EQ(RunTitle(t, c.run), c.title) << c.run.job;
}

// A large day stays a plain picture: one thin row, one bar and one title per run.
TEST(TimelineSvgTest, TwoThousandRunsInThinRows) {
  Timeline t;
  t.run_date = kDec4;
  t.day_start_at = kDec4;
  for (int i = 0; i < 2000; ++i)
    t.runs.push_back({"J" + std::to_string(i), kDec4 + i * 40, kDec4 + i * 40 + 600,
                      RunOutcome::Completed, "", false});
  const std::string svg = TimelineSvg(t);
  EXPECT_EQ(Count(svg, "<title>"), 2000u);
  EXPECT_EQ(Count(svg, "class=\"o0\""), 2001u);                // and the legend's box
  EXPECT_NE(svg.find("height=\"16074\""), std::string::npos);  // 64 + 2000 * 8 + 10
  EXPECT_LT(svg.size(), 600u * 1000);
}

}  // namespace
}  // namespace qlr
