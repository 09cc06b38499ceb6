// The dispatch tests of a waiting job and the texts it waits with.

#include "support/engine_fixture.h"

namespace qlr {
namespace {

using DispatchTest = testing::EngineFixture;

// B is the job under test in both tables.
using Build = std::function<void(DispatchTest&)>;

TEST_F(DispatchTest, WaitTexts) {
  const struct {
    const char* status_text;
    Build build;
  } cases[] = {
      {"Too early (22:00)", [](auto& t) { t.Add("B").EarliestStart = "22:00"; }},
      {"Wait Job (A(S) - Running)", [](auto& t) { t.Scripted("A"), After(t.Add("B"), "A"); }},
      {"Wait Job (M(S) - Not Started, A(S) - Running)",  // names compare without regard to case
       [](auto& t) { t.Scripted("A"), After(t.Add("M"), "a"), After(t.Add("B"), "M"); }},
      {"Wait Job (A(S) - Failed)",
       [](auto& t) {
         t.Scripted("A", {{"an ERROR here"}, 0}), After(t.Add("B"), "A");
       }},
      {"Wait Job (A(F) - Succeeded)", [](auto& t) { t.Add("A"), After(t.Add("B"), "A", 'F'); }},
      {"Wait Excl (TAPE  db)",
       [](auto& t) { t.Scripted("A").Exclusivity = "DB", t.Add("B").Exclusivity = "TAPE  db"; }},
      {"Wait CPU",
       [](auto& t) { t.s.CpuLimit = 99, t.Scripted("A").CpuUsage = 60, t.Add("B").CpuUsage = 45; }},
      {"Wait DOS",
       [](auto& t) {
         t.s.SerialiseDosJobs = true;
         t.Scripted("A").IsDosProgram = true, t.Add("B").IsDosProgram = true;
       }},
      {"Wait File (/no/such/file)", [](auto& t) { t.Add("B").WaitFile = " /no/such/file "; }},
      {"Wait Trigger (PAY1)", [](auto& t) { t.Add("B").WaitFile = ".. PAY1"; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status_text);
    s.ClearJobs();
    launcher.ClearScript();
    c.build(*this);
    Open();
    Pass(5);  // the predecessors end or keep running
    EXPECT_EQ(J("B").Status, JobStatus::Scheduled);
    EXPECT_EQ(Text("B"), c.status_text);
  }
}

TEST_F(DispatchTest, JobsThatMayRunTogether) {
  const struct {
    const char* what;
    Build build;
  } cases[] = {
      {"exclusivity names are whole words",
       [](auto& t) { t.Scripted("A").Exclusivity = "DBX", t.Add("B").Exclusivity = "DB"; }},
      {"ignoring the CPU limit",
       [](auto& t) {
         t.s.CpuLimit = 100, t.options.IgnoreCpuLimit = true;
         t.Scripted("A").CpuUsage = 60, t.Add("B").CpuUsage = 50;
       }},
      {"unconditional after a failure",
       [](auto& t) {
         t.Scripted("A", {{"FATAL: disk"}, 0}), After(t.Add("B"), "A", 'U');
       }},
      {"forced submission skips the waits but the file",
       [](auto& t) {
         Job& b = t.Add("B");
         b.EarliestStart = "23:00", b.OverrideCode = "S";
       }},
      {"a dummy run ignores the start time and the file",
       [](auto& t) {
         t.s.DummyRun = true, t.s.DummyProg = "/bin/QLRDummy";
         t.s.DummyModel = "%DummyProg% JN=%JobName%";
         Job& b = t.Add("B");
         b.EarliestStart = "23:00", b.WaitFile = "/no/such/file";
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    s.ClearJobs();
    launcher.ClearScript();
    options = {};
    s.DummyRun = false;
    c.build(*this);
    Open();
    Pass(5);
    Pass(5);
    EXPECT_NE(J("B").Status, JobStatus::Scheduled) << J("B").StatusText;
  }
}

TEST_F(DispatchTest, EarliestStartBeforeTheDayStartMeansTheNextMorning) {
  s.DayStart = 6 * 3600;
  clock.Set(MakeDateTime(2026, 12, 4, 23, 0, 0));
  Add("B").EarliestStart = "02:00";
  Open();
  EXPECT_EQ(J("B").StatusText, "Too early (02:00)");
  clock.Set(MakeDateTime(2026, 12, 5, 2, 0, 1));
  Pass();
  EXPECT_EQ(J("B").Status, JobStatus::Running);
}

TEST_F(DispatchTest, AutoUnscheduleWhenAPredecessorCanNoLongerSatisfy) {
  Scripted("A", {{"ERROR 42"}, 0});
  After(Add("B"), "A", 'S', 'Y');
  Open();
  Pass(1);  // A fails, and B can no longer run
  EXPECT_EQ(J("B").Status, JobStatus::Unscheduled);
  EXPECT_TRUE(Listed("B\tUnscheduled at 06:00:01"));
  EXPECT_EQ(dir.Read("B.trk").rfind("Unscheduled,TEST,", 0), 0u);
}

TEST_F(DispatchTest, WaitFileHasOneEventUntilItAppears) {
  Job& b = Add("B");
  b.WaitFile = dir.File("go.flag"), b.DeleteWaitFile = true;
  Add("C").WaitFile = "..PAY1";
  Open();
  Pass(5);
  Pass(5);
  EXPECT_EQ(EventTexts(), (std::vector<std::string>{"B       \tFile(" + dir.File("go.flag") + ")",
                                                    "C       \tFile Trigger(PAY1)"}));
  dir.Write("go.flag", "x");
  dir.Write("PAY1.trg", "x");
  Pass(5);
  EXPECT_EQ(J("B").Status, JobStatus::Running);
  EXPECT_EQ(J("C").Status, JobStatus::Running);
  EXPECT_TRUE(EventTexts().empty());
  EXPECT_EQ(dir.Read("go.flag"), "");  // consumed at submission
  EXPECT_EQ(dir.Read("PAY1.trg"), "x");
  Add("D").WaitFile = dir.File("later");  // a new entry after the list was emptied gets key 0
  engine->ScheduleChanged();
  Pass(5);
  ASSERT_EQ(engine->events().entries().size(), 1u);
  EXPECT_EQ(engine->events().entries()[0].key, 0);
}

TEST_F(DispatchTest, StatusReportThenForcedSubmission) {
  s.CpuLimit = 100;
  Scripted("A").CpuUsage = 60;
  Job& b = Add("B");
  b.CpuUsage = 50, b.EarliestStart = "22:00";
  Open();
  ASSERT_EQ(engine->window().unsubmitted.size(), 1u);
  EXPECT_EQ(engine->UnsubText(PaneRow{0}), "B       \tToo early (22:00)");
  EXPECT_EQ(engine->StatusReport(PaneRow{0}), "Too early (22:00),Wait CPU");
  EXPECT_EQ(op.told.back(), "Job B        status: Too early (22:00),Wait CPU");

  s.CpuLimit = 9999;
  op.AnswerNext(Answer::Yes);
  engine->ForceSubmit(PaneRow{0});  // asked once, then told
  EXPECT_EQ(op.asked.back(), "Force submit job B?");
  EXPECT_TRUE(Listed("Job B scheduled for forced submission."));
  engine->ForceSubmit(PaneRow{0});
  EXPECT_EQ(op.told.back(), "Job B already scheduled for forced submission.  Check Events Window.");
  Pass();
  EXPECT_EQ(J("B").Status, JobStatus::Running);
}

// The label above the unsubmitted pane tells of the chosen job as it is now,
// and is empty once no job is chosen (it started, or the day rolled over).
TEST_F(DispatchTest, UnsubmittedLabelFollowsTheChosenJob) {
  s.StartSuspended = true;
  Add("LATE").EarliestStart = "23:00";
  Add("OTHER").EarliestStart = "23:30";
  Open();
  const auto label = [this] { return UnsubLabel(*engine); };
  engine->SelectUnsubmitted(PaneRow{0});
  EXPECT_EQ(label(), "LATE    \tScheduled");
  engine->ToggleSuspend();
  Pass();
  EXPECT_EQ(label(), "LATE    \tToo early (23:00)");
  engine->StatusReport(PaneRow{0});
  clock.Set(MakeDateTime(2026, 12, 4, 23, 10, 0));
  Pass();
  EXPECT_EQ(label(), "");  // LATE runs
  engine->StatusReport(PaneRow{0});
  EXPECT_EQ(label(), "Too early (23:30)");
  op.AnswerNext(Answer::Yes);
  engine->NextDay();
  EXPECT_EQ(label(), "");
}

}  // namespace
}  // namespace qlr
