#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

struct HolidaysFixture : ::testing::Test {
  testing::TempDir dir;
  Schedule schedule;
  testing::FakeClock clock{MakeDateTime(2026, 12, 4, 9, 0, 0)};  // today
  testing::ScriptedOperator op;
  RunLog log{schedule, clock, op};  // no log file: fatal stops are only told
};

void Add(std::string& s, const std::string& t) { s += (s.empty() ? "" : "|") + t; }

TEST_F(HolidaysFixture, LoadsAndChecksExpiry) {
  const std::string end = "|QLR999 Quillrun closing down",
                    expired = "Public Holidays file ({path}) has expired" + end;
  const std::string warn = "Warning - Public Holidays file will expire on ";
  struct Case {
    const char *name, *content;  // no name: no PubHols; content nullptr: no file
    std::string told;  // "{path}" stands for the file's path; all but a warning ends the run
    const char* days;
  } cases[] = {
      {"dates",
       "; holidays\r\n\"25 Dec 2026\",Christmas\r\n\r\n2027-01-01\r\n;1 Feb 2027\r\n"
       "  \r\n31 Dec 2027\r\n25 Dec 2026\n",
       "", "25 Dec 2026|1 Jan 2027|31 Dec 2027"},
      {"comments", "; none yet\r\n\r\n", expired, ""},
      {"yesterday", "3 Dec 2026\r\n", expired, ""},
      {"today", "1 Jan 2026\r\n4 Dec 2026\r\n", warn + "4 Dec 2026", "1 Jan 2026|4 Dec 2026"},
      {"29days", "2 Jan 2027\r\n", warn + "2 Jan 2027", "2 Jan 2027"},
      {"30days", "3 Jan 2027\r\n", "", "3 Jan 2027"},
      {"invalid", "25 Dec 2026\r\n\r\nChristmas,25 Dec 2027\r\n31 Dec 2099\r\n",
       "One or more invalid dates in Public Holidays File: {path}, line 3: Christmas,25 Dec 2027" +
           end,
       ""},
      {"missing", nullptr, "Cannot open file \"{path}\"", ""},
      {"", nullptr, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    op.told.clear();
    schedule.PubHols = !*c.name ? "" : c.content ? dir.Write(c.name, c.content) : dir.File(c.name);
    schedule.Calendar.HolidayDays = {1, 2, 3};  // emptied by every load
    if (!c.told.empty() && !c.told.starts_with("Warning")) {
      EXPECT_THROW(LoadPublicHolidays(schedule, log, op, clock.Now()), ProgramEnd);
    } else {
      EXPECT_NO_THROW(LoadPublicHolidays(schedule, log, op, clock.Now()));
      std::string days;
      for (int64_t d : schedule.Calendar.HolidayDays)
        Add(days, FormatShortDate(schedule.Calendar, d * kSecondsPerDay));
      EXPECT_EQ(days, c.days);
    }
    std::string told;
    for (const std::string& t : op.told) Add(told, t);
    EXPECT_EQ(told, ReplaceAll(c.told, "{path}", schedule.PubHols));
  }
}

// Sunday 24 to Saturday 30 May 2026, '1' where the predicate holds; the Sunday and
// the Tuesday are holidays. Workdays entries match exactly: not " Tue" nor "TUE".
TEST(WorkdayTest, PredicatesFollowWorkdaysAndHolidays) {
  CalendarSettings cal;
  cal.HolidayDays = {DayNumber(MakeDate(2026, 5, 24)), DayNumber(MakeDate(2026, 5, 26))};
  const auto week = [&](bool (*holds)(const CalendarSettings&, DateTime)) {
    std::string s;
    for (int i = 0; i < 7; ++i)  // at 01:00, as the time of day plays no part
      s += holds(cal, AddDays(MakeDate(2026, 5, 24), i) + 3600) ? '1' : '0';
    return s;
  };
  EXPECT_EQ(week(IsPublicHoliday), "1010000");
  EXPECT_EQ(week(IsWeekdayNotHoliday), "0101110");
  std::string workdays;
  for (const char* list : {"Mon,Tue,Wed,Thu,Fri", "Mon, Tue, Wed", "MON,TUE", "Sat,Sun", ""}) {
    cal.Workdays = list;
    workdays += week(IsWorkday) + " ";
  }
  EXPECT_EQ(workdays, "0101110 0100000 0000000 0000001 0000000 ");
}

// "3" is no format: the first one ("0") is used.
TEST(DateFormatsTest, ThreeFormsAndTheDefault) {
  CalendarSettings cal;
  const DateTime d = MakeDate(2026, 12, 4);
  for (auto [value, forms] : {std::pair{"1", "Dec 4 2026|Dec 04 2026"},
                              {"2", "2026 Dec 04|2026 Dec 04"},
                              {"3", "4 Dec 2026|04 Dec 2026"}}) {
    EXPECT_EQ(SetDateFormats(cal, value), value[0] != '3') << value;
    EXPECT_EQ(FormatShortDate(cal, d) + "|" + FormatLongDate(cal, d), forms);
  }
}

TEST(ApplyRunDateTest, PlacesDayStartAndEarliestStarts) {
  Schedule schedule;
  schedule.RunDate = MakeDate(2026, 12, 4);
  schedule.DayStart = 6 * 3600 + 30;  // only hours and minutes count
  const std::pair<const char*, int> starts[] = {{"", 6 * 60}, {"02:00", 2 * 60}, {"23:15", 1395}};
  Job job;
  job.TriggerForced = true;
  job.EventIndex = 3;
  schedule.Jobs.assign(4, job);  // [0] is the copy buffer
  for (int i = 1; i <= 3; ++i) schedule[i].EarliestStart = starts[i - 1].first;
  ApplyRunDate(schedule);
  EXPECT_EQ(schedule.DayStartAt, MakeDateTime(2026, 12, 4, 6, 0, 0));
  for (int i = 1; i <= 3; ++i)  // and TriggerForced and EventIndex reset
    EXPECT_EQ(
        std::tuple(schedule[i].EarliestStartAt, schedule[i].TriggerForced, schedule[i].EventIndex),
        std::tuple(schedule.RunDate + starts[i - 1].second * 60, false, int16_t{-1}));
}

}  // namespace
}  // namespace qlr
