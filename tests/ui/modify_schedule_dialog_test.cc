// Modify Schedule over a small running day: the candidate lists of both
// actions, the group filter, the cascade, OK's changes and log lines, and the
// question when the dialog is closed by its frame.
#include "ui/modify_schedule_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "base/text.h"
#include "support/fake_clock.h"
#include "support/fake_launcher.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {

class ModifyScheduleDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::TempDir> dir_;
  Schedule s_;
  testing::FakeClock clock_{MakeDateTime(2026, 12, 4, 6, 0, 0)};  // a Friday
  testing::ScriptedOperator op_;
  RunLog log_{s_, clock_, op_};
  testing::RecordingDesktop desktop_;
  GuiContext gui_{s_, log_, op_, desktop_, clock_};
  std::unique_ptr<testing::FakeLauncher> launcher_;
  RecordingMessages messages_;
  std::unique_ptr<Engine> engine_;
  std::string group_filter_;
  int saves_ = 0;

  Job& Add(const char* name, const char* frequency = "Daily", const char* after = nullptr) {
    s_.Jobs.emplace_back();
    Job& job = s_.Jobs.back();
    job.JobName = name;
    job.Group = "General";
    job.CommandLine = std::string("run ") + name;
    job.Frequency = frequency;
    if (after) {
      job.RunAfter.push_back(after);
      job.DepConditions += 'S';
      job.DepAutoUnsched += ' ';
    }
    return job;
  }

  // A runs; B waits on A and C on B; D of group OTHER waits on A; E is not due
  // on a Friday; LATE completed and EARLY failed before the window opened; OFF
  // was unscheduled.
  void BuildDay() {
    const DateTime five = MakeDateTime(2026, 12, 4, 5, 0, 0);
    Add("A");
    Add("B", "Daily", "A");
    Add("C", "Daily", "B");
    Add("D", "Daily", "A").Group = "OTHER";
    Add("E", "Weekends");
    for (const char* name : {"LATE", "EARLY"}) {
      Job& job = Add(name);
      job.StartedAt = five;
      job.EndedAt = five + 600;
    }
    s_.Jobs.back().FailedFlag = true;
    s_.Jobs.back().Status = JobStatus::Failed;
    Add("OFF").OverrideCode = "U";
  }

  QStringList Rows(const ModifyScheduleDialog& dialog, int column = 0) const {
    QStringList rows;
    const QAbstractItemModel* model = dialog.jobList()->model();
    for (int row = 0; row < model->rowCount(); ++row)
      rows << model->index(row, column).data().toString();
    return rows;
  }
  static QStringList Selected(const ModifyScheduleDialog& dialog) {
    QStringList names;
    for (const ModifyEntry& entry : dialog.view().entries)
      if (entry.selected) names << QString::fromStdString(TextBefore(entry.text, "\t")).trimmed();
    const QModelIndexList shown = dialog.jobList()->selectionModel()->selectedRows();
    return shown.size() == names.size() ? names : QStringList{"<selection differs>"};
  }
  static void ClickRow(ModifyScheduleDialog& dialog, int row) {
    QTreeView* list = dialog.jobList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(row, 0)).center());
  }
  std::unique_ptr<ModifyScheduleDialog> OpenDialog() {
    auto dialog = std::make_unique<ModifyScheduleDialog>(gui_, *engine_, group_filter_);
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get())) return nullptr;
    return dialog;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<testing::TempDir>();
    s_ = Schedule();
    s_.IniFile = dir_->Write("test.ini", "[Quillrun]\r\nTimerSecs=10\r\n");
    s_.ScheduleName = "TEST";
    s_.ScheduleFile = dir_->File("test.sch");
    s_.LogFile = dir_->File("run.log");
    s_.TriggerPath = s_.TrackerPath = s_.JobOutputPath = dir_->path();
    s_.RunDate = MakeDate(2026, 12, 4);
    s_.CpuLimit = 9999;
    BuildDay();
    op_ = testing::ScriptedOperator();
    group_filter_.clear();
    launcher_ = std::make_unique<testing::FakeLauncher>(clock_);
    launcher_->Script("run", {{}, 3600});
    engine_ = std::make_unique<Engine>(s_, log_, *launcher_, messages_, RunOptions{});
    saves_ = 0;
    engine_->SetSaveHook([this] { ++saves_; });
    engine_->Open();
  }
  void cleanup() { engine_.reset(); }

  void ListsForBothActions() {
    auto dialog = OpenDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->groupList()->currentText(), QStringLiteral("(All)"));
    QCOMPARE(dialog->groupList()->count(), 3);  // General, OTHER, (All)
    QVERIFY(!dialog->jobList()->isEnabled());
    QCOMPARE(dialog->jobList()->model()->rowCount(), 0);

    dialog->unscheduleOption()->click();
    QCOMPARE(Rows(*dialog), (QStringList{"A", "B", "C", "D"}));
    QCOMPARE(Rows(*dialog, 1).front(), QString::fromStdString(s_[1].StatusText));
    QVERIFY(dialog->cascadeBox()->isEnabled());
    QVERIFY(!dialog->includeUnscheduledBox()->isEnabled());
    QVERIFY(!dialog->okButton()->isEnabled());

    dialog->rescheduleOption()->click();
    QCOMPARE(Rows(*dialog), (QStringList{"LATE", "EARLY"}));
    QCOMPARE(Rows(*dialog, 1), (QStringList{"Completed", "Aborted"}));
    QVERIFY(!dialog->cascadeBox()->isEnabled());
    dialog->includeUnscheduledBox()->click();
    QCOMPARE(Rows(*dialog), (QStringList{"E", "LATE", "EARLY", "OFF"}));
    dialog->sortedBox()->click();
    QCOMPARE(Rows(*dialog), (QStringList{"E", "EARLY", "LATE", "OFF"}));

    // The group applies the next time a list is built.
    dialog->groupList()->setCurrentIndex(1);
    QCOMPARE(group_filter_, std::string("OTHER"));
    dialog->unscheduleOption()->click();
    QCOMPARE(Rows(*dialog), QStringList{"D"});
  }

  void CascadeStaysWithinTheList_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("selected");
    QTest::newRow("all groups") << 2 << QStringList{"A", "B", "C", "D"};
    QTest::newRow("General") << 0 << QStringList{"A", "B", "C"};
  }
  void CascadeStaysWithinTheList() {
    QFETCH(int, group);
    QFETCH(QStringList, selected);
    auto dialog = OpenDialog();
    QVERIFY(dialog);
    dialog->groupList()->setCurrentIndex(group);
    dialog->unscheduleOption()->click();
    dialog->cascadeBox()->click();
    ClickRow(*dialog, 0);
    QCOMPARE(Selected(*dialog), selected);
    QVERIFY(dialog->okButton()->isEnabled());
    dialog->clearButton()->click();
    QCOMPARE(Selected(*dialog), QStringList{});
    QVERIFY(!dialog->okButton()->isEnabled());
  }

  void OkAppliesAndLogs() {
    auto dialog = OpenDialog();
    QVERIFY(dialog);
    dialog->unscheduleOption()->click();
    ClickRow(*dialog, 1);  // B alone: no cascade
    QCOMPARE(Selected(*dialog), QStringList{"B"});
    dialog->okButton()->click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(s_[2].Status, JobStatus::Unscheduled);
    QCOMPARE(s_[3].Status, JobStatus::Scheduled);
    QVERIFY(!dialog->view().RescheduleDone);
    const std::string line = "B        (Daily)\tUnscheduled";
    QCOMPARE(engine_->window().events.back().text, line);
    QVERIFY(dir_->Read("run.log").find("B        (Daily) Unscheduled\r\n") != std::string::npos);
    QCOMPARE(saves_ > 0, true);

    dialog = OpenDialog();
    QVERIFY(dialog);
    dialog->rescheduleOption()->click();
    ClickRow(*dialog, 1);  // EARLY
    dialog->okButton()->click();
    QVERIFY(dialog->view().RescheduleDone);
    QCOMPARE(s_[7].Status, JobStatus::Scheduled);
    QCOMPARE(s_[7].StartedAt, DateTime{0});
    QCOMPARE(engine_->window().events.back().text, std::string("EARLY    (Daily)\tScheduled"));
  }

  void ClosingAsksWhenAnEntryIsSelected_data() {
    QTest::addColumn<bool>("escape");
    QTest::addColumn<bool>("select");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("stays");
    QTest::addColumn<bool>("applied");
    QTest::newRow("nothing selected")
        << false << false << int(Answer::Yes) << false << false << false;
    QTest::newRow("Yes") << false << true << int(Answer::Yes) << true << false << true;
    QTest::newRow("No") << false << true << int(Answer::No) << true << false << false;
    QTest::newRow("Cancel") << false << true << int(Answer::Cancel) << true << true << false;
    QTest::newRow("Escape") << true << true << int(Answer::Yes) << false << false << false;
  }
  void ClosingAsksWhenAnEntryIsSelected() {
    QFETCH(bool, escape);
    QFETCH(bool, select);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, stays);
    QFETCH(bool, applied);
    auto dialog = OpenDialog();
    QVERIFY(dialog);
    dialog->unscheduleOption()->click();
    if (select) ClickRow(*dialog, 2);  // C
    op_.AnswerNext(static_cast<Answer>(answer));
    if (escape)
      QTest::keyClick(dialog.get(), Qt::Key_Escape);  // the Cancel command, no question
    else
      dialog->close();
    QCOMPARE(!op_.asked.empty(), asked);
    if (asked)
      QCOMPARE(op_.asked.front(),
               std::string("Do you want to apply the select modifications to the schedule?"));
    QCOMPARE(dialog->isVisible(), stays);
    QCOMPARE(s_[3].Status == JobStatus::Unscheduled, applied);
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::ModifyScheduleDialogTest)
#include "modify_schedule_dialog_test.moc"
