#include "calendar/date_vars.h"

#include <gtest/gtest.h>

#include "support/fake_clock.h"
#include "support/scripted_operator.h"

namespace qlr {
namespace {

struct DateVarsFixture : ::testing::Test {
  Schedule schedule;
  testing::FakeClock clock{MakeDateTime(2026, 12, 9, 14, 35, 20)};
  testing::ScriptedOperator op;
  RunLog log{schedule, clock, op};
  void SetUp() override { schedule.RunDate = MakeDate(2026, 12, 7); }  // a Monday
};

DateTime Ymd(int ymd) { return MakeDate(ymd / 10000, ymd / 100 % 100, ymd % 100); }

// Whit Monday 2026 is a holiday. Any ending but CD counts working days; an empty frequency
// selects every day; searches give up on "Never" or no working days; "dom" is not "DOM", nor
// "cd" "CD".
TEST_F(DateVarsFixture, ResolvesEveryForm) {
  struct Case {
    const char *relative_day, *frequency;
    int rel_month, run_date, expected;
  } cases[] = {
      {" rundate ", "", 0, 20261207, 20261207},    {"RUND+0WD", "", 0, 20261207, 20261207},
      {"RUND-1WD", "", 0, 20260526, 20260522},     {"RUND+2", "", 0, 20261204, 20261208},
      {"RUND+1CD", "", 0, 20261231, 20270101},     {"+2rund", "Mon", 0, 20261207, 20261221},
      {"+3RUND", "-1CDOM", 0, 20261207, 20270228}, {"-1RUND", "", 0, 20261207, 20261206},
      {"+1RUND", "Never", 0, 20261207, 20261207},  {"+1CDOM", "", -1, 20261207, 20261101},
      {"+1CDOM", "", 13, 20261207, 20280101},      {"-1WDOM", "", 0, 20261207, 20261231},
      {"+17WDOM", "", 0, 20260507, 20260526},      {"+3cdom", "", 0, 20261207, 20261207},
      {"RUND-2CD", "", 0, 20261207, 20261205},     {"rund-2cd", "", 0, 20261207, 20261203},
  };
  schedule.Calendar.HolidayDays = {DayNumber(MakeDate(2026, 5, 25))};
  for (const Case& c : cases) {
    schedule.RunDate = Ymd(c.run_date);
    const DateTime month = FirstOfMonth(c.run_date / 10000, c.run_date / 100 % 100 + c.rel_month);
    EXPECT_EQ(ResolveRelativeDay(schedule, log, month, c.frequency, c.relative_day),
              Ymd(c.expected))
        << c.relative_day;
  }
  schedule.Calendar.Workdays = "";
  EXPECT_EQ(ResolveRelativeDay(schedule, log, 0, "", "RUND+1WD"), schedule.RunDate);
}

TEST_F(DateVarsFixture, ImpossibleDayOfMonthIsFatal) {
  schedule.Calendar.Workdays = "Sun";  // four in Feb 2027
  for (const char* day : {"+30CDOM", " +5WDOM "})
    EXPECT_THROW(ResolveRelativeDay(schedule, log, FirstOfMonth(2027, 2), "", day), ProgramEnd);
  EXPECT_EQ(op.told, (std::vector<std::string>{
                         "Invalid relative day number: (\"+30CDOM\") requested in Feb 2027",
                         "QLR999 Quillrun closing down",
                         "Invalid relative day number: (\"+5WDOM\") requested in Feb 2027",
                         "QLR999 Quillrun closing down"}));
}

TEST_F(DateVarsFixture, SubstitutesReferences) {
  Job stock;
  SetStockDateVars(stock);
  struct Case {
    const char *command_line, *frequency, *expected;
    DateVarList vars;
  } cases[] = {
      {"prog &RUNDATE& &prevwd& &NextWD& &PREVRUN& &NEXTRUN& &MONTHBEG& &MONTHEND&", "Mon",
       "prog 20261207 20261204 20261208 20261130 20261214 20261201 20261231", stock.DateVars},
      {"  run &X& and &x&  ", "", "run 7 and 7", {" x ,RunDate,0,d"}},
      {"a&X&b&X& &NOPE& &X", "", "a7b7 &NOPE& &X", {"X,RunDate,0,d"}},
      {"&A&", "", "08", {"A,RUND+1CD,0,dd", "A,RUND-1CD,0,dd"}},
      {"&A&", "", "06", {"A, ,0,dd", "A,RUND-1CD,0,dd"}},
      {"&T&", "", "20261207 1435", {"T,RunDate,0,yyyymmdd hhnn"}},
      {"&Q&", "", "08-12-2026", {"\"Q\",\"RUND+1CD\",0,\"dd-mm-yyyy\""}},
      {"&M&", "", "20261101", {"M,+1CDOM,-1,yyyymmdd"}},
      {"&M&", "", "21261201", {"M,+1CDOM,2147483647,yyyymmdd"}},  // held at the bound
      {"&X& &X&", "", "&X& &X&", {"X,RunDate,0,&X&"}},            // the value is not searched again
      {"none", "", "none", {"P,-1RUND,0,yyyymmdd"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(
        SubstituteDateVars(schedule, log, op, clock.Now(), c.command_line, c.vars, c.frequency),
        c.expected)
        << c.command_line;
  EXPECT_TRUE(op.told.empty());
}

TEST_F(DateVarsFixture, MissingFrequencyAssumesWeekdays) {
  const DateVarList vars = {"P,-1RUND,0,yyyymmdd", "N,+1RUND,0,yyyymmdd"};
  EXPECT_EQ(SubstituteDateVars(schedule, log, op, clock.Now(), "&P& &N& &P&", vars, " "),
            "20261204 20261208 20261204");
  EXPECT_EQ(op.told,
            std::vector<std::string>{
                "The job does not have a run frequency and one is required for evaluation \n"
                "of one or more computed RunDate variables (+nRUND or -nRUND).\n"
                "\"Weekdays\" assumed."});
}

TEST(CheckDateVarTest, NamesEveryBlankField) {
  EXPECT_EQ(CheckDateVar("X", "RunDate", "yyyy"), "");
  EXPECT_EQ(CheckDateVar(" ", "RunDate", "yyyy"), "No Variable Name specified");
  EXPECT_EQ(CheckDateVar("X", " ", ""),
            "No format string specified\nNo Relative Day in Month specified");
  EXPECT_EQ(CheckDateVar("", "", ""),
            "No format string specified\nNo Relative Day in Month specified\nNo Variable Name "
            "specified");
}

TEST(CheckDateVarTest, RelMonthStaysWithinAHundredYears) {
  for (const char* fine : {"", " ", "0", "-1200", "1200", "+12", " 1200.4 "})
    EXPECT_EQ(CheckRelMonth(fine), "") << fine;
  for (const char* beyond : {"1201", "-1201", "1200.6", "2147483647", "99999999999", "3x", "x"})
    EXPECT_EQ(CheckRelMonth(beyond), "Rel Month \"" + std::string(beyond) +
                                         "\" is not a number of months from -1200 to 1200")
        << beyond;
}

}  // namespace
}  // namespace qlr
