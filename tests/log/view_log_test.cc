#include "log/view_log.h"

#include <gtest/gtest.h>

#include "support/fake_clock.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

TEST(ViewLogTest, TheCopyGoesToTheTextEditor) {
  testing::TempDir dir;
  Schedule s;
  s.LogFile = dir.File("run_yyyymmdd.log");
  s.TextEditor = "gedit";
  dir.Write("run_20261204.log", "04 Dec 2026  06:00:00 Starting\r\n");
  const std::string copy = dir.File("run_20261204.tmp");
  struct Case {
    const char* log_name;
    bool editor_starts;
    std::string copy;
    bool shown;
    Texts told;
  } cases[] = {
      {"run_20261204", true, copy, true, {}},
      {"run_20261204", false, copy, false, {"Cannot start the text editor gedit on " + copy}},
      {"run_20261130", true, "", false, {"Error copying log: No such file or directory"}},
  };
  for (const Case& c : cases) {
    testing::FakeClock clock;
    testing::ScriptedOperator op;
    RunLog log(s, clock, op);
    testing::RecordingDesktop desktop;
    desktop.edit_result = c.editor_starts;
    LogCopyView view = ViewLogCopy(s, log, desktop, c.log_name, LogSelection::All, {});
    EXPECT_EQ(view.copy, c.copy);
    EXPECT_EQ(view.shown, c.shown);
    EXPECT_EQ(op.told, c.told);
    EXPECT_EQ(desktop.edited, c.copy.empty() ? Texts{} : Texts{c.copy});
  }
}

}  // namespace
}  // namespace qlr
