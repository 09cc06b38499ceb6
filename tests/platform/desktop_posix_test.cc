// The detached start of the text editor: real (tiny) programs.

#include "platform/desktop_posix.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

TEST(DesktopPosixTest, StartsWhatCanBeStartedAndReportsWhatCannot) {
  const std::pair<std::vector<std::string>, bool> cases[] = {
      {{"true"}, true},
      {{"/bin/sh", "-c", "exit 3"}, true},  // started; its status is not our business
      {{"/no/such/program"}, false},
      {{"no-such-program-on-path-qlr"}, false},
      {{""}, false},
      {{}, false},
  };
  for (const auto& [words, started] : cases)
    EXPECT_EQ(StartDetached(words), started) << words.size();
  // Nothing is left for us to reap: the middle process was waited for and
  // the programs belong to init.
  int status = 0;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
}

TEST(DesktopPosixTest, EditTextAddsThePathToTheEditorCommand) {
  testing::TempDir dir;
  std::string target = dir.File("notes \xE9.rtd");  // Windows-1252 in, UTF-8 to the program
  EXPECT_TRUE(PosixDesktop("touch").EditText(target));
  for (int i = 0; i < 500 && !FileExists(target); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(FileExists(target));
  EXPECT_FALSE(PosixDesktop("").EditText(target));
  EXPECT_FALSE(PosixDesktop("no-such-editor-qlr").EditText(target));
  EXPECT_FALSE(PosixDesktop("touch").SetClipboardText("text"));
}

}  // namespace
}  // namespace qlr
