#include "log/timeline_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/date_format.h"
#include "log/run_log.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

const DateTime kDec4 = MakeDate(2026, 12, 4);  // a Friday
const DateTime kNow = MakeDateTime(2026, 12, 4, 12, 0, 0);

// A log line as the engine writes it on 4 Dec 2026 (or `date`): the time
// stamp, then the text with its tab as a blank.
std::string Line(const std::string& time, const std::string& text, DateTime date = kDec4,
                 bool dummy = false) {
  return FormatLogLine(text, date + *ParseTimeOfDay(time), dummy, "dd mmm yyyy");
}
std::string Heading(const std::string& time, DateTime day = kDec4, DateTime date = kDec4) {
  return Line(
      time, "Schedule for " + FormatDateTime(day, "dddd d mmm yyyy ") + std::string(40, '-'), date);
}

// "JOB start-end Outcome(fail text)[, rescheduled]", times "hh:nn:ss" or,
// on another date, "d hh:nn:ss".
std::string Describe(const TimelineRun& run) {
  auto when = [](DateTime t) {
    return (DateOnly(t) == kDec4 ? "" : FormatDateTime(t, "d ")) + FormatDateTime(t, "hh:nn:ss");
  };
  std::string text = run.job + " " + when(run.start) + "-" + when(run.end) + " " +
                     std::string(OutcomeText(run.outcome));
  if (!run.fail_text.empty()) text += "(" + run.fail_text + ")";
  return text + (run.rescheduled ? ", rescheduled" : "");
}

std::vector<std::string> Runs(const std::vector<std::string>& lines, int64_t day_start = 6 * 3600) {
  Schedule schedule;
  schedule.DayStart = day_start;
  DayLogReader reader(schedule, kDec4);
  for (const std::string& line : lines) reader.Feed(line);
  std::vector<std::string> runs;
  for (const TimelineRun& run : reader.Finish(kNow).runs) runs.push_back(Describe(run));
  return runs;
}

TEST(DayLogReaderTest, RunsFromTheEnginesLines) {
  const std::string sub = "  (Daily) \tSubmitted at ";
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> runs;
  } cases[] = {
      {"a rescheduled job runs twice",
       {Heading("06:00:00"), Line("06:00:01", "PAY1    " + sub + "06:00:01"),
        Line("06:10:00", "PAY1    \tCompleted at 06:10:00 (Duration 00:09:59)"),
        Line("06:10:00", "PAY1    \tRescheduled at 06:10:00"),
        Line("06:10:05", "PAY1    " + sub + "06:10:05"),
        Line("06:20:00", "PAY1    \tCompleted at 06:20:00 (Duration 00:09:55)")},
       {"PAY1 06:00:01-06:10:00 Completed, rescheduled", "PAY1 06:10:05-06:20:00 Completed"}},
      {"a failure keeps its text",
       {Heading("06:00:00"), Line("07:00:00", "LOAD    " + sub + "07:00:00"),
        Line("07:30:00", "LOAD    \tFailed(FATAL: no input)"),
        Line("07:30:00", "LOAD    \tFailed at 07:30:00 (Duration 00:30:00)")},
       {"LOAD 07:00:00-07:30:00 Failed(FATAL: no input)"}},
      {"a forced completion",
       {Heading("06:00:00"), Line("06:05:00", "BIG     " + sub + "06:05:00"),
        Line("08:00:00", "BIG\tForced completion at 08:00:00"),
        Line("08:00:00", "BIG     \tCompleted at 08:00:00 (Duration 01:55:00)")},
       {"BIG 06:05:00-08:00:00 Forced completion"}},
      {"a run still going ends now",
       {Heading("06:00:00"), Line("11:00:00", "LONG    " + sub + "11:00:00")},
       {"LONG 11:00:00-12:00:00 Running"}},
      {"moments: a start that failed, a job taken off the day",
       {Heading("06:00:00"), Line("06:00:01", "BAD(Daily) \tSubmission failed at 06:00:01"),
        Line("06:00:02", "AFTER\tUnscheduled at 06:00:02")},
       {"BAD 06:00:01-06:00:01 Submission failed", "AFTER 06:00:02-06:00:02 Unscheduled"}},
      {"an end whose submission was logged elsewhere started its duration before",
       {Heading("06:00:00"),
        Line("06:30:00", "OLD     \tCompleted at 06:30:00 (Duration 00:45:00)")},
       {"OLD 05:45:00-06:30:00 Completed"}},
      {"a restart keeps the day, a second start loses the first run's end",
       {Heading("06:00:00"), Line("06:01:00", "A       " + sub + "06:01:00"),
        Line("06:02:00", "Closing"), Heading("06:05:00"),
        Line("06:05:01", "A       " + sub + "06:05:01")},
       {"A 06:01:00-06:05:01 No end logged", "A 06:05:01-12:00:00 Running"}},
      {"other days' lines are not the day's",
       {Heading("06:00:00", kDec4 - kSecondsPerDay, kDec4 - kSecondsPerDay),
        Line("07:00:00", "X       " + sub + "07:00:00", kDec4 - kSecondsPerDay),
        Heading("06:00:00"), Line("06:00:01", "Y       " + sub + "06:00:01"),
        Line("06:01:00", "Y       \tCompleted at 06:01:00 (Duration 00:00:59)"),
        Line("06:02:00", "Z       " + sub + "06:02:00"),
        Line("05:59:59", "End of day for Friday 4 Dec 2026 ----", kDec4 + kSecondsPerDay),
        Line("06:00:00", "W       " + sub + "06:00:00", kDec4 + kSecondsPerDay)},
       {"Y 06:00:01-06:01:00 Completed", "Z 06:02:00-5 05:59:59 No end logged"}},
      {"lines that are not the engine's are passed over",
       {Heading("06:00:00"), "garbage", Line("06:00:01", "PAY1     (Daily)\tscheduled"),
        Line("06:00:02", "1 Job(s) scheduled."),
        Line("06:00:03", "PAY1\tAuto file trigger at 06:00:03")},
       {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Runs(c.lines), c.runs) << c.name;
}

TEST(DayLogReaderTest, ARehearsalIsMovedOntoItsRunDate) {
  Schedule schedule;
  DayLogReader reader(schedule, kDec4);
  const DateTime today = MakeDate(2027, 1, 10);
  reader.Feed(Line("09:00:00", "Schedule for Friday 4 Dec 2026 ---", today, true));
  reader.Feed(Line("09:00:01", "PAY1     (Daily) \tSubmitted at 09:00:01", today, true));
  reader.Feed(Line("09:00:03", "PAY1    \tCompleted at 09:00:03 (Duration 00:00:02)", today, true));
  EXPECT_TRUE(reader.found());
  const Timeline timeline = reader.Finish(kNow);
  ASSERT_EQ(timeline.runs.size(), 1u);
  EXPECT_EQ(Describe(timeline.runs[0]), "PAY1 09:00:01-09:00:03 Completed");
}

// DayStart 18:00 with one log file per calendar day: the run day's second
// half is in the next day's file.
TEST(ReadDayLogTest, ARunDayOverTwoLogFiles) {
  testing::TempDir dir;
  Schedule schedule;
  schedule.ScheduleName = "NIGHT";
  schedule.LogFile = dir.File("night_yyyymmdd.log");
  schedule.DayStart = 18 * 3600;
  const DateTime dec5 = kDec4 + kSecondsPerDay;
  dir.Write("night_20261204.log", Heading("18:00:00") + "\r\n" +
                                      Line("23:30:00", "NIGHTLY  (Daily) \tSubmitted at 23:30:00") +
                                      "\r\n");
  dir.Write("night_20261205.log",
            Line("01:15:00", "NIGHTLY \tCompleted at 01:15:00 (Duration 01:45:00)", dec5) + "\r\n");
  const DayLog day = ReadDayLog(schedule, kDec4, dec5 + 12 * 3600);
  EXPECT_TRUE(day.found);
  EXPECT_EQ(day.files, (std::vector<std::string>{dir.File("night_20261204.log"),
                                                 dir.File("night_20261205.log")}));
  ASSERT_EQ(day.timeline.runs.size(), 1u);
  EXPECT_EQ(Describe(day.timeline.runs[0]), "NIGHTLY 23:30:00-5 01:15:00 Completed");
  EXPECT_EQ(day.timeline.day_start_at, kDec4 + 18 * 3600);
  EXPECT_FALSE(ReadDayLog(schedule, kDec4 + 7 * kSecondsPerDay, kNow).found);
}

TEST(TimeAxisTest, CoversTheRunsInWholeTicks) {
  auto axis = [](DateTime first, DateTime last) {
    Timeline t;
    t.day_start_at = kDec4 + 6 * 3600;
    if (first) t.runs.push_back({"A", first, last, RunOutcome::Completed, "", false});
    const TimeAxis a = AxisOf(t);
    const char* form = a.step < 60 ? "d hh:nn:ss" : "d hh:nn";
    return FormatDateTime(a.from, form) + "-" + FormatDateTime(a.to, form) + "/" +
           std::to_string(a.step);
  };
  const DateTime six = kDec4 + 6 * 3600;
  EXPECT_EQ(axis(0, 0), "4 06:00-5 06:00/3600");                   // no run: the run day
  EXPECT_EQ(axis(six + 65, six + 65), "4 06:01:05-4 06:01:06/1");  // a moment gets a tick
  EXPECT_EQ(axis(six + 10, six + 50), "4 06:00:10-4 06:00:50/2");
  EXPECT_EQ(axis(six + 10, six + 1000), "4 06:00-4 06:17/60");
  EXPECT_EQ(axis(six + 100, six + 3000), "4 06:00-4 06:50/300");
  EXPECT_EQ(axis(six + 1800, six + 20 * 3600), "4 06:00-5 02:00/3600");
  EXPECT_EQ(axis(six, six + 47 * 3600), "4 06:00-6 06:00/7200");
}

}  // namespace
}  // namespace qlr
