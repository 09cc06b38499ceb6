// Real `true` and `false` jobs run through the execution window: the kick
// timer and the job-end watch drive the passes until the day is complete.
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "base/clock.h"
#include "platform/process_launcher_posix.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"
#include "ui/execution_window.h"

namespace qlr {
namespace {

using testing::RecordingDesktop;
using testing::ScriptedOperator;
using testing::TempDir;

constexpr int kPatienceMs = 20000;  // generous: the machine may be busy

struct RealRun {
  TempDir dir;
  Schedule s;
  SystemClock clock;
  ScriptedOperator op;
  RunLog log{s, clock, op};
  PosixProcessLauncher launcher;
  RecordingMessages messages;
  RecordingDesktop desktop;
  GuiContext gui{s, log, op, desktop, clock};

  // With KickOnJobEnd the timer is made too slow to matter: job ends drive the passes.
  explicit RealRun(bool kick_on_job_end) {
    s.IniFile = dir.Write("run.ini", kick_on_job_end ? "[Quillrun]\r\nTimerSecs=600\r\n"
                                                     : "[Quillrun]\r\nTimerSecs=1\r\n");
    s.ScheduleName = "REAL";
    s.ScheduleFile = dir.File("run.sch");
    s.LogFile = dir.File("run.log");
    s.TriggerPath = s.TrackerPath = s.JobOutputPath = dir.path();
    s.FailOnExitCode = true;
    s.KickOnJobEnd = kick_on_job_end;
    s.RunDate = DateOnly(clock.Now());
  }

  Job& Add(const std::string& name, const std::string& command) {
    Job& job = s.Jobs.emplace_back();
    job.JobName = name;
    job.Group = "General";
    job.CommandLine = command;
    job.Frequency = "Daily";
    return job;
  }

  JobStatus Status(int job) const { return s[job].Status; }
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
    run.Add("GOOD", "true");
    run.Add("BAD", "false");
    Job& after = run.Add("AFTER", "true");
    after.RunAfter.push_back("GOOD");
    after.DepConditions = "S";
    after.DepAutoUnsched = " ";
    ExecutionWindow w(run.gui, run.launcher, run.messages, {});
    w.show();

    QTRY_VERIFY_WITH_TIMEOUT(run.Status(1) == JobStatus::Completed, kPatienceMs);
    QTRY_VERIFY_WITH_TIMEOUT(run.Status(2) == JobStatus::Failed, kPatienceMs);
    QTRY_VERIFY_WITH_TIMEOUT(run.Status(3) == JobStatus::Completed, kPatienceMs);
    QTRY_VERIFY_WITH_TIMEOUT(w.nextDayButton()->isEnabled(), kPatienceMs);
    QCOMPARE(run.s[2].StatusText, std::string("Failed"));
    QVERIFY(run.op.told.empty());

    w.exitButton()->click();  // a complete day closes without a question
    QVERIFY(run.op.asked.empty());
    QVERIFY(w.closed());
    QVERIFY(run.dir.Read("run.log").find("Schedule Completed at ") != std::string::npos);
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::ExecutionRunTest)
#include "execution_run_test.moc"
