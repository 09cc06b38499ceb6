#include "support/golden.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace qlr::testing {
namespace {

std::string GoldenPath(std::string_view name) {
  return std::string(QLR_GOLDEN_DIR "/") + std::string(name);
}

// The first line where the texts differ, numbered from 1, with both versions.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream e(expected), a(actual);
  std::string el, al;
  for (int line = 1;; ++line) {
    const bool more_e = static_cast<bool>(std::getline(e, el));
    const bool more_a = static_cast<bool>(std::getline(a, al));
    if (!more_e && !more_a) return "texts differ";
    if (el != al || more_e != more_a)
      return "line " + std::to_string(line) + ":\n  golden: " + (more_e ? el : "<end>") +
             "\n  actual: " + (more_a ? al : "<end>");
  }
}

}  // namespace

std::string ReadGolden(std::string_view name) {
  std::ifstream in(GoldenPath(name), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

::testing::AssertionResult MatchesGolden(std::string_view name, const std::string& actual) {
  const char* update = std::getenv("QLR_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(GoldenPath(name), std::ios::binary) << actual;
    return ::testing::AssertionSuccess() << "written";
  }
  const std::string expected = ReadGolden(name);
  if (expected == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "differs from tests/golden/" << name << ", " << FirstDifference(expected, actual);
}

}  // namespace qlr::testing
