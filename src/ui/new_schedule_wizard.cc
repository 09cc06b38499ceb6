#include "ui/new_schedule_wizard.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/date_format.h"
#include "base/text.h"
#include "model/constants.h"
#include "ui/program_end_guard.h"
#include "ui/qt_text.h"

namespace qlr {
namespace {

// The boxes run Monday to Sunday; weekdays count from Sunday (1).
int WeekdayOfBox(size_t box) { return static_cast<int>(box + 1) % 7 + 1; }

std::string Text(const QLineEdit* edit) { return FromQString(edit->text()); }

QWidget* Row(QWidget* parent, QLineEdit* edit, QPushButton* button) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit, 1);
  layout->addWidget(button);
  return row;
}

}  // namespace

NewScheduleWizard::NewScheduleWizard(GuiContext& gui, SettingsStore& settings,
                                     std::function<bool(const std::string& ini)> start_program,
                                     QWidget* parent)
    : QWizard(parent), gui_(gui), settings_(settings), start_program_(std::move(start_program)) {
  setObjectName(QStringLiteral("frmTovani"));
  setWindowTitle(QStringLiteral("New Quillrun Schedule"));
  setWizardStyle(QWizard::ClassicStyle);
  setOption(QWizard::HaveHelpButton);
  setPage(kWherePage, CreateWherePage());
  setPage(kCalendarPage, CreateCalendarPage());
  setPage(kReadyPage, CreateReadyPage());
  connect(this, &QWizard::helpRequested, this,
          Guarded([this] { ShowHelpTopic(gui_, kNewScheduleHelpTopic); }));
}

QPushButton* NewScheduleWizard::BrowseButton(QWidget* page, QLineEdit* edit, bool folder) {
  auto* button = new QPushButton(QStringLiteral("&Browse..."), page);
  connect(button, &QPushButton::clicked, this, [this, edit, folder] {
    const QString chosen = folder ? QFileDialog::getExistingDirectory(this, QString(), edit->text())
                                  : QFileDialog::getOpenFileName(this, QString(), edit->text());
    if (!chosen.isEmpty()) edit->setText(chosen);
  });
  return button;
}

QWizardPage* NewScheduleWizard::CreateWherePage() {
  auto* page = new QWizardPage(this);
  page->setTitle(QStringLiteral("Where the schedule lives"));
  page->setSubTitle(QStringLiteral(
      "The folder holds the INI file, the schedule file and the folders for logs, trigger files, "
      "documentation and messages. It is created when missing."));
  folder_ = new QLineEdit(page);
  folder_->setToolTip(
      QStringLiteral("The schedule's own folder; it must not hold a schedule yet."));
  name_ = new QLineEdit(page);
  name_->setToolTip(QStringLiteral(
      "Used in logs and the triggers list, and as the name of the INI and schedule files."));
  auto* form = new QFormLayout(page);
  form->addRow(QStringLiteral("&Folder:"), Row(page, folder_, BrowseButton(page, folder_, true)));
  form->addRow(QStringLiteral("Schedule &name:"), name_);
  return page;
}

QWizardPage* NewScheduleWizard::CreateCalendarPage() {
  auto* page = new QWizardPage(this);
  page->setTitle(QStringLiteral("The schedule's calendar"));
  page->setSubTitle(QStringLiteral(
      "Working days and public holidays decide when \"Workdays\" jobs run. The run day lasts 24 "
      "hours from its start."));
  auto* days = new QWidget(page);
  auto* day_layout = new QHBoxLayout(days);
  day_layout->setContentsMargins(0, 0, 0, 0);
  for (size_t i = 0; i < workdays_.size(); ++i) {
    workdays_[i] = new QCheckBox(ToQString(DayAbbrev(WeekdayOfBox(i))), days);
    workdays_[i]->setChecked(i < 5);
    day_layout->addWidget(workdays_[i]);
  }
  day_start_ = new QLineEdit(QStringLiteral("00:00"), page);
  day_start_->setInputMask(QStringLiteral("99:99"));
  day_start_->setToolTip(QStringLiteral("hh:mm, 00:00 to 23:59"));
  holidays_ = new QLineEdit(page);
  holidays_->setToolTip(QStringLiteral(
      "Optional: a file with one date per line, copied into the folder as holidays.txt."));
  auto* form = new QFormLayout(page);
  form->addRow(QStringLiteral("&Working days:"), days);
  form->addRow(QStringLiteral("Day &starts at:"), day_start_);
  form->addRow(QStringLiteral("Public &holidays:"),
               Row(page, holidays_, BrowseButton(page, holidays_, false)));
  return page;
}

QWizardPage* NewScheduleWizard::CreateReadyPage() {
  auto* page = new QWizardPage(this);
  page->setTitle(QStringLiteral("Ready to create"));
  page->setSubTitle(QStringLiteral(
      "Finish creates the schedule with one job, START, which runs every day, makes it this "
      "computer's default schedule and opens it in Quillrun."));
  summary_ = new QLabel(page);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(summary_);
  layout->addStretch();
  return page;
}

QCheckBox* NewScheduleWizard::workdayBox(int weekday) const {
  for (size_t i = 0; i < workdays_.size(); ++i)
    if (WeekdayOfBox(i) == weekday) return workdays_[i];
  return nullptr;
}

NewScheduleOptions NewScheduleWizard::Options() const {
  NewScheduleOptions o;
  o.folder = Trim(Text(folder_));
  o.name = Trim(Text(name_));
  o.workdays.clear();
  for (size_t i = 0; i < workdays_.size(); ++i)
    if (workdays_[i]->isChecked())
      o.workdays += (o.workdays.empty() ? "" : ",") + std::string(DayAbbrev(WeekdayOfBox(i)));
  o.day_start = Text(day_start_);
  o.holidays = Trim(Text(holidays_));
  return o;
}

std::string NewScheduleWizard::CheckWhere() const {
  const NewScheduleOptions o = Options();
  std::string problem = CheckScheduleName(o.name);
  return problem.empty() ? CheckScheduleFolder(o.folder) : problem;
}

std::string NewScheduleWizard::CheckCalendar() const {
  const NewScheduleOptions o = Options();
  std::string workdays;
  if (o.workdays.empty()) return "Tick at least one working day";
  for (const std::string& problem :
       {ReadWorkdays(o.workdays, workdays), CheckDayStart(o.day_start),
        o.holidays.empty() ? std::string() : CheckHolidaysFile(o.holidays, gui_.clock.Now())})
    if (!problem.empty()) return problem;
  return "";
}

void NewScheduleWizard::initializePage(int id) {
  if (id == kReadyPage) {
    const NewScheduleOptions o = Options();
    summary_->setText(ToQString(
        "Folder: " + o.folder + "\nINI file: " + o.name + ".ini\nSchedule file: " + o.name +
        ".sch\nWorking days: " + o.workdays + "\nDay starts at: " + o.day_start +
        "\nPublic holidays: " + (o.holidays.empty() ? "none" : o.holidays)));
  }
  QWizard::initializePage(id);
}

// The schedule is made, set as the default and opened; any failure is told
// and keeps the wizard open on its page.
bool NewScheduleWizard::Finish() {
  const std::string problem = CreateNewSchedule(Options(), gui_.clock, gui_.op, ini_);
  if (!problem.empty()) {
    gui_.op.Tell(problem);
    return false;
  }
  settings_.Set(std::string(kSettingsName), "Current", ini_);
  if (start_program_ && !start_program_(ini_))
    gui_.op.Tell("The schedule " + ini_ + " was created, but Quillrun could not be started on it.");
  return true;
}

bool NewScheduleWizard::validateCurrentPage() {
  std::string problem;
  switch (currentId()) {
    case kWherePage:
      problem = CheckWhere();
      break;
    case kCalendarPage:
      problem = CheckCalendar();
      break;
    case kReadyPage:
      return Finish();
    default:
      break;
  }
  if (!problem.empty()) gui_.op.Tell(problem);
  return problem.empty();
}

}  // namespace qlr
