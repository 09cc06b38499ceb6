#include "calendar/frequency.h"

#include <gtest/gtest.h>

#include "base/date_format.h"
#include "base/text.h"
#include "calendar/holidays.h"

namespace qlr {
namespace {

CalendarSettings CalendarWith(std::vector<DateTime> holidays,
                              std::string workdays = "Mon,Tue,Wed,Thu,Fri") {
  CalendarSettings cal;
  cal.Workdays = std::move(workdays);
  for (DateTime h : holidays) cal.HolidayDays.push_back(DayNumber(h));  // in date order
  return cal;
}

// Each list is checked on the date it names (its ninth item).
TEST(ListTrueTermsTest, GoldenTable) {
  const DateTime whit_monday = MakeDate(2026, 5, 25), last_friday_of_july = MakeDate(2026, 7, 31);
  const struct {
    std::vector<DateTime> holidays;
    std::vector<std::string> lists;
  } cases[] = {
      {{whit_monday, last_friday_of_july},
       {"-1CDOM,+31CDOM,-1WDOM,+23WDOM,-1Thu,+5Thu,Daily,Thu,31 Dec 2026,Weekdays,Workdays,"
        "Weekdays+,Weekdays-,Workdays+,Workdays-",
        "-31CDOM,+1CDOM,-23WDOM,+1WDOM,-5Tue,+1Tue,Daily,Tue,01 Dec 2026,Weekdays,Workdays,"
        "Weekdays+,Weekdays-,Workdays+,Workdays-",
        // A public-holiday Monday, the days around it.
        "-7CDOM,+25CDOM,,,-1Mon,+4Mon,Daily,Mon,25 May 2026,Weekdays,Weekdays-,Workdays-",
        "-6CDOM,+26CDOM,-4WDOM,+17WDOM,-1Tue,+4Tue,Daily,Tue,26 May 2026,Weekdays,Workdays,"
        "Weekdays-,Workdays-",
        "-8CDOM,+24CDOM,,,-2Sun,+4Sun,Daily,Sun,24 May 2026,Weekends",
        // The last Friday is a holiday, so Thursday is the last working day.
        "-2CDOM,+30CDOM,-1WDOM,+22WDOM,-1Thu,+5Thu,Daily,Thu,30 Jul 2026,Weekdays,Workdays,"
        "Weekdays+,Workdays+"}},
      {{},
       {"-8CDOM,+24CDOM,,,-2Sun,+4Sun,Daily,Sun,24 May 2026,Weekends,Weekdays-,Workdays-",
        "-9CDOM,+23CDOM,,,-2Sat,+4Sat,Daily,Sat,23 May 2026,Weekends,Weekdays+,Workdays+",
        "-1CDOM,+31CDOM,-1WDOM,+23WDOM,-1Fri,+5Fri,Daily,Fri,31 Jul 2026,Weekdays,Workdays,"
        "Weekdays+,Workdays+"}}};
  for (const auto& c : cases)
    for (const std::string& expected : c.lists)
      EXPECT_EQ(ListTrueTerms(CalendarWith(c.holidays), *ParseDate(Split(expected, ',')[8])),
                expected);
  CalendarSettings weekend_work = CalendarWith({}, "Sat,Sun");  // other Workdays, long dates
  SetDateFormats(weekend_work, "2");
  EXPECT_EQ(ListTrueTerms(weekend_work, MakeDateTime(2026, 5, 23, 13, 45, 0)),
            "-9CDOM,+23CDOM,-4WDOM,+7WDOM,-2Sat,+4Sat,Daily,Sat,2026 May 23,Weekends,Workdays,"
            "Weekdays+,Workdays-");
}

// What the comparison below leaves out: blanks, exact spelling, short-form dates,
// and terms with a comma, searched as text so they may span neighbouring items.
TEST(IsScheduledOnTest, EveryTermKind) {
  const DateTime holiday = MakeDate(2026, 5, 25);  // a Monday
  const CalendarSettings cal = CalendarWith({holiday});
  struct Case {
    DateTime date;
    std::vector<const char*> holds, fails;
  } cases[] = {
      {MakeDate(2026, 12, 5), {"", "   ", "Daily", ","}, {"5 Dec 2026"}},  // a Saturday
      {MakeDate(2026, 12, 4), {"Sat  Fri", "Daily,Fri"}, {"Sat Sun", "Daily,Thu", ",", "Nonsense"}},
      {MakeDate(2026, 12, 3), {"+3CDOM"}, {"3CDOM", "+03CDOM"}},
      {MakeDate(2026, 12, 1), {"+1Tue"}, {"+1Tuesday"}},
      {MakeDate(2026, 12, 25), {"Mon 25 dec 2026 Tue", "25  Dec   2026"}, {"Dec 25 2026"}},
      {holiday, {"Weekdays", "Mon"}, {"Workdays"}},
  };
  for (const Case& c : cases) {
    for (const char* f : c.holds) EXPECT_TRUE(IsScheduledOn(cal, f, c.date)) << f;
    for (const char* f : c.fails) EXPECT_FALSE(IsScheduledOn(cal, f, c.date)) << f;
  }
}

// The evaluator must agree with searching each word, or three words naming a
// date, with commas around it in the list of true terms; day by day over three
// years, for two Workdays settings and every date display format.
TEST(IsScheduledOnTest, AgreesWithTheTextSearch) {
  const std::vector<std::string> frequencies = Split(
      "-1WDOM +1Mon +15CDOM Weekdays+ -2Fri|+3wdom workdays- -1cdom Sat|Weekdays|Workdays|"
      "Workdays+ +1WDOM +0CDOM -31CDOM|+23WDOM -5Mon weekends Weekdays-|29 Feb 2028 +2Sun|"
      "Feb 29 2028 Weekends|2028 feb 29 +5Thu",
      '|');
  for (const char* workdays : {"Mon,Tue,Wed,Thu,Fri", "Sun,Mon, Tue,Sat"})
    for (const char* format : {"0", "1", "2"}) {
      CalendarSettings cal =
          CalendarWith({MakeDate(2026, 5, 25), MakeDate(2026, 12, 25), MakeDate(2027, 1, 1),
                        MakeDate(2027, 4, 30), MakeDate(2028, 2, 28)},
                       workdays);
      SetDateFormats(cal, format);
      for (DateTime d = MakeDate(2026, 1, 1); d < MakeDate(2029, 1, 1); d = AddDays(d, 1)) {
        const std::string list = "," + Upper(ListTrueTerms(cal, d)) + ",";
        const auto in_list = [&](std::string t) { return list.find("," + t + ",") != list.npos; };
        for (const std::string& f : frequencies) {
          const std::vector<std::string> w = Split(Upper(f), ' ');
          bool expected = false;
          for (size_t i = 0; i < w.size(); ++i)
            expected |= in_list(w[i]) ||
                        (i + 2 < w.size() && in_list(w[i] + " " + w[i + 1] + " " + w[i + 2]));
          ASSERT_EQ(IsScheduledOn(cal, f, d), expected) << f << " on " << list;
        }
      }
    }
}

TEST(IsSkippedTest, DateOrKeyword) {
  Schedule schedule;
  schedule.RunDate = MakeDate(2026, 12, 4);
  const std::pair<const char*, bool> cases[] = {{"", false},           {" 4 Dec 2026 ", true},
                                                {"5 Dec 2026", false}, {" Always ", true},
                                                {"always", false},     {"Sometimes", false}};
  for (auto [skip_on, expected] : cases) {
    Job job;
    job.SkipOn = skip_on;
    EXPECT_EQ(qlr::IsSkipped(schedule, job), expected) << skip_on;  // not Test::IsSkipped
  }
}

}  // namespace
}  // namespace qlr
