#include "base/number.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

TEST(NumberTest, LeadingNumberRoundsHalvesToEvenAndClamps) {
  struct Case {
    const char* text;
    int64_t expected;
  } cases[] = {
      {"30", 30}, {"", 0},      {"abc", 0},       {"12abc", 12},      {"  -7", -7}, {"2.5", 2},
      {"3.5", 4}, {"-2.5", -2}, {"99999", 32767}, {"-99999", -32768}, {"+4", 4},    {"1e5", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadInt16(c.text), c.expected) << c.text;
  EXPECT_EQ(ReadByte("300"), 255);
  EXPECT_EQ(ReadByte("-1"), 0);
  EXPECT_EQ(ReadInt32("99999999999"), INT32_MAX);
}

TEST(NumberTest, FlagsAndNumericText) {
  // Flags round first, as whole numbers do: 0.5 goes to the even 0, 1.5 to 2.
  for (const char* yes : {"-1", "1", "1.5", "-0.6", "70000"}) EXPECT_TRUE(ReadFlag(yes)) << yes;
  for (const char* no : {"0", "", "0.4", "0.5", "-0.5", "abc"}) EXPECT_FALSE(ReadFlag(no)) << no;
  EXPECT_EQ(FlagText(true), "-1");
  for (const char* yes : {"100", " 9999 ", "-3", "1.5"}) EXPECT_TRUE(IsNumeric(yes)) << yes;
  for (const char* no : {"", "12a", "a", "-", "1 2"}) EXPECT_FALSE(IsNumeric(no)) << no;
}

}  // namespace
}  // namespace qlr
