// Real `true` and `false` jobs run through the execution window: the kick
// timer and the job-end watch drive the passes until the day is complete.
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "platform/process_launcher_posix.h"
#include "support/fake_clock.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"
#include "ui/execution_window.h"

namespace qlr {
namespace {

constexpr int kPatienceMs = 20000;  // generous: the machine may be busy

struct RealRun {
  testing::TempDir dir;
  Schedule s;
  testing::RunningClock clock;  // a fixed day: the run never meets midnight
  testing::ScriptedOperator op;
  RunLog log{s, clock, op};
  PosixProcessLauncher launcher;
  RecordingMessages messages;
  testing::RecordingDesktop desktop;
  GuiContext gui{s, log, op, desktop, clock};

  // GOOD runs `true`, BAD `false`, AFTER `true` after GOOD. With KickOnJobEnd the
  // timer is made too slow to matter: job ends drive the passes.
  explicit RealRun(bool kick_on_job_end) {
    s.IniFile = dir.Write("run.ini", kick_on_job_end ? "[Quillrun]\r\nTimerSecs=600\r\n"
                                                     : "[Quillrun]\r\nTimerSecs=1\r\n");
    s.ScheduleName = "REAL";
    s.ScheduleFile = dir.File("run.sch");
    s.LogFile = dir.File("run.log");
    s.TriggerPath = s.TrackerPath = s.JobOutputPath = dir.path();
    s.FailOnExitCode = true;
    s.KickOnJobEnd = kick_on_job_end;
    s.RunDate = DateOnly(clock.Now());  // with DayStart 00:00 the day rolls over in 12 hours
    for (const char* name : {"GOOD", "BAD", "AFTER"}) {
      Job& job = s.Jobs.emplace_back();
      job.JobName = name;
      job.Group = "General";
      job.CommandLine = name[0] == 'B' ? "false" : "true";
      job.Frequency = "Daily";
    }
    s[3].RunAfter = {"GOOD"};  // no conditions given: after success
  }
};

}  // namespace

class ExecutionRunTest : public QObject {
  Q_OBJECT

 private slots:
  void JobsRunToTheEndOfTheDay_data() {
    QTest::addColumn<bool>("kick_on_job_end");
    QTest::newRow("timer") << false;
    QTest::newRow("job end") << true;
  }

  void JobsRunToTheEndOfTheDay() {
    QFETCH(bool, kick_on_job_end);
    RealRun run(kick_on_job_end);
    ExecutionWindow w(run.gui, run.launcher, run.messages, {});
    w.show();

    QTRY_VERIFY_WITH_TIMEOUT(w.nextDayButton()->isEnabled(), kPatienceMs);
    QCOMPARE(run.s[1].Status, JobStatus::Completed);
    QCOMPARE(run.s[2].StatusText, std::string("Failed"));
    QCOMPARE(run.s[3].Status, JobStatus::Completed);
    QVERIFY(run.op.told.empty());

    w.exitButton()->click();  // a complete day closes without a question
    QVERIFY(run.op.asked.empty() && w.closed());
    QVERIFY(run.dir.Read("run.log").find("Schedule Completed at ") != std::string::npos);
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::ExecutionRunTest)
#include "execution_run_test.moc"
