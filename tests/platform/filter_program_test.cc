#include "platform/filter_program.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

TEST(RunFilterTest, TextInOutputBack) {
  const std::string big(3 << 20, 'x');  // more than a pipe holds, both ways at once
  struct Case {
    std::vector<std::string> argv;
    std::string input;
    bool started;
    int status;
    std::string output;
  } cases[] = {
      {{"cat"}, "digraph {}\n", true, 0, "digraph {}\n"},
      {{"cat"}, big, true, 0, big},
      {{"sh", "-c", "tr a-z A-Z"}, "quiet", true, 0, "QUIET"},
      {{"sh", "-c", "echo early; exit 3"}, big, true, 3, "early\n"},  // stops reading at once
      {{"sh", "-c", "kill -9 $$"}, "", true, -1, ""},
      {{"qlr-no-such-program"}, "x", false, -1, ""},
      {{}, "x", false, -1, ""},
  };
  for (const Case& c : cases) {
    const FilterResult result = RunFilter(c.argv, c.input);
    const std::string name = c.argv.empty() ? "(none)" : c.argv.back();
    EXPECT_EQ(result.started, c.started) << name;
    EXPECT_EQ(result.status, c.status) << name;
    EXPECT_TRUE(result.output == c.output) << name << ": " << result.output.size() << " bytes";
  }
}

}  // namespace
}  // namespace qlr
