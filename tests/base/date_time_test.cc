#include "base/date_time.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

TEST(DateTimeTest, EpochAndCivilRoundTrip) {
  EXPECT_EQ(MakeDate(1899, 12, 30), 0);
  EXPECT_EQ(MakeDate(1900, 1, 1), 2 * kSecondsPerDay);
  for (DateTime t : {MakeDateTime(2026, 12, 4, 6, 30, 5), MakeDateTime(1800, 2, 28, 23, 59, 59),
                     MakeDateTime(2028, 2, 29, 0, 0, 0)}) {
    CivilDate d = ToCivilDate(t);
    CivilTime c = ToCivilTime(t);
    EXPECT_EQ(MakeDateTime(d.year, d.month, d.day, c.hour, c.minute, c.second), t);
  }
  EXPECT_EQ(ToCivilDate(MakeDateTime(1800, 1, 1, 12, 0, 0)).day, 1);  // before the epoch
}

TEST(DateTimeTest, WeekdaysAndMonths) {
  EXPECT_EQ(Weekday(MakeDate(1899, 12, 30)), 7);  // Saturday
  EXPECT_EQ(Weekday(MakeDate(2026, 12, 4)), 6);   // Friday
  EXPECT_EQ(Weekday(MakeDate(2026, 12, 6)), 1);   // Sunday
  EXPECT_EQ(DaysInMonth(2028, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(FirstOfMonth(2026, 13), MakeDate(2027, 1, 1));
  EXPECT_EQ(FirstOfMonth(2026, 0), MakeDate(2025, 12, 1));
  EXPECT_EQ(FirstOfMonth(2026, -12), MakeDate(2024, 12, 1));
  EXPECT_EQ(LastOfMonth(MakeDateTime(2026, 2, 10, 5, 0, 0)), MakeDate(2026, 2, 28));
}

TEST(DateTimeTest, SystemTimeRoundTrip) {
  DateTime t = MakeDateTime(2026, 7, 1, 13, 14, 15);
  EXPECT_EQ(FromTimeT(ToTimeT(t)), t);
}

}  // namespace
}  // namespace qlr
