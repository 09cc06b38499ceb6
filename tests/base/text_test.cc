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

// Every byte value at every place of a line that also holds tabs and bytes
// above 0x7F: the reader's eight-at-a-time scan must find exactly the control
// bytes, and the first of them.
TEST(TextTest, FindsTheFirstControlByte) {
  const std::string pattern = "a\tb\x80\xFF \t~c\t\xA0xyz\t?!";
  for (size_t length : {0, 5, 16, 17, 33, 47, 64}) {  // short, whole blocks, tails
    std::string base;
    while (base.size() < length) base += pattern;
    base.resize(length);
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      const bool control = (b < 0x20 && b != '\t') || b == 0x7F;
      for (size_t at = 0; at < base.size(); ++at) {
        std::string line = base;
        line[at] = c;
        EXPECT_EQ(FindControlByte(line), control ? at : std::string_view::npos)
            << b << " at " << at;
        line += '\x01';
        EXPECT_EQ(FindControlByte(line), control ? at : base.size()) << b << " at " << at;
      }
    }
    EXPECT_EQ(FindControlByte(base), std::string_view::npos) << length;
  }
}

}  // namespace
}  // namespace qlr
