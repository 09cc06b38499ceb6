#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

TEST(SplitCommandLineTest, SplitsAtBlanksAndGroupsQuotes) {
  struct Case {
    const char* line;
    std::vector<std::string> words;
  } cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"prog", {"prog"}},
      {"  prog   a\tb  ", {"prog", "a", "b"}},
      {"prog \"a b\" c", {"prog", "a b", "c"}},
      {"prog a\"b c\"d", {"prog", "ab cd"}},                // quotes group inside a word
      {"prog \"say \"\"hi\"\"\"", {"prog", "say \"hi\""}},  // "" inside quotes is one quote
      {"prog \"\" x", {"prog", "", "x"}},                   // a quoted empty text is a word
      {"prog \"\"", {"prog", ""}},
      {"prog \"\"\"\"", {"prog", "\""}},
      {"prog \"open end", {"prog", "open end"}},  // an unclosed quote runs to the end
      {"JN=PAY1,CL=\"a b\",F=\"Daily\"", {"JN=PAY1,CL=a b,F=Daily"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
}

}  // namespace
}  // namespace qlr
