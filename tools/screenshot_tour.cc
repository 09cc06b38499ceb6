// screenshot_tour DEMO_DIR OUT_DIR: opens the windows on a copy of the demo
// schedule, drives them as an operator would and saves a PNG picture of each
// into OUT_DIR. scripts/screenshots runs it under xvfb-run; message boxes are
// answered by a scripted operator, so nothing waits for a person.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QWindow>
#include <cstdio>
#include <functional>

#include "editor/address_selection.h"
#include "editor/included_file.h"
#include "engine/launch.h"
#include "messages/message_file.h"
#include "platform/process_launcher_posix.h"
#include "session/startup.h"
#include "store/settings_store.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "ui/dependencies_page.h"
#include "ui/dialogs.h"
#include "ui/dummy_options_dialog.h"
#include "ui/ed_var_dialog.h"
#include "ui/execution_window.h"
#include "ui/inc_file_dialog.h"
#include "ui/job_edit_dialog.h"
#include "ui/launch_window.h"
#include "ui/log_view_dialog.h"
#include "ui/message_page.h"
#include "ui/modify_schedule_dialog.h"
#include "ui/new_schedule_wizard.h"
#include "ui/schedule_grid_window.h"
#include "ui/sel_addr_dialog.h"
#include "ui/substitution_page.h"
#include "ui/timing_page.h"
#include "ui/view_customisation_dialog.h"
#include "ui/window_capture.h"

namespace qlr {
namespace {

// Lets the windows paint, and jobs run, for `ms` milliseconds or until `done`.
void Settle(
    int ms, const std::function<bool()>& done = [] { return false; }) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms && !done()) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

class Tour {
 public:
  explicit Tour(QString out) : out_(std::move(out)) {}

  int Run() {
    StartupContext startup{schedule_, log_, op_, clock_, settings_, {}, "demo.ini,TEMP"};
    StartUp(startup, launch_);
    LaunchWindow launch(gui_, startup, launch_, {});
    Show(&launch, "launch-window");
    ShowDummyOptions(&launch);
    ShowJobEditor(&launch);
    ShowEditorDialogs(&launch);
    launch_.StartSuspended = true;  // so the panes hold every waiting job at first
    FileLock lock;
    if (!LaunchSchedule(schedule_, log_, op_, launch_, lock))
      return Fail("the demo did not launch");
    RunOptions options;
    options.ShowEvents = true;
    ExecutionWindow window(gui_, launcher_, messages_, options, &launch);
    window.show();
    Settle(500);
    ShowStatusPopup(window);
    ShowModifySchedule(window);
    window.engine().ToggleSuspend();
    const auto running = [&] {
      return !window.engine().events().entries().empty() && Running() > 1;
    };
    Settle(10000, running);
    Show(&window, "execution-window");
    Settle(30000, [&] { return window.engine().schedule_complete(); });
    ShowLogViewer(&window);
    ShowScheduleGrid(&launch);
    ShowNewScheduleWizard();
    return status_;
  }

 private:
  void Show(QWidget* widget, const char* name) {
    widget->show();
    widget->raise();
    widget->activateWindow();
    Settle(300);
    Save(widget->grab(), name);
  }

  void Save(const QPixmap& picture, const char* name) {
    const QString path = QDir(out_).filePath(QString::fromLatin1(name) + ".png");
    if (!picture.save(path, "PNG")) Fail("cannot write the picture");
    std::printf("%s\n", qPrintable(path));
  }

  int Fail(const char* why) {
    std::fprintf(stderr, "screenshot_tour: %s\n", why);
    status_ = 1;
    return status_;
  }

  int Running() const {
    int count = 0;
    for (int i = 1; i <= schedule_.JobCount(); ++i)
      count += schedule_[i].Status == JobStatus::Running ? 1 : 0;
    return count;
  }

  void ShowDummyOptions(QWidget* parent) {
    RunOptions options;
    options.GenDummyMessages = true;
    DummyOptionsDialog dialog(gui_, options, parent);
    Show(&dialog, "dummy-options");
  }

  // The pop-up is a window of its own: the picture is taken from the screen.
  void ShowStatusPopup(ExecutionWindow& window) {
    QTableView* list = window.unsubList();
    const QModelIndex row = list->model()->index(2, 0);
    list->setCurrentIndex(row);
    window.engine().SelectUnsubmitted(PaneRow{2});
    const QRect cell = list->visualRect(row);
    QMenu* menu = window.unsubMenu();
    menu->popup(list->viewport()->mapToGlobal(cell.center()));
    Settle(300);
    const QRect area = window.frameGeometry();
    Save(window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()),
         "status-popup");
    menu->hide();
  }

  void ShowModifySchedule(ExecutionWindow& window) {
    std::string group_filter = "(All)";
    ModifyScheduleDialog dialog(gui_, window.engine(), group_filter, &window);
    dialog.unscheduleOption()->click();
    dialog.cascadeBox()->click();
    dialog.jobList()->setCurrentIndex(dialog.jobList()->model()->index(0, 0));
    dialog.jobList()->selectionModel()->select(
        dialog.jobList()->model()->index(0, 0),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    Show(&dialog, "modify-schedule");
    dialog.cancelButton()->click();
  }

  void ShowLogViewer(QWidget* parent) {
    LogViewDialog dialog(gui_, parent);
    dialog.kindOption(LogSelection::Group)->click();
    Show(&dialog, "log-viewer");
  }

  // The grid after the day's run, in a profile the customisation dialog makes
  // for following a run: its picture is taken while the dialog is open.
  void ShowScheduleGrid(QWidget* parent) {
    ScheduleGridWindow grid(gui_, settings_, parent);
    grid.show();
    Settle(300);
    QTimer::singleShot(0, &grid, [this] {
      auto* dialog = dynamic_cast<ViewCustomisationDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return void(Fail("no view customisation dialog"));
      ChooseOperationsColumns(*dialog);
      Show(dialog, "view-customisation");
      dialog->okButton()->click();
    });
    grid.customiseEntry()->trigger();
    grid.grid()->selectRow(5);  // BADJOB, which failed
    Show(&grid, "schedule-grid");
    grid.closeButton()->click();
  }

  static void ChooseOperationsColumns(ViewCustomisationDialog& dialog) {
    const auto pick = [](QListWidget* list, const char* heading) {
      list->findItems(QString::fromLatin1(heading), Qt::MatchExactly).first()->setSelected(true);
    };
    for (const char* heading : {"Command Line", "Job Description", "Submit Only", "Auto Reschedule",
                                "CPU Usage", "Date Variables"}) {
      QListWidget* shown = dialog.displayedList();
      shown->setCurrentItem(
          shown->findItems(QString::fromLatin1(heading), Qt::MatchExactly).first());
      dialog.moveLeftButton()->click();
    }
    for (const char* heading : {"Frequency", "Dependencies", "Inter/Ext Dependency", "Exclusivity",
                                "Status", "Started", "Completed", "Trigger Creation"})
      pick(dialog.undisplayedList(), heading);
    dialog.moveRightButton()->click();
    dialog.displayedList()->setCurrentRow(6);  // Status: its width and alignment
    dialog.profileNameField()->setText(QStringLiteral("Operations"));
    emit dialog.profileNameField()->textEdited(dialog.profileNameField()->text());
  }

  // The calendar page, after a folder and name that show nothing of this machine.
  void ShowNewScheduleWizard() {
    NewScheduleWizard wizard(gui_, settings_, nullptr);
    wizard.folderEdit()->setText(QStringLiteral("/srv/quillrun/night"));
    wizard.nameEdit()->setText(QStringLiteral("NIGHT"));
    wizard.show();
    wizard.next();
    wizard.dayStartEdit()->setText(QStringLiteral("18:30"));
    wizard.holidaysEdit()->setText(QStringLiteral("/srv/quillrun/holidays.txt"));
    Show(&wizard, "new-schedule-wizard");
    wizard.reject();
  }

  // The job editor on the demo jobs that fill each tab best. Nothing is
  // stored: each editor is left with Cancel.
  void ShowJobEditor(QWidget* parent) {
    ShowEditorTab(parent, "PUBLISH", EditTab::Submission, "job-editor-submission");
    ShowEditorTab(parent, "PUBLISH", EditTab::Substitution, "job-editor-substitution",
                  [](JobEditDialog& editor) { editor.substitutionPage()->tryButton()->click(); });
    ShowEditorTab(parent, "MONTHLY", EditTab::Timing, "job-editor-timing",
                  [](JobEditDialog& editor) { editor.timingPage()->tryButton()->click(); });
    ShowEditorTab(parent, "PUBLISH", EditTab::Dependencies, "job-editor-dependencies");
    ShowEditorTab(parent, "PUBLISH", EditTab::NormalEoj, "job-editor-normal-eoj",
                  [](JobEditDialog& editor) { TypeNormalMessage(editor); });
    ShowEditorTab(parent, "BADJOB", EditTab::AbnormalEoj, "job-editor-abnormal-eoj");
  }

  void ShowEditorTab(QWidget* parent, const char* job, EditTab tab, const char* name,
                     const std::function<void(JobEditDialog&)>& drive = {}) {
    JobEditDialog editor(gui_, schedule_.FindJob(job), false, parent);
    editor.tabs()->setCurrentIndex(static_cast<int>(tab));
    editor.show();
    if (drive) drive(editor);
    Show(&editor, name);
    editor.cancelButton()->click();
  }

  // A message as an operator would type it: a text line and an included file.
  static void TypeNormalMessage(JobEditDialog& editor) {
    MessagePage* page = editor.messagePage(MessageKind::Normal);
    const auto type = [](QLineEdit* box, const QString& text) {
      box->setText(text);
      emit box->textEdited(text);
    };
    type(page->toEdit(), QStringLiteral("OPERATOR"));
    type(page->subjectEdit(), QStringLiteral("DEMO: report published"));
    type(page->bodyEdit(1), QStringLiteral("%JOBNAME% ended at %COMPLETIONTIME%."));
    type(page->bodyEdit(2), QDir::current().filePath(QStringLiteral("output/PUBLISH.out")));
    page->flagBox(2, MsgFlag::Fil)->click();
    page->flagBox(2, MsgFlag::Att)->click();
  }

  void ShowEditorDialogs(QWidget* parent) {
    const Job& publish = schedule_[schedule_.FindJob("PUBLISH")];
    DateVarDialog variable(op_, ReadDateVar(publish.DateVars[1]));
    EdVarDialog ed_var(gui_, variable, parent);
    Show(&ed_var, "date-variable");
    IncludedFile exchange{
        QDir::current().filePath(QStringLiteral("output/PUBLISH.out")).toStdString(), true, false,
        false, false};
    IncludedFileDialog file(op_, exchange);
    IncFileDialog inc_file(gui_, file, {}, parent);
    Show(&inc_file, "include-file");
    std::string addresses = "OPERATOR";
    AddressSelection selection(schedule_, op_, addresses);
    SelAddrDialog sel_addr(gui_, selection, parent);
    Show(&sel_addr, "address-selection");
  }

  QString out_;
  SystemClock clock_;
  testing::ScriptedOperator op_;
  testing::RecordingDesktop desktop_;
  Schedule schedule_;
  RunLog log_{schedule_, clock_, op_};
  MemorySettingsStore settings_;
  GuiContext gui_{schedule_, log_, op_, desktop_, clock_};
  PosixProcessLauncher launcher_;
  MessageFiles messages_{log_, op_, clock_};
  LaunchValues launch_;
  int status_ = 0;
};

}  // namespace
}  // namespace qlr

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: screenshot_tour DEMO_DIR OUT_DIR\n");
    return 2;
  }
  const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
  if (!QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "screenshot_tour: cannot enter %s\n", argv[1]);
    return 2;
  }
  QDir().mkpath(out);
  return qlr::Tour(out).Run();
}
