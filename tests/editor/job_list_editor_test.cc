#include "editor/job_list_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "editor_fixture.h"
#include "support/recording_desktop.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

// A, C and E are in G1; B and D in G2.
struct JobListTest : ::testing::Test, testing::EditorBed {
  JobListTest() {
    Reset();
    list.Open();
  }
  void Reset() {
    schedule.ClearJobs();
    for (std::string name : {"A", "B", "C", "D", "E"})
      Add(name, name == "B" || name == "D" ? "G2" : "G1");
  }
  void Show(const std::string& group, int row) {
    list.ChooseGroup(group);
    list.SelectRow(row);
  }
  std::string Order() const {
    std::string order;
    for (const std::string& name : Names()) order += name;
    return order;
  }
  JobListEditor list{schedule, log, op, clock, state, save};
};

TEST_F(JobListTest, MovesPassHiddenJobsUnderAGroupFilter) {
  struct Case {
    const char* group;
    int row;
    void (JobListEditor::*move)();
    const char* order;
    int selected;
  } cases[] = {
      {"G1", 3, &JobListEditor::Up, "ABECD", 2},
      {"G1", 1, &JobListEditor::Up, "ABCDE", 1},  // nothing above the first row
      {"G1", 3, &JobListEditor::Down, "ABCDE", 3},
      {"G1", 1, &JobListEditor::Down, "BCADE", 2},
      {"G1", 3, &JobListEditor::Top, "EABCD", 1},
      {"(All)", 2, &JobListEditor::Bottom, "ACDEB", 5},
      {"G2", 1, &JobListEditor::Bottom, "ACDBE", 2},
  };
  for (const Case& c : cases) {
    Reset();
    Show(c.group, c.row);
    (list.*c.move)();
    EXPECT_EQ(Order(), c.order) << c.group << c.row;
    EXPECT_EQ(list.selected_row(), c.selected) << c.order;
  }
  EXPECT_EQ(saves, 0);  // moves reach the file with the next write
}

TEST_F(JobListTest, SkipModesFollowTheKeysAndSpareAlways) {
  schedule[1].SkipOn = "Always";
  schedule[3].SkipOn = "1 Jan 2027";
  struct Case {
    bool shift, ctrl;
    const char* skip_on;  // A C E under G1, row 2 (C) selected
  } cases[] = {
      {false, false, "Always,,"},                     // C toggled off
      {false, false, "Always,4 Dec 2026,"},           // and on again
      {false, true, "Always,4 Dec 2026,4 Dec 2026"},  // Ctrl: every shown job
      {true, true, "Always,4 Dec 2026,4 Dec 2026"},   // both keys: the mode stays
      {true, false, "Always,,"},                      // Shift: none
  };
  Show("G1", 2);
  for (const Case& c : cases) {
    list.Skip(c.shift, c.ctrl);
    EXPECT_EQ(
        schedule[1].SkipOn.Str() + "," + schedule[3].SkipOn.Str() + "," + schedule[5].SkipOn.Str(),
        c.skip_on);
  }
  EXPECT_EQ(schedule[2].SkipOn.Str(), "");  // B is not shown
  EXPECT_EQ(saves, 5);                      // written at once, each time
}

TEST_F(JobListTest, DeleteAsksAndKeepsTheLastJob) {
  Add("F", "G3", {"E:S"});
  const std::string dependents =
      "The following jobs:  F  are dependent on this job.  Proceed with deletion?";
  struct Case {
    const char* group;
    int row;
    std::vector<Answer> answers;
    bool deleted;
    Texts asked, told;
  } cases[] = {
      {"(All)", 5, {Answer::No}, false, {"Delete job E?"}, {}},
      {"(All)", 5, {Answer::Yes, Answer::No}, false, {"Delete job E?", dependents}, {}},
      {"(All)", 5, {Answer::Yes, Answer::Yes}, true, {"Delete job E?", dependents}, {}},
      {"G3",
       1,
       {Answer::Yes},
       true,
       {"Delete job F?"},
       {"Last member of group G3 deleted, display option reset to \"(All)\""}},
  };
  for (const Case& c : cases) {
    op = {};
    for (Answer a : c.answers) op.AnswerNext(a);
    Show(c.group, c.row);
    const int before = schedule.JobCount();
    EXPECT_EQ(list.Delete(), c.deleted);
    EXPECT_EQ(schedule.JobCount(), before - (c.deleted ? 1 : 0));
    EXPECT_EQ(op.asked, c.asked);
    EXPECT_EQ(op.told, c.told);
  }
  EXPECT_EQ(state.GroupFilter, "(All)");
  schedule.Jobs.resize(2);
  list.DisplayGrid();
  op = {};
  op.AnswerNext(Answer::Yes);
  EXPECT_FALSE(list.Delete());
  EXPECT_EQ(op.told, Texts{"Cannot delete last row"});
}

TEST_F(JobListTest, NewPasteAndCancel) {
  EXPECT_FALSE(list.Buttons().paste_new);
  Show("(All)", 2);
  list.Copy();
  EXPECT_TRUE(list.Buttons().paste_new);
  EXPECT_EQ(state.PasteNewTip, " (Copy of job \"B\") ");
  const int pasted = list.BeginNew(true);
  EXPECT_EQ(pasted, 6);
  EXPECT_EQ(schedule[pasted].JobName.Str(), "");
  EXPECT_EQ(schedule[pasted].Group.Str(), "G2");
  list.EndNew(true);  // cancelled: the list is as it was
  EXPECT_EQ(Order(), "ABCDE");
  const int fresh = list.BeginNew(false);
  EXPECT_EQ(schedule[fresh].Frequency, "WorkDays");
  EXPECT_EQ(schedule[fresh].DateVars[0], "RUNDATE,RunDate,0,yyyymmdd");
  schedule[fresh].JobName = "NEW";
  list.EndNew(false);
  EXPECT_EQ(list.selected_row(), 6);
  EXPECT_EQ(schedule[0].JobName.Str(), "B");  // the copy buffer stays
}

TEST_F(JobListTest, ReschedFlipsTheStatus) {
  const std::tuple<JobStatus, JobStatus, const char*, bool> cases[] = {
      {JobStatus::Completed, JobStatus::Scheduled, "Resched", false},
      {JobStatus::Failed, JobStatus::Scheduled, "Resched", false},
      {JobStatus::Running, JobStatus::EndForced, "Unschedule", true},
      {JobStatus::Scheduled, JobStatus::Unscheduled, "Unschedule", true},
  };
  for (auto [before, after, caption, stamped] : cases) {
    schedule[1].Status = before;
    schedule[1].StartedAt = 1;
    list.SelectRow(1);
    EXPECT_EQ(list.ReschedCaption(), caption);
    list.Resched();
    EXPECT_EQ(schedule[1].Status, after);
    EXPECT_EQ(schedule[1].StartedAt, stamped ? clock.Now() : 0);
    EXPECT_TRUE(schedule[1].DueToday);
  }
}

TEST_F(JobListTest, EditOpensTheBatchFileOrTheNotes) {
  testing::TempDir dir;
  schedule.JobDocPath = dir.path();
  schedule.TextEditor = "xdg-open";
  const std::tuple<const char*, const char*, bool, std::string> cases[] = {
      {"scripts/load.sh -v", "scripts/load.sh,$A", false, "scripts/load.sh"},
      {"\"my dir/x.CMD\"", "\"my dir/x.CMD\",$A", false, "my dir/x.CMD"},
      {"scripts/load.sh -v", "scripts/load.sh,$A", true, dir.File("A.rtd")},
      {".sh", "$A", false, dir.File("A.rtd")},
      {"loader -v", "$A", false, dir.File("A.rtd")},
  };
  for (const auto& [command, tag, shifted, edited] : cases) {
    schedule[1].CommandLine = command;
    list.SelectRow(1);
    EXPECT_EQ(list.EditTag(), tag);
    testing::RecordingDesktop desktop;
    list.Edit(shifted, desktop);
    EXPECT_EQ(desktop.edited, Texts{edited});
  }
  schedule[1].Description = "Loads";
  EXPECT_EQ(list.RowTip(1), "Job A: Loads");
  EXPECT_EQ(list.RowTip(2), "");
  schedule.ClearJobs();  // an empty schedule: no row, nothing to open
  list.Open();
  testing::RecordingDesktop desktop;
  list.Edit(false, desktop);
  list.Edit(true, desktop);
  EXPECT_TRUE(desktop.edited.empty());
}

// Close writes what only memory holds, and nothing when the file is up to date.
TEST_F(JobListTest, CloseWritesChangesNotYetSaved) {
  struct Case {
    const char* what;
    std::vector<Answer> answers;
    std::function<void(JobListEditor&)> change;
    int writes;  // by Close
  } cases[] = {
      {"nothing", {}, [](JobListEditor&) {}, 0},
      {"Up 1 on the first row", {}, [](JobListEditor& l) { l.Up(); }, 0},
      {"Down 1", {}, [](JobListEditor& l) { l.Down(); }, 1},
      {"Bottom", {}, [](JobListEditor& l) { l.Bottom(); }, 1},
      {"Resched", {}, [](JobListEditor& l) { l.Resched(); }, 1},
      {"Delete", {Answer::Yes}, [](JobListEditor& l) { l.Delete(); }, 1},
      {"Delete refused", {Answer::No}, [](JobListEditor& l) { l.Delete(); }, 0},
      {"Down 1, then Skip", {}, [](JobListEditor& l) { l.Down(), l.Skip(false, false); }, 0},
      {"Down 1, then a stored new job",
       {},
       [](JobListEditor& l) {
         l.Down();
         l.BeginNew(false);
         l.EndNew(false);
       },
       0},
  };
  for (const Case& c : cases) {
    Reset();
    for (Answer a : c.answers) op.AnswerNext(a);
    JobListEditor grid{schedule, log, op, clock, state, save};
    grid.Open();
    c.change(grid);
    const int before = saves;
    EXPECT_TRUE(grid.Close()) << c.what;
    EXPECT_EQ(saves - before, c.writes) << c.what;
    EXPECT_FALSE(grid.unsaved()) << c.what;
  }
}

}  // namespace
}  // namespace qlr
