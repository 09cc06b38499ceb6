// The log view dialog: the logs offered, the name list for each kind, and the
// copy that OK writes and opens in the text editor.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "support/fake_clock.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"
#include "ui/log_view_dialog.h"

namespace qlr {
namespace {

const char kLog[] =
    "04 Dec 2026  06:00:00 Starting\r\n"
    "04 Dec 2026  06:00:01 PAY      Submitted at 06:00:01\r\n"
    "04 Dec 2026  06:00:02 PAYROLL  Failed(disk full)\r\n"
    "04 Dec 2026  06:00:03 EXTRACT  Completed at 06:00:03\r\n";

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int row = 0; row < list->count(); ++row) items << list->item(row)->text();
  return items;
}

void Choose(QListWidget* list, const QStringList& names) {
  for (const QString& name : names)
    list->findItems(name, Qt::MatchExactly).front()->setSelected(true);
}

}  // namespace

class LogViewTest : public QObject {
  Q_OBJECT

  testing::TempDir dir_;
  Schedule schedule_;
  testing::FakeClock clock_;
  testing::ScriptedOperator op_;
  RunLog log_{schedule_, clock_, op_};
  testing::RecordingDesktop desktop_;
  GuiContext gui_{schedule_, log_, op_, desktop_, clock_};

 private slots:
  void init() {
    schedule_ = Schedule();
    schedule_.LogFile = dir_.File("run_yyyymmdd.log");
    for (auto [name, group] :
         {std::pair{"PAYROLL", "General"}, {"PAY", "PAY"}, {"EXTRACT", "PAY"}}) {
      schedule_.Jobs.emplace_back();
      schedule_.Jobs.back().JobName = name;
      schedule_.Jobs.back().Group = group;
    }
    dir_.Write("run_20261203.log", "");
    dir_.Write("run_20261204.log", kLog);
    QFile::remove(QString::fromStdString(dir_.File("run_20261204.tmp")));
    op_ = testing::ScriptedOperator();
    desktop_ = testing::RecordingDesktop();
  }

  void NameListFollowsTheKind() {
    LogViewDialog dialog(gui_);
    QCOMPARE(dialog.logList()->count(), 2);
    QCOMPARE(dialog.logList()->currentText(), QStringLiteral("run_20261204"));
    QVERIFY(dialog.kindOption(LogSelection::All)->isChecked());
    QListWidget* names = dialog.nameList();
    QVERIFY(!names->isEnabled());

    dialog.kindOption(LogSelection::Group)->click();
    QCOMPARE(Items(names), (QStringList{"General", "PAY"}));
    QCOMPARE(names->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(names->toolTip(), QStringLiteral("Select a single group name"));
    QVERIFY(names->isEnabled());

    dialog.kindOption(LogSelection::Jobs)->click();
    QCOMPARE(Items(names), (QStringList{"EXTRACT", "PAY", "PAYROLL"}));
    QCOMPARE(names->selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(names->toolTip(), QStringLiteral("You may select a combination of job names"));

    dialog.kindOption(LogSelection::Failed)->click();  // leaves the list as it was
    QCOMPARE(Items(names), (QStringList{"EXTRACT", "PAY", "PAYROLL"}));
    QVERIFY(names->isEnabled());
    dialog.kindOption(LogSelection::All)->click();
    QVERIFY(!names->isEnabled());
  }

  void OkCopiesTheChosenLines_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("copy");
    const QString all = QString::fromLatin1(kLog);
    const QStringList lines = all.split(QStringLiteral("\r\n"));
    auto text = [&](std::initializer_list<int> rows) {
      QString copy;
      for (int row : rows) copy += lines[row] + QStringLiteral("\r\n");
      return copy;
    };
    QTest::newRow("all") << 0 << QStringList{} << all;
    // The group's jobs are matched at the start of the message: PAY finds PAYROLL too.
    QTest::newRow("group PAY") << 1 << QStringList{"PAY"} << text({1, 2, 3});
    QTest::newRow("group General") << 1 << QStringList{"General"} << text({2});
    QTest::newRow("jobs") << 2 << QStringList{"EXTRACT", "PAYROLL"} << text({2, 3});
    QTest::newRow("failed") << 3 << QStringList{} << text({2});
  }
  void OkCopiesTheChosenLines() {
    QFETCH(int, kind);
    QFETCH(QStringList, chosen);
    QFETCH(QString, copy);
    LogViewDialog dialog(gui_);
    dialog.show();
    dialog.kindOption(static_cast<LogSelection>(kind))->click();
    Choose(dialog.nameList(), chosen);
    dialog.okButton()->click();
    QVERIFY(op_.told.empty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(desktop_.edited, std::vector<std::string>{dir_.File("run_20261204.tmp")});
    QCOMPARE(QString::fromStdString(dir_.Read("run_20261204.tmp")), copy);
  }

  void OkWithoutAChoiceStays_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("group") << 1 << QStringLiteral("You must select a group name");
    QTest::newRow("jobs") << 2 << QStringLiteral("You must select a job name");
  }
  void OkWithoutAChoiceStays() {
    QFETCH(int, kind);
    QFETCH(QString, message);
    LogViewDialog dialog(gui_);
    dialog.show();
    dialog.kindOption(static_cast<LogSelection>(kind))->click();
    dialog.okButton()->click();
    QCOMPARE(op_.told, std::vector<std::string>{message.toStdString()});
    QVERIFY(dialog.isVisible());
    QVERIFY(desktop_.edited.empty());
  }

  void NoLogTellsTheCopyError() {
    schedule_.LogFile = dir_.File("none_yyyymmdd.log");
    LogViewDialog dialog(gui_);
    dialog.show();
    QCOMPARE(dialog.logList()->count(), 0);
    dialog.okButton()->click();
    QCOMPARE(op_.told, std::vector<std::string>{"Error copying log: No such file or directory"});
    QVERIFY(!dialog.isVisible());
    QVERIFY(desktop_.edited.empty());
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::LogViewTest)
#include "log_view_test.moc"
