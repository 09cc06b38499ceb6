// The launch window: the start-up values it shows, the launch check, the run
// date commands, and the commands it forwards to start-up and the program.
#include "ui/launch_window.h"

#include <unistd.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "base/version.h"
#include "engine/launch.h"
#include "store/profile_file.h"
#include "support/temp_dir.h"
#include "ui/about_box.h"
#include "ui/access_keys.h"
#include "ui/date_sel_dialog.h"
#include "ui/ui_fixture.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

// A schedule's files in a fresh folder, started up as the program does.
struct Env : testing::GuiBed {
  Env() {
    ini = WriteIni("night.ini", "Night", "sched.txt");
    other_ini = WriteIni("day.ini", "Day", "day.txt");
    startup.command_line = ini;
    StartUp(startup, launch);
    op.told.clear();  // the warnings of the keys left out
  }
  std::string WriteIni(const char* name, const std::string& schedule_name, const char* file) {
    dir.Write(file, "");
    return dir.Write(name, "[Quillrun]\r\nScheduleName=" + schedule_name +
                               "\r\nScheduleFile=" + file + "\r\nDayStart=06:30\r\n");
  }

  testing::TempDir dir;
  std::string ini, other_ini;
  MemorySettingsStore settings;
  std::string pick;  // what the file dialog picks
  StartupContext startup{schedule, log, op, clock, settings, [this](auto&, auto&) { return pick; },
                         ""};
  LaunchValues launch;
};

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

class LaunchWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Env> env_;
  std::unique_ptr<LaunchWindow> window_;
  std::vector<RunOptions> runs_;  // what the execution window was opened with
  int dummy_dialogs_ = 0, log_views_ = 0, exits_ = 0;
  std::vector<DateTime> grid_starts_;  // job 1's earliest start as each grid opened
  bool hidden_and_locked_while_running_ = false;

  LaunchActions Fakes() {
    const auto run = [this](const RunOptions& options) {
      runs_.push_back(options);
      hidden_and_locked_while_running_ =
          !window_->isVisible() &&
          FileLock::Holder(ScheduleLockPath(env_->schedule)) == int(getpid());
      env_->schedule.RunDate = AddDays(env_->schedule.RunDate, 2);  // two days run
    };
    const auto dummy = [this](RunOptions& options) {
      ++dummy_dialogs_;
      return options.GenDummyMessages = true;  // OK stored the options
    };
    const auto grid = [this] { grid_starts_.push_back(env_->schedule[1].EarliestStartAt); };
    return {run, dummy, [this] { ++log_views_; }, grid, [this] { ++exits_; }};
  }

 private slots:
  void init() {
    env_ = std::make_unique<Env>();
    runs_.clear();
    dummy_dialogs_ = log_views_ = exits_ = 0;
    grid_starts_.clear();
    window_ = std::make_unique<LaunchWindow>(env_->gui, env_->startup, env_->launch, Fakes());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() {
    window_.reset();
    env_.reset();
  }

  // What start-up read, and keys that each reach one command or menu.
  void ShowsTheStartUpValues() {
    LaunchWindow& w = *window_;
    const QStringList shown = {w.scheduleFrame()->title(), w.scheduleFrame()->toolTip(),
                               w.iniFileField()->text(),   w.runDateField()->text(),
                               w.weekdayLabel()->text(),   w.startTimeField()->text(),
                               w.cpuLimitField()->text()};
    QCOMPARE(shown, (QStringList{"Schedule: Night", Q(env_->dir.File("sched.txt")), Q(env_->ini),
                                 "4 Dec 2026", "Friday", "06:30", "9999"}));
    QCOMPARE(testing::AccessKeyFaults(&w), QStringList());
  }

  // A refused field takes the cursor, after Launch and after Open New Schedule.
  void LaunchCheckStopsInTheRefusedField() {
    LaunchWindow& w = *window_;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const struct {
      QLineEdit* field;
      QString bad;
      const char* message;
    } cases[] = {{w.runDateField(), "31 Feb 2026", "Invalid schedule run date"},
                 {w.startTimeField(), "25:99", "Invalid schedule start time"},
                 {w.cpuLimitField(), "5O", "Invalid CPU Limit"}};
    for (const auto& c : cases) {
      const QString good = c.field->text();
      c.field->setText(c.bad);
      for (bool open_new : {false, true}) {
        w.exitButton()->setFocus();
        open_new ? w.openNewEntry()->trigger() : w.launchButton()->click();
        QCOMPARE(env_->op.told.back(), std::string(c.message));
        QVERIFY(w.isVisible() && runs_.empty());
        QVERIFY2(c.field->hasFocus(), c.message);
      }
      c.field->setText(good);
    }
  }

  // A long date and every caption fit with room to spare on both sides.
  void FieldsAndCommandsFitTheirTexts() {
    LaunchWindow& w = *window_;
    const auto room = [](const QWidget* widget, const QString& text) {
      const QFontMetrics metrics = widget->fontMetrics();
      return widget->width() - metrics.horizontalAdvance(QString(text).remove('&')) -
             2 * metrics.averageCharWidth();
    };
    QVERIFY(room(w.runDateField(), "12 December 2026") > 0);
    for (QPushButton* command : {w.launchButton(), w.editButton(), w.viewLogButton(),
                                 w.calendarButton(), w.exitButton(), w.helpButton()})
      QVERIFY2(room(command, command->text()) > 0, qPrintable(command->text()));
  }

  // The values go to the core; the window hides while the run holds the
  // schedule's lock, and shows the run date the run reached.
  void LaunchRunsAndComesBack() {
    LaunchWindow& w = *window_;
    w.startTimeField()->setText("07:15");
    w.cpuLimitField()->setText(" 50 ");
    w.showEventsBox()->setChecked(true);
    w.dummyRunBox()->click();  // the options dialog stores GenDummyMessages
    w.launchEntry()->trigger();
    QCOMPARE(runs_.size(), size_t{1});
    QVERIFY(runs_[0].ShowEvents && runs_[0].GenDummyMessages && hidden_and_locked_while_running_);
    QVERIFY(env_->schedule.DummyRun && env_->schedule.DayStart == 7 * 3600 + 15 * 60);
    QCOMPARE(
        w.cpuLimitField()->text() + " " + w.runDateField()->text() + " " + w.weekdayLabel()->text(),
        QStringLiteral("50 6 Dec 2026 Sunday"));
    QVERIFY(w.isVisible() && FileLock().TryLock(ScheduleLockPath(env_->schedule)));
  }

  void RunDateArrowsTypingAndCalendar() {
    LaunchWindow& w = *window_;
    const auto shown = [&w] { return w.runDateField()->text() + " " + w.weekdayLabel()->text(); };
    w.runDateField()->setText("31 Dec 2026");
    QCOMPARE(shown(), QStringLiteral("31 Dec 2026 Thursday"));
    w.dateUpButton()->click();
    QCOMPARE(shown(), QStringLiteral("1 Jan 2027 Friday"));
    w.dateDownButton()->click();
    QTest::keyClick(w.runDateField(), Qt::Key_Down);
    QCOMPARE(shown(), QStringLiteral("30 Dec 2026 Wednesday"));
    QCOMPARE(env_->schedule.RunDate, MakeDate(2026, 12, 30));
    testing::WhenOpen<DateSelDialog>([](DateSelDialog& picker) {
      QTest::keyClick(picker.calendarView(), Qt::Key_Right);
      QTest::keyClick(picker.calendarView(), Qt::Key_Return);
    });
    w.calendarButton()->click();
    QCOMPARE(shown(), QStringLiteral("31 Dec 2026 Thursday"));
  }

  void CommandsReachTheirWindows() {
    LaunchWindow& w = *window_;
    w.dummyRunBox()->click();  // checked: the options dialog
    w.dummyRunBox()->click();  // unchecked: nothing
    w.viewLogButton()->click();
    w.logEntry()->trigger();
    w.resetEntry()->trigger();  // the scripted operator says No
    QCOMPARE(std::tie(dummy_dialogs_, log_views_), std::make_tuple(1, 2));
    QCOMPARE(env_->op.told, Texts{});
    QCOMPARE(env_->op.asked, Texts{"Are you sure you want to reset all scheduling values?"});
    for (Answer a : {Answer::Yes, Answer::No, Answer::No}) env_->op.AnswerNext(a);
    w.resetEntry()->trigger();
    QCOMPARE(env_->op.told.back(), std::string("The run state of 0 job(s) was cleared."));
    env_->dir.Write("Startup.html", "<html></html>");
    env_->schedule.HelpPath = env_->dir.path();
    w.helpButton()->click();
    QCOMPARE(env_->desktop.opened, Texts{env_->dir.File("Startup.html")});
    QString version;
    testing::WhenOpen<AboutBox>([&version](AboutBox& box) {
      version = box.versionLabel()->text();
      box.okButton()->click();
    });
    w.aboutEntry()->trigger();
    QCOMPARE(version, Q(kVersionText));
  }

  // The grid opens on the run date shown: each job's earliest start is placed on it.
  void EditSchedulePlacesTheRunDayFirst() {
    env_->schedule.Jobs.emplace_back().EarliestStart = "07:00";
    for (const char* date : {"31 Dec 2026", "2 Jan 2027"}) {
      window_->runDateField()->setText(date);
      window_->editButton()->click();
    }
    QCOMPARE(grid_starts_, (std::vector<DateTime>{MakeDateTime(2026, 12, 31, 7, 0, 0),
                                                  MakeDateTime(2027, 1, 2, 7, 0, 0)}));
  }

  // Exit saves the values shown and offers the schedule as the default.
  void ExitSavesAndOffersTheDefault() {
    Env& env = *env_;
    env.settings.Set("Quillrun", "Current", env.other_ini);
    env.op.AnswerNext(Answer::Yes);
    window_->startTimeField()->setText("05:45");
    window_->exitButton()->click();
    QCOMPARE(env.op.asked.size(), size_t{1});
    QCOMPARE(env.settings.Get("Quillrun", "Current"), env.ini);
    QCOMPARE(IniRead("Quillrun", "DayStart", env.ini), std::string("05:45"));
    QCOMPARE(exits_, 1);
    QVERIFY(!window_->isVisible());
  }

  void DoubleClickOnTheIniPathOpensAnother() {
    LaunchWindow& w = *window_;
    QTest::mouseDClick(w.iniFileField(), Qt::LeftButton);  // nothing picked: the schedule stays
    QCOMPARE(w.scheduleFrame()->title(), QStringLiteral("Schedule: Night"));
    env_->pick = env_->other_ini;
    QTest::mouseDClick(w.iniFileField(), Qt::LeftButton);
    QCOMPARE(w.scheduleFrame()->title(), QStringLiteral("Schedule: Day"));
    QCOMPARE(w.iniFileField()->text(), Q(env_->other_ini));
    QVERIFY(w.isVisible());
    QCOMPARE(IniRead("Quillrun", "CPULimit", env_->ini), std::string("9999"));  // saved first
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::LaunchWindowTest)
#include "launch_window_test.moc"
