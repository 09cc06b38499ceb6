#include "base/date_format.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

TEST(DateFormatTest, Patterns) {
  const DateTime t = MakeDateTime(2026, 12, 4, 6, 5, 9);
  struct Case {
    const char* pattern;
    const char* expected;
  } cases[] = {
      {"d mmm yyyy", "4 Dec 2026"}, {"dd mmm yyyy", "04 Dec 2026"},
      {"mmm d yyyy", "Dec 4 2026"}, {"yyyy mmm dd", "2026 Dec 04"},
      {"dddd ", "Friday "},         {"ddd", "Fri"},
      {"yyyymmdd", "20261204"},     {"YYYYMMDD", "20261204"},
      {"hh:mm:ss", "06:05:09"},  // mm after an hour is minutes
      {"hh:nn:ss", "06:05:09"},     {"dd mmm yyyy hh:mm:ss", "04 Dec 2026 06:05:09"},
      {"dd-mmm-yy", "04-Dec-26"},   {"h:n:s", "6:5:9"},
      {"m/d/yy", "12/4/26"},        {"mmmm", "December"},
      {"mm:ss", "05:09"},  // mm before seconds is minutes too
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(t, c.pattern), c.expected) << c.pattern;
}

TEST(DateFormatTest, ParsesTheAcceptedForms) {
  const DateTime dec4 = MakeDate(2026, 12, 4);
  struct Case {
    const char* text;
    DateTime expected;
  } cases[] = {
      {"4 Dec 2026", dec4},
      {"04 dec 2026", dec4},
      {"4 DECEMBER 2026", dec4},
      {"Dec 4 2026", dec4},
      {"december 04 2026", dec4},
      {"2026 Dec 04", dec4},
      {"2026-12-04", dec4},
      {"4/12/2026", dec4},
      {"4-12-2026", dec4},
      {"  4 Dec 2026  ", dec4},
      {"04 Dec 2026 06:30:05", MakeDateTime(2026, 12, 4, 6, 30, 5)},
      {"2026-12-04 6:30", MakeDateTime(2026, 12, 4, 6, 30, 0)},
      {"30 Dec 1899 00:00:00", 0},
      {"29 Feb 2028", MakeDate(2028, 2, 29)},
  };
  for (const auto& c : cases) {
    auto parsed = ParseDate(c.text);
    ASSERT_TRUE(parsed.has_value()) << c.text;
    EXPECT_EQ(*parsed, c.expected) << c.text;
  }
}

TEST(DateFormatTest, RejectsEverythingElse) {
  for (const char* text :
       {"", "Always", "31 Feb 2026", "4 Dex 2026", "12/4/26", "2026/12/04", "4 Dec", "Dec 2026",
        "4 Dec 2026 25:00", "4 Dec 2026 6:3", "29 Feb 2027", "4.12.2026", "4 Dec 2026 extra",
        "13/13/2026", "-4/12/2026", "4 Dec -999", "4 Dec 2026 -1:-5"})
    EXPECT_FALSE(ParseDate(text).has_value()) << text;
}

TEST(DateFormatTest, TimeOfDay) {
  EXPECT_EQ(ParseTimeOfDay("06:30"), 6 * 3600 + 30 * 60);
  EXPECT_EQ(ParseTimeOfDay("6:30:15"), 6 * 3600 + 30 * 60 + 15);
  EXPECT_FALSE(ParseTimeOfDay("25:99").has_value());
  EXPECT_FALSE(ParseTimeOfDay("0630").has_value());
  EXPECT_FALSE(ParseTimeOfDay("06:30:15:00").has_value());
  for (const char* signed_parts : {"-2:-2", "-0:30", "6:-1", "+6:30"})  // found by fuzzing
    EXPECT_FALSE(ParseTimeOfDay(signed_parts).has_value()) << signed_parts;
}

}  // namespace
}  // namespace qlr
