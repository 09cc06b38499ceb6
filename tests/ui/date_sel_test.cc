// The date picker: opens on the given date, a click or Enter picks, Escape does not.
#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QPushButton>
#include <QtTest>

#include "support/fake_clock.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "ui/date_sel_dialog.h"
#include "ui/window_capture.h"

namespace qlr {

class DateSelTest : public QObject {
  Q_OBJECT

  Schedule schedule_;
  testing::FakeClock clock_{MakeDateTime(2027, 3, 9, 12, 0, 0)};
  testing::ScriptedOperator op_;
  RunLog log_{schedule_, clock_, op_};
  testing::RecordingDesktop desktop_;
  GuiContext gui_{schedule_, log_, op_, desktop_, clock_};

  // The centre of the cell showing `day` (15 is never a neighbouring month's day).
  static QPoint CellOf(QAbstractItemView* view, int day) {
    QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
      for (int column = 0; column < model->columnCount(); ++column) {
        const QModelIndex index = model->index(row, column);
        if (model->data(index).toString() == QString::number(day))
          return view->visualRect(index).center();
      }
    return {};
  }

 private slots:
  void OpensOnTheGivenDate() {
    DateSelDialog dialog(gui_, "4 Dec 2026");
    QCOMPARE(dialog.calendar()->selectedDate(), QDate(2026, 12, 4));
    QCOMPARE(dialog.objectName(), QStringLiteral("frmDateSel"));
    DateSelDialog no_date(gui_, "31 Feb 2026");
    QCOMPARE(no_date.calendar()->selectedDate(), QDate(2027, 3, 9));  // today
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    SaveWindowPicture(&dialog, "/tmp/frmDateSel.png");
  }

  void PickingADay_data() {
    QTest::addColumn<int>("how");  // 0 click on the 15th, 1 Right then Enter, 2 Escape, 3 Cancel
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("picked");
    // clang-format off
    QTest::newRow("click") << 0 << "d mmm yyyy" << "15 Dec 2026";
    QTest::newRow("click, other form") << 0 << "yyyy mmm dd" << "2026 Dec 15";
    QTest::newRow("Enter") << 1 << "d mmm yyyy" << "5 Dec 2026";
    QTest::newRow("Escape") << 2 << "d mmm yyyy" << "";
    QTest::newRow("Cancel") << 3 << "d mmm yyyy" << "";
    // clang-format on
  }
  void PickingADay() {
    QFETCH(int, how);
    QFETCH(QString, format);
    QFETCH(QString, picked);
    schedule_.Calendar.FormatShortDate = format.toStdString();
    DateSelDialog dialog(gui_, "4 Dec 2026");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QAbstractItemView* view = dialog.calendarView();
    if (how == 0) QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellOf(view, 15));
    if (how == 1) {
      QTest::keyClick(view, Qt::Key_Right);
      QTest::keyClick(view, Qt::Key_Return);
    }
    if (how == 2) QTest::keyClick(view, Qt::Key_Escape);
    if (how == 3) dialog.cancelButton()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(picked.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
    QCOMPARE(QString::fromStdString(dialog.picked().value_or("")), picked);
  }

  void HelpOpensItsTopic() {
    schedule_.HelpPath = "/nowhere";
    DateSelDialog dialog(gui_, "4 Dec 2026");
    dialog.helpButton()->click();
    QCOMPARE(op_.told,
             std::vector<std::string>{
                 "Sorry - cannot find a help file matching /nowhere/Date Selection.html"});
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::DateSelTest)
#include "date_sel_test.moc"
