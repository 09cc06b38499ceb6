#pragma once
// "New Quillrun Schedule": the wizard QLRTovani shows. It asks for the
// schedule's folder and name, its working days, the start of its day and an
// optional holidays file, creates the schedule as `qlr new` does, makes it
// this user's default schedule and starts the desktop program on it.

#include <QWizard>
#include <array>
#include <functional>
#include <string>

#include "editor/new_schedule.h"
#include "store/settings_store.h"
#include "ui/gui_context.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qlr {

inline constexpr const char* kNewScheduleHelpTopic = "New Schedule";

class NewScheduleWizard : public QWizard {
  Q_OBJECT

 public:
  enum PageId { kWherePage, kCalendarPage, kReadyPage };
  // `start_program` starts the desktop program on an INI file; false when it
  // could not be started.
  NewScheduleWizard(GuiContext& gui, SettingsStore& settings,
                    std::function<bool(const std::string& ini)> start_program,
                    QWidget* parent = nullptr);

  QLineEdit* folderEdit() const { return folder_; }
  QLineEdit* nameEdit() const { return name_; }
  QCheckBox* workdayBox(int weekday) const;  // 1 Sunday .. 7 Saturday
  QLineEdit* dayStartEdit() const { return day_start_; }
  QLineEdit* holidaysEdit() const { return holidays_; }
  QLabel* summaryLabel() const { return summary_; }
  // The INI file created; "" until Finish succeeded.
  const std::string& iniPath() const { return ini_; }

  // What the pages hold now.
  NewScheduleOptions Options() const;

 protected:
  bool validateCurrentPage() override;
  void initializePage(int id) override;

 private:
  QWizardPage* CreateWherePage();
  QWizardPage* CreateCalendarPage();
  QWizardPage* CreateReadyPage();
  QPushButton* BrowseButton(QWidget* page, QLineEdit* edit, bool folder);
  std::string CheckWhere() const;
  std::string CheckCalendar() const;
  bool Finish();

  GuiContext& gui_;
  SettingsStore& settings_;
  std::function<bool(const std::string&)> start_program_;
  QLineEdit* folder_ = nullptr;
  QLineEdit* name_ = nullptr;
  std::array<QCheckBox*, 7> workdays_{};  // Monday first
  QLineEdit* day_start_ = nullptr;
  QLineEdit* holidays_ = nullptr;
  QLabel* summary_ = nullptr;
  std::string ini_;
};

}  // namespace qlr
