#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

// Whatever happens to the writer, the file holds either its old content or
// all of the new, and no temporary file stays behind.
TEST(AtomicFileTest, TheFileIsOldOrWholeNeverAMix) {
  // clang-format off
  const std::tuple<const char*, std::function<bool(AtomicFile&)>, bool, std::string> cases[] = {
      {"committed pieces", [](AtomicFile& f) { return f.Write("new ") && f.Write("text") && f.Commit(); },
       true,  "new text"},
      {"nothing written",  [](AtomicFile& f) { return f.Commit(); },                                     true,  ""},
      {"dropped",          [](AtomicFile& f) { return f.Write("new"); },                                 true,  "old"},
      {"refused at last",  [](AtomicFile& f) { return f.Write("new") && f.Commit([] { return false; }); }, false, "old"},
  };
  // clang-format on
  for (const auto& [label, steps, result, expected] : cases) {
    testing::TempDir dir;
    const std::string path = dir.Write("sched.sch", "old");
    {
      AtomicFile file(path);
      EXPECT_EQ(steps(file), result) << label;
    }
    EXPECT_EQ(dir.Read("sched.sch"), expected) << label;
    EXPECT_EQ(ListMatching(dir.File("*")), std::vector<std::string>{path}) << label;
  }
}

TEST(AtomicFileTest, AFolderThatCannotTakeTheFileFailsEveryStep) {
  testing::TempDir dir;
  AtomicFile file(dir.File("missing/sched.sch"));
  EXPECT_FALSE(file.Write("text"));
  EXPECT_FALSE(file.Commit());
  EXPECT_FALSE(FileExists(dir.File("missing/sched.sch")));
}

}  // namespace
}  // namespace qlr
