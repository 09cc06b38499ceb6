#pragma once
// What the end-to-end tests of qlr share: schedule-file lines built from their
// columns, and qlr run in-process on a fresh folder at a fixed clock.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "qlr/cli.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace qlr::testing {

using Args = std::vector<std::string>;

// One schedule-file line: 50 tab-separated columns, the given ones (1-based) filled.
inline std::string JobLine(std::vector<std::pair<int, std::string>> columns) {
  std::vector<std::string> fields(50);
  for (auto& [column, value] : columns) fields[static_cast<size_t>(column - 1)] = value;
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
  return line + "\r\n";
}

// A fresh folder and a clock stopped at noon on Friday 4 Dec 2026.
class QlrFixture : public ::testing::Test {
 protected:
  // Runs qlr with these arguments; its exit status. Output goes to out_ and err_.
  int Qlr(const Args& args) {
    out_.str("");
    err_.str("");
    std::vector<const char*> argv = {"qlr"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    CliEnv env{out_, err_, clock_};
    return RunQlr(static_cast<int>(argv.size()), argv.data(), env);
  }

  TempDir dir_;
  FakeClock clock_{MakeDateTime(2026, 12, 4, 12, 0, 0)};
  std::ostringstream out_, err_;
  std::string ini_;
};

}  // namespace qlr::testing
