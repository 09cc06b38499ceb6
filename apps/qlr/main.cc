// qlr: Quillrun's command-line tool.

#include <iostream>

#include "base/clock.h"
#include "qlr/cli.h"

int main(int argc, char** argv) {
  qlr::SystemClock clock;
  qlr::CliEnv env{std::cout, std::cerr, clock};
  return qlr::RunQlr(argc, argv, env);
}
