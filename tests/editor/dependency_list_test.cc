#include "editor/dependency_list.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

// The rows as "NAME GROUP [wait status auto]" for ticked ones.
Texts Shown(const DependencyList& list) {
  Texts rows;
  for (const DependencyRow& r : list.rows())
    rows.push_back(r.name + " " + r.group +
                   (r.wait ? " [" + r.status + (r.auto_unsched ? " auto]" : "]") : ""));
  return rows;
}

struct DependencyListTest : ::testing::Test, testing::EditorBed {
  // EDIT waits on B and on GONE (deleted since); B and C are in another group.
  DependencyListTest() {
    Add("A", "G1");
    Add("B", "G2");
    Add("EDIT", "G1", {"b:F:auto", "GONE:S"});
    Add("C", "G2");
  }
  Job& Edited() { return schedule[3]; }
};

TEST_F(DependencyListTest, FillKeepsOrDropsMissingJobsAndFiltersByGroup) {
  struct Case {
    Answer keep;
    bool same_group;
    Texts rows;
  } cases[] = {
      {Answer::Yes, false, {"b G2 [Failure auto]", "GONE  [Success]", "A G1", "C G2"}},
      {Answer::No, false, {"b G2 [Failure auto]", "A G1", "C G2"}},
      // Same Group keeps the ticked row of another group; the job is never its own row.
      {Answer::No, true, {"b G2 [Failure auto]", "A G1"}},
  };
  for (const Case& c : cases) {
    op = {};
    op.AnswerNext(c.keep);
    DependencyList list;
    list.Fill(schedule, log, op, Edited(), c.same_group, "G1");
    EXPECT_EQ(Shown(list), c.rows);
    EXPECT_EQ(op.asked, Texts{"Job has one or more dependencies on jobs which no longer exist.  "
                              "Do you wish to keep them?"});
  }
  DependencyList list;  // All Groups brings back the rows Same Group left out
  op.AnswerNext(Answer::No);
  list.Fill(schedule, log, op, Edited(), true, "G1");
  list.ShowAllGroups(schedule);
  EXPECT_EQ(Shown(list), (Texts{"b G2 [Failure auto]", "A G1", "C G2"}));

  Add("a", "G2");     // names repeated in any letter case are listed once,
  Add("Edit", "G2");  // and never when they name the edited job
  op.AnswerNext(Answer::No);
  list.Fill(schedule, log, op, Edited(), false, "G1");
  EXPECT_EQ(Shown(list), (Texts{"b G2 [Failure auto]", "A G1", "C G2"}));
}

// Each step is a click: 'w' Wait EOJ, 'a' Auto Unsched, 'S'/'F'/'U' the menu.
TEST_F(DependencyListTest, ClicksAndMenuThenStore) {
  struct Case {
    std::vector<std::pair<int, char>> clicks;  // row, what
    Texts after;
    const char* conditions;
    const char* auto_unsched;
  } cases[] = {
      {{}, {"b", "GONE"}, "FS", "Y "},  // stored as loaded, the missing job kept
      {{{2, 'w'}}, {"b", "GONE", "A"}, "FSU", "Y  "},
      {{{2, 'a'}, {2, 'F'}}, {"b", "GONE"}, "FS", "Y "},  // auto and menu need a tick
      {{{2, 'w'}, {2, 'F'}, {2, 'a'}}, {"b", "GONE", "A"}, "FSF", "Y Y"},
      {{{0, 'a'}, {0, 'S'}}, {"b", "GONE"}, "SS", "  "},  // the menu unticks auto
      {{{0, 'w'}, {1, 'w'}, {3, 'w'}}, {"C"}, "U", " "},
      {{{0, 'w'}, {0, 'w'}}, {"b", "GONE"}, "US", "  "},  // ticked again: Uncond, no auto
  };
  for (const Case& c : cases) {
    op.AnswerNext(Answer::Yes);
    DependencyList list;
    list.Fill(schedule, log, op, Edited(), false, "G1");
    ASSERT_EQ(list.rows().size(), 4u);  // b GONE A C
    for (auto [row, what] : c.clicks) {
      if (what == 'w') list.ClickWait(row);
      if (what == 'a') list.ClickAutoUnsched(row);
      if (what == 'S') list.ChooseCondition(row, DepCondition::Success);
      if (what == 'F') list.ChooseCondition(row, DepCondition::Failure);
    }
    Job stored;
    list.Store(stored);
    EXPECT_EQ(stored.RunAfter, c.after);
    EXPECT_EQ(stored.DepConditions, c.conditions);
    EXPECT_EQ(stored.DepAutoUnsched, c.auto_unsched);
  }
}

}  // namespace
}  // namespace qlr
