#pragma once
// Every GUI entry point (a command, a menu entry, a timer tick) runs through
// this guard: a fatal stop thrown by the core ends the application at once
// with status 2, without saving, as it does in every other program.

#include <functional>
#include <utility>

namespace qlr {

// Runs `entry`; on ProgramEnd runs the program-end action.
void RunGuarded(const std::function<void()>& entry);

// Wraps a slot for connect(): Guarded([this] { OnKick(); }).
template <class Slot>
auto Guarded(Slot slot) {
  // The return type lets connect() find out how many of a signal's arguments
  // the slot takes (clicked(bool) into a slot without any).
  return
      [slot = std::move(slot)](auto&&... args)
          -> decltype(std::declval<const Slot&>()(std::forward<decltype(args)>(args)...), void()) {
        RunGuarded([&] { slot(std::forward<decltype(args)>(args)...); });
      };
}

// What a fatal stop does in the GUI; the default leaves the process with
// status 2. Tests replace it to observe the stop.
void SetProgramEndAction(std::function<void(int status)> action);

}  // namespace qlr
