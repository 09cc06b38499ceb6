// The execution window over a small schedule with a fake clock and launcher:
// that it shows the engine's state and forwards the operator's actions. What
// the engine decides is checked by the engine's own tests.
#include "ui/execution_window.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "ui/access_keys.h"
#include "ui/qt_text.h"
#include "ui/ui_fixture.h"

namespace qlr {
namespace {

struct Rig : testing::EngineRig {
  Rig() {
    s.JobDocPath = s.HelpPath = dir.path();
    s.VersionText = "Quillrun 9.9";
  }
  void AddLate() { Add("LATE").EarliestStart = "23:00"; }
  ExecutionWindow& Open() { return OpenWindow(); }

  // Row `row` of `list` as its columns, joined by a tab; FindRow gives -1 when none matches.
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
};

bool Green(const QPushButton* button) {
  return button->palette().color(QPalette::Button) == QColor(0, 255, 0);
}

}  // namespace

class ExecutionWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void OpeningShowsTheDaySummary() {
    Rig rig;
    rig.Add("NEW").Description = "Makes the new file";
    ExecutionWindow& w = rig.Open();
    QTableView* list = w.logList();
    const int row = Rig::FindRow(list, "NEW      (Daily)\tscheduled");
    QVERIFY(row >= 0);
    QCOMPARE(list->model()->index(row, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Makes the new file"));
    const int count = Rig::FindRow(list, "1 Job(s) scheduled.\t");
    QVERIFY(count >= 0);
    QCOMPARE(list->columnSpan(count, 0), 2);  // a line without a tab spans both columns
    QCOMPARE(list->currentIndex().row(), list->model()->rowCount() - 1);  // the newest line
    QCOMPARE(w.windowTitle(), QStringLiteral("Verlando. - Quillrun 9.9"));
    QCOMPARE(w.startedLabel()->text(), QStringLiteral("Started on 04-Dec-26 @ 06:00:00"));
    QCOMPARE(w.titleLabel()->text(), QStringLiteral("Quillrun 9.9"));
    QCOMPARE(testing::AccessKeyFaults(&w), QStringList());
    QVERIFY(w.runDateLabel()->text().startsWith(QStringLiteral("Friday, 4 Dec 2026\n(")));
    QCOMPARE(w.kickLabel()->text(), QStringLiteral("10/10 seconds"));
    QCOMPARE(w.kickTimer()->interval(), 10000);  // a job runs: TimerSecs
    QVERIFY(w.kickTimer()->isActive() && !w.nextDayButton()->isEnabled());
  }

  // Green only while a pass runs; disabled while the log viewer is open.
  void KickShowsThePassAndWaitsForTheLogViewer() {
    Rig rig;
    rig.AddLate();
    ExecutionWindow& w = rig.Open();
    bool green_in_pass = false;
    QTimer::singleShot(0, &w, [&] { green_in_pass = Green(w.kickButton()); });
    w.kickButton()->click();
    QVERIFY(green_in_pass && !Green(w.kickButton()));

    bool kick_enabled = true, entry_enabled = true;
    w.SetLogViewHook([&](GuiContext&, QWidget* parent) {
      QCOMPARE(parent, static_cast<QWidget*>(&w));
      kick_enabled = w.kickButton()->isEnabled();
      entry_enabled = w.kickEntry()->isEnabled();
    });
    w.logEntry()->trigger();
    QVERIFY(!kick_enabled && !entry_enabled);
    QVERIFY(w.kickButton()->isEnabled());
  }

  void ShowingThePanesMakesTheWindowTaller() {
    Rig rig;
    ExecutionWindow& w = rig.Open();
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
    QCOMPARE(Rig::Row(w.eventsList(), 0), "WAITER  \tFile(" + rig.dir.File("never.txt") + ")");
    testing::ClickRow(w.eventsList(), 0);
    QVERIFY(w.triggerEventEntry()->isEnabled());
    rig.op.AnswerNext(Answer::Yes);
    testing::ClickRow(w.eventsList(), 0, true);
    QVERIFY(!w.triggerEventEntry()->isEnabled());
    QCOMPARE(rig.op.asked.size(), size_t{1});
    QCOMPARE(w.eventsList()->model()->rowCount(), 0);  // the pass at once found it "there"
  }

  void PopUpReportsStatusAndForcesSubmission() {
    Rig rig;
    rig.AddLate();
    rig.options.ShowEvents = true;
    ExecutionWindow& w = rig.Open();
    testing::ClickRow(w.unsubList(), 0,
                      true);  // a double click asks to force it; the script says No
    QCOMPARE(rig.op.asked, std::vector<std::string>{"Force submit job LATE?"});
    QCOMPARE(FromQString(w.unsubLabel()->text()), std::string("LATE    \tToo early (23:00)"));

    w.statusEntry()->trigger();
    QCOMPARE(rig.op.told.back(), std::string("Job LATE     status: Too early (23:00)"));
    QCOMPARE(w.unsubLabel()->text(), QStringLiteral("Too early (23:00)"));

    rig.op.AnswerNext(Answer::Yes);
    w.forceSubmitEntry()->trigger();
    QVERIFY(Rig::FindRow(w.logList(), "Job LATE scheduled for forced submission.\t") >= 0);
    w.kickButton()->click();  // LATE starts: the list empties, and the label with it
    QCOMPARE(w.unsubList()->model()->rowCount(), 0);
    QCOMPARE(w.unsubLabel()->text(), QString());
  }

  void SuspendTogglesCaptionAndHighlight() {
    Rig rig;
    rig.s.StartSuspended = true;
    rig.Add("JOB");
    ExecutionWindow& w = rig.Open();
    for (int step = 0; step < 3; ++step) {  // the button unsuspends, the menu entry suspends
      const bool suspended = step != 1;
      const QString caption = suspended ? QStringLiteral("Un&suspend") : QStringLiteral("&Suspend");
      QCOMPARE(w.suspendButton()->text(), caption);
      QCOMPARE(w.suspendEntry()->text(), caption);
      QCOMPARE(Green(w.suspendButton()), suspended);
      if (step < 2) (suspended ? w.suspendButton()->click() : w.suspendEntry()->trigger());
    }
  }

  // A completed day can only roll over; the new day can be suspended and kicked again.
  void NextDayAsksFirstAndOpensANewDay() {
    Rig rig;
    rig.Scripted("QUICK", {});
    ExecutionWindow& w = rig.Open();
    w.kickButton()->click();  // completes the job and with it the day
    QVERIFY(w.nextDayButton()->isEnabled());
    QVERIFY(!w.kickIntButton()->isEnabled() && !w.suspendButton()->isEnabled());
    QCOMPARE(w.kickLabel()->text(), QStringLiteral("10/5 seconds"));
    QCOMPARE(w.kickTimer()->interval(), 5000);
    w.nextDayButton()->click();  // the script answers No
    QCOMPARE(rig.op.asked.back(),
             std::string("Are you sure you want to rollover to the next day's schedule?"));
    QCOMPARE(rig.s.RunDate, MakeDate(2026, 12, 4));
    rig.op.AnswerNext(Answer::Yes);
    w.nextDayEntry()->trigger();
    QVERIFY(w.runDateLabel()->text().startsWith(QStringLiteral("Saturday, 5 Dec 2026")));
    QVERIFY(w.kickIntButton()->isEnabled() && w.suspendButton()->isEnabled());
    QVERIFY(w.suspendEntry()->isEnabled());
  }

  void ExitAsksAndCancelKeepsTheWindowOpen() {
    Rig rig;
    rig.AddLate();
    ExecutionWindow& w = rig.Open();
    rig.op.AnswerNext(Answer::Cancel);
    w.exitButton()->click();
    QVERIFY(rig.op.asked.back().ends_with("\nOK to Exit?"));
    rig.op.AnswerNext(Answer::Cancel);
    w.close();  // the window frame asks the same
    QCOMPARE(rig.op.asked.size(), size_t{2});
    QVERIFY(!w.closed() && w.isVisible() && w.kickTimer()->isActive());

    rig.op.AnswerNext(Answer::Ok);
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(w.closed() && !w.isVisible() && !w.kickTimer()->isActive());
  }

  // What Modify Schedule did is told whole in the events pane, and forces nothing.
  void ModificationLinesAreWholeAndForceNothing() {
    Rig rig;
    rig.AddLate();
    rig.options.ShowEvents = true;
    ExecutionWindow& w = rig.Open();
    w.SetModifyScheduleHook([&](GuiContext&, Engine& engine, QWidget*) {
      engine.LogModification("MKFLAG   (Daily)\tScheduled");
      return false;
    });
    w.modSchedButton()->click();
    QCOMPARE(w.eventsList()->model()->index(0, 0).data().toString(),
             QStringLiteral("MKFLAG   (Daily) Scheduled"));
    QCOMPARE(w.eventsList()->columnSpan(0, 0), 2);
    testing::ClickRow(w.eventsList(), 0, true);
    QVERIFY(rig.op.asked.empty() && !w.triggerEventEntry()->isEnabled());
    QCOMPARE(w.eventsList()->model()->rowCount(), 1);
  }

  void ModifyScheduleStopsTheTimer() {
    Rig rig;
    rig.AddLate();
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

  void DocumentationAndHelpOpenOnTheDesktop() {
    Rig rig;
    rig.Add("DOCD");
    rig.dir.Write("DOCD.rtd", "notes\r\n");
    const std::string page = rig.dir.Write("Schedule Execution.html", "<html></html>");
    ExecutionWindow& w = rig.Open();
    testing::ClickRow(w.logList(), Rig::FindRow(w.logList(), "DOCD     (Daily)\tscheduled"), true);
    w.jobDocEntry()->trigger();  // the same line is still selected
    QCOMPARE(rig.desktop.edited, std::vector<std::string>(2, rig.dir.File("DOCD.rtd")));
    w.helpEntry()->trigger();
    w.helpButton()->click();
    QCOMPARE(rig.desktop.opened, std::vector<std::string>(2, page));
  }

  void FailureWarningAndTheListsLimitShow() {
    Rig rig;
    rig.s.ShowFailedJobsWarning = true;
    rig.Scripted("BROKEN", {{}, 0, 0, true});
    ExecutionWindow& w = rig.Open();
    QVERIFY(w.failureLabel()->isVisible());
    QCOMPARE(w.failureLabel()->text(), QStringLiteral("One or More Submission/Run Failures"));
    for (int i = 0; i < 600; ++i) rig.log.LogAndList("line " + std::to_string(i));
    QCOMPARE(w.logList()->model()->rowCount(), 500);
    QCOMPARE(Rig::Row(w.logList(), 0), std::string("line 100\t"));
    QCOMPARE(Rig::Row(w.logList(), 499), std::string("line 599\t"));
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::ExecutionWindowTest)
#include "execution_window_test.moc"
