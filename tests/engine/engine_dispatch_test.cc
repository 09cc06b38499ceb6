// The dispatch tests of a waiting job and the texts it waits with.

#include "engine_fixture.h"

namespace qlr {
namespace {

using testing::EngineFixture;
using testing::FakeOutcome;

using DispatchTest = EngineFixture;

TEST_F(DispatchTest, WaitTexts) {
  struct Case {
    const char* what;
    std::function<void(DispatchTest&)> build;  // B is the job under test
    const char* status_text;
  };
  const FakeOutcome hour{{}, 3600};
  const Case cases[] = {
      {"earliest start", [](DispatchTest& t) { t.Add("B").EarliestStart = "22:00"; }, "Too early (22:00)"},
      {"running predecessor",
       [&](DispatchTest& t) {
         t.launcher.Script("run A", hour);
         t.Add("A");
         After(t.Add("B"), "A");
       },
       "Wait Job (A(S) - Running)"},
      {"predecessor of a predecessor",
       [&](DispatchTest& t) {
         t.launcher.Script("run A", hour);
         t.Add("A");
         After(t.Add("M"), "a");  // names compare without regard to case
         After(t.Add("B"), "M");
       },
       "Wait Job (M(S) - Not Started, A(S) - Running)"},
      {"failed predecessor, after success",
       [](DispatchTest& t) {
         t.launcher.Script("run A", {{"an ERROR here"}, 0});
         t.Add("A");
         After(t.Add("B"), "A");
       },
       "Wait Job (A(S) - Failed)"},
      {"completed predecessor, after failure",
       [](DispatchTest& t) {
         t.Add("A");
         After(t.Add("B"), "A", 'F');
       },
       "Wait Job (A(F) - Succeeded)"},
      {"exclusivity shared",
       [&](DispatchTest& t) {
         t.launcher.Script("run A", hour);
         t.Add("A").Exclusivity = "DB";
         t.Add("B").Exclusivity = "TAPE  db";
       },
       "Wait Excl (TAPE  db)"},
      {"CPU",
       [&](DispatchTest& t) {
         t.s.CpuLimit = 100;
         t.launcher.Script("run A", hour);
         t.Add("A").CpuUsage = 60;
         t.Add("B").CpuUsage = 50;
       },
       "Wait CPU"},
      {"DOS serialisation",
       [&](DispatchTest& t) {
         t.s.SerialiseDosJobs = true;
         t.launcher.Script("run A", hour);
         t.Add("A").IsDosProgram = true;
         t.Add("B").IsDosProgram = true;
       },
       "Wait DOS"},
      {"external file", [](DispatchTest& t) { t.Add("B").WaitFile = " /no/such/file "; }, "Wait File (/no/such/file)"},
      {"standard trigger", [](DispatchTest& t) { t.Add("B").WaitFile = ".. PAY1"; }, "Wait Trigger (PAY1)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    s.ClearJobs();
    launcher.ClearScript();
    c.build(*this);
    Open();
    Pass(5);  // the predecessors end or keep running
    EXPECT_EQ(J("B").Status, JobStatus::Scheduled);
    EXPECT_EQ(J("B").StatusText, c.status_text);
  }
}

TEST_F(DispatchTest, JobsThatMayRunTogether) {
  struct Case {
    const char* what;
    std::function<void(DispatchTest&)> build;
  };
  const FakeOutcome hour{{}, 3600};
  const Case cases[] = {
      {"exclusivity names are whole words",
       [&](DispatchTest& t) {
         t.launcher.Script("run A", hour);
         t.Add("A").Exclusivity = "DBX";
         t.Add("B").Exclusivity = "DB";
       }},
      {"ignoring the CPU limit",
       [&](DispatchTest& t) {
         t.s.CpuLimit = 100;
         t.options.IgnoreCpuLimit = true;
         t.launcher.Script("run A", hour);
         t.Add("A").CpuUsage = 60;
         t.Add("B").CpuUsage = 50;
       }},
      {"unconditional after a failure",
       [](DispatchTest& t) {
         t.launcher.Script("run A", {{"FATAL: disk"}, 0});
         t.Add("A");
         After(t.Add("B"), "A", 'U');
       }},
      {"forced submission skips the waits but the file",
       [](DispatchTest& t) {
         Job& b = t.Add("B");
         b.EarliestStart = "23:00";
         b.OverrideCode = "S";
       }},
      {"a dummy run ignores the start time and the file",
       [](DispatchTest& t) {
         t.s.DummyRun = true;
         t.s.DummyProg = "/bin/QLRDummy";
         t.s.DummyModel = "%DummyProg% JN=%JobName%";
         Job& b = t.Add("B");
         b.EarliestStart = "23:00";
         b.WaitFile = "/no/such/file";
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
  launcher.Script("run A", {{"ERROR 42"}, 0});
  Add("A");
  After(Add("B"), "A", 'S', 'Y');
  Open();
  Pass(1);  // A fails, and B can no longer run
  EXPECT_EQ(J("B").Status, JobStatus::Unscheduled);
  EXPECT_TRUE(Listed("B\tUnscheduled at 06:00:01"));
  EXPECT_EQ(dir.Read("B.trk").rfind("Unscheduled,TEST,", 0), 0u);
}

TEST_F(DispatchTest, WaitFileHasOneEventUntilItAppears) {
  Job& b = Add("B");
  b.WaitFile = dir.File("go.flag");
  b.DeleteWaitFile = true;
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
  ASSERT_EQ(engine->window().events.size(), 1u);
  EXPECT_EQ(engine->window().events[0].key, 0);
}

TEST_F(DispatchTest, StatusReportListsEveryReason) {
  s.CpuLimit = 100;
  launcher.Script("run A", {{}, 3600});
  Add("A").CpuUsage = 60;
  Job& b = Add("B");
  b.CpuUsage = 50;
  b.EarliestStart = "22:00";
  Open();
  ASSERT_EQ(engine->window().unsubmitted.size(), 1u);
  EXPECT_EQ(engine->UnsubText(0), "B       \tToo early (22:00)");
  EXPECT_EQ(engine->StatusReport(0), "Too early (22:00),Wait CPU");
  EXPECT_EQ(op.told.back(), "Job B        status: Too early (22:00),Wait CPU");
}

TEST_F(DispatchTest, ForcedSubmissionIsAskedOnceThenToldAgain) {
  Add("B").EarliestStart = "22:00";
  Open();
  op.AnswerNext(Answer::Yes);
  engine->ForceSubmit(0);
  EXPECT_EQ(op.asked.back(), "Force submit job B?");
  EXPECT_TRUE(Listed("Job B scheduled for forced submission."));
  engine->ForceSubmit(0);
  EXPECT_EQ(op.told.back(), "Job B already scheduled for forced submission.  Check Events Window.");
  Pass();
  EXPECT_EQ(J("B").Status, JobStatus::Running);
}

}  // namespace
}  // namespace qlr
