// The engine's record of the day's runs that are over, and the live
// timeline made from it and from the jobs that run now.

#include "engine/day_timeline.h"

#include "base/date_format.h"
#include "support/engine_fixture.h"

namespace qlr {
namespace {

struct DayTimelineTest : testing::EngineFixture {
  // Every outcome in a day from 06:00: A runs twice (put back after its first
  // run), B fails, C cannot start, D leaves the day when B fails, E runs on,
  // F's completion is forced.
  void RunTheDay() {
    Scripted("A", {{}, 10}).AutoReschedule = static_cast<uint8_t>(AutoResched::Always);
    Scripted("B", {{"ERROR here"}, 3600});
    Scripted("C", {{}, 0, 0, true});
    After(Add("D"), "B", 'S', 'Y');
    Scripted("E", {{}, 99999});
    Scripted("F", {{}, 99999});
    Open();
    Pass(5);   // B's error text is seen
    Pass(10);  // A ends and starts again, B has failed, D leaves the day
    J("A").AutoReschedule = 0;
    J("F").Status = JobStatus::EndForced;  // as forcing its events entry does
    Pass(10);
  }

  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (const TimelineRun& run : DayTimeline(*engine, s, clock.Now()).runs) {
      std::string row = run.job + " " + FormatDateTime(run.start, "hh:nn:ss") + "-" +
                        FormatDateTime(run.end, "hh:nn:ss") + " " +
                        std::string(OutcomeText(run.outcome));
      if (!run.fail_text.empty()) row += "(" + run.fail_text + ")";
      rows.push_back(row + (run.rescheduled ? ", rescheduled" : ""));
    }
    return rows;
  }
};

TEST_F(DayTimelineTest, EveryRunOfTheDayWithItsOutcome) {
  RunTheDay();
  EXPECT_EQ(Rows(), (std::vector<std::string>{
                        "A 06:00:00-06:00:15 Completed, rescheduled",
                        "B 06:00:00-06:00:15 Failed(ERROR here)",
                        "C 06:00:00-06:00:00 Submission failed",
                        "E 06:00:00-06:00:25 Running",  // drawn to now
                        "F 06:00:00-06:00:25 Forced completion",
                        "A 06:00:15-06:00:25 Completed",
                        "D 06:00:15-06:00:15 Unscheduled",
                    }));
}

// After a restart the engine's record is gone; the runs that ended are read
// back from the starts and ends the schedule file kept, the last of each job
// (without the failure's text, which the file does not keep). C is tried
// again, and fails again.
TEST_F(DayTimelineTest, ARestartKeepsWhatTheScheduleFileKnows) {
  RunTheDay();
  Restart();
  EXPECT_EQ(Rows(), (std::vector<std::string>{
                        "B 06:00:00-06:00:15 Failed",
                        "E 06:00:00-06:00:25 Running",
                        "F 06:00:00-06:00:25 Completed",
                        "A 06:00:15-06:00:25 Completed",
                        "C 06:00:25-06:00:25 Submission failed",
                    }));
  engine->DoNextDay();
  EXPECT_TRUE(engine->finished_runs().empty());
}

}  // namespace
}  // namespace qlr
