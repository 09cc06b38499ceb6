// The dummy run options: three flags, stored by OK (command or menu) only.
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include "ui/access_keys.h"
#include "ui/dummy_options_dialog.h"
#include "ui/ui_fixture.h"

namespace qlr {

class DummyOptionsTest : public QObject {
  Q_OBJECT

  testing::GuiBed bed_;

 private slots:
  void ShowsTheFlagsKeysAndHelp() {
    RunOptions options;
    options.GenDummyMessages = true;
    DummyOptionsDialog dialog(bed_.gui, options);
    QCOMPARE(
        (QList<bool>{dialog.waitForTriggersBox()->isChecked(), dialog.genMessagesBox()->isChecked(),
                     dialog.crtTriggersBox()->isChecked()}),
        (QList<bool>{false, true, false}));
    QCOMPARE(testing::AccessKeyFaults(&dialog), QStringList());
    bed_.schedule.HelpPath = "/nowhere";
    dialog.helpButton()->click();
    QCOMPARE(bed_.op.told.size(), size_t{1});
    QVERIFY(bed_.op.told[0].ends_with("/nowhere/Dummy Run Options.html"));
  }

  void OkStoresTheFlagsCancelDoesNot_data() {  // the row's name says how
    QTest::addColumn<bool>("stored");
    QTest::newRow("OK") << true;
    QTest::newRow("menu") << true;
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << false;
  }
  void OkStoresTheFlagsCancelDoesNot() {
    const QString command = QTest::currentDataTag();
    QFETCH(bool, stored);
    RunOptions options;
    options.CrtDummyTriggers = true;
    DummyOptionsDialog dialog(bed_.gui, options);
    dialog.show();
    dialog.waitForTriggersBox()->click();
    dialog.genMessagesBox()->click();
    dialog.crtTriggersBox()->click();
    if (command == "OK") dialog.okButton()->click();
    if (command == "menu") dialog.okMenuEntry()->trigger();
    if (command == "Cancel") dialog.cancelButton()->click();
    if (command == "Escape") QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(stored ? QDialog::Accepted : QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(
        (QList<bool>{options.WaitForTriggers, options.GenDummyMessages, options.CrtDummyTriggers}),
        (QList<bool>{stored, stored, !stored}));
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::DummyOptionsTest)
#include "dummy_options_test.moc"
