// "Quillrun Startup": its keys, and the choice each way out of it gives
// start-up (which tells and asks the rest on its own).
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "ui/access_keys.h"
#include "ui/first_run_dialog.h"

namespace qlr {

class FirstRunTest : public QObject {
  Q_OBJECT

 private slots:
  void OffersFindingFirstWithAKeyForEach() {
    FirstRunDialog dialog;
    QCOMPARE(testing::AccessKeyFaults(&dialog), QStringList());
    QVERIFY(dialog.findExistingOption()->isChecked());
  }

  void EachWayOut_data() {  // the row's name says how
    QTest::addColumn<FirstRunChoice>("choice");
    QTest::newRow("OK") << FirstRunChoice::FindExisting;
    QTest::newRow("create") << FirstRunChoice::CreateNew;
    QTest::newRow("Cancel") << FirstRunChoice::Cancel;
    QTest::newRow("Escape") << FirstRunChoice::Cancel;
    QTest::newRow("frame") << FirstRunChoice::Closed;
  }
  void EachWayOut() {
    const QString how = QTest::currentDataTag();
    QFETCH(FirstRunChoice, choice);
    FirstRunDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
      if (how == "create") dialog.createNewOption()->click();
      if (how == "OK" || how == "create") dialog.okButton()->click();
      if (how == "Cancel") dialog.cancelButton()->click();
      if (how == "Escape") QTest::keyClick(&dialog, Qt::Key_Escape);
      if (how == "frame") dialog.close();
    });
    dialog.exec();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.choice(), choice);
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::FirstRunTest)
#include "first_run_test.moc"
