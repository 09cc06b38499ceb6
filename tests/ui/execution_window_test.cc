// The execution window over a small schedule with a fake clock and launcher:
// what it shows, and what its commands, lists and questions do.
#include "ui/execution_window.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "support/fake_clock.h"
#include "support/fake_launcher.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"
#include "ui/qt_text.h"
#include "ui/window_capture.h"

namespace qlr {
namespace {

using testing::FakeClock;
using testing::FakeLauncher;
using testing::FakeOutcome;
using testing::RecordingDesktop;
using testing::ScriptedOperator;
using testing::TempDir;

const QColor kGreen(0, 255, 0);

// A schedule in a temporary folder, run on Friday 4 Dec 2026 from 06:00.
struct Rig {
  TempDir dir;
  Schedule s;
  FakeClock clock{MakeDateTime(2026, 12, 4, 6, 0, 0)};
  ScriptedOperator op;
  RunLog log{s, clock, op};
  FakeLauncher launcher{clock};
  RecordingMessages messages;
  RecordingDesktop desktop;
  RunOptions options;
  GuiContext gui{s, log, op, desktop, clock};
  std::unique_ptr<ExecutionWindow> window;

  Rig() {
    s.IniFile = dir.Write("test.ini", "[Quillrun]\r\nTimerSecs=10\r\n");
    s.ScheduleName = "TEST";
    s.ScheduleFile = dir.File("test.sch");
    s.LogFile = dir.File("run.log");
    s.TriggerPath = s.TrackerPath = s.JobOutputPath = s.JobDocPath = s.HelpPath = dir.path();
    s.VersionText = "Quillrun 9.9";
    s.RunDate = MakeDate(2026, 12, 4);
    s.CpuLimit = 9999;
  }

  Job& Add(const std::string& name, const std::string& frequency = "Daily") {
    Job& job = s.Jobs.emplace_back();
    job.JobName = name;
    job.Group = "General";
    job.CommandLine = "run " + name;
    job.Frequency = frequency;
    return job;
  }

  ExecutionWindow& Open(bool show = true) {
    window = std::make_unique<ExecutionWindow>(gui, launcher, messages, options);
    if (show) {
      window->show();
      if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
    }
    return *window;
  }

  // Row `row` of `list` as its columns, joined by a tab.
  static std::string Row(const QTableView* list, int row) {
    const QAbstractItemModel* m = list->model();
    return FromQString(m->index(row, 0).data().toString() + "\t" +
                       m->index(row, 1).data().toString());
  }
  static int FindRow(const QTableView* list, const std::string& text) {
    for (int r = 0; r < list->model()->rowCount(); ++r)
      if (Row(list, r) == text) return r;
    return -1;
  }
  static QPoint At(const QTableView* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
  }
  static void Click(QTableView* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, At(list, row));
  }
  static void DoubleClick(QTableView* list, int row) {
    Click(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, At(list, row));
  }
  bool Logged(const std::string& text) const {
    return dir.Read("run.log").find(text) != std::string::npos;
  }
};

bool Green(const QPushButton* button) {
  return button->palette().color(QPalette::Button) == kGreen;
}

}  // namespace

class ExecutionWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void OpeningShowsTheDaySummary() {
    Rig rig;
    rig.Add("NEW").Description = "Makes the new file";
    rig.Add("SATONLY", "Sat");
    ExecutionWindow& w = rig.Open();
    QTableView* list = w.logList();
    QVERIFY(Rig::FindRow(list, "SATONLY  (Sat)\tnot scheduled") >= 0);
    const int row = Rig::FindRow(list, "NEW      (Daily)\tscheduled");
    QVERIFY(row >= 0);
    QCOMPARE(list->model()->index(row, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Makes the new file"));
    const int count = Rig::FindRow(list, "1 Job(s) scheduled.\t");
    QVERIFY(count >= 0);
    QCOMPARE(list->columnSpan(count, 0), 2);  // a line without a tab spans both columns
    QVERIFY(Rig::FindRow(list, "NEW      (Daily) \tSubmitted at 06:00:00") >= 0);
    QCOMPARE(list->currentIndex().row(), list->model()->rowCount() - 1);  // the newest line
    QCOMPARE(w.windowTitle(), QStringLiteral("Verlando. - Quillrun 9.9"));
    QCOMPARE(w.titleLabel()->text(), QStringLiteral("Quillrun 9.9"));
    QVERIFY(w.runDateLabel()->text().startsWith(QStringLiteral("Friday, 4 Dec 2026\n(")));
    QCOMPARE(w.kickLabel()->text(), QStringLiteral("10/10 seconds"));
    QVERIFY(w.kickTimer()->isActive());
    QCOMPARE(w.kickTimer()->interval(), 10000);  // a job runs: TimerSecs
    QVERIFY(!w.nextDayButton()->isEnabled());
    QVERIFY(!Green(w.kickButton()));
    QVERIFY(SaveWindowPicture(&w, QDir::temp().filePath(QStringLiteral("frmSched-test.png"))));
  }

  void KickIsGreenWhileAPassRuns() {
    Rig rig;
    rig.Add("LATE").EarliestStart = "23:00";
    ExecutionWindow& w = rig.Open();
    bool green_in_pass = false;
    QTimer::singleShot(0, &w, [&] { green_in_pass = Green(w.kickButton()); });
    w.kickButton()->click();
    QVERIFY(green_in_pass);
    QVERIFY(!Green(w.kickButton()));
  }

  void ShowingThePanesMakesTheWindowTaller() {
    Rig rig;
    ExecutionWindow& w = rig.Open();
    QCOMPARE(w.height(), ExecutionWindow::kPanesHiddenHeight);
    QVERIFY(w.panes()->isHidden());
    w.eventsEntry()->trigger();
    QCOMPARE(w.eventsButton()->text(), QStringLiteral("Hide E&vents/Unsubmitted Job Status"));
    QCOMPARE(w.height(), ExecutionWindow::kPanesShownHeight);
    QVERIFY(w.panes()->isVisible());
    w.eventsButton()->click();
    QCOMPARE(w.eventsButton()->text(), QStringLiteral("Show E&vents/Unsubmitted Job Status"));
    QCOMPARE(w.height(), ExecutionWindow::kPanesHiddenHeight);
  }

  void DoubleClickForcesAnEvent() {
    Rig rig;
    rig.Add("WAITER").WaitFile = rig.dir.File("never.txt");
    rig.options.ShowEvents = true;
    ExecutionWindow& w = rig.Open();
    QCOMPARE(w.eventsList()->model()->rowCount(), 1);
    QCOMPARE(Rig::Row(w.eventsList(), 0), "WAITER  \tFile(" + rig.dir.File("never.txt") + ")");
    Rig::Click(w.eventsList(), 0);
    QVERIFY(w.triggerEventEntry()->isEnabled());
    rig.op.AnswerNext(Answer::Yes);
    QTest::mouseDClick(w.eventsList()->viewport(), Qt::LeftButton, {}, Rig::At(w.eventsList(), 0));
    QCOMPARE(rig.op.asked.size(), size_t{1});
    QVERIFY(
        rig.op.asked[0].starts_with("Forced triggering will have no effect on the real event."));
    QCOMPARE(w.eventsList()->model()->rowCount(), 0);  // the pass at once found it "there"
    QVERIFY(Rig::FindRow(w.logList(), "WAITER\tForced file trigger at 06:00:00") >= 0);
    QVERIFY(!w.triggerEventEntry()->isEnabled());
    QCOMPARE(rig.launcher.started.size(), size_t{1});
  }

  void PopUpReportsStatusAndForcesSubmission() {
    Rig rig;
    rig.Add("LATE").EarliestStart = "23:00";
    rig.options.ShowEvents = true;
    ExecutionWindow& w = rig.Open();
    QTableView* unsub = w.unsubList();
    QCOMPARE(unsub->model()->rowCount(), 1);
    QCOMPARE(Rig::Row(unsub, 0), std::string("LATE    \tToo early (23:00)"));
    Rig::Click(unsub, 0);
    QCOMPARE(FromQString(w.unsubLabel()->text()), std::string("LATE    \tToo early (23:00)"));

    w.statusEntry()->trigger();
    QCOMPARE(rig.op.told.back(), std::string("Job LATE     status: Too early (23:00)"));
    QCOMPARE(w.unsubLabel()->text(), QStringLiteral("Too early (23:00)"));

    rig.op.AnswerNext(Answer::Yes);
    w.forceSubmitEntry()->trigger();
    QCOMPARE(rig.op.asked.back(), std::string("Force submit job LATE?"));
    QVERIFY(Rig::FindRow(w.logList(), "Job LATE scheduled for forced submission.\t") >= 0);
    w.forceSubmitEntry()->trigger();  // asked again before the pass
    QCOMPARE(
        rig.op.told.back(),
        std::string("Job LATE already scheduled for forced submission.  Check Events Window."));

    w.kickButton()->click();
    QCOMPARE(rig.launcher.started.size(), size_t{1});
    QCOMPARE(unsub->model()->rowCount(), 0);
  }

  void DoubleClickOnAnUnsubmittedJobAsksToForceIt() {
    Rig rig;
    rig.Add("LATE").EarliestStart = "23:00";
    rig.options.ShowEvents = true;
    ExecutionWindow& w = rig.Open();
    Rig::DoubleClick(w.unsubList(), 0);
    QCOMPARE(rig.op.asked, std::vector<std::string>{"Force submit job LATE?"});
    QCOMPARE(rig.s[1].OverrideCode.Str(), std::string());  // the scripted No changed nothing
  }

  void SuspendTogglesCaptionAndHighlight() {
    Rig rig;
    rig.s.StartSuspended = true;
    rig.Add("JOB");
    ExecutionWindow& w = rig.Open();
    QCOMPARE(w.suspendButton()->text(), QStringLiteral("Un&suspend"));
    QVERIFY(Green(w.suspendButton()));
    QVERIFY(rig.launcher.started.empty());
    w.suspendButton()->click();
    QCOMPARE(w.suspendButton()->text(), QStringLiteral("&Suspend"));
    QCOMPARE(w.suspendEntry()->text(), QStringLiteral("&Suspend"));
    QVERIFY(!Green(w.suspendButton()));
    w.suspendEntry()->trigger();
    QCOMPARE(w.suspendButton()->text(), QStringLiteral("Un&suspend"));
    QVERIFY(Green(w.suspendButton()));
  }

  void NextDayAsksFirst() {
    Rig rig;
    rig.launcher.Script("run QUICK", FakeOutcome{});
    rig.Add("QUICK");
    ExecutionWindow& w = rig.Open();
    w.kickButton()->click();  // completes the job and with it the day
    QVERIFY(w.nextDayButton()->isEnabled());
    QVERIFY(!w.kickIntButton()->isEnabled());
    QVERIFY(!w.suspendButton()->isEnabled());

    rig.op.AnswerNext(Answer::No);
    w.nextDayButton()->click();
    QCOMPARE(rig.op.asked.back(),
             std::string("Are you sure you want to rollover to the next day's schedule?"));
    QCOMPARE(rig.op.titles.back(), std::string("Roll Over"));
    QCOMPARE(rig.s.RunDate, MakeDate(2026, 12, 4));

    rig.op.AnswerNext(Answer::Yes);
    w.nextDayEntry()->trigger();
    QCOMPARE(rig.s.RunDate, MakeDate(2026, 12, 5));
    QVERIFY(w.runDateLabel()->text().startsWith(QStringLiteral("Saturday, 5 Dec 2026")));
  }

  void ExitAsksAndCancelKeepsTheWindowOpen() {
    Rig rig;
    rig.Add("LATE").EarliestStart = "23:00";
    ExecutionWindow& w = rig.Open();
    rig.op.AnswerNext(Answer::Cancel);
    w.exitButton()->click();
    QVERIFY(rig.op.asked.back().ends_with("\nOK to Exit?"));
    QVERIFY(!w.closed());
    QVERIFY(w.isVisible());
    QVERIFY(w.kickTimer()->isActive());

    rig.op.AnswerNext(Answer::Cancel);
    w.close();  // the window frame asks the same
    QCOMPARE(rig.op.asked.size(), size_t{2});
    QVERIFY(w.isVisible());

    rig.op.AnswerNext(Answer::Ok);
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(w.closed());
    QVERIFY(!w.isVisible());
    QVERIFY(!w.kickTimer()->isActive());
    QVERIFY(rig.Logged("Closing"));
  }

  void KickWaitsWhileTheLogViewerIsOpen() {
    Rig rig;
    ExecutionWindow& w = rig.Open();
    bool kick_enabled = true, entry_enabled = true;
    w.SetLogViewHook([&](GuiContext&, QWidget* parent) {
      QCOMPARE(parent, static_cast<QWidget*>(&w));
      kick_enabled = w.kickButton()->isEnabled();
      entry_enabled = w.kickEntry()->isEnabled();
    });
    w.logEntry()->trigger();
    QVERIFY(!kick_enabled);
    QVERIFY(!entry_enabled);
    QVERIFY(w.kickButton()->isEnabled());
  }

  void ModifyScheduleStopsTheTimer() {
    Rig rig;
    rig.Add("LATE").EarliestStart = "23:00";
    ExecutionWindow& w = rig.Open();
    bool timer_ran = true;
    w.SetModifyScheduleHook([&](GuiContext&, Engine& engine, QWidget*) {
      timer_ran = w.kickTimer()->isActive();
      rig.s[1].OverrideCode = "S";  // as if the dialog put it back for now
      engine.ScheduleChanged();
      return true;
    });
    w.modSchedButton()->click();
    QVERIFY(!timer_ran);
    QCOMPARE(rig.launcher.started.size(), size_t{1});  // the pass after it ran at once
    QVERIFY(w.kickTimer()->isActive());
  }

  void JobDocumentationOpensFromTheList() {
    Rig rig;
    rig.Add("DOCD");
    rig.dir.Write("DOCD.rtd", "notes\r\n");
    ExecutionWindow& w = rig.Open();
    const int row = Rig::FindRow(w.logList(), "DOCD     (Daily)\tscheduled");
    QVERIFY(row >= 0);
    Rig::DoubleClick(w.logList(), row);
    QCOMPARE(rig.desktop.edited, std::vector<std::string>{rig.dir.File("DOCD.rtd")});
    w.jobDocEntry()->trigger();  // the same line is still selected
    QCOMPARE(rig.desktop.edited.size(), size_t{2});
  }

  void HelpOpensItsTopic() {
    Rig rig;
    const std::string page = rig.dir.Write("Schedule Execution.html", "<html></html>");
    ExecutionWindow& w = rig.Open();
    w.helpEntry()->trigger();
    QCOMPARE(rig.desktop.opened, std::vector<std::string>{page});
  }

  void SubmissionFailureShowsTheWarningAndTheListKeepsItsLimit() {
    Rig rig;
    rig.s.ShowFailedJobsWarning = true;
    FakeOutcome broken;
    broken.start_fails = true;
    rig.launcher.Script("run BROKEN", broken);
    rig.Add("BROKEN");
    ExecutionWindow& w = rig.Open();
    QVERIFY(w.failureLabel()->isVisible());
    QCOMPARE(w.failureLabel()->text(), QStringLiteral("One or More Submission/Run Failures"));
    for (int i = 0; i < 600; ++i) rig.log.LogAndList("line " + std::to_string(i));
    QCOMPARE(w.logList()->model()->rowCount(), 500);
    QCOMPARE(Rig::Row(w.logList(), 499), std::string("line 599\t"));
    QCOMPARE(Rig::Row(w.logList(), 0), std::string("line 100\t"));
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::ExecutionWindowTest)
#include "execution_window_test.moc"
