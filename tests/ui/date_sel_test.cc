// The date picker: opens on the given date, a click or Enter picks in the
// schedule's date form, Escape and Cancel do not; its help page.
#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QPushButton>
#include <QTextCharFormat>
#include <QtTest>

#include "ui/date_sel_dialog.h"
#include "ui/ui_fixture.h"

namespace qlr {

class DateSelTest : public QObject {
  Q_OBJECT

  testing::GuiBed bed_;

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
  void OpensOnTheGivenDateOrTodayWithItsHelp() {
    bed_.clock.Set(MakeDateTime(2027, 3, 9, 12, 0, 0));
    QCOMPARE(DateSelDialog(bed_.gui, "4 Dec 2026").calendar()->selectedDate(), QDate(2026, 12, 4));
    QCOMPARE(DateSelDialog(bed_.gui, "31 Feb 2026").calendar()->selectedDate(), QDate(2027, 3, 9));
    bed_.schedule.HelpPath = "/nowhere";
    DateSelDialog(bed_.gui, "4 Dec 2026").helpButton()->click();
    QCOMPARE(bed_.op.told,
             std::vector<std::string>{
                 "Sorry - cannot find a help file matching /nowhere/Date Selection.html"});
  }

  // The schedule's week, not the calendar's: here Sunday to Thursday work.
  void MarksTheSchedulesDaysOff() {
    bed_.schedule.Calendar.Workdays = "Sun,Mon,Tue,Wed,Thu";
    bed_.schedule.Calendar.HolidayDays = {DayNumber(MakeDate(2026, 12, 8))};
    DateSelDialog dialog(bed_.gui, "4 Dec 2026");
    QCalendarWidget* calendar = dialog.calendar();
    QCOMPARE(calendar->firstDayOfWeek(), QLocale().firstDayOfWeek());
    const auto red = [calendar](Qt::DayOfWeek day) {
      return calendar->weekdayTextFormat(day).foreground().color() == QColor(Qt::red);
    };
    QCOMPARE((QList<bool>{red(Qt::Sunday), red(Qt::Thursday), red(Qt::Friday), red(Qt::Saturday)}),
             (QList<bool>{false, false, true, true}));
    const QTextCharFormat holiday = calendar->dateTextFormat(QDate(2026, 12, 8));
    QCOMPARE(holiday.foreground().color(), QColor(Qt::red));
    QCOMPARE(holiday.toolTip(), QStringLiteral("Public holiday"));
    QVERIFY(
        !calendar->dateTextFormat(QDate(2026, 12, 9)).hasProperty(QTextFormat::ForegroundBrush));
  }

  void PickingADay_data() {  // the row's name says how
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("picked");
    // clang-format off
    QTest::newRow("click") << "yyyy mmm dd" << "2026 Dec 15";
    QTest::newRow("Enter") << "d mmm yyyy" << "5 Dec 2026";
    QTest::newRow("Escape") << "d mmm yyyy" << "";
    QTest::newRow("Cancel") << "d mmm yyyy" << "";
    // clang-format on
  }
  void PickingADay() {
    const QString how = QTest::currentDataTag();
    QFETCH(QString, format);
    QFETCH(QString, picked);
    bed_.schedule.Calendar.FormatShortDate = format.toStdString();
    DateSelDialog dialog(bed_.gui, "4 Dec 2026");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QAbstractItemView* view = dialog.calendarView();
    if (how == "click") QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellOf(view, 15));
    if (how == "Enter") {
      QTest::keyClick(view, Qt::Key_Right);
      QTest::keyClick(view, Qt::Key_Return);
    }
    if (how == "Escape") QTest::keyClick(view, Qt::Key_Escape);
    if (how == "Cancel") dialog.cancelButton()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(picked.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
    QCOMPARE(QString::fromStdString(dialog.picked().value_or("")), picked);
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::DateSelTest)
#include "date_sel_test.moc"
