#include "platform/desktop_posix.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

namespace qlr {
namespace {

TEST(DesktopPosixTest, StartsDetachedAndReportsWhatCannotStart) {
  const std::pair<std::vector<std::string>, bool> cases[] = {
      {{"/bin/sh", "-c", "exit 3"}, true},  // started; how it ends is not our business
      {{"/no/such/program"}, false},
      {{"no-such-program-on-path-qlr"}, false},
      {{}, false},
  };
  for (const auto& [words, started] : cases)
    EXPECT_EQ(StartDetached(words), started) << words.size();
  int status = 0;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);           // nothing left for us to reap
  EXPECT_FALSE(PosixDesktop("").EditText("/tmp/x.rtd"));  // never runs the document itself
  EXPECT_FALSE(PosixDesktop("no-such-editor-qlr --new").EditText("/tmp/x.rtd"));
}

}  // namespace
}  // namespace qlr
