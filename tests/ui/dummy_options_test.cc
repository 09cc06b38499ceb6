// The dummy run options: three flags, stored by OK (command or menu) only.
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include "support/fake_clock.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "ui/dummy_options_dialog.h"

namespace qlr {

class DummyOptionsTest : public QObject {
  Q_OBJECT

  Schedule schedule_;
  testing::FakeClock clock_;
  testing::ScriptedOperator op_;
  RunLog log_{schedule_, clock_, op_};
  testing::RecordingDesktop desktop_;
  GuiContext gui_{schedule_, log_, op_, desktop_, clock_};

 private slots:
  void ChecksStartFromTheFlags() {
    RunOptions options;
    options.GenDummyMessages = true;
    DummyOptionsDialog dialog(gui_, options);
    QVERIFY(!dialog.waitForTriggersBox()->isChecked());
    QVERIFY(dialog.genMessagesBox()->isChecked());
    QVERIFY(!dialog.crtTriggersBox()->isChecked());
    QCOMPARE(dialog.waitForTriggersBox()->text(),
             QStringLiteral("Wait for Interschedule/External Triggers"));
    QCOMPARE(dialog.waitForTriggersBox()->toolTip(),
             QStringLiteral("Select to specify file creation triggering via Events window"));
    QCOMPARE(dialog.genMessagesBox()->toolTip(),
             QStringLiteral("Check to generate end of job messages"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dummy Run Options"));
  }

  void OkStoresTheFlagsCancelDoesNot_data() {
    QTest::addColumn<int>("command");  // 0 OK button, 1 OK menu entry, 2 Cancel, 3 Escape
    QTest::addColumn<bool>("stored");
    QTest::newRow("OK") << 0 << true;
    QTest::newRow("menu") << 1 << true;
    QTest::newRow("Cancel") << 2 << false;
    QTest::newRow("Escape") << 3 << false;
  }
  void OkStoresTheFlagsCancelDoesNot() {
    QFETCH(int, command);
    QFETCH(bool, stored);
    RunOptions options;
    options.CrtDummyTriggers = true;
    DummyOptionsDialog dialog(gui_, options);
    dialog.show();
    dialog.waitForTriggersBox()->click();
    dialog.genMessagesBox()->click();
    dialog.crtTriggersBox()->click();
    if (command == 0) dialog.okButton()->click();
    if (command == 1) dialog.okMenuEntry()->trigger();
    if (command == 2) dialog.cancelButton()->click();
    if (command == 3) QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(stored ? QDialog::Accepted : QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(options.WaitForTriggers, stored);
    QCOMPARE(options.GenDummyMessages, stored);
    QCOMPARE(options.CrtDummyTriggers, !stored);
  }

  void HelpOpensItsTopic() {
    RunOptions options;
    schedule_.HelpPath = "/nowhere";
    DummyOptionsDialog dialog(gui_, options);
    dialog.helpButton()->click();
    QCOMPARE(op_.told.size(), size_t{1});
    QVERIFY(op_.told[0].find("/nowhere/Dummy Run Options.html") != std::string::npos);
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::DummyOptionsTest)
#include "dummy_options_test.moc"
