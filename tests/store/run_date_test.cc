#include "store/run_date.h"

#include <gtest/gtest.h>

#include "base/date_time.h"

namespace qlr {
namespace {

TEST(RunDateTest, TypedTextAndArrows) {
  Schedule schedule;
  schedule.RunDate = MakeDate(2026, 12, 4);
  schedule.DayStart = 6 * 3600;
  schedule.Jobs.emplace_back().EventIndex = 3;
  LaunchValues launch;
  struct Case {
    std::string text;
    int days;  // 0: typed
    std::string weekday, shown;
    DateTime run_date;
  };
  // clang-format off
  const Case cases[] = {
      {"31 Dec 2026", 0, "Thursday", "31 Dec 2026", MakeDate(2026, 12, 31)},
      {"31 Dec 2026", 1, "Friday", "1 Jan 2027", MakeDate(2027, 1, 1)},
      {"1 Mar 2028", -1, "Tuesday", "29 Feb 2028", MakeDate(2028, 2, 29)},
      {"31 Feb 2026", 0, "", "31 Feb 2026", MakeDate(2028, 2, 29)},  // no date: kept
      {"nonsense", 1, "Wednesday", "1 Mar 2028", MakeDate(2028, 3, 1)},  // from RunDate
  };
  // clang-format on
  for (const Case& c : cases) {
    launch.RunDateText = c.text;
    if (c.days == 0)
      EXPECT_EQ(TakeRunDateText(schedule, launch), !c.weekday.empty()) << c.text;
    else
      StepRunDate(schedule, launch, c.days);
    EXPECT_EQ(launch.RunDateText, c.shown);
    EXPECT_EQ(RunDateWeekday(launch), c.weekday) << c.shown;
    EXPECT_EQ(schedule.RunDate, c.run_date) << c.shown;
  }
  // The arrows place the run day on the clock.
  EXPECT_EQ(schedule.DayStartAt, MakeDateTime(2028, 3, 1, 6, 0, 0));
  EXPECT_EQ(schedule[1].EventIndex, -1);
  schedule.RunDate = MakeDate(2027, 7, 9);
  ShowRunDate(schedule, launch);
  EXPECT_EQ(launch.RunDateText, "9 Jul 2027");
}

}  // namespace
}  // namespace qlr
