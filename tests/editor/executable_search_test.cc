#include "editor/executable_search.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace qlr {
namespace {

TEST(ExecutableSearchTest, DirChkLooksInTheCurrentFolderThenPath) {
  testing::TempDir dir;
  const std::string a = dir.File("a"), b = dir.File("b c");
  dir.Write("a/tool", "");
  dir.Write("b c/tool", "");
  dir.Write("b c/other", "");
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"tool", a + ":" + b, a + "/tool"},
      {"tool", "::" + b + "/", b + "/tool"},  // empty entries skipped, a "/" not doubled
      {"other", a + ":\"" + b + "\"", b + "/other"},
      {a + "/tool", "", a + "/tool"},  // an existing path as it is
      {"tool.sh", a, ""},              // no extension is added
      {"", a, ""},
  };
  for (const auto& [name, path, found] : cases) EXPECT_EQ(DirChk(name, path), found) << name;
  EXPECT_EQ(ProgramOf("  \"/opt/my app\" -x"), "/opt/my app");
  EXPECT_EQ(ProgramOf(" "), "");
}

}  // namespace
}  // namespace qlr
