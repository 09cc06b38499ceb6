// Modify Schedule over a small running day: the lists of both actions, the
// cascade and Clear, OK's log lines, and closing by the frame.
#include "ui/modify_schedule_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include "ui/access_keys.h"
#include "ui/ui_fixture.h"

namespace qlr {

using Day = testing::EngineRig;

class ModifyScheduleDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Day> day_;
  std::unique_ptr<ModifyScheduleDialog> dialog_;
  std::string group_filter_;

  QStringList Rows(int column = 0) const {
    return testing::ColumnTexts(dialog_->jobList()->model(), column);
  }
  QStringList Selected() const {
    QStringList names;
    for (const QModelIndex& index : dialog_->jobList()->selectionModel()->selectedRows())
      names << index.data().toString();
    names.sort();
    return names;
  }
  void ClickRow(int row) { testing::ClickRow(dialog_->jobList(), row); }

 private slots:
  // A runs; B waits on A and C on B; OFF of group OTHER was unscheduled and
  // LATE completed before the dialog opened.
  void init() {
    day_ = std::make_unique<Day>();
    day_->Add("A");
    Day::After(day_->Add("B"), "A");
    Day::After(day_->Add("C"), "B");
    Job& off = day_->Add("OFF");
    off.OverrideCode = "U", off.Group = "OTHER";
    Job& late = day_->Add("LATE");
    late.StartedAt = MakeDateTime(2026, 12, 4, 5, 0, 0);
    late.EndedAt = late.StartedAt + 600;
    day_->launcher.Script("run", {{}, 3600});
    day_->Open();
    group_filter_.clear();
    dialog_ = std::make_unique<ModifyScheduleDialog>(day_->gui, *day_->engine, group_filter_);
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
  }
  void cleanup() {
    dialog_.reset();
    day_.reset();
  }

  void ListsForBothActions() {
    QCOMPARE(testing::AccessKeyFaults(dialog_.get()), QStringList());
    QCOMPARE(dialog_->groupList()->currentText(), QStringLiteral("(All)"));
    QVERIFY(!dialog_->jobList()->isEnabled() && Rows().isEmpty());
    dialog_->unscheduleOption()->click();
    QCOMPARE(Rows(), (QStringList{"A", "B", "C"}));
    QVERIFY(dialog_->cascadeBox()->isEnabled() && !dialog_->includeUnscheduledBox()->isEnabled());
    dialog_->rescheduleOption()->click();
    QCOMPARE(Rows(1), QStringList{"Completed"});
    dialog_->includeUnscheduledBox()->click();
    QCOMPARE(Rows(), (QStringList{"OFF", "LATE"}));
    dialog_->sortedBox()->click();
    QCOMPARE(Rows(), (QStringList{"LATE", "OFF"}));
  }

  void CascadeAndClearFollowTheCore() {
    dialog_->groupList()->setCurrentText("General");
    QCOMPARE(group_filter_, std::string("General"));
    dialog_->unscheduleOption()->click();
    dialog_->cascadeBox()->click();
    ClickRow(0);
    QCOMPARE(Selected(), (QStringList{"A", "B", "C"}));
    QVERIFY(dialog_->okButton()->isEnabled());
    dialog_->clearButton()->click();
    QCOMPARE(Selected(), QStringList{});
    QVERIFY(!dialog_->okButton()->isEnabled());
  }

  // C selected, then OK, or the frame (which asks), or Escape (the Cancel command).
  void OkOrClosing_data() {  // the row's name says how
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("stays");
    QTest::addColumn<bool>("applied");
    QTest::newRow("OK") << Answer::Yes << false << true;
    QTest::newRow("frame, Yes") << Answer::Yes << false << true;
    QTest::newRow("frame, Cancel") << Answer::Cancel << true << false;
    QTest::newRow("Escape") << Answer::Yes << false << false;
  }
  void OkOrClosing() {
    const QString how = QTest::currentDataTag();
    QFETCH(Answer, answer);
    QFETCH(bool, stays);
    QFETCH(bool, applied);
    dialog_->unscheduleOption()->click();
    ClickRow(2);  // C alone: no cascade
    day_->op.AnswerNext(answer);
    if (how == "OK") dialog_->okButton()->click();
    if (how.startsWith("frame")) dialog_->close();
    if (how == "Escape") QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    QCOMPARE(day_->op.asked.size(), size_t(how.startsWith("frame")));
    QCOMPARE(dialog_->isVisible(), stays);
    QCOMPARE(dialog_->result() == QDialog::Accepted, applied);
    QCOMPARE(day_->s[3].Status == JobStatus::Unscheduled, applied);
    QCOMPARE(
        day_->dir.Read("run.log").find("C        (Daily) Unscheduled\r\n") != std::string::npos,
        applied);
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::ModifyScheduleDialogTest)
#include "modify_schedule_dialog_test.moc"
