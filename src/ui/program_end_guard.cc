#include "ui/program_end_guard.h"

#include <cstdio>
#include <cstdlib>

#include "log/program_end.h"

namespace qlr {
namespace {

std::function<void(int)>& EndAction() {
  // Nothing may run after a fatal stop, not even a nested event loop's
  // remaining slots, so the default ends the process here.
  static std::function<void(int)> action = [](int status) {
    std::fflush(nullptr);
    std::exit(status);
  };
  return action;
}

}  // namespace

void RunGuarded(const std::function<void()>& entry) {
  try {
    entry();
  } catch (const ProgramEnd&) {
    EndAction()(kProgramEndStatus);
  }
}

void SetProgramEndAction(std::function<void(int status)> action) {
  EndAction() = std::move(action);
}

}  // namespace qlr
