// "Quillrun Startup": the operator's choice, and where each choice leads start-up.
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "model/constants.h"
#include "platform/file_system.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"
#include "ui/first_run_dialog.h"
#include "ui/window_capture.h"

namespace qlr {

// How the operator leaves the dialog.
enum class Leave { FindExisting, CreateNew, CancelButton, Escape, Frame };

class FirstRunTest : public QObject {
  Q_OBJECT

  static void LeaveDialog(FirstRunDialog& dialog, Leave how) {
    if (how == Leave::CreateNew) dialog.createNewOption()->click();
    if (how == Leave::FindExisting || how == Leave::CreateNew) dialog.okButton()->click();
    if (how == Leave::CancelButton) dialog.cancelButton()->click();
    if (how == Leave::Escape) QTest::keyClick(&dialog, Qt::Key_Escape);
    if (how == Leave::Frame) dialog.close();
  }

 private slots:
  void LooksAsItShould() {
    FirstRunDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Quillrun Startup"));
    QCOMPARE(dialog.findExistingOption()->text(),
             QStringLiteral("I want to find an existing schedule."));
    QCOMPARE(dialog.createNewOption()->text(), QStringLiteral("I want to create a new schedule."));
    QVERIFY(dialog.findExistingOption()->isChecked());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    SaveWindowPicture(&dialog, "/tmp/frmFirstRun.png");
  }

  // Each way out of the modal dialog, and what start-up then tells and asks.
  void EachChoiceThroughStartUp_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("told");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<bool>("started");
    const QString warning = QStringLiteral(
        "Warning:  The same Quillrun schedule cannot be run on more than one computer "
        "simultaneously.\n\nThe schedule to be executed on this computer should be disabled from "
        "execution elsewhere.\n\nPress Cancel to terminate or OK to locate the Quillrun INI file "
        "for the required schedule.");
    const QString tovani = QString::fromStdString(ExecutableDir() + "/QLRTovani");
    using C = FirstRunChoice;
    // clang-format off
    QTest::newRow("find") << int(Leave::FindExisting) << int(C::FindExisting) << "" << warning
                          << true;
    QTest::newRow("create") << int(Leave::CreateNew) << int(C::CreateNew)
                            << "Error invoking  \"" + tovani + "\"" << "" << false;
    QTest::newRow("Cancel") << int(Leave::CancelButton) << int(C::Cancel) << "" << "" << false;
    QTest::newRow("Escape") << int(Leave::Escape) << int(C::Cancel) << "" << "" << false;
    QTest::newRow("frame") << int(Leave::Frame) << int(C::Closed) << "Quillrun Terminating" << ""
                           << false;
    // clang-format on
  }
  void EachChoiceThroughStartUp() {
    QFETCH(int, how);
    QFETCH(int, choice);
    QFETCH(QString, told);
    QFETCH(QString, asked);
    QFETCH(bool, started);
    testing::TempDir dir;
    dir.Write("sched.txt", "");
    const std::string ini = dir.Write("night.ini", Ini());
    testing::FakeClock clock;
    testing::ScriptedOperator op;
    op.AnswerNext(Answer::Ok);  // the warning before the file dialog
    Schedule schedule;
    RunLog log(schedule, clock, op);
    MemorySettingsStore settings;
    FileChooser chooser = [&](auto&, auto&) { return ini; };
    FirstRunChoice made = FirstRunChoice::Cancel;
    StartupContext ctx{schedule, log, settings, chooser, "", [&] {
                         FirstRunDialog dialog;
                         QTimer::singleShot(0, &dialog, [&] { LeaveDialog(dialog, Leave(how)); });
                         dialog.exec();
                         return made = dialog.choice();
                       }};
    LaunchValues launch;
    bool ended = false;
    try {
      StartUp(ctx, launch);
    } catch (const ProgramEnd&) {
      ended = true;
    }
    QCOMPARE(int(made), choice);
    QCOMPARE(!ended, started);
    QCOMPARE(Joined(op.told), told);
    QCOMPARE(Joined(op.asked), asked);
    QCOMPARE(settings.Get("Quillrun", "Current"), started ? ini : "");
  }

 private:
  static std::string Ini() {
    std::string text = "[Quillrun]\r\nScheduleName=Night\r\nScheduleFile=sched.txt\r\n";
    text += "DateDisplayFormat=0\r\n";
    for (const char* key : {"LogFile", "EmailAddrPath", "TriggerPath", "TrackerPath", "JobDocPath",
                            "EmailPath", "EmailAttPath", "PubHols"})
      text += std::string(key) + "=" + std::string(kNotSpecifiedMark) + "\r\n";
    return text;
  }
  static QString Joined(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) list << QString::fromStdString(text);
    return list.join('|');
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::FirstRunTest)
#include "first_run_test.moc"
