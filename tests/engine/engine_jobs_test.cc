// Submission and completion: the log lines, failure detection, hand-offs to
// trigger, tracker and message files, rescheduling and the kick interval.

#include "base/date_format.h"
#include "model/constants.h"
#include "support/engine_fixture.h"

namespace qlr {
namespace {

using JobsTest = testing::EngineFixture;

TEST_F(JobsTest, ASuccessfulRunLeavesItsTraces) {
  Job& a = Scripted("A", {{"all fine"}, 5});
  a.Frequency = "Workdays", a.TriggerFile = kStandardTriggerMark;
  a.NormalMailTo = "ops", a.AbnormalMailTo = "oncall";
  Open();
  EXPECT_TRUE(Listed("A        (Workdays) \tSubmitted at 06:00:00"));
  EXPECT_EQ(launcher.started.at(0).output_path, dir.File("A.out"));
  Pass(3);
  EXPECT_EQ(J("A").Status, JobStatus::Running);
  Pass(3);
  EXPECT_TRUE(Listed("A       \tCompleted at 06:00:06 (Duration 00:00:06)"));
  EXPECT_EQ(J("A").LastDuration, 6);
  EXPECT_EQ(dir.Read("A.trk"), "Completed,TEST,4 Dec 2026 06:00:06\r\n");
  EXPECT_EQ(dir.Read("A.trg"), "Trigger file for job A written at 4 Dec 2026 06:00:06\r\n");
  ASSERT_EQ(messages.requests.size(), 1u);
  EXPECT_EQ(messages.requests[0].to, "ops");
  EXPECT_GE(saves, 2);  // after the submission and after the end
}

TEST_F(JobsTest, AnErrorTextStopsTheJobAndFailsIt) {
  s.ShowFailedJobsWarning = true;
  Job& a = Scripted("A", {{"step 1", "Fatal: disk full"}, 3600});
  a.AbnormalMailTo = "oncall", a.Critical = true, a.TriggerFile = dir.File("after.trg");
  Open();
  Pass(2);  // the error text is seen: the job is asked to stop
  EXPECT_EQ(launcher.terminated.size(), 1u);
  EXPECT_EQ(J("A").Status, JobStatus::Running);
  EXPECT_TRUE(J("A").FailedFlag);
  EXPECT_EQ(engine->window().timer_interval_ms, 1000);  // look again soon
  Pass(1);
  EXPECT_TRUE(Listed("A       \tFailed(Fatal: disk full)"));
  EXPECT_TRUE(Listed("A       \tFailed at 06:00:03 (Duration 00:00:03)"));
  EXPECT_EQ(J("A").Status, JobStatus::Failed);
  EXPECT_TRUE(engine->window().failure_warning_visible);
  ASSERT_EQ(messages.requests.size(), 1u);
  EXPECT_EQ(messages.requests[0].to, "oncall");
  EXPECT_TRUE(messages.requests[0].callout);
  EXPECT_FALSE(dir.Read("after.trg").empty());  // written after a failure too
}

TEST_F(JobsTest, ExitCodesFailOnlyWhenAsked) {
  struct Case {
    bool fail_on_exit_code;
    int exit_code;
    JobStatus expected;
    const char* line;
  } cases[] = {
      {false, 3, JobStatus::Completed, "A       \tCompleted at 06:00:01 (Duration 00:00:01)"},
      {true, 0, JobStatus::Completed, "A       \tCompleted at 06:00:01 (Duration 00:00:01)"},
      {true, 3, JobStatus::Failed, "A       \tFailed(Exit code 3)"},
  };
  for (const auto& c : cases) {
    s.ClearJobs();
    s.FailOnExitCode = c.fail_on_exit_code;
    Scripted("A", {{}, 0, c.exit_code});
    clock.Set(MakeDateTime(2026, 12, 4, 6, 0, 0));
    Open();
    Pass(1);
    EXPECT_EQ(J("A").Status, c.expected);
    EXPECT_TRUE(Listed(c.line)) << c.line;
  }
}

TEST_F(JobsTest, DosProgramsRunThroughTheShellWithoutComspec) {
  unsetenv("COMSPEC");
  Add("A").IsDosProgram = true;
  Add("B");
  Open();
  ASSERT_EQ(launcher.started.size(), 2u);
  EXPECT_TRUE(launcher.started[0].use_shell);
  EXPECT_FALSE(launcher.started[1].use_shell);
  setenv("COMSPEC", "/usr/bin/cmd", 1);  // read as the run day begins
  J("A").StartedAt = 0;
  Open();
  EXPECT_EQ(launcher.started.back().command_line, "/usr/bin/cmd /C run A");
  unsetenv("COMSPEC");
}

TEST_F(JobsTest, ListTipsNameTheJobsDescription) {
  Add("A").Description = "Nightly extract";
  Add("B");
  Open();
  auto row_of = [&](const std::string& line) {
    return PaneRow{
        static_cast<int>(std::find(List().begin(), List().end(), line) - List().begin())};
  };
  EXPECT_EQ(engine->ListTip(row_of("A        (Daily)\tscheduled")), "Nightly extract");
  EXPECT_EQ(engine->ListTip(row_of("B        (Daily)\tscheduled")), "B        (Daily) scheduled");
  engine->Activated();
  EXPECT_EQ(WindowCaption(engine->window(), s), "Verlando. - " + s.VersionText);
}

TEST_F(JobsTest, SubmissionFailureIsLoggedAndNotRetried) {
  s.ShowFailedJobsWarning = true;
  Scripted("A", {{}, 0, 0, true}).Frequency = "Mon Fri";
  Open();
  EXPECT_TRUE(Listed("A(Mon Fri) \tSubmission failed at 06:00:00"));
  EXPECT_EQ(J("A").StatusText, "Submit Failed");
  EXPECT_TRUE(engine->window().failure_warning_visible);
  Pass(5);
  EXPECT_EQ(launcher.started.size(), 1u);
}

TEST_F(JobsTest, JobsWithoutAProcessEndAtTheNextPass) {
  Add("EMPTY").CommandLine = "  ";
  Scripted("ONLY").SubmitOnly = true;
  Open();
  EXPECT_TRUE(Listed("EMPTY    (Daily) \tSubmitted at 06:00:00"));
  EXPECT_EQ(launcher.started.size(), 1u);               // only the submit-only job starts anything
  EXPECT_EQ(engine->window().timer_interval_ms, 1000);  // a submit-only job calls for a quick look
  Pass(1);
  EXPECT_EQ(J("EMPTY").Status, JobStatus::Completed);
  EXPECT_EQ(J("ONLY").Status, JobStatus::Completed);
}

TEST_F(JobsTest, AutoRescheduleByCondition) {
  struct Case {
    AutoResched when;
    bool fails;
    bool rescheduled;
  } cases[] = {
      {AutoResched::Never, false, false},  {AutoResched::Success, false, true},
      {AutoResched::Success, true, false}, {AutoResched::Failure, false, false},
      {AutoResched::Failure, true, true},  {AutoResched::Always, true, true},
  };
  for (const auto& c : cases) {
    s.ClearJobs();
    Scripted("A", {{c.fails ? "ERROR" : "ok"}, 0}).AutoReschedule = static_cast<uint8_t>(c.when);
    Open();
    Pass(1);
    EXPECT_EQ(J("A").StatusText == "Rescheduled" || J("A").Status == JobStatus::Running,
              c.rescheduled)
        << static_cast<int>(c.when) << " " << c.fails;
    EXPECT_EQ(Listed("A       \tRescheduled at " + FormatDateTime(clock.Now(), "hh:nn:ss")),
              c.rescheduled);
  }
}

TEST_F(JobsTest, KickIntervalFollowsWhatRuns) {
  Scripted("A", {{}, 100}).LastDuration = 4;
  Add("B").WaitFile = dir.File("never");
  Open();
  EXPECT_EQ(engine->window().timer_interval_ms, 2000);  // half of A's last run
  EXPECT_EQ(KickLabel(engine->window()), "10/2 seconds");
  J("A").LastDuration = 60;
  Pass(1);
  EXPECT_EQ(engine->window().timer_interval_ms, 10000);  // TimerSecs
  Pass(100);
  EXPECT_EQ(engine->window().timer_interval_ms, 5000);  // nothing runs
  engine->ToggleKickInterval();
  EXPECT_EQ(engine->window().timer_interval_ms, 10000);
  engine->ToggleKickInterval();
  EXPECT_EQ(engine->window().timer_interval_ms, 5000);
  EXPECT_EQ(KickLabel(engine->window()), "10/5 seconds");
}

TEST_F(JobsTest, DummyRunCommandsAndStamps) {
  s.DummyRun = true;
  s.RunDate = MakeDate(2026, 11, 30);
  s.DummyProg = "/opt/q/QLRDummy";
  s.DummyModel = std::string(kDefaultDummyModel);
  Job& a = Add("PAY1");
  a.CommandLine = "a \"b\"", a.NormalMailTo = "ops";
  Open();
  EXPECT_EQ(launcher.started.at(0).command_line,
            "/opt/q/QLRDummy JN=PAY1,CL=\"a b\",F=\"Daily\",OTT=ON,RES=S,GO=Y");
  EXPECT_EQ(J("PAY1").StartedAt, MakeDateTime(2026, 11, 30, 6, 0, 0));  // the run date, now's time
  Pass(1);
  EXPECT_TRUE(messages.requests.empty());  // no normal message unless asked for
  EXPECT_EQ(J("PAY1").LastDuration, 30);   // a rehearsal does not change it
}

TEST_F(JobsTest, SuspendStopsSubmissionsOnly) {
  s.StartSuspended = true;
  Add("A");
  Open();
  EXPECT_TRUE(engine->window().suspend_highlighted && launcher.started.empty());
  engine->ToggleSuspend();
  EXPECT_EQ(SuspendCaption(engine->window()), "&Suspend");
  Pass();
  EXPECT_EQ(launcher.started.size(), 1u);
}

}  // namespace
}  // namespace qlr
