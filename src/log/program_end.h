#pragma once
// The only exception that crosses the core: the program must end now, without
// saving. Each program's main (and the GUI's one wrapper) catches it and exits
// with status 2.

#include <stdexcept>
#include <string>

namespace qlr {

class ProgramEnd : public std::runtime_error {
 public:
  explicit ProgramEnd(const std::string& why) : std::runtime_error(why) {}
};

inline constexpr int kProgramEndStatus = 2;

}  // namespace qlr
