#include "editor/frequency_editor.h"

#include <gtest/gtest.h>

#include "base/date_format.h"
#include "calendar/holidays.h"
#include "support/scripted_operator.h"

namespace qlr {
namespace {

using testing::ScriptedOperator;

TEST(FrequencyKeysTest, TwentyTwoKeysWithTheWorkdaysText) {
  CalendarSettings cal;
  cal.Workdays = "Mon,Tue,Wed";
  const std::vector<FrequencyKey> keys = FrequencyKeys(cal);
  ASSERT_EQ(keys.size(), 22u);
  EXPECT_EQ(keys[4].key + ": " + keys[4].description,
            "Workdays: Configured as Mon,Tue,Wed, excl non-working days");
  EXPECT_EQ(keys[12].key, "+nddd");
  EXPECT_EQ(keys[21].key + ": " + keys[21].description, "Selected Date: Once, on a specified Date");
}

// RelDaySelect asks for n through ReadRelativeDay ('n' below), then for a day
// name ('d') or a date from the picker; "" when abandoned.
TEST(RelDaySelectTest, AsksUntilAcceptable) {
  struct Case {
    const char* key;
    std::vector<std::optional<std::string>> answers;
    std::optional<DateTime> picked;
    const char* expected;
    const char* asked;
  } cases[] = {
      {"-nCDOM", {"32", "0", "x", "2.5", " 31 "}, {}, "-31CDOM", "nnnnn"},
      {"+nWDOM", {"24", "23"}, {}, "+23WDOM", "nn"},
      {"+nRUND", {"400"}, {}, "+400RUND", "n"},
      {"RUND-nWD", {"03"}, {}, "RUND-3WD", "n"},
      {"+nCDOM", {"40", ""}, {}, "", "nn"},
      {"+nCDOM", {std::nullopt}, {}, "", "n"},
      {"+nddd", {"6", "2", "Tuesday", "xyz", " tUE "}, {}, "+2Tue", "nnddd"},
      {"-nddd", {"1", ""}, {}, "", "nd"},
      {"Mon", {}, {}, "Mon", ""},
      {"Selected Date", {}, MakeDate(2026, 12, 5), "05 Dec 2026", ""},
      {"Selected Date", {}, {}, "", ""},
  };
  for (const Case& c : cases) {
    ScriptedOperator op;
    for (const auto& a : c.answers) op.InputNext(a);
    EXPECT_EQ(RelDaySelect(op, CalendarSettings{}, c.key, [&] { return c.picked; }), c.expected)
        << c.key;
    std::string asked;
    for (const std::string& p : op.prompts)
      asked += p == "Please enter a value for n"          ? 'n'
               : p == "Please enter 3 character day name" ? 'd'
                                                          : '?';
    EXPECT_EQ(asked, c.asked) << c.key;
  }
  EXPECT_EQ(AddFrequencyTerm("Mon", "+1CDOM"), "Mon +1CDOM");  // the chosen term joins the list
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
      {"Mon Fri", "7 Dec 2026", {"Friday 04 Dec 2026", "Monday 07 Dec 2026 (Skipped)"}, 20},
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

// Entry 1 is the job's own date when it has one, else the run date.
TEST(SkipOnChoicesTest, DateEntryAndSelection) {
  Schedule schedule;
  schedule.RunDate = MakeDate(2026, 12, 4);
  const std::tuple<const char*, const char*, int> cases[] = {
      {"", "4 Dec 2026", 0},
      {" 7 Dec 2026 ", "7 Dec 2026", 1},
      {"Always", "4 Dec 2026", 2},
      {"2026-12-07", "7 Dec 2026", -1},  // a date, not in the list's form
      {"Sometimes", "4 Dec 2026", -1},
  };
  for (auto [skip_on, date, entry] : cases) {
    const SkipOnList choices = SkipOnChoices(schedule, skip_on);
    EXPECT_EQ(choices, (SkipOnList{"", date, "Always", "Other Date"})) << skip_on;
    EXPECT_EQ(SkipOnEntry(choices, skip_on), entry) << skip_on;
  }
}

}  // namespace
}  // namespace qlr
