#include "session/startup_command_line.h"

#include <gtest/gtest.h>

#include "base/field.h"

namespace qlr {
namespace {

// Both forms of the command line, and what start-up reads from the result.
TEST(StartupCommandLineTest, BothFormsGiveThePathAndTheOption) {
  struct Case {
    std::vector<std::string> args;
    std::string line, path, option;
  };
  // clang-format off
  const Case cases[] = {
      {{}, "", "", ""},
      {{"/s/night.ini"}, "/s/night.ini", "/s/night.ini", ""},
      {{"/s/night.ini,TEMP"}, "/s/night.ini,TEMP", "/s/night.ini", "TEMP"},
      {{"\"/s/a,b.ini\",temp"}, "\"/s/a,b.ini\",temp", "/s/a,b.ini", "temp"},
      {{"/s/night.ini", "TEMP"}, "/s/night.ini,TEMP", "/s/night.ini", "TEMP"},
      {{"/s/a,b.ini", "TEMP", "extra"}, "\"/s/a,b.ini\",TEMP", "/s/a,b.ini", "TEMP"},
      {{"/s/say \"hi\".ini", ""}, "\"/s/say \"\"hi\"\".ini\",", "/s/say \"hi\".ini", ""},
      {{"/s/caf\xc3\xa9.ini", "TEMP"}, "/s/caf\xe9.ini,TEMP", "/s/caf\xe9.ini", "TEMP"},
  };
  // clang-format on
  for (const Case& c : cases) {
    const std::string line = StartupCommandLine(c.args);
    EXPECT_EQ(line, c.line);
    EXPECT_EQ(GetField(line, 1), c.path) << line;
    EXPECT_EQ(GetField(line, 2), c.option) << line;
  }
}

}  // namespace
}  // namespace qlr
