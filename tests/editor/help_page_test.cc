// The help opener: what the operator is told when a page cannot be shown.

#include "editor/help_page.h"

#include <gtest/gtest.h>

#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

TEST(HelpPageTest, TellsWhetherThePageOrAViewerIsMissing) {
  testing::TempDir dir;
  dir.Write("Startup.html", "<html></html>");
  Schedule schedule;
  schedule.HelpPath = dir.path();
  const struct {
    const char* topic;
    bool viewer_starts;
    std::string told;  // "" when the page opened
  } cases[] = {
      {"Startup", true, ""},
      {"Startup", false,
       "Sorry - no program could be started to show the help file " + dir.File("Startup.html")},
      {"Missing", true, "Sorry - cannot find a help file matching " + dir.File("Missing.html")},
  };
  for (const auto& c : cases) {
    testing::ScriptedOperator op;
    testing::RecordingDesktop desktop;
    desktop.open_result = c.viewer_starts;
    EXPECT_EQ(ShowHelp(schedule, op, desktop, c.topic), c.told.empty());
    EXPECT_EQ(op.told, std::vector<std::string>(!c.told.empty(), c.told));
  }
}

}  // namespace
}  // namespace qlr
