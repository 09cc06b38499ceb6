#include "ui/date_sel_dialog.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include "base/date_format.h"
#include "calendar/holidays.h"
#include "ui/program_end_guard.h"

namespace qlr {
namespace {

QDate ToQDate(DateTime date) {
  const CivilDate civil = ToCivilDate(date);
  return QDate(civil.year, civil.month, civil.day);
}

DateTime FromQDate(const QDate& date) { return MakeDate(date.year(), date.month(), date.day()); }

}  // namespace

DateSelDialog::DateSelDialog(GuiContext& gui, const std::string& date_text, QWidget* parent)
    : QDialog(parent), gui_(gui) {
  setObjectName(QStringLiteral("frmDateSel"));
  setWindowTitle(QStringLiteral("Date Selection"));
  CreateCalendar(date_text);
  CreateCommands();
  CreateLayout();
}

void DateSelDialog::CreateCalendar(const std::string& date_text) {
  calendar_ = new QCalendarWidget(this);
  calendar_->setGridVisible(true);
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_->setFirstDayOfWeek(QLocale().firstDayOfWeek());  // the operator's own week
  MarkDaysOff();
  const DateTime date = ParseDate(date_text).value_or(gui_.clock.Now());
  calendar_->setSelectedDate(ToQDate(date));
  // A click picks at once; Enter (and a double click) give "activated".
  connect(calendar_, &QCalendarWidget::clicked, this, Guarded([this](QDate d) { Pick(d); }));
  connect(calendar_, &QCalendarWidget::activated, this, Guarded([this](QDate d) { Pick(d); }));
}

// The days the schedule does not work are red: the weekdays that are not
// among its Workdays, and its public holidays (which also say so as a tip).
void DateSelDialog::MarkDaysOff() {
  const CalendarSettings& cal = gui_.schedule.Calendar;
  const unsigned workdays = WorkdayMask(cal);
  QTextCharFormat off;
  off.setForeground(QColor(Qt::red));
  for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
    const int weekday = day % 7 + 1;  // the calendar's numbers: 1 Sunday .. 7 Saturday
    const bool works = (workdays & (1u << weekday)) != 0;
    calendar_->setWeekdayTextFormat(static_cast<Qt::DayOfWeek>(day),
                                    works ? QTextCharFormat() : off);
  }
  QTextCharFormat holiday = off;
  holiday.setFontWeight(QFont::Bold);
  holiday.setToolTip(QStringLiteral("Public holiday"));
  for (int64_t day : cal.HolidayDays)
    calendar_->setDateTextFormat(ToQDate(day * kSecondsPerDay), holiday);
}

void DateSelDialog::CreateCommands() {
  help_button_ = new QPushButton(QStringLiteral("&Help"), this);
  cancel_button_ = new QPushButton(QStringLiteral("Cancel"), this);
  for (QPushButton* button : {help_button_, cancel_button_}) button->setAutoDefault(false);
  const auto help = Guarded([this] { ShowHelpTopic(gui_, "Date Selection"); });
  connect(help_button_, &QPushButton::clicked, this, help);
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, help);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
}

void DateSelDialog::CreateLayout() {
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(help_button_, QDialogButtonBox::HelpRole);
  buttons->addButton(cancel_button_, QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(calendar_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  calendar_->setFocus();
}

QAbstractItemView* DateSelDialog::calendarView() const {
  return calendar_->findChild<QAbstractItemView*>();
}

void DateSelDialog::Pick(const QDate& date) {
  picked_ = FormatShortDate(gui_.schedule.Calendar, FromQDate(date));
  accept();
}

std::optional<std::string> RunDateSelDialog(GuiContext& gui, const std::string& date_text,
                                            QWidget* parent) {
  DateSelDialog dialog(gui, date_text, parent);
  dialog.exec();
  return dialog.picked();
}

}  // namespace qlr
