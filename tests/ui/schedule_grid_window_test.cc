// The schedule grid over five jobs: the profile's columns and ticks, the
// commands as the operator reaches them (buttons, keys held, double click,
// Enter), the job editor's hook, and what closing keeps.
#include "ui/schedule_grid_window.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

#include "store/schedule_file.h"
#include "support/temp_dir.h"
#include "ui/access_keys.h"
#include "ui/grid_model.h"
#include "ui/ui_fixture.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

// A, C and E are in G1, B and D in G2; C runs after A; B ran and completed.
struct Env : testing::GuiBed {
  Env() {
    schedule.ScheduleFile = dir.File("night.sch");
    schedule.HelpPath = schedule.JobDocPath = dir.path();
    schedule.RunDate = MakeDate(2026, 12, 4);
    for (const char* name : {"A", "B", "C", "D", "E"}) {
      Job& job = schedule.Jobs.emplace_back();
      job.JobName = name;
      job.Group = name[0] == 'B' || name[0] == 'D' ? "G2" : "G1";
      job.CommandLine = "true";
    }
    schedule[2].Status = JobStatus::Completed;
    schedule[3].RunAfter = {"A"};
    schedule[3].DepConditions = "S";
    schedule[4].IsDosProgram = true;
    schedule[5].CommandLine = "scripts/load.sh -v";
    schedule[5].Description = "Loads the day";
  }
  std::string Names() const {
    std::string names;
    for (int i = 1; i <= schedule.JobCount(); ++i) names += schedule[i].JobName.Str();
    return names;
  }

  testing::TempDir dir;
  MemorySettingsStore settings;
};

}  // namespace

class ScheduleGridWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Env> env_;
  std::unique_ptr<ScheduleGridWindow> window_;
  std::vector<std::pair<int, bool>> edits_;  // the job editor's calls: job, is_new
  std::string stored_name_;                  // what the job editor stores; "" cancels

  void Open() {
    window_ = std::make_unique<ScheduleGridWindow>(
        env_->gui, env_->settings, nullptr,
        [this](GuiContext& gui, int job, bool is_new, QWidget*) {
          edits_.emplace_back(job, is_new);
          if (stored_name_.empty()) return false;
          gui.schedule[job].JobName = stored_name_;
          return WriteSchedule(gui.schedule, gui.log, gui.op);
        });
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  QStringList Column(int column, int role = Qt::DisplayRole) const {
    return testing::ColumnTexts(window_->grid()->model(), column, role);
  }
  QStringList Headings() const {
    QStringList headings;
    const QAbstractItemModel* model = window_->grid()->model();
    for (int column = 0; column < model->columnCount(); ++column)
      headings << model->headerData(column, Qt::Horizontal).toString();
    return headings;
  }
  QString Selected() const { return window_->grid()->currentIndex().data().toString(); }
  void ClickRow(int row, bool twice = false) { testing::ClickRow(window_->grid(), row, twice); }
  void ChooseGroup(const QString& group) {
    QComboBox* list = window_->groupList();
    list->setCurrentText(group);
    emit list->activated(list->currentIndex());
  }

 private slots:
  void init() {
    env_ = std::make_unique<Env>();
    edits_.clear();
    stored_name_.clear();
    Open();
  }
  void cleanup() {
    window_.reset();
    env_.reset();
  }

  // On a first run the General profile shows the first nine columns; another
  // profile chosen in the list shows its own.
  void ProfilesChooseTheColumns() {
    QCOMPARE(Headings(),
             (QStringList{"Job Name", "Group", "Command Line", "Job Description", "DOS/CP Prog",
                          "Submit Only", "Auto Reschedule", "CPU Usage", "Date Variables"}));
    QCOMPARE(Column(4), QStringList(5, ""));  // Boolean cells show pictures only
    QCOMPARE(Column(4, GridModel::kTickRole),
             (QStringList{"false", "false", "false", "true", "false"}));
    QCOMPARE(Column(0, Qt::ToolTipRole).last(), QStringLiteral("Job E: Loads the day"));
    ViewProfiles ops(env_->settings);
    ops.Open();
    for (GridColumn& column : ops.columns) column.hidden = column.position != 0;
    ops.columns[16].hidden = false;  // Status
    ops.CurrentProfile = "Ops";
    ops.SaveViewProfile();
    ops.AddProfileToList(ViewProfiles::Section("Ops"));
    env_->settings.Set("ScheduleGrid", "Current", "EVPGeneral");
    window_.reset();
    Open();
    QCOMPARE(Headings().size(), 9);
    QComboBox* profiles = window_->profileList();
    QCOMPARE(profiles->count(), 2);
    profiles->setCurrentIndex(1);
    emit profiles->activated(1);
    QCOMPARE(Headings(), (QStringList{"Job Name", "Status"}));
    QCOMPARE(env_->settings.Get("ScheduleGrid", "Current"), std::string("EVPOps"));
  }

  void DeleteAsksAboutDependents() {
    const std::string dependents =
        "The following jobs:  C  are dependent on this job.  Proceed with deletion?";
    const struct {
      std::vector<Answer> answers;
      Texts asked;
      const char* names;
    } cases[] = {{{Answer::No}, {"Delete job A?"}, "ABCDE"},
                 {{Answer::Yes, Answer::No}, {"Delete job A?", dependents}, "ABCDE"},
                 {{Answer::Yes, Answer::Yes}, {"Delete job A?", dependents}, "BCDE"}};
    for (const auto& c : cases) {
      env_->op.asked.clear();
      for (Answer a : c.answers) env_->op.AnswerNext(a);
      ClickRow(0);
      QTest::keyClick(window_->grid(), Qt::Key_Delete);
      QCOMPARE(env_->op.asked, c.asked);
      QCOMPARE(env_->Names(), std::string(c.names));
    }
    QCOMPARE(Column(0), (QStringList{"B", "C", "D", "E"}));
    QCOMPARE(env_->dir.Read("night.sch"), std::string());  // in memory until Close
    window_->closeButton()->click();
    QVERIFY(env_->dir.Read("night.sch").find("\nA\t") == std::string::npos);
    QVERIFY(env_->dir.Read("night.sch").find("B\t") == 0);
  }

  // New and Paste New append the job the editor stores; a cancelled one goes again.
  void NewJobsComeFromTheJobEditor() {
    QVERIFY(!window_->pasteNewButton()->isEnabled());
    ClickRow(1);
    window_->copyButton()->click();
    QVERIFY(window_->pasteNewButton()->isEnabled());
    QCOMPARE(window_->pasteNewButton()->toolTip(), QStringLiteral(" (Copy of job \"B\") "));
    const struct {
      QPushButton* command;
      const char* stored;
      const char* names;
    } cases[] = {{window_->newButton(), "", "ABCDE"},
                 {window_->pasteNewButton(), "B2", "ABCDEB2"},
                 {window_->newButton(), "NEW", "ABCDEB2NEW"}};
    for (const auto& c : cases) {
      stored_name_ = c.stored;
      c.command->click();
      QCOMPARE(edits_.back(),
               std::make_pair(env_->schedule.JobCount() + (*c.stored ? 0 : 1), true));
      QCOMPARE(env_->Names(), std::string(c.names));
      QCOMPARE(Selected(), QString::fromLatin1(*c.stored ? c.stored : "B"));
    }
    QCOMPARE(env_->schedule[6].Group.Str(), std::string("G2"));
    const std::string file = env_->dir.Read("night.sch");
    const auto line = [&file](const char* name) {
      const size_t at = file.find("\r\n" + std::string(name) + "\t");
      return at == std::string::npos ? std::string()
                                     : file.substr(at, file.find('\r', at + 1) - at);
    };
    QVERIFY(line("B2").find("\tG2\t") != std::string::npos);
    QVERIFY(!line("NEW").empty());
  }

  // Moves pass hidden jobs under a group filter; the moved job stays selected.
  void MovesFollowTheShownRows() {
    using Command = QPushButton* (ScheduleGridWindow::*)() const;
    const struct {
      const char* group;
      int row;
      Command command;
      const char* names;
      const char* selected;
    } cases[] = {{"G1", 2, &ScheduleGridWindow::upButton, "ABECD", "E"},
                 {"G2", 1, &ScheduleGridWindow::topButton, "ADBCE", "D"},
                 {"(All)", 0, &ScheduleGridWindow::bottomButton, "BCDEA", "A"}};
    for (const auto& c : cases) {
      window_.reset();
      env_ = std::make_unique<Env>();
      Open();
      ChooseGroup(c.group);
      ClickRow(c.row);
      ((*window_).*c.command)()->click();
      QCOMPARE(env_->Names(), std::string(c.names));
      QCOMPARE(Selected(), QString::fromLatin1(c.selected));
    }
  }

  // Shift unskips and Ctrl skips every shown job; Skip writes the file at once.
  void SkipFollowsTheKeysHeld() {
    ChooseGroup("G1");
    ClickRow(1);
    const struct {
      Qt::KeyboardModifiers keys;
      const char* skip_on;  // of A, C and E
    } cases[] = {{Qt::NoModifier, ",4 Dec 2026,"},
                 {Qt::ControlModifier, "4 Dec 2026,4 Dec 2026,4 Dec 2026"},
                 {Qt::ShiftModifier, ",,"}};
    for (const auto& c : cases) {
      QTest::mouseClick(window_->skipButton(), Qt::LeftButton, c.keys);
      const Schedule& s = env_->schedule;
      QCOMPARE(s[1].SkipOn.Str() + "," + s[3].SkipOn.Str() + "," + s[5].SkipOn.Str(),
               std::string(c.skip_on));
      QCOMPARE(env_->dir.Read("night.sch").find("4 Dec 2026") != std::string::npos,
               std::string(c.skip_on) != ",,");
    }
  }

  // Double click and Enter modify the job of the row; the run day is placed again.
  void ModifyOpensTheJobEditor() {
    env_->schedule[4].EarliestStart = "07:00";
    ClickRow(3, true);
    QTest::keyClick(window_->grid(), Qt::Key_Up);
    QTest::keyClick(window_->grid(), Qt::Key_Return);
    QCOMPARE(edits_, (std::vector<std::pair<int, bool>>{{4, false}, {3, false}}));
    QCOMPARE(env_->schedule[4].EarliestStartAt, MakeDateTime(2026, 12, 4, 7, 0, 0));
  }

  // The Resched command names what it will do; the access keys hold either way.
  void ReschedCaptionEditAndHelp() {
    const struct {
      int row;
      const char* caption;
      const char* tip;
      JobStatus after;
    } cases[] = {{1, "&Resched", "Reschedule selected job", JobStatus::Scheduled},
                 {0, "&Unschedule", "Unschedule selected job", JobStatus::Unscheduled}};
    for (const auto& c : cases) {
      ClickRow(c.row);
      QCOMPARE(window_->reschedButton()->text(), QString::fromLatin1(c.caption));
      QCOMPARE(window_->reschedButton()->toolTip(), QString::fromLatin1(c.tip));
      QCOMPARE(testing::AccessKeyFaults(window_.get()), QStringList());
      window_->reschedButton()->click();
      QCOMPARE(env_->schedule[c.row + 1].Status, c.after);
    }
    ClickRow(4);
    window_->editButton()->click();
    QTest::mouseClick(window_->editButton(), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(env_->desktop.edited, (Texts{"scripts/load.sh", env_->dir.File("E.rtd")}));
    env_->dir.Write("Schedule Update Form.html", "<html></html>");
    window_->helpButton()->click();
    QCOMPARE(env_->desktop.opened, Texts{env_->dir.File("Schedule Update Form.html")});
  }

  // Close, Escape and the frame keep the height for the next time and write
  // what only memory held.
  void ClosingKeepsHeightAndChanges() {
    for (const char* how : {"Close", "Escape", "frame"}) {
      window_->resize(window_->width(), 600);
      ClickRow(0);
      window_->downButton()->click();
      if (how == std::string("Close")) window_->closeButton()->click();
      if (how == std::string("Escape")) QTest::keyClick(window_.get(), Qt::Key_Escape);
      if (how == std::string("frame")) window_->close();
      QVERIFY2(!window_->isVisible(), how);
      QCOMPARE(env_->settings.Get("ScheduleGrid", "GridHeight"), std::string("9000"));
      QCOMPARE(env_->dir.Read("night.sch").substr(0, 2), env_->schedule[1].JobName.Str() + "\t");
      env_->dir.Write("night.sch", "");
      Open();
      QCOMPARE(window_->height(), 600);
    }
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::ScheduleGridWindowTest)
#include "schedule_grid_window_test.moc"
