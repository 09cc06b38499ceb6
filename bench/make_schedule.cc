// make_schedule DIR [JOBS]: writes a generated schedule of JOBS jobs (default
// 32767, the most a schedule holds) into DIR, which must exist.

#include <cstdlib>
#include <iostream>
#include <string>

#include "schedule_generator.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: make_schedule DIR [JOBS]\n";
    return 1;
  }
  int jobs = argc == 3 ? std::atoi(argv[2]) : 32767;
  if (jobs < 1 || jobs > 32767) {
    std::cerr << "make_schedule: JOBS must be between 1 and 32767\n";
    return 1;
  }
  qlr::WriteScheduleFiles(argv[1], jobs);
  return 0;
}
