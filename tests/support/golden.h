#pragma once
// Golden files: output compared with a file kept under tests/golden/. Run a
// test with QLR_UPDATE_GOLDEN=1 in the environment to write the file from
// the output instead (then read the difference before committing it).

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace qlr::testing {

// The content of tests/golden/NAME; "" when it is missing.
std::string ReadGolden(std::string_view name);
// Whether `actual` is the content of tests/golden/NAME (the first differing
// line is shown when it is not).
::testing::AssertionResult MatchesGolden(std::string_view name, const std::string& actual);

}  // namespace qlr::testing
