#include "calendar/date_vars.h"

#include <gtest/gtest.h>

#include "model/constants.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"

namespace qlr {
namespace {

using testing::FakeClock;
using testing::ScriptedOperator;

const char kNoFrequencyMessage[] =
    "The job does not have a run frequency and one is required for evaluation \n"
    "of one or more computed RunDate variables (+nRUND or -nRUND).\n"
    "\"Weekdays\" assumed.";

struct DateVarsFixture : ::testing::Test {
  Schedule schedule;
  FakeClock clock{MakeDateTime(2026, 12, 9, 14, 35, 20)};
  ScriptedOperator op;
  RunLog log{schedule, clock, op};

  void SetUp() override { schedule.RunDate = MakeDate(2026, 12, 7); }  // a Monday

  DateTime MonthStart(int rel_month) {
    CivilDate c = ToCivilDate(schedule.RunDate);
    return FirstOfMonth(c.year, c.month + rel_month);
  }
};

TEST_F(DateVarsFixture, ResolvesEveryForm) {
  const DateTime whit_monday = MakeDate(2026, 5, 25);
  struct Case {
    DateTime run_date;
    const char* frequency;
    const char* relative_day;
    int rel_month;
    DateTime expected;
    const char* workdays = "Mon,Tue,Wed,Thu,Fri";
  } cases[] = {
      {MakeDate(2026, 12, 7), "", "RunDate", 0, MakeDate(2026, 12, 7)},
      {MakeDate(2026, 12, 7), "", " rundate ", 0, MakeDate(2026, 12, 7)},
      {MakeDate(2026, 12, 7), "", "Tomorrow", 0, MakeDate(2026, 12, 7)},
      {MakeDate(2026, 12, 7), "", "RUND-1WD", 0, MakeDate(2026, 12, 4)},
      {MakeDate(2026, 5, 26), "", "RUND-1WD", 0, MakeDate(2026, 5, 22)},  // over the holiday
      {MakeDate(2026, 12, 4), "", "RUND+2WD", 0, MakeDate(2026, 12, 8)},
      {MakeDate(2026, 12, 4), "", "RUND+2", 0, MakeDate(2026, 12, 8)},  // any ending but CD
      {MakeDate(2026, 12, 31), "", "RUND+1CD", 0, MakeDate(2027, 1, 1)},
      {MakeDate(2026, 12, 7), "", "RUND-10CD", 0, MakeDate(2026, 11, 27)},
      {MakeDate(2026, 12, 7), "", "RUND+0WD", 0, MakeDate(2026, 12, 7)},
      {MakeDate(2026, 12, 7), "", "RUND", 0, MakeDate(2026, 12, 7)},
      {MakeDate(2026, 12, 7), "", "RUND+1WD", 0, MakeDate(2026, 12, 7),
       ""},  // no working day at all
      {MakeDate(2026, 12, 7), "Mon", "-1RUND", 0, MakeDate(2026, 11, 30)},
      {MakeDate(2026, 12, 7), "Mon", "+1RUND", 0, MakeDate(2026, 12, 14)},
      {MakeDate(2026, 12, 7), "Mon", "+2rund", 0, MakeDate(2026, 12, 21)},
      {MakeDate(2026, 12, 7), "-1CDOM", "+3RUND", 0, MakeDate(2027, 2, 28)},
      {MakeDate(2026, 12, 7), "", "-1RUND", 0, MakeDate(2026, 12, 6)},  // empty selects every day
      {MakeDate(2026, 12, 7), "Never", "+1RUND", 0, MakeDate(2026, 12, 7)},  // the search gives up
      {MakeDate(2026, 12, 7), "", "+1CDOM", -1, MakeDate(2026, 11, 1)},
      {MakeDate(2026, 12, 7), "", "+1CDOM", 13, MakeDate(2028, 1, 1)},
      {MakeDate(2026, 12, 7), "", "-1WDOM", 0, MakeDate(2026, 12, 31)},
      {MakeDate(2026, 5, 7), "", "+17WDOM", 0, MakeDate(2026, 5, 26)},
      {MakeDate(2026, 12, 7), "", "-2Fri", 0, MakeDate(2026, 12, 7)},
      {MakeDate(2026, 12, 7), "", "+3cdom", 0, MakeDate(2026, 12, 7)},  // "dom" is not "DOM"
  };
  schedule.Calendar.HolidayDays = {DayNumber(whit_monday)};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.relative_day) + " " + std::to_string(c.rel_month));
    schedule.RunDate = c.run_date;
    schedule.Calendar.Workdays = c.workdays;
    EXPECT_EQ(
        ResolveRelativeDay(schedule, log, MonthStart(c.rel_month), c.frequency, c.relative_day),
        c.expected);
  }
  EXPECT_TRUE(op.told.empty());
}

TEST_F(DateVarsFixture, ImpossibleDayOfMonthIsFatal) {
  schedule.RunDate = MakeDate(2027, 2, 10);
  EXPECT_THROW(ResolveRelativeDay(schedule, log, MonthStart(0), "", "+30CDOM"), ProgramEnd);
  schedule.Calendar.Workdays = "Sun";
  EXPECT_THROW(ResolveRelativeDay(schedule, log, MonthStart(0), "", " +5WDOM "), ProgramEnd);
  EXPECT_EQ(op.told, (std::vector<std::string>{
                         "Invalid relative day number: (\"+30CDOM\") requested in Feb 2027",
                         std::string(kClosingDown),
                         "Invalid relative day number: (\"+5WDOM\") requested in Feb 2027",
                         std::string(kClosingDown)}));
}

TEST_F(DateVarsFixture, SubstitutesReferences) {
  DateVarList stock;
  for (size_t i = 0; i < stock.size(); ++i) stock.Set(i, kStockDateVars[i]);
  struct Case {
    const char* command_line;
    DateVarList vars;
    const char* frequency;
    const char* expected;
  } cases[] = {
      {"prog &RUNDATE& &prevwd& &NextWD& &PREVRUN& &NEXTRUN& &MONTHBEG& &MONTHEND&", stock, "Mon",
       "prog 20261207 20261204 20261208 20261130 20261214 20261201 20261231"},
      {"  run &X& and &x&  ", {" x ,RunDate,0,d"}, "", "run 7 and 7"},
      {"a&X&b&X&", {"X,RunDate,0,d"}, "", "a7b7"},
      {"keep &NOPE& &X", {"X,RunDate,0,d"}, "", "keep &NOPE& &X"},
      {"&A&", {"A,RUND+1CD,0,dd", "A,RUND-1CD,0,dd"}, "", "08"},
      {"&A&", {"A, ,0,dd", "A,RUND-1CD,0,dd"}, "", "06"},
      {"&T&", {"T,RunDate,0,yyyymmdd hhnn"}, "", "20261207 1435"},
      {"&Q&", {"\"Q\",\"RUND+1CD\",0,\"dd-mm-yyyy\""}, "", "08-12-2026"},
      {"&M&", {"M,+1CDOM,-1,yyyymmdd"}, "", "20261101"},
      {"&X& &X&", {"X,RunDate,0,&X&"}, "", "&X& &X&"},  // the value is not searched again
  };
  for (const Case& c : cases)
    EXPECT_EQ(SubstituteDateVars(schedule, log, c.command_line, c.vars, c.frequency), c.expected)
        << c.command_line;
  EXPECT_TRUE(op.told.empty());
}

TEST_F(DateVarsFixture, MissingFrequencyAssumesWeekdays) {
  const DateVarList vars = {"P,-1RUND,0,yyyymmdd", "N,+1RUND,0,yyyymmdd"};
  EXPECT_EQ(SubstituteDateVars(schedule, log, "&P& &N& &P&", vars, " "),
            "20261204 20261208 20261204");
  EXPECT_EQ(op.told, std::vector<std::string>{kNoFrequencyMessage});
  op.told.clear();
  EXPECT_EQ(SubstituteDateVars(schedule, log, "&P&", vars, "Sun"), "20261206");
  EXPECT_EQ(SubstituteDateVars(schedule, log, "none", vars, ""), "none");
  EXPECT_TRUE(op.told.empty());
}

TEST(CheckDateVarTest, NamesEveryBlankField) {
  struct Case {
    const char *name, *relative_day, *format, *expected;
  } cases[] = {
      {"X", "RunDate", "yyyy", ""},
      {" ", "RunDate", "yyyy", "No Variable Name specified"},
      {"", "", "",
       "No format string specified\nNo Relative Day in Month specified\nNo Variable Name "
       "specified"},
      {"X", " ", "", "No format string specified\nNo Relative Day in Month specified"},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckDateVar(c.name, c.relative_day, c.format), c.expected);
}

}  // namespace
}  // namespace qlr
