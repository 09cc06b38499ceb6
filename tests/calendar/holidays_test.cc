#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using testing::FakeClock;
using testing::ScriptedOperator;
using testing::TempDir;

struct HolidaysFixture : ::testing::Test {
  TempDir dir;
  Schedule schedule;
  FakeClock clock{MakeDateTime(2026, 12, 4, 9, 0, 0)};
  ScriptedOperator op;
  RunLog log{schedule, clock, op};

  void SetUp() override { schedule.LogFile = dir.File("run.log"); }
};

TEST_F(HolidaysFixture, LoadsAndChecksExpiry) {
  struct Case {
    const char* name;
    const char* content;  // nullptr: no file at all
    bool ends;
    std::vector<std::string> told;  // "{path}" stands for the file's path
    std::vector<DateTime> days;
  } cases[] = {
      {"dates",
       "; holidays\r\n\"25 Dec 2026\",Christmas\r\n\r\n2027-01-01\r\n;1 Feb 2027\r\n  \r\n"
       "31 Dec 2027\r\n25 Dec 2026\n",
       false,
       {},
       {MakeDate(2026, 12, 25), MakeDate(2027, 1, 1), MakeDate(2027, 12, 31)}},
      {"comments",
       "; none yet\r\n\r\n",
       true,
       {"Public Holidays file ({path}) has expired", "QLR999 Quillrun closing down"},
       {}},
      {"yesterday",
       "3 Dec 2026\r\n",
       true,
       {"Public Holidays file ({path}) has expired", "QLR999 Quillrun closing down"},
       {}},
      {"today",
       "1 Jan 2026\r\n4 Dec 2026\r\n",
       false,
       {"Warning - Public Holidays file will expire on 4 Dec 2026"},
       {MakeDate(2026, 1, 1), MakeDate(2026, 12, 4)}},
      {"29days",
       "2 Jan 2027\r\n",
       false,
       {"Warning - Public Holidays file will expire on 2 Jan 2027"},
       {MakeDate(2027, 1, 2)}},
      {"30days", "3 Jan 2027\r\n", false, {}, {MakeDate(2027, 1, 3)}},
      {"invalid",
       "25 Dec 2026\r\nChristmas,25 Dec 2027\r\n31 Dec 2099\r\n",
       true,
       {"One or more invalid dates in Public Holidays File: {path}",
        "QLR999 Quillrun closing down"},
       {}},
      {"missing", nullptr, true, {"Cannot open file \"{path}\""}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    op.told.clear();
    schedule.PubHols = c.content ? dir.Write(c.name, c.content) : dir.File(c.name);
    schedule.Calendar.HolidayDays = {1, 2, 3};  // emptied by every load
    if (c.ends) {
      EXPECT_THROW(LoadPublicHolidays(schedule, log), ProgramEnd);
    } else {
      EXPECT_NO_THROW(LoadPublicHolidays(schedule, log));
      std::vector<int64_t> days;
      for (DateTime d : c.days) days.push_back(DayNumber(d));
      EXPECT_EQ(schedule.Calendar.HolidayDays, days);
    }
    std::vector<std::string> told;
    for (const std::string& t : c.told) told.push_back(ReplaceAll(t, "{path}", schedule.PubHols));
    EXPECT_EQ(op.told, told);
  }
}

TEST_F(HolidaysFixture, FatalStopsAreLogged) {
  schedule.PubHols = dir.Write("old", "1 Jan 2020\r\n");
  EXPECT_THROW(LoadPublicHolidays(schedule, log), ProgramEnd);
  EXPECT_EQ(dir.Read("run.log"),
            "04 Dec 2026  09:00:00 Public Holidays file (" + schedule.PubHols +
                ") has expired\r\n04 Dec 2026  09:00:00 QLR999 Quillrun closing down\r\n");
}

TEST_F(HolidaysFixture, NoFileMeansNoHolidays) {
  schedule.Calendar.HolidayDays = {1};
  LoadPublicHolidays(schedule, log);
  EXPECT_TRUE(schedule.Calendar.HolidayDays.empty());
  EXPECT_TRUE(op.told.empty());
}

TEST(WorkdayTest, PredicatesFollowWorkdaysAndHolidays) {
  const DateTime monday = MakeDate(2026, 5, 25), tuesday = MakeDate(2026, 5, 26),
                 saturday = MakeDate(2026, 5, 23);
  struct Case {
    const char* workdays;
    DateTime holiday;  // 0: none
    DateTime date;
    bool workday, weekday_not_holiday;
  } cases[] = {
      {"Mon,Tue,Wed,Thu,Fri", 0, monday, true, true},
      {"Mon,Tue,Wed,Thu,Fri", monday, monday, false, false},
      {"Mon,Tue,Wed,Thu,Fri", monday, tuesday, true, true},
      {"Mon,Tue,Wed,Thu,Fri", saturday, saturday, false, false},
      {"Mon, Tue, Wed", 0, monday, true, true},
      {"Mon, Tue, Wed", 0, tuesday, false, true},  // " Tue" is not "Tue"
      {"MON,TUE", 0, monday, false, true},
      {"Sat,Sun", 0, saturday, true, false},
      {"Sat,Sun", saturday, saturday, false, false},
      {"", 0, monday, false, true},
  };
  for (const Case& c : cases) {
    CalendarSettings cal;
    cal.Workdays = c.workdays;
    if (c.holiday) cal.HolidayDays = {DayNumber(c.holiday)};
    SCOPED_TRACE(std::string(c.workdays) + " " + FormatLongDate(cal, c.date));
    EXPECT_EQ(IsWorkday(cal, c.date), c.workday);
    EXPECT_EQ(IsWeekdayNotHoliday(cal, c.date), c.weekday_not_holiday);
    EXPECT_EQ(IsPublicHoliday(cal, c.date + 3600), c.holiday == c.date);  // time of day ignored
  }
}

TEST(DateFormatsTest, ThreeFormsAndTheDefault) {
  const DateTime d = MakeDate(2026, 12, 4);
  struct Case {
    const char* value;
    bool valid;
    const char* short_form;
    const char* long_form;
  } cases[] = {
      {"0", true, "4 Dec 2026", "04 Dec 2026"},  {"1", true, "Dec 4 2026", "Dec 04 2026"},
      {"2", true, "2026 Dec 04", "2026 Dec 04"}, {"3", false, "4 Dec 2026", "04 Dec 2026"},
      {"", false, "4 Dec 2026", "04 Dec 2026"},
  };
  for (const Case& c : cases) {
    CalendarSettings cal;
    SetDateFormats(cal, "1");
    EXPECT_EQ(SetDateFormats(cal, c.value), c.valid) << c.value;
    EXPECT_EQ(FormatShortDate(cal, d), c.short_form);
    EXPECT_EQ(FormatLongDate(cal, d), c.long_form);
  }
}

TEST(ApplyRunDateTest, PlacesDayStartAndEarliestStarts) {
  Schedule schedule;
  schedule.RunDate = MakeDate(2026, 12, 4);
  schedule.DayStart = 6 * 3600 + 30;  // only hours and minutes count
  for (const char* start : {"", "02:00", "23:15"}) {
    Job job;
    job.EarliestStart = start;
    job.TriggerForced = true;
    job.EventIndex = 3;
    schedule.Jobs.push_back(job);
  }
  ApplyRunDate(schedule);
  EXPECT_EQ(schedule.DayStartAt, MakeDateTime(2026, 12, 4, 6, 0, 0));
  EXPECT_EQ(schedule[1].EarliestStartAt, schedule.DayStartAt);
  EXPECT_EQ(schedule[2].EarliestStartAt, MakeDateTime(2026, 12, 4, 2, 0, 0));
  EXPECT_EQ(schedule[3].EarliestStartAt, MakeDateTime(2026, 12, 4, 23, 15, 0));
  for (int i = 1; i <= 3; ++i) {
    EXPECT_FALSE(schedule[i].TriggerForced);
    EXPECT_EQ(schedule[i].EventIndex, -1);
  }
}

}  // namespace
}  // namespace qlr
