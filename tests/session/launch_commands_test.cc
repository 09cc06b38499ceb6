#include "session/launch_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/scripted_operator.h"

namespace qlr {
namespace {

// The launch check's message; "" when valid.
TEST(LaunchCommandsTest, ValidTellsTheFirstFault) {
  testing::ScriptedOperator op;
  const std::pair<LaunchValues, std::string> cases[] = {
      {{"4 Dec 2026", "06:00", " 50 "}, ""},
      {{"31 Feb 2026", "06:00", "50"}, "Invalid schedule run date"},
      {{"4 Dec 2026", "6:00", "50"}, "Invalid schedule start time"},
      {{"4 Dec 2026", "25:99", "50"}, "Invalid schedule start time"},
      {{"4 Dec 2026", "06:00", "5O"}, "Invalid CPU Limit"},
      {{"4 Dec 2026", "06:00", ""}, "Invalid CPU Limit"},
  };
  for (auto [shown, message] : cases) {
    op.told.clear();
    EXPECT_EQ(Valid(shown, op), message.empty()) << message;
    EXPECT_EQ(op.told, std::vector<std::string>(!message.empty(), message));
    EXPECT_TRUE(!message.empty() || shown.CpuLimitText == "50") << "trimmed for the window";
  }
}

}  // namespace
}  // namespace qlr
