// The execution window's Timeline view: opened from the View menu, drawn
// from the engine's runs and brought up to date by each pass.
#include "ui/timeline_view.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>

#include "ui/access_keys.h"
#include "ui/qt_text.h"
#include "ui/ui_fixture.h"

namespace qlr {
namespace {

using Rig = testing::EngineRig;

// "JOB Outcome" for each row of the view.
QStringList Rows(const TimelineView* view) {
  QStringList rows;
  for (const TimelineRun& run : view->timeline().runs)
    rows << ToQString(run.job + " " + std::string(OutcomeText(run.outcome)));
  return rows;
}

}  // namespace

class TimelineViewTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensFromTheViewMenuAndFollowsThePasses() {
    Rig rig;
    rig.Scripted("SHORT", {{}, 30});
    rig.Scripted("BROKEN", {{}, 0, 0, true});
    rig.Scripted("LONG", {{}, 3600});
    ExecutionWindow& w = rig.OpenWindow();
    QVERIFY(w.timelineDialog() == nullptr);  // nothing is made until it is asked for
    QCOMPARE(w.timelineEntry()->text(), QStringLiteral("T&imeline"));
    w.timelineEntry()->trigger();
    TimelineDialog* dialog = w.timelineDialog();
    QVERIFY(dialog != nullptr && dialog->isVisible());
    QCOMPARE(dialog->caption()->text(),
             QStringLiteral("TEST: Friday 4 Dec 2026 (run day from 00:00)"));
    QCOMPARE(Rows(dialog->view()),
             QStringList({"SHORT Running", "BROKEN Submission failed", "LONG Running"}));

    rig.clock.Advance(40);
    w.kickButton()->click();
    QCOMPARE(Rows(dialog->view()),
             QStringList({"SHORT Completed", "BROKEN Submission failed", "LONG Running"}));
    QCOMPARE(dialog->view()->timeline().runs[2].end, rig.clock.Now());  // drawn to now

    dialog->close();
    rig.clock.Advance(3600);
    w.kickButton()->click();  // a closed view is left alone ...
    QCOMPARE(Rows(dialog->view()).at(2), QStringLiteral("LONG Running"));
    w.timelineEntry()->trigger();  // ... and brought up to date when it opens again
    QCOMPARE(Rows(dialog->view()).at(2), QStringLiteral("LONG Completed"));
  }

  // Each bar is painted in its outcome's colour where the view says it is,
  // and its tip tells the run.
  void BarsAreDrawnWhereTheRunsAre() {
    TimelineView view;
    Timeline t;
    t.run_date = MakeDate(2026, 12, 4);
    t.day_start_at = t.run_date + 6 * 3600;
    t.now = t.day_start_at + 4 * 3600;
    const DateTime six = t.day_start_at;
    t.runs = {{"PAY1", six, six + 3600, RunOutcome::Completed, "", false},
              {"LOAD", six + 600, six + 7200, RunOutcome::Failed, "FATAL", false},
              {"SKIP", six + 900, six + 900, RunOutcome::Unscheduled, "", false}};
    view.SetTimeline(t);
    view.resize(view.sizeHint());
    const QImage image = view.grab().toImage();
    for (int i = 0; i < 3; ++i) {
      const QRect bar = view.BarRect(i);
      const RunOutcome outcome = t.runs[static_cast<size_t>(i)].outcome;
      QCOMPARE(image.pixelColor(bar.center()).name(), QString::fromLatin1(OutcomeColour(outcome)));
      QCOMPARE(view.RunAt(bar.center()), i);
    }
    QVERIFY(view.BarRect(0).width() > 10 * view.BarRect(2).width());  // an hour, a moment
    QCOMPARE(view.RunAt(QPoint(5, 2)), -1);                           // the axis
  }

  // The new entry takes a key no other entry of the View menu has.
  void TheViewMenusKeysStayApart() {
    Rig rig;
    ExecutionWindow& w = rig.OpenWindow();
    QMenu* view = w.timelineEntry()->associatedObjects().isEmpty()
                      ? nullptr
                      : qobject_cast<QMenu*>(w.timelineEntry()->associatedObjects().first());
    QVERIFY(view != nullptr);
    QSet<QChar> keys;
    for (const QAction* entry : view->actions()) {
      if (entry->isSeparator()) continue;
      const QChar key = testing::AccessKey(entry->text());
      QVERIFY2(!key.isNull() && !keys.contains(key), qPrintable(entry->text()));
      keys.insert(key);
    }
    QCOMPARE(testing::AccessKeyFaults(&w), QStringList());
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::TimelineViewTest)
#include "timeline_view_test.moc"
