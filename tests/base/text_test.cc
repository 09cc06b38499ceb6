#include "base/text.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

TEST(TextTest, CaseFollowsWindows1252) {
  EXPECT_EQ(Upper("abc\xe9\xff\x9a\xdf"), "ABC\xc9\x9f\x8a\xdf");  // é ÿ š upper; ß has none
  EXPECT_EQ(Lower("ABC\xc9\x9f\x8a\xd7"), "abc\xe9\xff\x9a\xd7");  // × is no letter
  EXPECT_TRUE(EqualsNoCase("Caf\xe9", "CAF\xc9"));
  EXPECT_FALSE(EqualsNoCase("abc", "abcd"));
}

TEST(TextTest, SearchingAndTrimming) {
  EXPECT_EQ(FindNoCase("xxHello", "hello"), 2u);
  EXPECT_EQ(FindNoCase("abc", "abcd"), std::string_view::npos);
  EXPECT_TRUE(StartsWithNoCase("Submission failed at", "SUBMISSION"));
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimRight("  a  "), "  a");
  EXPECT_EQ(TrimLeft("  a  "), "a  ");
  EXPECT_EQ(PadRight("JOB", 5), "JOB  ");
  EXPECT_EQ(PadRight("TOOLONGNAME", 8), "TOOLONGN");
}

TEST(TextTest, SplittingAndSeparators) {
  EXPECT_EQ(Split("a,,b", ','), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Split("", ','), (std::vector<std::string>{""}));
  auto words = SplitWords("  Daily   Mon ");
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[1], "Mon");
  EXPECT_EQ(TextBefore("PAY1 (Daily)", "("), "PAY1 ");
  EXPECT_EQ(TextBefore("nothing", "("), "nothing");
  EXPECT_EQ(TextAfter("name.log.old", "."), "log.old");
  EXPECT_EQ(TextAfter("nothing", "."), "");
  EXPECT_EQ(ReplaceAll("a\tb\tc", "\t", " "), "a b c");
}

}  // namespace
}  // namespace qlr
