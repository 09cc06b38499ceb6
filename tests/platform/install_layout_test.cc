#include "platform/install_layout.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/temp_dir.h"

namespace qlr {
namespace {

// A tree laid out like an installed prefix: prefix/bin holds the programs.
TEST(InstallLayoutTest, CompanionBesideThenInstalledThenBeside) {
  // clang-format off
  const std::tuple<const char*, std::vector<std::string>, std::string> cases[] = {
      {"build tree",     {"bin/QLRDummy"},                              "bin/QLRDummy"},
      {"installed",      {"libexec/quillrun/QLRDummy"},                 "libexec/quillrun/QLRDummy"},
      {"beside wins",    {"bin/QLRDummy", "libexec/quillrun/QLRDummy"}, "bin/QLRDummy"},
      {"nowhere",        {},                                            "bin/QLRDummy"},
      {"only a folder",  {"libexec/quillrun/QLRDummy/x"},               "bin/QLRDummy"},
  };
  // clang-format on
  for (const auto& [label, files, expected] : cases) {
    testing::TempDir prefix;
    prefix.Write("bin/qlr", "");
    for (const std::string& file : files) prefix.Write(file, "");
    EXPECT_EQ(CompanionProgramPath(prefix.File("bin"), "QLRDummy"), prefix.File(expected)) << label;
  }
}

TEST(InstallLayoutTest, HelpSitsUnderTheSharedDataOfThePrefix) {
  EXPECT_EQ(InstalledHelpDir("/opt/q/bin"), "/opt/q/share/quillrun/help");
  EXPECT_EQ(InstalledHelpDir("/usr/bin"), "/usr/share/quillrun/help");
}

}  // namespace
}  // namespace qlr
