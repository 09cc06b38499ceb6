// "New Quillrun Schedule": each page refuses what the core refuses; Finish
// creates the schedule, makes it the default and starts Quillrun on it.
#include "ui/new_schedule_wizard.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <filesystem>

#include "support/temp_dir.h"
#include "ui/ui_fixture.h"

namespace qlr {

class NewScheduleWizardTest : public QObject {
  Q_OBJECT

 private slots:
  void EachPageChecksWhatItAsks_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("day_start");
    QTest::addColumn<bool>("no_workdays");
    QTest::addColumn<int>("stops_on");  // -1: created
    QTest::addColumn<QString>("told");
    // clang-format off
    QTest::newRow("created") << "night" << "NIGHT" << "18:30" << false << -1 << "";
    QTest::newRow("no name") << "night" << "" << "18:30" << false << 0
                             << "The schedule needs a name";
    QTest::newRow("taken") << "." << "NIGHT" << "18:30" << false << 0 << "already holds a schedule";
    QTest::newRow("no day") << "night" << "NIGHT" << "18:30" << true << 1
                            << "Tick at least one working day";
    QTest::newRow("bad time") << "night" << "NIGHT" << "24:00" << false << 1
                              << "The day start must be a time hh:mm from 00:00 to 23:59";
    // clang-format on
  }
  void EachPageChecksWhatItAsks() {
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, day_start);
    QFETCH(bool, no_workdays);
    QFETCH(int, stops_on);
    QFETCH(QString, told);
    testing::TempDir dir;
    dir.Write("other.ini", "[Quillrun]\r\n");
    testing::GuiBed bed;
    MemorySettingsStore settings;
    std::vector<std::string> started;
    NewScheduleWizard wizard(bed.gui, settings, [&](const std::string& ini) {
      started.push_back(ini);
      return true;
    });
    wizard.show();
    wizard.folderEdit()->setText(QString::fromStdString(dir.path()) + "/" + folder);
    wizard.nameEdit()->setText(name);
    wizard.next();
    if (stops_on != 0) {
      for (int day = 1; day <= 7 && no_workdays; ++day) wizard.workdayBox(day)->setChecked(false);
      wizard.workdayBox(1)->setChecked(!no_workdays);  // Sunday too
      wizard.dayStartEdit()->setText(day_start);
      wizard.next();
    }
    QCOMPARE(wizard.currentId(), stops_on < 0 ? int(NewScheduleWizard::kReadyPage) : stops_on);
    if (stops_on >= 0) {
      QCOMPARE(bed.op.told.size(), size_t{1});
      QVERIFY2(bed.op.told[0].find(told.toStdString()) != std::string::npos,
               bed.op.told[0].c_str());
      return;
    }
    QVERIFY(wizard.summaryLabel()->text().contains("Working days: Mon,Tue,Wed,Thu,Fri,Sun"));
    wizard.button(QWizard::FinishButton)->click();
    const std::string ini = dir.File("night/NIGHT.ini");
    QCOMPARE(wizard.iniPath(), ini);
    QVERIFY(std::filesystem::exists(dir.File("night/NIGHT.sch")));
    QCOMPARE(
        dir.Read("night/NIGHT.ini").find("Workdays=Mon,Tue,Wed,Thu,Fri,Sun\r\nAllowCritical") !=
            std::string::npos,
        true);
    QCOMPARE(settings.Get("Quillrun", "Current"), ini);
    QCOMPARE(started, std::vector<std::string>{ini});
    QVERIFY(!wizard.isVisible());
  }

  void HelpOpensItsPage() {
    testing::GuiBed bed;
    bed.schedule.HelpPath = "/nowhere";
    MemorySettingsStore settings;
    NewScheduleWizard wizard(bed.gui, settings, nullptr);
    wizard.button(QWizard::HelpButton)->click();
    QCOMPARE(bed.op.told.size(), size_t{1});
    QVERIFY(bed.op.told[0].ends_with("/nowhere/New Schedule.html"));
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::NewScheduleWizardTest)
#include "new_schedule_wizard_test.moc"
