// The log view dialog: the logs offered, the name list for each kind, OK
// without a name, and the copy that OK opens in the text editor.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "support/temp_dir.h"
#include "ui/access_keys.h"
#include "ui/log_view_dialog.h"
#include "ui/ui_fixture.h"

namespace qlr {

class LogViewTest : public QObject {
  Q_OBJECT

  testing::TempDir dir_;
  testing::GuiBed bed_;

  static QStringList Items(const QListWidget* list) { return testing::Items(list); }

 private slots:
  void initTestCase() {
    bed_.schedule.LogFile = dir_.File("run_yyyymmdd.log");
    for (auto [name, group] :
         {std::pair{"PAYROLL", "General"}, {"PAY", "PAY"}, {"EXTRACT", "PAY"}}) {
      bed_.schedule.Jobs.emplace_back();
      bed_.schedule.Jobs.back().JobName = name;
      bed_.schedule.Jobs.back().Group = group;
    }
    dir_.Write("run_20261203.log", "");
    dir_.Write("run_20261204.log",
               "04 Dec 2026  06:00:00 Starting\r\n"
               "04 Dec 2026  06:00:02 PAYROLL  Failed(disk full)\r\n"
               "04 Dec 2026  06:00:03 EXTRACT  Completed at 06:00:03\r\n");
  }
  void init() {
    bed_.op = testing::ScriptedOperator();
    bed_.desktop = testing::RecordingDesktop();
  }

  void NameListFollowsTheKind() {
    LogViewDialog dialog(bed_.gui);
    QCOMPARE(dialog.logList()->count(), 2);
    QCOMPARE(dialog.logList()->currentText(), QStringLiteral("run_20261204"));
    QListWidget* names = dialog.nameList();
    QVERIFY(dialog.kindOption(LogSelection::All)->isChecked() && !names->isEnabled());
    dialog.kindOption(LogSelection::Group)->click();
    QCOMPARE(Items(names), (QStringList{"General", "PAY"}));
    QCOMPARE(names->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(names->toolTip(), QStringLiteral("Select a single group name"));
    QVERIFY(names->isEnabled());
    dialog.kindOption(LogSelection::Jobs)->click();
    QCOMPARE(Items(names), (QStringList{"EXTRACT", "PAY", "PAYROLL"}));
    QCOMPARE(names->selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(names->toolTip(), QStringLiteral("You may select a combination of job names"));
    dialog.kindOption(LogSelection::Group)->click();
    dialog.kindOption(LogSelection::Failed)->click();  // no names needed: out of use
    QVERIFY(!names->isEnabled());
    QCOMPARE(testing::AccessKeyFaults(&dialog), QStringList());
  }

  // The chosen names reach the filter; "" chosen: OK tells and the dialog stays.
  void OkCopiesTheChosenJobsLines_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("result");  // the copy's job names, or the message
    QTest::newRow("group") << int(LogSelection::Group) << QStringList{"General"} << "PAYROLL";
    QTest::newRow("jobs") << int(LogSelection::Jobs) << QStringList{"EXTRACT", "PAYROLL"}
                          << "PAYROLL EXTRACT";
    QTest::newRow("no group") << int(LogSelection::Group) << QStringList{}
                              << "You must select a group name";
    QTest::newRow("no job") << int(LogSelection::Jobs) << QStringList{}
                            << "You must select a job name";
  }
  void OkCopiesTheChosenJobsLines() {
    QFETCH(int, kind);
    QFETCH(QStringList, chosen);
    QFETCH(QString, result);
    LogViewDialog dialog(bed_.gui);
    dialog.show();
    dialog.kindOption(static_cast<LogSelection>(kind))->click();
    for (const QString& name : chosen)
      dialog.nameList()->findItems(name, Qt::MatchExactly).front()->setSelected(true);
    dialog.okButton()->click();
    QCOMPARE(dialog.isVisible(), chosen.isEmpty());
    if (chosen.isEmpty()) {
      QCOMPARE(bed_.op.told, std::vector<std::string>{result.toStdString()});
      QVERIFY(bed_.desktop.edited.empty());
      return;
    }
    QVERIFY(bed_.op.told.empty());
    QCOMPARE(bed_.desktop.edited, std::vector<std::string>{dir_.File("run_20261204.tmp")});
    QStringList copied;
    for (const QString& line : QString::fromStdString(dir_.Read("run_20261204.tmp")).split("\r\n"))
      if (!line.isEmpty()) copied << line.split(' ', Qt::SkipEmptyParts).value(4);
    QCOMPARE(copied.join(' '), result);
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::LogViewTest)
#include "log_view_test.moc"
