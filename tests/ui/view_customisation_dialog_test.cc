// Edit View Customisation over the built-in profile: the lists and their
// moves, width and alignment, the ways of closing, and the grid showing the
// columns chosen.
#include "ui/view_customisation_dialog.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableView>

#include "ui/access_keys.h"
#include "ui/schedule_grid_window.h"
#include "ui/ui_fixture.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

struct Env : testing::GuiBed {
  Env() {
    schedule.Jobs.emplace_back().JobName = "A";
    profiles.Open();  // the first run: General, columns 0 to 8 shown
  }
  MemorySettingsStore settings;
  ViewProfiles profiles{settings};
};

using testing::Items;

}  // namespace

class ViewCustomisationDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Env> env_;
  std::unique_ptr<ViewCustomisationDialog> dialog_;

  void SelectUndisplayed(const QStringList& headings) {
    for (const QString& heading : headings)
      dialog_->undisplayedList()->findItems(heading, Qt::MatchExactly).first()->setSelected(true);
  }
  void SelectDisplayed(const QString& heading) {
    QListWidget* list = dialog_->displayedList();
    list->setCurrentItem(list->findItems(heading, Qt::MatchExactly).first());
  }

 private slots:
  void init() {
    env_ = std::make_unique<Env>();
    dialog_ = std::make_unique<ViewCustomisationDialog>(env_->gui, env_->profiles);
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
  }
  void cleanup() {
    dialog_.reset();
    env_.reset();
  }

  void MovesBetweenTheLists() {
    ViewCustomisationDialog& d = *dialog_;
    QCOMPARE(testing::AccessKeyFaults(&d), QStringList());
    QVERIFY(!d.moveRightButton()->isEnabled() && !d.moveLeftButton()->isEnabled());
    SelectUndisplayed({"Frequency"});
    QCOMPARE(d.moveRightButton()->text(), QStringLiteral(">"));
    SelectUndisplayed({"Status"});
    QCOMPARE(d.moveRightButton()->text(), QStringLiteral("> > >"));
    d.moveRightButton()->click();
    SelectDisplayed("Status");
    d.upButton()->click();
    QCOMPARE(Items(d.displayedList()).mid(7),
             (QStringList{"Date Variables", "Status", "Frequency"}));
    d.moveLeftButton()->click();
    QCOMPARE(Items(d.undisplayedList()).last(), QStringLiteral("Status"));
    d.moveAllLeftButton()->click();
    QVERIFY(d.displayedList()->count() == 0 && !d.moveAllLeftButton()->isEnabled());
  }

  // A width typed but not applied is asked about before the next selection
  // (what No keeps is the core's test).
  void WidthAndAlignment() {
    SelectDisplayed("Group");
    QCOMPARE(dialog_->widthField()->text(), QString::number(env_->profiles.columns[1].width));
    dialog_->widthField()->selectAll();
    QTest::keyClicks(dialog_->widthField(), "x777");  // letters are refused
    QCOMPARE(dialog_->widthField()->text(), QStringLiteral("777"));
    dialog_->alignmentList()->setCurrentIndex(2);
    emit dialog_->alignmentList()->activated(2);
    QVERIFY(dialog_->applyButton()->isEnabled());
    env_->op.AnswerNext(Answer::Yes);
    SelectDisplayed("Command Line");
    QCOMPARE(env_->op.asked.size(), size_t{1});
    QCOMPARE(env_->profiles.columns[1].width, int16_t{777});
    QCOMPARE(env_->profiles.columns[1].align, '>');
  }

  // OK needs a name; the frame asks Yes (save), No (nothing saved) or
  // Cancel (stay); Escape saves nothing.
  void ClosingWaysSaveOrNot() {
    const struct {
      const char* how;
      const char* name;
      Answer answer;
      bool stays;
      bool saved;
    } cases[] = {{"OK", "", Answer::Yes, true, false},
                 {"OK", "Mine", Answer::Yes, false, true},
                 {"frame", "Mine", Answer::Cancel, true, false},
                 {"frame", "Mine", Answer::No, false, false},
                 {"frame", "Mine", Answer::Yes, false, true},
                 {"Escape", "Mine", Answer::Yes, false, false}};
    for (const auto& c : cases) {
      env_ = std::make_unique<Env>();
      dialog_ = std::make_unique<ViewCustomisationDialog>(env_->gui, env_->profiles);
      dialog_->show();
      testing::Type(dialog_->profileNameField(), c.name);
      env_->op.AnswerNext(c.answer);
      const std::string how = c.how;
      if (how == "OK") dialog_->okButton()->click();
      if (how == "frame") dialog_->close();
      if (how == "Escape") QTest::keyClick(dialog_.get(), Qt::Key_Escape);
      QCOMPARE(env_->op.asked.size(), size_t(how == "frame"));
      QCOMPARE(env_->op.told.size(), size_t(*c.name == 0));  // "Please enter a profile name ..."
      QCOMPARE(dialog_->isVisible(), c.stays);
      QCOMPARE(env_->settings.Get("ScheduleGrid", "Current"),
               std::string(c.saved ? "EVPMine" : "EVPGeneral"));
    }
  }

  // The grid's View, Customise opens the dialog and shows the columns saved.
  void TheGridShowsTheChoice() {
    dialog_.reset();
    ScheduleGridWindow grid(env_->gui, env_->settings);
    grid.show();
    testing::WhenOpen<ViewCustomisationDialog>([](ViewCustomisationDialog& d) {
      d.moveAllLeftButton()->click();
      d.undisplayedList()->findItems("Status", Qt::MatchExactly).first()->setSelected(true);
      d.moveRightButton()->click();
      d.okButton()->click();
    });
    grid.customiseEntry()->trigger();
    const QAbstractItemModel* model = grid.grid()->model();
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Status"));
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::ViewCustomisationDialogTest)
#include "view_customisation_dialog_test.moc"
