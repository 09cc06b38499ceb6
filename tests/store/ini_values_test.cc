#include "store/ini_values.h"

#include <gtest/gtest.h>

#include "support/scripted_operator.h"

namespace qlr {
namespace {

// Each value reads as it always did; one that does not read cleanly is told,
// naming the key, the value and what is used instead.
TEST(IniValuesTest, ValuesThatDoNotReadAreToldWithWhatIsUsed) {
  const struct {
    const char *key, *value, *used, *warning;
  } cases[] = {
      {"MinJobLaunch", "", "10", ""},
      {"MinJobLaunch", "0", "10", ""},
      {"MinJobLaunch", "2.5", "2", ""},
      {"MinJobLaunch", "abc", "10",
       "MinJobLaunch=abc in the INI file is not a whole number from 0 to 32767; 10 is used instead."},
      {"MinJobLaunch", "-3", "10",
       "MinJobLaunch=-3 in the INI file is not a whole number from 0 to 32767; 10 is used instead."},
      {"MinJobLaunch", "99999", "32767",
       "MinJobLaunch=99999 in the INI file is not a whole number from 0 to 32767; 32767 is used "
       "instead."},
      {"MinJobLaunch", "15s", "15",
       "MinJobLaunch=15s in the INI file is not a whole number from 0 to 32767; 15 is used instead."},
      {"DayStart", "", "00:00", ""},
      {"DayStart", "6:30", "6:30", ""},
      {"DayStart", "25:99", "00:00",
       "DayStart=25:99 in the INI file is not a time of day (hh:mm); 00:00 is used instead."},
      {"DayStart", "six", "00:00",
       "DayStart=six in the INI file is not a time of day (hh:mm); 00:00 is used instead."},
      {"KickOnJobEnd", "", "0", ""},
      {"KickOnJobEnd", "y", "1", ""},
      {"KickOnJobEnd", "n", "0", ""},
      {"KickOnJobEnd", "Yes", "0",
       "KickOnJobEnd=Yes in the INI file is not Y or N; N is used instead."},
      {"ShowFailedJobsWarning", "yes", "1", ""},
      {"ShowFailedJobsWarning", "No", "0", ""},
      {"ShowFailedJobsWarning", "1", "0",
       "ShowFailedJobsWarning=1 in the INI file is not Y or N; N is used instead."},
  };
  for (const auto& c : cases) {
    testing::ScriptedOperator op;
    const std::string key = c.key;
    std::string used;
    if (key == "MinJobLaunch") used = std::to_string(IniNumber(op, key, c.value, 0, 32767, 10));
    if (key == "DayStart") used = IniTime(op, key, c.value);
    if (key == "KickOnJobEnd") used = std::to_string(IniFlag(op, key, c.value));
    if (key == "ShowFailedJobsWarning") used = std::to_string(IniFlag(op, key, c.value, true));
    EXPECT_EQ(used, c.used) << key << "=" << c.value;
    EXPECT_EQ(op.told, *c.warning ? std::vector<std::string>{c.warning} : std::vector<std::string>{})
        << key << "=" << c.value;
  }
}

}  // namespace
}  // namespace qlr
