#include "editor/modify_schedule.h"

#include "support/engine_fixture.h"

namespace qlr {
namespace {

using Exit = ModifyScheduleView::Exit;

struct ModifyTest : testing::EngineFixture {
  std::string filter;
  std::unique_ptr<ModifySchedule> dialog;
  const DateTime today = MakeDateTime(2026, 12, 4, 1, 0, 0);

  // ZED scheduled, ABE running, CAT completed, FOX failed, UNO unscheduled, NED not due.
  void AddDay() {
    Add("ZED").Group = "G1";
    Job& abe = Add("ABE");
    abe.Group = "G2", abe.StartedAt = today, abe.Process = {7, 0, 4242, 4242};
    launcher.Adopt(4242, 3600);
    Job& cat = Add("CAT");
    cat.Group = "G1", cat.StartedAt = today, cat.EndedAt = today + 60;
    Job& fox = Add("FOX");
    fox.Group = "G2", fox.StartedAt = today, fox.EndedAt = today + 5, fox.FailedFlag = true;
    fox.Status = JobStatus::Failed;
    Job& uno = Add("UNO");
    uno.Group = "G1", uno.OverrideCode = "U";
    Add("NED", "Sat").Group = "G1";
    s.StartSuspended = true;
    Open();
  }
  ModifySchedule& Show(ModifyAction action, bool include = false) {
    dialog = std::make_unique<ModifySchedule>(s, *engine, op, filter);
    dialog->Open();
    dialog->SetIncludeUnscheduled(include);
    dialog->ChooseAction(action);
    return *dialog;
  }
  void Pick(const std::string& name) {
    const auto& entries = dialog->view().entries;
    for (size_t row = 0; row < entries.size(); ++row)
      if (entries[row].job == s.FindJob(name)) dialog->Select(static_cast<int>(row), true);
  }
  std::vector<std::string> Texts(bool selected_only = false) const {
    std::vector<std::string> texts;
    const auto& entries = dialog->view().entries;
    for (size_t row = 0; row < entries.size(); ++row) {
      const std::string text = dialog->EntryText(static_cast<int>(row));
      if (entries[row].selected || !selected_only) texts.push_back(text.substr(0, text.find(' ')));
    }
    return texts;
  }
};

TEST_F(ModifyTest, CandidatesFollowActionGroupAndTicks) {
  AddDay();
  struct Row {
    ModifyAction action;
    int group_row;
    bool include, sorted;
    std::vector<std::string> names;
  };
  const Row rows[] = {
      {ModifyAction::Unschedule, 2, false, false, {"ZED", "ABE"}},
      {ModifyAction::Unschedule, 2, false, true, {"ABE", "ZED"}},
      {ModifyAction::Reschedule, 2, false, false, {"CAT", "FOX"}},
      {ModifyAction::Reschedule, 2, true, true, {"CAT", "FOX", "NED", "UNO"}},
      {ModifyAction::Reschedule, 0, true, false, {"CAT", "UNO", "NED"}},
  };
  for (const Row& row : rows) {
    filter = "gone";  // a group no longer in the schedule reads as "(All)"
    Show(ModifyAction::None);
    EXPECT_EQ(filter, "(All)");
    EXPECT_EQ(dialog->view().groups, (std::vector<std::string>{"G1", "G2", "(All)"}));
    EXPECT_FALSE(dialog->view().list_enabled || dialog->view().group_list_enabled);
    dialog->ChooseGroup(row.group_row);
    dialog->SetSorted(row.sorted);
    dialog->SetIncludeUnscheduled(row.include);
    dialog->ChooseAction(row.action);
    EXPECT_EQ(Texts(), row.names);
    const ModifyScheduleView& v = dialog->view();
    bool unschedule = row.action == ModifyAction::Unschedule;
    EXPECT_TRUE(v.list_enabled && v.group_list_enabled && !v.ok_enabled);
    EXPECT_EQ(v.cascade_enabled, unschedule);
    EXPECT_EQ(v.include_unscheduled_enabled, !unschedule);
  }
  EXPECT_EQ(dialog->EntryText(0), "CAT     \tCompleted");
}

TEST_F(ModifyTest, CascadeSelectsListedDependantsOnly) {
  s.StartSuspended = true;
  for (const char* name : {"A", "B", "C", "D"}) Add(name).Group = "G1";
  After(J("B"), "A");
  After(J("C"), "B");
  Add("X").Group = "G2";
  After(J("X"), "A");
  Open();
  filter = "G1";
  for (bool tick_first : {true, false}) {
    Show(ModifyAction::Unschedule);
    if (tick_first) dialog->SetCascade(true);
    Pick("A");
    if (!tick_first) dialog->SetCascade(true);
    EXPECT_EQ(Texts(true), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(dialog->view().ok_enabled);
    dialog->Clear();
    EXPECT_TRUE(Texts(true).empty());
    EXPECT_FALSE(dialog->view().ok_enabled);
  }
}

TEST_F(ModifyTest, OkAppliesCodesStatusesAndLogLines) {
  AddDay();
  struct Row {
    const char* name;
    ModifyAction action;
    const char* code;
    const char* line;
    bool done;
  };
  const Row rows[] = {
      {"NED", ModifyAction::Reschedule, "S", "NED      (Sat)\tScheduled", true},  // not due today
      {"UNO", ModifyAction::Reschedule, "S", "UNO      (Daily)\tScheduled", true},
      {"CAT", ModifyAction::Reschedule, "", "CAT      (Daily)\tScheduled", true},
      {"ABE", ModifyAction::Unschedule, "U", "ABE      (Daily)\tRunning", false},
      {"ZED", ModifyAction::Unschedule, "U", "ZED      (Daily)\tUnscheduled", false},
  };
  for (const Row& row : rows) {
    int saved = saves;
    Show(row.action, true);
    Pick(row.name);
    dialog->Ok();
    EXPECT_EQ(J(row.name).OverrideCode.Trimmed(), row.code) << row.name;
    EXPECT_TRUE(Listed(row.line)) << row.line;
    EXPECT_EQ(EventTexts().back(), row.line);
    EXPECT_EQ(dialog->view().RescheduleDone, row.done);
    EXPECT_EQ(saves, saved + 1);
  }
  EXPECT_EQ(J("CAT").StartedAt, 0);
  const auto& unsub = engine->window().unsubmitted;
  EXPECT_EQ(unsub, (std::vector<int>{s.FindJob("CAT"), s.FindJob("UNO"), s.FindJob("NED")}));
  // The pane's modification lines are for reading: forcing one must not end the job.
  const std::vector<std::string> events = EventTexts();
  const auto abe = std::find(events.begin(), events.end(), "ABE      (Daily)\tRunning");
  ASSERT_NE(abe, events.end());
  op.AnswerNext(Answer::Yes);
  engine->ForceEvent(PaneRow{static_cast<int>(abe - events.begin())});
  EXPECT_EQ(J("ABE").Status, JobStatus::Running);
}

TEST_F(ModifyTest, ClosingAsksOnlyWithASelection) {
  AddDay();
  struct Row {
    bool pick;
    Answer answer;
    bool closes;
    Exit mode;
    const char* code;
  };
  const Row rows[] = {{false, Answer::Yes, true, Exit::Cancel, ""},
                      {true, Answer::Cancel, false, Exit::None, ""},
                      {true, Answer::No, true, Exit::Cancel, ""},
                      {true, Answer::Yes, true, Exit::Ok, "U"}};
  for (const Row& row : rows) {
    op.asked.clear();
    Show(ModifyAction::Unschedule);
    if (row.pick) Pick("ZED"), op.AnswerNext(row.answer);
    EXPECT_EQ(dialog->CloseRequested(), row.closes);
    EXPECT_EQ(dialog->view().ExitMode, row.mode);
    EXPECT_EQ(J("ZED").OverrideCode.Trimmed(), row.code);
    ASSERT_EQ(op.asked.size(), row.pick ? 1u : 0u);
    if (!row.pick) continue;
    EXPECT_EQ(op.asked[0], "Do you want to apply the select modifications to the schedule?");
    EXPECT_EQ(op.titles.back(), "Quillrun");
  }
}

TEST_F(ModifyTest, RescheduledJobRunsAtOnceAfterTheDialog) {
  Job& done = Add("DONE");
  done.StartedAt = today, done.EndedAt = today + 60;
  Open();
  engine->BeginModifySchedule();
  Show(ModifyAction::Reschedule);
  Pick("DONE");
  dialog->Ok();
  engine->EndModifySchedule(dialog->view().RescheduleDone);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(J("DONE").Status, JobStatus::Running);
  dialog->Open();
  EXPECT_FALSE(dialog->view().RescheduleDone);
}

}  // namespace
}  // namespace qlr
