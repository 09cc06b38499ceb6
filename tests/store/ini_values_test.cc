#include "store/ini_values.h"

#include <gtest/gtest.h>

#include "support/scripted_operator.h"

namespace qlr {
namespace {

// Each value reads as it always did; one that does not read cleanly is told,
// naming the key, the value and what is used instead. Empty or 0 takes the default.
TEST(IniValuesTest, ValuesThatDoNotReadAreToldWithWhatIsUsed) {
  const std::string number = " in the INI file is not a whole number from 0 to 32767; ";
  const struct {
    std::string key, value, used, warning;
  } cases[] = {
      {"MinJobLaunch", "0", "10", ""},
      {"MinJobLaunch", "abc", "10", "MinJobLaunch=abc" + number + "10 is used instead."},
      {"MinJobLaunch", "-3", "10", "MinJobLaunch=-3" + number + "10 is used instead."},
      {"MinJobLaunch", "99999", "32767", "MinJobLaunch=99999" + number + "32767 is used instead."},
      {"MinJobLaunch", "15s", "15", "MinJobLaunch=15s" + number + "15 is used instead."},
      {"DayStart", "6:30", "6:30", ""},
      {"DayStart", "25:99", "00:00",
       "DayStart=25:99 in the INI file is not a time of day (hh:mm); 00:00 is used instead."},
      {"KickOnJobEnd", "y", "1", ""},
      {"KickOnJobEnd", "Yes", "0",
       "KickOnJobEnd=Yes in the INI file is not Y or N; N is used instead."},
      {"ShowFailedJobsWarning", "yes", "1", ""},  // only its first letter counts
      {"ShowFailedJobsWarning", "1", "0",
       "ShowFailedJobsWarning=1 in the INI file is not Y or N; N is used instead."},
  };
  for (const auto& c : cases) {
    testing::ScriptedOperator op;
    std::string used;
    if (c.key == "MinJobLaunch") used = std::to_string(IniNumber(op, c.key, c.value, 0, 32767, 10));
    if (c.key == "DayStart") used = IniTime(op, c.key, c.value);
    if (c.key == "KickOnJobEnd") used = std::to_string(IniFlag(op, c.key, c.value));
    if (c.key == "ShowFailedJobsWarning") used = std::to_string(IniFlag(op, c.key, c.value, true));
    EXPECT_EQ(used, c.used) << c.key << "=" << c.value;
    EXPECT_EQ(op.told, c.warning.empty() ? std::vector<std::string>{} : std::vector{c.warning})
        << c.key << "=" << c.value;
  }
}

}  // namespace
}  // namespace qlr
