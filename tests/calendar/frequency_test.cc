#include "calendar/frequency.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "calendar/holidays.h"
#include "support/scripted_operator.h"

namespace qlr {
namespace {

using testing::ScriptedOperator;

CalendarSettings CalendarWith(std::vector<DateTime> holidays,
                              std::string workdays = "Mon,Tue,Wed,Thu,Fri") {
  CalendarSettings cal;
  cal.Workdays = std::move(workdays);
  for (DateTime h : holidays) cal.HolidayDays.push_back(DayNumber(h));
  std::sort(cal.HolidayDays.begin(), cal.HolidayDays.end());
  return cal;
}

TEST(ListTrueTermsTest, GoldenTable) {
  const DateTime whit_monday = MakeDate(2026, 5, 25), last_friday_of_july = MakeDate(2026, 7, 31);
  struct Case {
    DateTime date;
    std::vector<DateTime> holidays;
    const char* expected;
  } cases[] = {
      {MakeDate(2026, 12, 31),
       {},
       "-1CDOM,+31CDOM,-1WDOM,+23WDOM,-1Thu,+5Thu,Daily,Thu,31 Dec 2026,Weekdays,Workdays,"
       "Weekdays+,Weekdays-,Workdays+,Workdays-"},
      {MakeDate(2026, 12, 1),
       {},
       "-31CDOM,+1CDOM,-23WDOM,+1WDOM,-5Tue,+1Tue,Daily,Tue,01 Dec 2026,Weekdays,Workdays,"
       "Weekdays+,Weekdays-,Workdays+,Workdays-"},
      {MakeDate(2028, 2, 29),
       {},
       "-1CDOM,+29CDOM,-1WDOM,+21WDOM,-1Tue,+5Tue,Daily,Tue,29 Feb 2028,Weekdays,Workdays,"
       "Weekdays+,Weekdays-,Workdays+,Workdays-"},
      // A public-holiday Monday, the days around it.
      {whit_monday,
       {whit_monday},
       "-7CDOM,+25CDOM,,,-1Mon,+4Mon,Daily,Mon,25 May 2026,Weekdays,Weekdays-,Workdays-"},
      {MakeDate(2026, 5, 26),
       {whit_monday},
       "-6CDOM,+26CDOM,-4WDOM,+17WDOM,-1Tue,+4Tue,Daily,Tue,26 May 2026,Weekdays,Workdays,"
       "Weekdays-,Workdays-"},
      {MakeDate(2026, 5, 24),
       {whit_monday},
       "-8CDOM,+24CDOM,,,-2Sun,+4Sun,Daily,Sun,24 May 2026,Weekends"},
      {MakeDate(2026, 5, 24),
       {},
       "-8CDOM,+24CDOM,,,-2Sun,+4Sun,Daily,Sun,24 May 2026,Weekends,Weekdays-,Workdays-"},
      {MakeDate(2026, 5, 23),
       {},
       "-9CDOM,+23CDOM,,,-2Sat,+4Sat,Daily,Sat,23 May 2026,Weekends,Weekdays+,Workdays+"},
      // The last Friday is a holiday, so Thursday is the last working day.
      {MakeDate(2026, 7, 30),
       {last_friday_of_july},
       "-2CDOM,+30CDOM,-1WDOM,+22WDOM,-1Thu,+5Thu,Daily,Thu,30 Jul 2026,Weekdays,Workdays,"
       "Weekdays+,Workdays+"},
      {last_friday_of_july,
       {},
       "-1CDOM,+31CDOM,-1WDOM,+23WDOM,-1Fri,+5Fri,Daily,Fri,31 Jul 2026,Weekdays,Workdays,"
       "Weekdays+,Workdays+"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ListTrueTerms(CalendarWith(c.holidays), c.date), c.expected) << c.expected;
}

TEST(ListTrueTermsTest, FollowsWorkdaysAndLongForm) {
  CalendarSettings cal = CalendarWith({}, "Sat,Sun");
  SetDateFormats(cal, "2");
  EXPECT_EQ(ListTrueTerms(cal, MakeDateTime(2026, 5, 23, 13, 45, 0)),
            "-9CDOM,+23CDOM,-4WDOM,+7WDOM,-2Sat,+4Sat,Daily,Sat,2026 May 23,Weekends,Workdays,"
            "Weekdays+,Workdays-");
}

TEST(IsScheduledOnTest, EveryTermKind) {
  const DateTime holiday = MakeDate(2026, 5, 25);  // a Monday
  const CalendarSettings cal = CalendarWith({holiday, MakeDate(2026, 7, 31)});
  struct Case {
    const char* frequency;
    DateTime date;
    bool expected;
  } cases[] = {
      {"", MakeDate(2026, 5, 23), true},
      {"   ", MakeDate(2026, 5, 23), true},
      {"Daily", MakeDate(2026, 5, 23), true},
      {"-1cdom", MakeDate(2026, 12, 31), true},
      {"+31CDOM", MakeDate(2026, 12, 31), true},
      {"+30CDOM", MakeDate(2028, 2, 29), false},
      {"3CDOM", MakeDate(2026, 12, 3), false},
      {"+03CDOM", MakeDate(2026, 12, 3), false},
      {"+3CDOM", MakeDate(2026, 12, 3), true},
      {"Weekdays", holiday, true},
      {"Mon", holiday, true},
      {"Workdays", holiday, false},
      {"+4WDOM", holiday, false},
      {"Weekdays+", MakeDate(2026, 5, 26), false},
      {"Workdays+", MakeDate(2026, 5, 26), false},
      {"Weekdays-", MakeDate(2026, 5, 24), false},
      {"Workdays-", MakeDate(2026, 5, 24), false},
      {"Weekdays-", MakeDate(2026, 5, 31), true},
      {"Workdays-", MakeDate(2026, 5, 31), true},
      {"WORKDAYS+ WEEKDAYS+", MakeDate(2026, 5, 30), true},
      {"Weekends", MakeDate(2026, 5, 24), true},
      {"Weekends", MakeDate(2026, 5, 22), false},
      {"-1WDOM", MakeDate(2026, 7, 30), true},  // the last Friday is a holiday
      {"-1WDOM", MakeDate(2026, 7, 31), false},
      {"+17WDOM", MakeDate(2026, 5, 26), true},
      {"-4WDOM", MakeDate(2026, 5, 26), true},
      {"+5Thu", MakeDate(2026, 12, 31), true},
      {"-1Thu", MakeDate(2026, 12, 31), true},
      {"-1thu", MakeDate(2026, 12, 24), false},
      {"+5Fri", MakeDate(2026, 12, 25), false},  // December 2026 has four Fridays
      {"+1Tuesday", MakeDate(2026, 12, 1), false},
      {"Fri", MakeDate(2026, 12, 4), true},
      {"Sat Sun", MakeDate(2026, 12, 4), false},
      {"Sat  Fri", MakeDate(2026, 12, 4), true},
      {"-1cdom  +1cdom", MakeDate(2026, 12, 1), true},
      {"25 Dec 2026", MakeDate(2026, 12, 25), true},
      {"Mon 25 dec 2026 Tue", MakeDate(2026, 12, 25), true},
      {"25  Dec   2026", MakeDate(2026, 12, 25), true},
      {"25 Dec 2026", MakeDate(2026, 12, 24), false},
      {"5 Dec 2026", MakeDate(2026, 12, 5), false},  // short form, not the long one
      {"Dec 05 2026", MakeDate(2026, 12, 5), false},
      // Terms are searched as text with commas around them, so a term that
      // spans neighbouring items holds where they stand together.
      {"Daily,Fri", MakeDate(2026, 12, 4), true},
      {"Daily,Thu", MakeDate(2026, 12, 4), false},
      {",", MakeDate(2026, 12, 5), true},  // the empty fields of a non-working day
      {",", MakeDate(2026, 12, 4), false},
      {"Nonsense", MakeDate(2026, 12, 4), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsScheduledOn(cal, c.frequency, c.date), c.expected) << '"' << c.frequency << '"';
}

TEST(IsScheduledOnTest, DateTermsFollowTheLongForm) {
  CalendarSettings cal;
  SetDateFormats(cal, "1");
  EXPECT_TRUE(IsScheduledOn(cal, "Dec 25 2026", MakeDate(2026, 12, 25)));
  EXPECT_FALSE(IsScheduledOn(cal, "25 Dec 2026", MakeDate(2026, 12, 25)));
  SetDateFormats(cal, "0");
  EXPECT_FALSE(IsScheduledOn(cal, "Dec 25 2026", MakeDate(2026, 12, 25)));
}

// The evaluator must agree with searching each term, commas around it, in
// the list of true terms; checked day by day over three years.
TEST(IsScheduledOnTest, AgreesWithTheTextSearch) {
  struct Case {
    const char* frequency;
    std::vector<std::string> terms;
  } cases[] = {
      {"-1WDOM +1Mon +15CDOM Weekdays+ -2Fri",
       {"-1WDOM", "+1MON", "+15CDOM", "WEEKDAYS+", "-2FRI"}},
      {"+3wdom workdays- -1cdom Sat", {"+3WDOM", "WORKDAYS-", "-1CDOM", "SAT"}},
      {"+23WDOM -5Mon weekends Weekdays-", {"+23WDOM", "-5MON", "WEEKENDS", "WEEKDAYS-"}},
      {"Workdays+ +1WDOM +0CDOM -31CDOM", {"WORKDAYS+", "+1WDOM", "+0CDOM", "-31CDOM"}},
      {"29 Feb 2028 +2Sun", {"29 FEB 2028", "+2SUN"}},
  };
  const std::vector<std::string> workday_lists = {"Mon,Tue,Wed,Thu,Fri", "Sun,Mon, Tue,Sat"};
  for (const std::string& workdays : workday_lists) {
    CalendarSettings cal =
        CalendarWith({MakeDate(2026, 5, 25), MakeDate(2026, 12, 25), MakeDate(2027, 1, 1),
                      MakeDate(2027, 4, 30), MakeDate(2028, 2, 28)},
                     workdays);
    for (DateTime d = MakeDate(2026, 1, 1); d < MakeDate(2029, 1, 1); d = AddDays(d, 1)) {
      const std::string list = "," + Upper(ListTrueTerms(cal, d)) + ",";
      for (const Case& c : cases) {
        bool expected = false;
        for (const std::string& t : c.terms)
          expected |= list.find("," + t + ",") != std::string::npos;
        ASSERT_EQ(IsScheduledOn(cal, c.frequency, d), expected) << c.frequency << " on " << list;
      }
    }
  }
}

TEST(IsSkippedTest, DateOrKeyword) {
  Schedule schedule;
  schedule.RunDate = MakeDate(2026, 12, 4);
  struct Case {
    const char* skip_on;
    bool expected;
  } cases[] = {
      {"", false},          {"4 Dec 2026", true},  {" 4 Dec 2026 ", true},
      {"2026-12-04", true}, {"5 Dec 2026", false}, {"Always", true},
      {" Always ", true},   {"always", false},     {"Sometimes", false},
  };
  for (const Case& c : cases) {
    Job job;
    job.SkipOn = c.skip_on;
    EXPECT_EQ(qlr::IsSkipped(schedule, job), c.expected) << c.skip_on;
  }
}

TEST(FrequencyKeysTest, TwentyTwoKeysWithTheWorkdaysText) {
  CalendarSettings cal;
  cal.Workdays = "Mon,Tue,Wed";
  std::vector<FrequencyKey> keys = FrequencyKeys(cal);
  ASSERT_EQ(keys.size(), 22u);
  EXPECT_EQ(keys[4].key, "Workdays");
  EXPECT_EQ(keys[4].description, "Configured as Mon,Tue,Wed, excl non-working days");
  EXPECT_EQ(keys[12].key, "+nddd");
  EXPECT_EQ(keys[21].key, "Selected Date");
  EXPECT_EQ(keys[21].description, "Once, on a specified Date");
}

TEST(ReadRelativeDayTest, AsksUntilAcceptable) {
  struct Case {
    const char* key;
    std::vector<std::optional<std::string>> answers;
    const char* expected;
    size_t prompts;
  } cases[] = {
      {"Daily", {}, "Daily", 0},
      {"+nCDOM", {"3"}, "+3CDOM", 1},
      {"-nCDOM", {"32", "0", "x", "2.5", " 31 "}, "-31CDOM", 5},
      {"+nWDOM", {"24", "23"}, "+23WDOM", 2},
      {"-nddd", {"6", "5"}, "-5ddd", 2},
      {"+nRUND", {"400"}, "+400RUND", 1},
      {"RUND-nWD", {"03"}, "RUND-3WD", 1},
      {"+nCDOM", {"40", ""}, "", 2},
      {"+nCDOM", {std::nullopt}, "", 1},
  };
  for (const Case& c : cases) {
    ScriptedOperator op;
    for (const auto& a : c.answers) op.InputNext(a);
    EXPECT_EQ(ReadRelativeDay(op, c.key), c.expected) << c.key;
    ASSERT_EQ(op.prompts.size(), c.prompts) << c.key;
    for (const std::string& p : op.prompts) EXPECT_EQ(p, "Please enter a value for n");
  }
}

TEST(RelDaySelectTest, BuildsTermsFromKeys) {
  CalendarSettings cal;
  const auto pick = [] { return std::optional<DateTime>(MakeDate(2026, 12, 5)); };
  const auto pick_none = [] { return std::optional<DateTime>(); };
  struct Case {
    const char* key;
    std::vector<std::optional<std::string>> answers;
    bool picks;
    const char* expected;
  } cases[] = {
      {"+nddd", {"2", "Tuesday", "xyz", " tUE "}, true, "+2Tue"},
      {"-nddd", {"1", ""}, true, ""},
      {"-nddd", {""}, true, ""},
      {"Mon", {}, true, "Mon"},
      {"Selected Date", {}, true, "05 Dec 2026"},
      {"Selected Date", {}, false, ""},
  };
  for (const Case& c : cases) {
    ScriptedOperator op;
    for (const auto& a : c.answers) op.InputNext(a);
    EXPECT_EQ(
        RelDaySelect(op, cal, c.key, c.picks ? std::function(pick) : std::function(pick_none)),
        c.expected)
        << c.key;
  }
}

TEST(AddFrequencyTermTest, AppendsTrimmed) {
  EXPECT_EQ(AddFrequencyTerm("Mon", "+1CDOM"), "Mon +1CDOM");
  EXPECT_EQ(AddFrequencyTerm("", "+1CDOM"), "+1CDOM");
  EXPECT_EQ(AddFrequencyTerm(" Mon ", ""), " Mon ");
}

TEST(TryFrequencyTest, ListsRunDatesWithSkips) {
  Schedule schedule;
  schedule.RunDate = MakeDate(2026, 12, 4);  // a Friday
  struct Case {
    const char* frequency;
    const char* skip_on;
    std::vector<std::string> first;  // the first entries
    size_t count;
  } cases[] = {
      {"Mon Fri",
       "7 Dec 2026",
       {"Friday 04 Dec 2026", "Monday 07 Dec 2026 (Skipped)", "Friday 11 Dec 2026"},
       20},
      {"-1CDOM", "Always", {"Thursday 31 Dec 2026 (Skipped)", "Sunday 31 Jan 2027 (Skipped)"}, 11},
      {"25 Dec 2026 20 Nov 2027", "", {"Friday 25 Dec 2026"}, 1},  // 20 Nov 2027 is too far
      {"Nothing", "", {}, 0},
  };
  for (const Case& c : cases) {
    std::vector<std::string> entries = TryFrequency(schedule, c.frequency, c.skip_on);
    ASSERT_EQ(entries.size(), c.count) << c.frequency;
    for (size_t i = 0; i < c.first.size(); ++i) EXPECT_EQ(entries[i], c.first[i]);
  }
}

}  // namespace
}  // namespace qlr
