// The job editor window over a small schedule kept in a folder: what OK,
// Cancel and closing store, where a refusal puts the cursor, what the
// fields accept as they are typed, the dependency grid's clicks, and the
// dialogs the editor opens. The rules themselves are the editor core's tests.
#include "ui/job_edit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include "base/text.h"
#include "editor/address_selection.h"
#include "editor/included_file.h"
#include "model/constants.h"
#include "store/schedule_file.h"
#include "support/temp_dir.h"
#include "ui/access_keys.h"
#include "ui/dependencies_page.h"
#include "ui/ed_var_dialog.h"
#include "ui/inc_file_dialog.h"
#include "ui/message_page.h"
#include "ui/sel_addr_dialog.h"
#include "ui/submission_page.h"
#include "ui/substitution_page.h"
#include "ui/timing_page.h"
#include "ui_fixture.h"

namespace qlr {
namespace {

// PAY writes its standard trigger; LOAD waits for PAY to succeed and for its
// trigger file; REPORT, of another group, runs after LOAD whatever its end.
struct Bed : testing::GuiBed {
  testing::TempDir dir;

  Bed() {
    schedule.ScheduleFile = dir.File("t.sch");
    schedule.EmailAddrPath = dir.path();
    schedule.HelpPath = "/nowhere";
    schedule.RunDate = MakeDate(2026, 12, 4);  // a Friday
    Add("PAY", "G1").TriggerFile = kStandardTriggerMark;
    Add("LOAD", "G1", "PAY", "S").WaitFile = "..PAY";
    Add("REPORT", "G2", "LOAD", "U");
    WriteSchedule(schedule, log, op);
  }
  Job& Add(const char* name, const char* group, const char* after = "",
           const char* condition = "") {
    Job& job = schedule.Jobs.emplace_back();
    job.JobName = name;
    job.Group = group;
    job.CommandLine = "true";
    job.Frequency = "Daily";
    if (*after != '\0')
      job.RunAfter = {after}, job.DepConditions = condition, job.DepAutoUnsched = " ";
    return job;
  }
  std::string File() const { return dir.Read("t.sch"); }
  // The job as the schedule file now holds it.
  Job Stored(const char* name) const {
    for (const std::string& line : Split(File(), '\n'))
      if (StartsWith(line, std::string(name) + "\t"))
        return ParseJobLine(schedule, TrimRight(line), '\t');
    return {};
  }
};

using testing::Type;
using testing::WhenOpen;

// The access keys of a page: none shared with another control of the page,
// with a tab's title or with Help. The twenty message flag boxes have no
// captions (headings name them) and are reached with Tab.
QStringList PageKeyFaults(const JobEditDialog& editor, QWidget* page) {
  QStringList faults;
  for (const QString& fault : testing::AccessKeyFaults(page))
    if (fault != QStringLiteral("no key: ")) faults << fault;
  QStringList frame{editor.helpButton()->text()};
  for (int tab = 0; tab < editor.tabs()->count(); ++tab) frame << editor.tabs()->tabText(tab);
  for (const QAbstractButton* button : page->findChildren<QAbstractButton*>())
    for (const QString& caption : frame)
      if (!testing::AccessKey(button->text()).isNull() &&
          testing::AccessKey(button->text()) == testing::AccessKey(caption))
        faults << "shared with the frame: " + button->text();
  return faults;
}

}  // namespace

class JobEditDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Bed> bed_;
  std::unique_ptr<JobEditDialog> editor_;

  JobEditDialog& Open(int job, bool is_new = false) {
    editor_ = std::make_unique<JobEditDialog>(bed_->gui, job, is_new);
    editor_->show();
    bed_->op = {};
    return *editor_;
  }
  SubmissionPage& submission() { return *editor_->submissionPage(); }
  TimingPage& timing() { return *editor_->timingPage(); }
  DependenciesPage& dependencies() { return *editor_->dependenciesPage(); }
  MessagePage& message(MessageKind kind) { return *editor_->messagePage(kind); }
  QModelIndex DependencyCell(const char* job, int column) {
    const QAbstractItemModel* rows = dependencies().dependencyGrid()->model();
    for (int row = 0; row < rows->rowCount(); ++row)
      if (rows->index(row, 0).data().toString() == QLatin1String(job))
        return rows->index(row, column);
    return {};
  }

 private slots:
  void init() { bed_ = std::make_unique<Bed>(); }
  void cleanup() {
    editor_.reset();
    bed_.reset();
  }

  // Every check that refuses OK: its message, its tab in front, the cursor
  // in the field to correct, the window open and the file untouched.
  void RefusalBringsItsTabForward() {
    struct Case {
      std::function<QWidget*(JobEditDialogTest&)> change;  // returns the field to correct
      EditTab tab;
      const char* told;
    };
    const Case cases[] = {
        {[](JobEditDialogTest& t) {
           Type(t.submission().groupList()->lineEdit(), "");
           return t.submission().groupList();
         },
         EditTab::Submission, "Group Name not entered"},
        {[](JobEditDialogTest& t) {
           Type(t.submission().nameEdit(), "load");
           return t.submission().nameEdit();
         },
         EditTab::Submission, "Duplicate Job Name"},
        {[](JobEditDialogTest& t) {
           Type(t.timing().earliestStartEdit(), "6:30");
           return t.timing().earliestStartEdit();
         },
         EditTab::Timing, "Invalid earliest Start Time. Must be empty or \"nn:nn\""},
        {[](JobEditDialogTest& t) {
           t.dependencies().waitOption(WaitChoice::External)->click();
           return t.dependencies().waitFileEdit();
         },
         EditTab::Dependencies, "External trigger file not specified"},
        {[](JobEditDialogTest& t) {  // no triggers list: no job to choose
           t.dependencies().waitOption(WaitChoice::Interschedule)->click();
           return t.dependencies().triggerJobList();
         },
         EditTab::Dependencies, "Interschedule prerequisite job not selected"},
        {[](JobEditDialogTest& t) {
           Type(t.message(MessageKind::Normal).toEdit(), "BOSS");
           return t.message(MessageKind::Normal).subjectEdit();
         },
         EditTab::NormalEoj, "Address specified but no message contents for EOJ Email"},
        {[](JobEditDialogTest& t) {
           Type(t.message(MessageKind::Abnormal).ccEdit(), "BOSS");
           return t.message(MessageKind::Abnormal).subjectEdit();
         },
         EditTab::AbnormalEoj, "Address specified but no message contents for Abnormal EOJ Email"},
        {[](JobEditDialogTest& t) {  // a null job creating a trigger file is made Daily first
           Type(t.timing().frequencyEdit(), "Mon");
           Type(t.submission().commandEdit(), "");
           t.message(MessageKind::Normal).triggerOption(TriggerChoice::External)->click();
           t.dependencies().waitOption(WaitChoice::External)->click();
           t.bed_->op.AnswerNext(Answer::Yes);
           return t.dependencies().waitFileEdit();
         },
         EditTab::Dependencies, "External trigger file not specified"},
    };
    const std::string before = bed_->File();
    for (const Case& c : cases) {
      Open(3);
      editor_->tabs()->setCurrentIndex(static_cast<int>(EditTab::Substitution));
      QWidget* field = c.change(*this);
      editor_->okButton()->click();
      QVERIFY2(!bed_->op.told.empty(), c.told);
      QCOMPARE(bed_->op.told.back(), std::string(c.told));
      QCOMPARE(editor_->tabs()->currentIndex(), static_cast<int>(c.tab));
      QCOMPARE(editor_->focusWidget(), field);
      QVERIFY(editor_->isVisible());
      QCOMPARE(bed_->File(), before);
    }
    QCOMPARE(timing().frequencyEdit()->text(), QStringLiteral("Daily"));  // shown as answered
  }

  // Cancel, Escape and the frame's close answered No leave the file alone;
  // the frame's close answered Cancel leaves the editor open.
  void CancellingStoresNothing_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("stays");
    QTest::newRow("Cancel") << Answer::Yes << false;
    QTest::newRow("Escape") << Answer::Yes << false;
    QTest::newRow("frame, No") << Answer::No << false;
    QTest::newRow("frame, Cancel") << Answer::Cancel << true;
  }
  void CancellingStoresNothing() {
    const QString how = QTest::currentDataTag();
    QFETCH(Answer, answer);
    QFETCH(bool, stays);
    const std::string before = bed_->File();
    Open(3);
    Type(submission().descriptionEdit(), "changed");
    bed_->op.AnswerNext(answer);
    if (how == "Cancel") editor_->cancelButton()->click();
    if (how == "Escape") QTest::keyClick(editor_.get(), Qt::Key_Escape);
    if (how.startsWith("frame")) editor_->close();
    QCOMPARE(bed_->op.asked.size(), size_t(how.startsWith("frame")));
    QCOMPARE(editor_->isVisible(), stays);
    QVERIFY(editor_->model().EditCancelled());
    QCOMPARE(bed_->schedule[3].Description.Str(), std::string());
    QCOMPARE(bed_->File(), before);
  }

  // A change made in a field reaches the schedule file through OK (or
  // through Yes when the window is closed by its frame).
  void OkStoresTheChange() {
    struct Case {
      const char* what;
      std::function<void(JobEditDialogTest&)> change;
      std::function<bool(const Job&)> stored;
    };
    const Case cases[] = {
        {"description",
         [](JobEditDialogTest& t) { Type(t.submission().descriptionEdit(), "Nightly totals"); },
         [](const Job& j) { return j.Description.Str() == "Nightly totals"; }},
        {"frequency with a comma",
         [](JobEditDialogTest& t) { Type(t.timing().frequencyEdit(), "Mon,Fri"); },
         [](const Job& j) { return j.Frequency == "Mon Fri"; }},
        {"submit only", [](JobEditDialogTest& t) { t.submission().submitOnlyBox()->click(); },
         [](const Job& j) { return j.SubmitOnly && j.AutoReschedule == 0; }},
        {"reschedule",
         [](JobEditDialogTest& t) {
           QComboBox* list = t.submission().rescheduleList();
           QTest::keyClick(list, Qt::Key_Down);  // "Success"
         },
         [](const Job& j) { return j.AutoReschedule == 1; }},
        {"exclusivity",
         [](JobEditDialogTest& t) { Type(t.dependencies().exclusivityEdit(), "db-1 tape_x;!"); },
         [](const Job& j) { return j.Exclusivity == "DB-1 TAPE_X"; }},
        {"standard trigger",
         [](JobEditDialogTest& t) {
           t.message(MessageKind::Normal).triggerOption(TriggerChoice::Interschedule)->click();
         },
         [](const Job& j) { return j.TriggerFile.Str() == kStandardTriggerMark; }},
        {"external wait",
         [](JobEditDialogTest& t) {
           t.dependencies().waitOption(WaitChoice::External)->click();
           Type(t.dependencies().waitFileEdit(), "/in/ready.flag");
           t.dependencies().deleteFileBox()->click();
         },
         [](const Job& j) { return j.WaitFile == "/in/ready.flag" && j.DeleteWaitFile; }},
        {"message line made a file",
         [](JobEditDialogTest& t) {
           MessagePage& m = t.message(MessageKind::Normal);
           Type(m.toEdit(), "BOSS");
           Type(m.bodyEdit(2), "/out/totals.txt");
           m.flagBox(2, MsgFlag::Fil)->click();
           m.flagBox(2, MsgFlag::Att)->click();
         },
         [](const Job& j) {
           return j.NormalMailTo == "BOSS" && j.NormalMsg[2] == "/out/totals.txt" &&
                  j.NormalMsgFlags[2] == "10100";
         }},
        {"defer minutes",
         [](JobEditDialogTest& t) { Type(t.message(MessageKind::Normal).deferEdit(), "1x5"); },
         [](const Job& j) { return j.DeferEojMsgMins == 15; }},
    };
    for (const Case& c : cases) {
      init();
      Open(3);
      c.change(*this);
      editor_->okButton()->click();
      QVERIFY2(!editor_->isVisible(), c.what);
      QVERIFY2(!editor_->model().EditCancelled(), c.what);
      QVERIFY2(c.stored(bed_->Stored("REPORT")), c.what);
    }
  }

  // A new name reaches every job that waits for the old one, with one
  // message for each kind of reference; a change of letter case alone is no
  // rename. PAY writes its standard trigger, so a new name asks first.
  void RenameUpdatesDependents_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("after");  // LOAD's RunAfter and WaitFile once stored
    QTest::addColumn<int>("told");
    // clang-format off
    QTest::newRow("new name") << "WAGES" << "WAGES ..WAGES" << 3;
    QTest::newRow("letter case") << "Pay" << "PAY ..PAY" << 0;
    // clang-format on
  }
  void RenameUpdatesDependents() {
    QFETCH(QString, name);
    QFETCH(QString, after);
    QFETCH(int, told);
    Open(1);
    Type(submission().nameEdit(), name);
    QCOMPARE(editor_->windowTitle(), name + " - Edit Job");
    bed_->op.AnswerNext(Answer::Ok);  // the trigger file change
    editor_->okButton()->click();
    QVERIFY(!editor_->isVisible());
    const Job load = bed_->Stored("LOAD");
    QCOMPARE(QString::fromStdString(load.RunAfter.at(0) + " " + load.WaitFile), after);
    QCOMPARE(bed_->Stored(name.toLatin1().constData()).JobName.Str(), name.toStdString());
    QCOMPARE(static_cast<int>(bed_->op.told.size()), told);
    if (told > 0)
      QCOMPARE(bed_->op.told.front(),
               std::string("The following job(s): LOAD  are dependent on this job and their "
                           "references have been updated accordingly."));
  }

  // The grid's clicks, by mouse and by key, and its condition menu.
  void DependencyGridClicks() {
    struct Case {
      const char* job;
      int column;
      bool by_key;
      const char* menu_key;  // the condition menu's access key, "" for a plain click
      QStringList row;       // Wait EOJ, EOJ Status, Auto Unsched afterwards
    };
    const QString tick(QChar(0x2713));
    const Case cases[] = {
        {"PAY", 2, false, "", {tick, "Uncond", ""}},
        {"PAY", 4, true, "", {tick, "Uncond", tick}},
        {"PAY", 3, false, "f", {tick, "Failure", ""}},
        {"PAY", 3, true, "s", {tick, "Success", ""}},
        {"PAY", 2, true, "", {"", "", ""}},
        {"PAY", 1, false, "", {"", "", ""}},  // the group does nothing
        {"LOAD", 3, false, "u", {tick, "Uncond", ""}},
    };
    Open(3);
    dependencies().allGroupsOption()->click();  // PAY is of another group
    QTableView* grid = dependencies().dependencyGrid();
    for (const Case& c : cases) {
      const QModelIndex cell = DependencyCell(c.job, c.column);
      QVERIFY2(cell.isValid(), c.job);
      grid->setCurrentIndex(cell);
      const QPoint at = grid->visualRect(cell).center();
      if (*c.menu_key != '\0')
        QTimer::singleShot(0, [key = c.menu_key] {
          if (QWidget* menu = QApplication::activePopupWidget())
            QTest::keyClick(menu, static_cast<char>(key[0]));
        });
      if (*c.menu_key != '\0' && c.by_key) {
        QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
      } else if (*c.menu_key != '\0') {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &event);
      } else if (c.by_key) {
        QTest::keyClick(grid, Qt::Key_Space);
      } else {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
      }
      QStringList row;
      for (int column : {2, 3, 4}) row << DependencyCell(c.job, column).data().toString();
      QCOMPARE(row, c.row);
    }
    editor_->okButton()->click();
    const Job report = bed_->Stored("REPORT");
    QCOMPARE(report.RunAfter, (std::vector<std::string>{"LOAD"}));
    QCOMPARE(report.DepConditions, std::string("U"));
  }

  // What each kind of box accepts, key by key (the frequency, exclusivity and
  // minutes boxes are typed into by OkStoresTheChange).
  void TypingRules_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("name") << 0 << "A B/C,D\"E'F(G)H¬I" << "ABCDEFGH";
    QTest::newRow("name length") << 0 << "ABCDEFGHIJ" << "ABCDEFGH";
    QTest::newRow("group") << 1 << "NEW GRP" << "NEWGRP";
    QTest::newRow("start") << 2 << "06,30" << "06 30";
    QTest::newRow("subject") << 3 << "Done, at last" << "Done at last";
    QTest::newRow("cpu") << 4 << "4-0" << "40";
    // clang-format on
  }
  void TypingRules() {
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Open(3);
    QLineEdit* const boxes[] = {
        submission().nameEdit(), submission().groupList()->lineEdit(), timing().earliestStartEdit(),
        message(MessageKind::Abnormal).subjectEdit(), submission().cpuEdit()};
    Type(boxes[box], typed);
    QCOMPARE(boxes[box]->text(), shown);
  }

  // Each page follows the editor core's enabling rules as fields change
  // (the rules themselves are the core's tests).
  void ControlsFollowTheRules() {
    Open(3);
    QCOMPARE(submission().criticalBox()->isHidden(), true);  // AllowCritical is off
    QTest::keyClick(submission().rescheduleList(), Qt::Key_Down);
    QVERIFY(!submission().submitOnlyBox()->isEnabled() &&
            !submission().deferRolloverBox()->isEnabled());
    Type(submission().commandEdit(), "tool.com /x");
    QVERIFY(submission().dosBox()->isChecked());
    DependenciesPage& d = dependencies();
    QVERIFY(d.waitLabel()->isHidden() && !d.deleteFileBox()->isEnabled());
    d.waitOption(WaitChoice::External)->click();
    QCOMPARE(d.waitLabel()->text(), QStringLiteral("External Trigger &File:"));
    QVERIFY(!d.waitFileEdit()->isHidden() && d.triggerJobList()->isHidden() &&
            d.deleteFileBox()->isEnabled());
    MessagePage& m = message(MessageKind::Abnormal);
    QVERIFY(!m.flagBox(1, MsgFlag::Fil)->isEnabled());
    Type(m.bodyEdit(1), "/out/list.txt");
    QVERIFY(m.flagBox(1, MsgFlag::Fil)->isEnabled());
    Type(submission().nameEdit(), "");
    QCOMPARE(editor_->windowTitle(), QStringLiteral("Edit Job"));
  }

  // Keyword Formats with its prompts and the date picker, Try it, and Skip
  // On's "Other Date" (what the prompts accept is the editor core's).
  void TimingAids() {
    Open(3);
    std::vector<std::string> pickers_opened_on;
    editor_->hooks().pick_date = [&](const std::string& on) -> std::optional<std::string> {
      pickers_opened_on.push_back(on);
      return "7 Dec 2026";
    };
    QTreeWidget* keys = timing().keywordList();
    const auto use = [&](const char* key) {
      keys->setCurrentItem(keys->findItems(QLatin1String(key), Qt::MatchExactly).value(0));
      QTest::keyClick(keys, Qt::Key_Return);
    };
    Type(timing().frequencyEdit(), "");
    timing().tryButton()->click();
    QVERIFY(!timing().tryList()->isHidden());
    bed_->op.InputNext("3");
    use("+nCDOM");
    QVERIFY(timing().tryList()->isHidden());
    bed_->op.InputNext("2");
    bed_->op.InputNext("tue");
    use("+nddd");
    use("Selected Date");
    QCOMPARE(timing().frequencyEdit()->text(), QStringLiteral("+3CDOM +2Tue 07 Dec 2026"));
    QCOMPARE(bed_->op.prompts.size(), size_t(3));
    QCOMPARE(editor_->isVisible(), true);  // Enter in the list is not OK
    QComboBox* skip = timing().skipOnList();
    skip->setCurrentIndex(3);
    emit skip->activated(3);  // "Other Date"
    QCOMPARE(pickers_opened_on, (std::vector<std::string>{"4 Dec 2026", "4 Dec 2026"}));
    QCOMPARE(skip->currentText(), QStringLiteral("7 Dec 2026"));
    timing().tryButton()->click();
    QCOMPARE(timing().tryList()->item(0)->text(), QStringLiteral("Monday 07 Dec 2026 (Skipped)"));
    editor_->okButton()->click();
    QCOMPARE(bed_->Stored("REPORT").SkipOn.Str(), std::string("7 Dec 2026"));
  }

  // The three dialogs the editor opens hand back what was chosen in them,
  // and nothing when they are cancelled.
  void DialogsHandBackTheChoice() {
    bed_->dir.Write("boss.adr", "boss@example.com,The Boss\r\n");
    bed_->dir.Write("ops.adr", "; on call\r\nops@example.com\r\n");
    const std::string include = bed_->dir.File("totals.txt");
    Open(3);
    MessagePage& m = message(MessageKind::Normal);
    WhenOpen<SelAddrDialog>([](SelAddrDialog& d) {
      QCOMPARE(d.addressList()->item(1)->text(), QStringLiteral("OPS(ops@example.com)"));
      d.addressList()->item(0)->setSelected(true);
      d.addressList()->item(1)->setSelected(true);
      d.okButton()->click();
    });
    m.changeToButton()->click();
    QCOMPARE(m.toEdit()->text(), QStringLiteral("BOSS,OPS"));
    WhenOpen<SelAddrDialog>([](SelAddrDialog& d) {
      d.addressList()->item(0)->setSelected(false);
      d.cancelButton()->click();
    });
    m.changeToButton()->click();
    QCOMPARE(m.toEdit()->text(), QStringLiteral("BOSS,OPS"));
    WhenOpen<IncFileDialog>([include](IncFileDialog& d) {
      Type(d.nameEdit(), QString::fromStdString(include));
      d.attachOption()->click();
      d.deleteBox()->click();
      d.okButton()->click();
    });
    m.includeButton(3)->click();
    QCOMPARE(m.bodyEdit(3)->text(), QString::fromStdString(include));
    WhenOpen<IncFileDialog>([](IncFileDialog& d) {
      Type(d.nameEdit(), "/elsewhere/x.txt");
      d.cancelButton()->click();
    });
    m.includeButton(4)->click();
    QCOMPARE(m.bodyEdit(4)->text(), QString());
    Type(m.subjectEdit(), "Totals");
    editor_->tabs()->setCurrentIndex(static_cast<int>(EditTab::Substitution));
    SubstitutionPage& s = *editor_->substitutionPage();
    s.variableGrid()->setCurrentIndex(s.variableGrid()->model()->index(2, 0));
    bed_->op.InputNext("1");
    WhenOpen<EdVarDialog>([](EdVarDialog& d) {
      Type(d.nameEdit(), "FIRST");
      d.keyList()->setCurrentRow(4);  // "+nCDOM"
      QTest::keyClick(d.keyList(), Qt::Key_Return);
      QVERIFY(d.relMonthBox()->isEnabled());
      d.relMonthBox()->setValue(-1);
      Type(d.formatEdit(), "yyyy-mm-dd");
      d.okButton()->click();
    });
    s.editButton()->click();
    QCOMPARE(s.variableGrid()->model()->index(2, 4).data().toString(),
             QStringLiteral("2026-11-01"));
    editor_->okButton()->click();
    const Job report = bed_->Stored("REPORT");
    QCOMPARE(report.NormalMailTo, std::string("BOSS,OPS"));
    QCOMPARE(report.NormalMsgFlags[3], std::string("10101"));
    QCOMPARE(report.NormalMsg[4], std::string());
    QCOMPARE(report.DateVars[2], std::string("FIRST,+1CDOM,-1,yyyy-mm-dd"));
  }

  // The three dialogs closed by their frame, or refusing OK: what they say
  // and what they hand back.
  void DialogsClosedOtherwise_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<Answer>("answer");  // to "Do you want to apply the data entered?"
    QTest::addColumn<bool>("stays");
    QTest::addColumn<QString>("told");
    QTest::addColumn<QString>("handed_back");
    const QString no_format = "No format string specified\nNo Variable Name specified";
    // clang-format off
    QTest::newRow("date variable") << "frmEdVar" << Answer::Yes << false
                                   << "Date variable modification cancelled" << "";
    QTest::newRow("date variable OK") << "frmEdVar OK" << Answer::Yes << true << no_format << "";
    QTest::newRow("included file, Yes") << "frmIncFile" << Answer::Yes << false << ""
                                        << "totals.txt";
    QTest::newRow("included file, No") << "frmIncFile" << Answer::No << false << "" << "";
    QTest::newRow("included file, Cancel") << "frmIncFile" << Answer::Cancel << true << "" << "";
    QTest::newRow("addresses") << "frmSelAddr" << Answer::Yes << false
                               << "Address selection cancelled" << "BOSS";
    // clang-format on
  }
  void DialogsClosedOtherwise() {
    QFETCH(QString, dialog);
    QFETCH(Answer, answer);
    QFETCH(bool, stays);
    QFETCH(QString, told);
    QFETCH(QString, handed_back);
    bed_->dir.Write("boss.adr", "boss@example.com\r\n");
    bed_->op.AnswerNext(answer);
    DateVarDialog variable(bed_->op, {"", "RUND+1CD", "0", ""});
    IncludedFile exchange;
    IncludedFileDialog file(bed_->op, exchange);
    std::string addresses = "BOSS";
    AddressSelection selection(bed_->schedule, bed_->op, addresses);
    std::unique_ptr<QDialog> window;
    if (dialog.startsWith("frmEdVar")) window = std::make_unique<EdVarDialog>(bed_->gui, variable);
    if (dialog == "frmIncFile") {
      auto inc_file = std::make_unique<IncFileDialog>(bed_->gui, file, FileChooser{});
      Type(inc_file->nameEdit(), QString::fromStdString(bed_->dir.File("totals.txt")));
      window = std::move(inc_file);
    }
    if (dialog == "frmSelAddr") {
      auto sel_addr = std::make_unique<SelAddrDialog>(bed_->gui, selection);
      sel_addr->addressList()->item(0)->setSelected(false);
      window = std::move(sel_addr);
    }
    window->show();
    if (dialog.endsWith("OK"))
      static_cast<EdVarDialog*>(window.get())->okButton()->click();
    else
      window->close();
    QCOMPARE(window->isVisible(), stays);
    QCOMPARE(QString::fromStdString(bed_->op.told.empty() ? "" : bed_->op.told.back()), told);
    if (dialog.startsWith("frmEdVar")) QVERIFY(!variable.result());
    if (dialog.endsWith("OK"))
      QCOMPARE(window->focusWidget(), static_cast<EdVarDialog*>(window.get())->nameEdit());
    if (dialog == "frmIncFile") {
      QCOMPARE(file.accepted(), !handed_back.isEmpty());
      QCOMPARE(exchange.IncFileName.ends_with("totals.txt"), !handed_back.isEmpty());
    }
    if (dialog == "frmSelAddr") QCOMPARE(QString::fromStdString(addresses), handed_back);
  }

  // Every page: each option has an access key and no key reaches two things.
  void AccessKeysDoNotClash() {
    Open(3);
    for (int tab = 0; tab < editor_->tabs()->count(); ++tab)
      QCOMPARE(PageKeyFaults(*editor_, editor_->tabs()->widget(tab)), QStringList());
    DateVarDialog variable(bed_->op, {});
    QCOMPARE(testing::AccessKeyFaults(new EdVarDialog(bed_->gui, variable, editor_.get())),
             QStringList());
    IncludedFile exchange;
    IncludedFileDialog file(bed_->op, exchange);
    QCOMPARE(testing::AccessKeyFaults(new IncFileDialog(bed_->gui, file, {}, editor_.get())),
             QStringList());
  }

  // Help opens the page of the tab in front; each one is there.
  void HelpFollowsTheTab() {
    const QString help = QStringLiteral(QLR_HELP_DIR);
    bed_->schedule.HelpPath = help.toStdString();
    Open(3);
    for (int tab = 0; tab < editor_->tabs()->count(); ++tab) {
      editor_->tabs()->setCurrentIndex(tab);
      editor_->helpButton()->click();
      const std::string topic = editor_->page(static_cast<EditTab>(tab))->HelpTopic();
      QVERIFY2(bed_->op.told.empty(), bed_->op.told.empty() ? "" : bed_->op.told.back().c_str());
      QVERIFY(EndsWith(bed_->desktop.opened.back(), "/" + topic + ".html"));
    }
    for (const char* topic :
         {"Date Variable", "Included File", "Email Address Selection", "Job Edit Form"})
      QVERIFY2(QFileInfo::exists(QDir(help).filePath(QLatin1String(topic) + ".html")), topic);
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::JobEditDialogTest)
#include "job_edit_dialog_test.moc"
