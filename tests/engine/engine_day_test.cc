// The day's summary, restart from the run state, rollover and closing.

#include "base/date_format.h"
#include "store/profile_file.h"
#include "support/engine_fixture.h"

namespace qlr {
namespace {

using DayTest = testing::EngineFixture;

TEST_F(DayTest, SummaryListsEveryCategoryAndCounts) {
  const DateTime today = MakeDateTime(2026, 12, 4, 1, 0, 0);
  Add("NEW");
  Job& done = Add("DONE");
  done.StartedAt = today, done.EndedAt = today + 60;
  Job& left = Add("LEFT");  // running when the program stopped, followed until forced
  left.StartedAt = today, left.Process = {7, 0, 4242, 4242};
  launcher.Adopt(4242, 3600);
  Add("SATONLY", "Sat");
  Job& off = Add("OFF");
  off.OverrideCode = "U";
  options.ShowEvents = true;
  Open();

  const std::vector<std::string> expected = {
      "Schedule for Friday 4 Dec 2026 ----------------------------------------",
      "SATONLY  (Sat)\tnot scheduled",
      "",
      "DONE     (Daily)\tpreviously completed",
      "",
      "OFF      (Daily)\tpreviously unscheduled",
      "",
      "LEFT     (Daily)\tpreviously submitted",
      "",
      "NEW      (Daily)\tscheduled",
      "",
      "1 Job(s) previously completed.",
      "1 Job(s) previously submitted.",
      "1 Job(s) scheduled.",
      ""};
  ASSERT_GE(List().size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(List().begin(), List().begin() + expected.size()), expected);
  EXPECT_EQ(EventTexts(), std::vector<std::string>{"LEFT    \tForce Completion"});
  EXPECT_TRUE(engine->window().events_shown);
  EXPECT_EQ(dir.Read("NEW.trk").rfind("Started,TEST,", 0), 0u);  // "Scheduled", then submitted

  op.AnswerNext(Answer::Yes);
  engine->ForceEvent(PaneRow{0});
  EXPECT_TRUE(Listed("LEFT\tForced completion at 06:00:00"));
  EXPECT_TRUE(Listed("LEFT    \tCompleted at 06:00:00 (Duration 05:00:00)"));
  EXPECT_TRUE(EventTexts().empty());
  EXPECT_TRUE(launcher.terminated.empty());  // forcing never touches the process
}

TEST_F(DayTest, FailedAndEndedJobsFromBeforeTheStart) {
  s.ShowFailedJobsWarning = true;
  Job& bad = Add("BAD");  // as the reader gives a job that failed today
  bad.StartedAt = MakeDateTime(2026, 12, 4, 1, 0, 0), bad.EndedAt = bad.StartedAt + 5;
  bad.FailedFlag = true, bad.Status = JobStatus::Failed;
  Job& gone = Add("GONE");  // its process ended while the program was down; Add() may move `bad`
  gone.StartedAt = MakeDateTime(2026, 12, 4, 1, 0, 0), gone.Process = {7, 0, 4343, 4343};
  Open();
  EXPECT_EQ(J("GONE").Status, JobStatus::Completed);
  EXPECT_TRUE(Listed("BAD      (Daily)\tprevious execution failed"));
  EXPECT_TRUE(Listed("1 Job(s) previously failed."));
  EXPECT_TRUE(Listed("0 Job(s) scheduled."));
  EXPECT_TRUE(engine->window().failure_warning_visible);
  EXPECT_TRUE(launcher.started.empty());
}

// However a failure is found, a restart for the same run date reads the job
// back as failed: it does not run again, and its dependents act on the failure.
TEST_F(DayTest, FailuresSurviveARestart) {
  const struct {
    const char* how;
    testing::FakeOutcome outcome;
    bool fail_on_exit_code = false;
    bool restart_while_stopping = false;
  } cases[] = {
      {"an error text while it runs", {{"FATAL: boom"}, 3600}},
      {"an error text in its last output", {{"FATAL: boom"}, 1}},
      {"its exit code", {{}, 1, 3}, true},
      {"a signal", {{}, 1, 0, false, 9}, true},
      {"a restart while it is being stopped", {{"FATAL: boom"}, 3600}, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    s.ClearJobs();
    launcher.ClearScript();
    launcher.started.clear();
    clock.Set(MakeDateTime(2026, 12, 4, 6, 0, 0));
    s.FailOnExitCode = c.fail_on_exit_code;
    Scripted("A", c.outcome);
    After(Add("WAITS"), "A");
    After(Add("GOESOFF"), "A", 'S', 'Y');
    After(Add("ONFAIL"), "A", 'F');
    Open();
    Pass(2);                                 // A's failure is seen
    if (!c.restart_while_stopping) Pass(2);  // its end recorded, ONFAIL run
    Restart();
    Pass(2);
    Pass(2);
    EXPECT_EQ(J("A").Status, JobStatus::Failed);
    EXPECT_EQ(Listed("A        (Daily)\tprevious execution failed"), !c.restart_while_stopping);
    EXPECT_EQ(Text("WAITS"), "Wait Job (A(S) - Failed)");
    EXPECT_EQ(J("GOESOFF").Status, JobStatus::Unscheduled);
    EXPECT_EQ(J("ONFAIL").Status, JobStatus::Completed);
    EXPECT_EQ(std::count_if(launcher.started.begin(), launcher.started.end(),
                            [](const LaunchRequest& r) { return r.command_line == "run A"; }),
              1);
  }
}

TEST_F(DayTest, ForcingAFileEventSubmitsTheJob) {
  Add("WAIT").WaitFile = dir.File("never.flag");
  Open();
  clock.Set(MakeDateTime(2026, 12, 4, 6, 30, 0));
  op.AnswerNext(Answer::Yes);
  engine->ForceEvent(PaneRow{0});
  engine->ForceEvent(
      PaneRow{0});  // the question is asked once per window; the entry is gone anyway
  ASSERT_EQ(op.asked.size(), 1u);
  EXPECT_NE(op.asked[0].find("Proceed to trigger the event(WAIT    \tFile("), std::string::npos);
  EXPECT_TRUE(Listed("WAIT\tForced file trigger at 06:30:00"));
  EXPECT_EQ(J("WAIT").Status, JobStatus::Running);
  EXPECT_FALSE(engine->window().trigger_event_enabled);
}

TEST_F(DayTest, CompletedDayRollsOverAtItsMoment) {
  s.DayStart = 6 * 3600;
  s.RunDate = MakeDate(2026, 3, 3);
  clock.Set(MakeDateTime(2026, 3, 3, 21, 0, 0));
  Add("A").CommandLine = "";
  Open();
  Pass();
  EXPECT_TRUE(
      Listed("Schedule Completed at 21:00:00.  Time to automatic next day rollover: 09:00:00"));
  EXPECT_EQ(IniRead("Quillrun", "LastCompleted", s.IniFile), "3 Mar 2026");
  EXPECT_TRUE(engine->window().next_day_enabled);
  EXPECT_FALSE(engine->window().suspend_enabled);
  clock.Set(MakeDateTime(2026, 3, 4, 6, 0, 0));
  Pass();
  EXPECT_EQ(s.RunDate, MakeDate(2026, 3, 3));  // not later than the moment yet
  Pass(1);
  EXPECT_EQ(s.RunDate, MakeDate(2026, 3, 4));
  EXPECT_TRUE(Listed("End of day for Tuesday 3 Mar 2026 ----------------------------------------"));
  EXPECT_TRUE(Listed("Schedule for Wednesday 4 Mar 2026 ----------------------------------------"));
}

TEST_F(DayTest, RolloverWaitsForRunningAndDeferredJobs) {
  struct Case {
    const char* what;
    bool running;
    bool defer_waiting;
    bool rolls;
  } cases[] = {
      {"nothing holds it", false, false, true},
      {"a job runs", true, false, false},
      {"a Defer R/O job waits for its file", false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    s.ClearJobs();
    clock.Set(MakeDateTime(2026, 12, 4, 6, 0, 0));
    s.RunDate = MakeDate(2026, 12, 4);
    Job& other = Add("OTHER");
    other.WaitFile = dir.File("never");  // a waiting job never holds the rollover
    if (c.running) Scripted("LONG", {{}, 2 * 86400});
    if (c.defer_waiting) {
      Job& d = Add("DEFER");
      d.DeferRollover = true, d.WaitFile = dir.File("never.too");
    }
    Open();
    Pass(86400 + 1);
    Pass();
    EXPECT_EQ(s.RunDate == MakeDate(2026, 12, 5), c.rolls);
  }
}

TEST_F(DayTest, DummyRunRollsOverToToday) {
  s.DummyRun = true;
  s.RunDate = MakeDate(2026, 11, 1);
  Add("A").CommandLine = "";
  Open();
  Pass();
  Pass(86400 * 40);
  EXPECT_EQ(s.RunDate, MakeDate(2027, 1, 13));  // the fake clock's date, not 2 Nov
  EXPECT_NE(dir.Read("run.log").find("(Dummy Run) "), std::string::npos);
}

TEST_F(DayTest, ManualRolloverAndClosingAsk) {
  Add("A").WaitFile = dir.File("never");
  Open();
  engine->NextDay();  // the script answers No
  EXPECT_EQ(s.RunDate, MakeDate(2026, 12, 4));
  EXPECT_EQ(op.titles.back(), "Roll Over");
  op.AnswerNext(Answer::Yes);
  engine->NextDay();
  EXPECT_EQ(s.RunDate, MakeDate(2026, 12, 5));

  EXPECT_FALSE(engine->Close());  // Cancel keeps the window open
  EXPECT_NE(op.asked.back().find("OK to Exit?"), std::string::npos);
  int before = saves;
  op.AnswerNext(Answer::Ok);
  EXPECT_TRUE(engine->Close());
  EXPECT_EQ(saves, before + 1);
  EXPECT_NE(dir.Read("run.log").find(" Closing\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qlr
