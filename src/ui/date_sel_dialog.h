#pragma once
// The date picker (frmDateSel): a month calendar opened on a date given in
// the short display form, the schedule's days off in red. Clicking a day, or Enter on the
// highlighted day, picks it and closes; Escape closes without a pick.

#include <QDialog>
#include <optional>
#include <string>

#include "ui/gui_context.h"

class QAbstractItemView;
class QCalendarWidget;
class QDate;
class QPushButton;

namespace qlr {

class DateSelDialog : public QDialog {
 public:
  // Opens on `date_text`; on today's date when the text is no date.
  DateSelDialog(GuiContext& gui, const std::string& date_text, QWidget* parent = nullptr);

  // The picked day in the short display form; nullopt when none was picked.
  const std::optional<std::string>& picked() const { return picked_; }

  QCalendarWidget* calendar() const { return calendar_; }
  QAbstractItemView* calendarView() const;  // the grid of days, which takes the keys
  QPushButton* helpButton() const { return help_button_; }
  QPushButton* cancelButton() const { return cancel_button_; }

 private:
  void CreateCalendar(const std::string& date_text);
  void MarkDaysOff();
  void CreateCommands();
  void CreateLayout();
  void Pick(const QDate& date);

  GuiContext& gui_;
  QCalendarWidget* calendar_ = nullptr;
  QPushButton* help_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  std::optional<std::string> picked_;
};

// Shows the picker modally; the picked date, or nullopt.
std::optional<std::string> RunDateSelDialog(GuiContext& gui, const std::string& date_text,
                                            QWidget* parent);

}  // namespace qlr
