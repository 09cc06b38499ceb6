#pragma once
// Running a program as a filter: text in on its standard input, its standard
// output read back whole (for example Graphviz's dot turning DOT into SVG).

#include <string>
#include <string_view>
#include <vector>

namespace qlr {

struct FilterResult {
  bool started = false;  // false: no such program on PATH, or it could not be started
  int status = -1;       // its exit status; -1 when a signal ended it
  std::string output;    // what it wrote to its standard output
};

// Runs `argv` (argv[0] looked up on PATH, the words passed as they are) with
// `input` on its standard input and waits for it; its standard error is ours.
FilterResult RunFilter(const std::vector<std::string>& argv, std::string_view input);

}  // namespace qlr
