#include "editor/view_profiles.h"

#include <gtest/gtest.h>

#include "editor/view_customisation.h"
#include "support/scripted_operator.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;
using Ids = std::vector<int>;

struct ViewProfilesTest : ::testing::Test {
  std::string Grid(const std::string& key) { return store.Get("ScheduleGrid", key); }
  MemorySettingsStore store;
  ViewProfiles profiles{store};
  testing::ScriptedOperator op;
};

TEST_F(ViewProfilesTest, FirstRunSavesTheBuiltInColumnsAsGeneral) {
  profiles.Open();
  EXPECT_EQ(profiles.DisplayedColumns(), (Ids{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(profiles.names, Texts{"General"});
  EXPECT_EQ(Grid("Current"), "EVPGeneral");
  EXPECT_EQ(Grid("List"), "EVPGeneral");
  for (const GridColumn& column : InitColumnTable())
    EXPECT_FALSE(store.Get("EVPGeneral", column.heading).empty()) << column.heading;
  EXPECT_EQ(store.Get("EVPGeneral", "Dependencies"), "2500,11,<,True");
  ViewProfiles again(store);  // a second start reads it back
  again.Open();
  EXPECT_EQ(again.CurrentProfile, "General");
}

// "List" grows only by names it does not contain, even as part of another.
TEST_F(ViewProfilesTest, ListIsExtendedOnlyByNewSections) {
  store.Set("ScheduleGrid", "List", "EVPGeneral,\"EVPNight2\"");
  const std::pair<const char*, const char*> cases[] = {
      {"EVPNight", "EVPGeneral,\"EVPNight2\""},
      {"EVPDay", "EVPGeneral,\"EVPNight2\",EVPDay"},
  };
  for (auto [section, list] : cases) {
    profiles.AddProfileToList(section);
    EXPECT_EQ(Grid("List"), list);
  }
  store.Set("ScheduleGrid", "Current", "EVPnight2");
  profiles.SetProfileNames();
  EXPECT_EQ(profiles.names, (Texts{"General", "Night2", "Day"}));
  EXPECT_EQ(profiles.selected, 1);  // found ignoring case
}

TEST_F(ViewProfilesTest, CustomisingSavesUnderANameAskingBeforeReplacing) {
  profiles.Open();
  ViewCustomisation dialog(profiles, op);
  dialog.Open();
  EXPECT_EQ(dialog.displayed.front(), "Group");
  dialog.SelectUndisplayed(0, true);  // Early Start
  dialog.SelectUndisplayed(2, true);  // Dependencies
  EXPECT_EQ(dialog.MoveRightCaption(), "> > >");
  dialog.MoveRight();
  dialog.SelectDisplayed(0);
  dialog.Down();
  dialog.profile_name = "Night";
  EXPECT_TRUE(dialog.Ok());
  EXPECT_EQ(profiles.DisplayedColumns(), (Ids{0, 2, 1, 3, 4, 5, 6, 7, 8, 9, 11}));
  EXPECT_EQ(Grid("Current"), "EVPNight");
  EXPECT_EQ(Grid("List"), "EVPGeneral,EVPNight");
  // Back to General, then saving it as "night": the other profile is not
  // replaced without asking; as "GENERAL", the one opened, nothing is asked.
  profiles.ChooseProfile("General");
  const std::tuple<const char*, Answer, Texts, const char*> cases[] = {
      {"night",
       Answer::No,
       {"A view profile already exists with the name specified.  Do you "
        "want to replace it with this one?"},
       "EVPGeneral"},
      {"GENERAL", Answer::No, {}, "EVPGENERAL"},
  };
  for (const auto& [name, answer, asked, current] : cases) {
    op = {};
    op.AnswerNext(answer);
    dialog.Open();
    dialog.MoveAllLeft();
    dialog.profile_name = name;
    EXPECT_TRUE(dialog.Ok());
    EXPECT_EQ(op.asked, asked);
    EXPECT_EQ(Grid("Current"), current);
  }
  profiles.Reload();
  EXPECT_EQ(profiles.DisplayedColumns(), Ids{0});  // every heading undisplayed
}

TEST_F(ViewProfilesTest, WidthAndAlignmentNeedApply) {
  profiles.Open();
  ViewCustomisation dialog(profiles, op);
  dialog.Open();
  dialog.SelectDisplayed(1);  // Command Line
  EXPECT_EQ(dialog.width_text, "1200");
  dialog.EditWidth("2000");
  dialog.EditAlignment(2);
  EXPECT_TRUE(dialog.Buttons().apply);
  op.AnswerNext(Answer::Yes);
  dialog.SelectDisplayed(0);  // asks, and Yes applies
  EXPECT_EQ(op.asked.size(), 1u);
  EXPECT_EQ(profiles.columns[2].width, 2000);
  EXPECT_EQ(profiles.columns[2].align, '>');
  dialog.EditWidth("50");
  dialog.Cancel();
  profiles.Reload();  // what the grid does after the dialog
  EXPECT_EQ(profiles.columns[2].width, 1200);
  dialog.profile_name = " ";
  EXPECT_FALSE(dialog.Ok());
  EXPECT_EQ(op.told, Texts{"Please enter a profile name for this view."});
}

}  // namespace
}  // namespace qlr
