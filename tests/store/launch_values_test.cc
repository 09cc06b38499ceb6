#include "store/launch_values.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

// Before the day's start time the run day offered is still yesterday.
TEST(LaunchValuesTest, OfferedRunDate) {
  EXPECT_EQ(OfferedRunDate(MakeDateTime(2026, 12, 4, 5, 59, 59), 6 * 3600), MakeDate(2026, 12, 3));
  EXPECT_EQ(OfferedRunDate(MakeDateTime(2026, 12, 4, 6, 0, 0), 6 * 3600), MakeDate(2026, 12, 4));
}

// Masks: "0" takes a digit, "A" a letter a-z or ! ? / \, any other byte only itself.
TEST(LaunchValuesTest, MatchesMask) {
  EXPECT_TRUE(MatchesMask("25:99", "00:00") && MatchesMask("aZ!?/\\-1", "AAAAAA-0"));
  EXPECT_FALSE(MatchesMask("06.00", "00:00") || MatchesMask("\xE9", "A"));
}

}  // namespace
}  // namespace qlr
