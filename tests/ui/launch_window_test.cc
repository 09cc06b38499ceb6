// The launch window: the start-up values, the launch check, the run date
// commands, Reset, Exit and opening another schedule.
#include "ui/launch_window.h"

#include <unistd.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "base/version.h"
#include "engine/launch.h"
#include "model/constants.h"
#include "store/profile_file.h"
#include "support/fake_clock.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"
#include "ui/about_box.h"
#include "ui/date_sel_dialog.h"
#include "ui/window_capture.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

// A schedule's files in a fresh folder, started up as the program does.
struct Env {
  Env() {
    dir.Write("sched.txt", "");
    dir.Write("day.txt", "");
    ini = WriteIni("night.ini", "Night", "sched.txt");
    other_ini = WriteIni("day.ini", "Day", "day.txt");
    startup.command_line = ini;
    StartUp(startup, launch);
  }
  std::string WriteIni(const char* name, const char* schedule_name, const char* file) {
    std::string text = "[Quillrun]\r\nScheduleName=" + std::string(schedule_name) +
                       "\r\nScheduleFile=" + file + "\r\nDateDisplayFormat=0\r\nDayStart=06:30\r\n";
    for (const char* key : {"LogFile", "EmailAddrPath", "TriggerPath", "TrackerPath", "JobDocPath",
                            "EmailPath", "EmailAttPath", "PubHols"})
      text += std::string(key) + "=" + std::string(kNotSpecifiedMark) + "\r\n";
    return dir.Write(name, text);
  }

  testing::TempDir dir;
  std::string ini, other_ini;
  testing::FakeClock clock{MakeDateTime(2026, 12, 4, 12, 0, 0)};
  testing::ScriptedOperator op;
  testing::RecordingDesktop desktop;
  Schedule schedule;
  RunLog log{schedule, clock, op};
  MemorySettingsStore settings;
  Texts picks;  // what the file dialog picks, in turn
  StartupContext startup{schedule, log, settings,
                         [this](auto&, auto&) {
                           std::string pick = picks.empty() ? "" : picks.front();
                           if (!picks.empty()) picks.erase(picks.begin());
                           return pick;
                         },
                         ""};
  LaunchValues launch;
  GuiContext gui{schedule, log, op, desktop, clock};
};

}  // namespace

class LaunchWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Env> env_;
  std::unique_ptr<LaunchWindow> window_;
  std::vector<RunOptions> runs_;  // what the execution window was opened with
  int dummy_dialogs_ = 0, log_views_ = 0, exits_ = 0;
  bool hidden_while_running_ = false, locked_while_running_ = false;

  LaunchActions Fakes() {
    return {[this](const RunOptions& options) {
              runs_.push_back(options);
              hidden_while_running_ = !window_->isVisible();
              locked_while_running_ =
                  FileLock::Holder(ScheduleLockPath(env_->schedule)) == int(getpid());
              env_->schedule.RunDate = AddDays(env_->schedule.RunDate, 2);  // two days run
            },
            [this](RunOptions& options) {
              ++dummy_dialogs_;
              options.GenDummyMessages = true;
              return true;
            },
            [this] { ++log_views_; }, [this] { ++exits_; }};
  }
  LaunchWindow& Window() { return *window_; }
  static QString Q(const std::string& text) { return QString::fromStdString(text); }

 private slots:
  void init() {
    env_ = std::make_unique<Env>();
    runs_.clear();
    dummy_dialogs_ = log_views_ = exits_ = 0;
    window_ = std::make_unique<LaunchWindow>(env_->gui, env_->startup, env_->launch, Fakes());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() {
    window_.reset();
    env_.reset();
  }

  void ShowsTheStartUpValues() {
    LaunchWindow& w = Window();
    QCOMPARE(w.scheduleFrame()->title(), QStringLiteral("Schedule: Night"));
    QCOMPARE(w.scheduleFrame()->toolTip(), Q(env_->dir.File("sched.txt")));
    QCOMPARE(w.iniFileField()->text(), Q(env_->ini));
    QCOMPARE(w.iniFileField()->toolTip(), Q(env_->ini));
    QCOMPARE(w.runDateField()->text(), QStringLiteral("4 Dec 2026"));
    QCOMPARE(w.weekdayLabel()->text(), QStringLiteral("Friday"));
    QCOMPARE(w.startTimeField()->text(), QStringLiteral("06:30"));
    QCOMPARE(w.cpuLimitField()->text(), QStringLiteral("9999"));
    const QStringList captions = {w.launchButton()->text(),  w.editButton()->text(),
                                  w.viewLogButton()->text(), w.calendarButton()->text(),
                                  w.exitButton()->text(),    w.dummyRunBox()->text(),
                                  w.resetEntry()->text(),    w.openNewEntry()->text()};
    QCOMPARE(captions, (QStringList{"&Launch Schedule", "&Edit Schedule", "Vie&w Log", "C&alendar",
                                    "E&xit", "D&ummy Run", "Re&set", "&Open New Schedule"}));
    SaveWindowPicture(&w, "/tmp/frmStartup.png");
  }

  void LaunchChecks_data() {
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("cpu");
    QTest::addColumn<QString>("message");
    // clang-format off
    QTest::newRow("valid") << "4 Dec 2026" << "07:15" << " 50 " << "";
    QTest::newRow("date") << "31 Feb 2026" << "07:15" << "50" << "Invalid schedule run date";
    QTest::newRow("start") << "4 Dec 2026" << "7:15" << "50" << "Invalid schedule start time";
    QTest::newRow("cpu") << "4 Dec 2026" << "07:15" << "5O" << "Invalid CPU Limit";
    // clang-format on
  }
  void LaunchChecks() {
    QFETCH(QString, date);
    QFETCH(QString, start);
    QFETCH(QString, cpu);
    QFETCH(QString, message);
    LaunchWindow& w = Window();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.cpuLimitField()->setFocus();
    w.runDateField()->setText(date);
    w.startTimeField()->setText(start);
    w.cpuLimitField()->setText(cpu);
    w.showEventsBox()->setChecked(true);
    w.launchButton()->click();
    QCOMPARE(env_->op.told, message.isEmpty() ? Texts{} : Texts{message.toStdString()});
    QVERIFY(w.isVisible());
    if (!message.isEmpty()) {
      QVERIFY(runs_.empty());
      QCOMPARE(w.runDateField()->hasFocus(), message == "Invalid schedule run date");
      return;
    }
    QCOMPARE(runs_.size(), size_t{1});
    QVERIFY(runs_[0].ShowEvents);
    QVERIFY(hidden_while_running_ && locked_while_running_);
    QCOMPARE(env_->schedule.DayStart, 7 * 3600 + 15 * 60);
    QCOMPARE(env_->schedule.CpuLimit, int16_t{50});
    QCOMPARE(w.cpuLimitField()->text(), QStringLiteral("50"));  // shown trimmed
    // The run date the execution window reached comes back.
    QCOMPARE(w.runDateField()->text(), QStringLiteral("6 Dec 2026"));
    QCOMPARE(w.weekdayLabel()->text(), QStringLiteral("Sunday"));
    QVERIFY(FileLock().TryLock(ScheduleLockPath(env_->schedule)));  // let go
  }

  void ArrowsAndTypingChangeDateAndWeekday() {
    LaunchWindow& w = Window();
    w.runDateField()->setText("31 Dec 2026");
    QCOMPARE(w.weekdayLabel()->text(), QStringLiteral("Thursday"));
    w.dateUpButton()->click();
    QCOMPARE(w.runDateField()->text(), QStringLiteral("1 Jan 2027"));
    QCOMPARE(w.weekdayLabel()->text(), QStringLiteral("Friday"));
    QCOMPARE(env_->schedule.DayStartAt, MakeDateTime(2027, 1, 1, 6, 30, 0));
    w.dateDownButton()->click();
    QTest::keyClick(w.runDateField(), Qt::Key_Down);
    QCOMPARE(w.runDateField()->text(), QStringLiteral("30 Dec 2026"));
    QCOMPARE(w.weekdayLabel()->text(), QStringLiteral("Wednesday"));
    w.runDateField()->setText("30 Dec 20");
    QCOMPARE(w.weekdayLabel()->text(), QString());
    QCOMPARE(env_->schedule.RunDate, MakeDate(2026, 12, 30));
  }

  void CalendarTakesThePickedDate() {
    LaunchWindow& w = Window();
    QTimer::singleShot(0, this, [] {
      auto* picker = dynamic_cast<DateSelDialog*>(QApplication::activeModalWidget());
      QVERIFY(picker != nullptr);
      QTest::keyClick(picker->calendarView(), Qt::Key_Right);
      QTest::keyClick(picker->calendarView(), Qt::Key_Return);
    });
    w.calendarButton()->click();
    QCOMPARE(w.runDateField()->text(), QStringLiteral("5 Dec 2026"));
    QCOMPARE(w.weekdayLabel()->text(), QStringLiteral("Saturday"));
  }

  void CommandsOpenTheirWindows() {
    LaunchWindow& w = Window();
    w.dummyRunBox()->click();  // checked: the options dialog
    w.dummyRunBox()->click();  // unchecked: nothing
    w.viewLogButton()->click();
    w.logEntry()->trigger();
    w.editButton()->click();
    QCOMPARE(std::tie(dummy_dialogs_, log_views_), std::make_tuple(1, 2));
    QCOMPARE(env_->op.told, Texts{"The schedule editor is not available in this version."});
    w.dummyRunBox()->click();
    w.launchEntry()->trigger();
    QCOMPARE(runs_.size(), size_t{1});
    QVERIFY(runs_[0].GenDummyMessages && env_->schedule.DummyRun);
    env_->dir.Write("Startup.html", "<html></html>");
    env_->schedule.HelpPath = env_->dir.path();
    w.helpButton()->click();
    QCOMPARE(env_->desktop.opened, Texts{env_->dir.File("Startup.html")});
  }

  void ResetAsksBeforeItClears() {
    LaunchWindow& w = Window();
    w.resetEntry()->trigger();  // the scripted operator says No
    QCOMPARE(env_->op.asked, Texts{"Are you sure you want to reset all scheduling values?"});
    env_->op.asked.clear();
    for (Answer a : {Answer::Yes, Answer::No, Answer::No}) env_->op.AnswerNext(a);
    w.resetEntry()->trigger();
    QCOMPARE(env_->op.asked, (Texts{"Are you sure you want to reset all scheduling values?",
                                    "Do you want to delete standard trigger files?",
                                    "Do you want to delete non-standard trigger files?"}));
  }

  void ExitOffersTheDefault_data() {
    QTest::addColumn<bool>("temp");
    QTest::addColumn<bool>("yes");
    QTest::newRow("asked, Yes") << false << true;
    QTest::newRow("asked, No") << false << false;
    QTest::newRow("TEMP") << true << false;
  }
  void ExitOffersTheDefault() {
    QFETCH(bool, temp);
    QFETCH(bool, yes);
    Env& env = *env_;
    env.schedule.TempRun = temp;
    env.settings.Set("Quillrun", "Current", env.other_ini);
    if (yes) env.op.AnswerNext(Answer::Yes);
    Window().startTimeField()->setText("05:45");
    Window().exitButton()->click();
    const Texts question = {"Do you want the following Ini file\n\n" + env.ini +
                            "\n\nto replace \n\n" + env.other_ini +
                            "\n\nas the default schedule on this computer?"};
    QCOMPARE(env.op.asked, temp ? Texts{} : question);
    QCOMPARE(env.settings.Get("Quillrun", "Current"), yes ? env.ini : env.other_ini);
    QCOMPARE(IniRead("Quillrun", "DayStart", env.ini), std::string("05:45"));
    QCOMPARE(exits_, 1);
    QVERIFY(!Window().isVisible());
  }

  void AboutShowsTheVersion() {
    QString shown;
    QTimer::singleShot(0, this, [&shown] {
      auto* box = dynamic_cast<AboutBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      shown = box->versionLabel()->text();
      SaveWindowPicture(box, "/tmp/frmAbout.png");
      box->okButton()->click();
    });
    Window().aboutEntry()->trigger();
    QCOMPARE(shown, Q(kVersionText));
    AboutBox splash(kVersionText, AboutBox::Mode::Splash);
    QVERIFY(splash.okButton() == nullptr);
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    SaveWindowPicture(&splash, "/tmp/frmAbout-splash.png");
  }

  void DoubleClickOnTheIniPathOpensAnother() {
    LaunchWindow& w = Window();
    env_->picks = {""};  // nothing picked: the schedule stays
    QTest::mouseDClick(w.iniFileField(), Qt::LeftButton);
    QCOMPARE(w.scheduleFrame()->title(), QStringLiteral("Schedule: Night"));
    env_->picks = {env_->other_ini};
    QTest::mouseDClick(w.iniFileField(), Qt::LeftButton);
    QCOMPARE(w.scheduleFrame()->title(), QStringLiteral("Schedule: Day"));
    QCOMPARE(w.iniFileField()->text(), Q(env_->other_ini));
    QCOMPARE(env_->schedule.ScheduleFile, env_->dir.File("day.txt"));
    QVERIFY(w.isVisible());
    QCOMPARE(IniRead("Quillrun", "CPULimit", env_->ini), std::string("9999"));  // saved first
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::LaunchWindowTest)
#include "launch_window_test.moc"
