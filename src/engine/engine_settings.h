#pragma once
// What the engine takes from outside the schedule: the values it reads once
// per run day, and what it asks the program around it to do. The engine
// itself reads no INI file and no environment.

#include <cstdint>
#include <functional>
#include <string>

#include "base/date_time.h"

namespace qlr {

struct EngineSettings {
  int32_t TimerSecs = 0;  // seconds between passes while a job runs (INI key TimerSecs)
  std::string Comspec;  // the command processor of DOS jobs (COMSPEC); "" runs them with /bin/sh -c
};

struct EngineHooks {
  std::function<EngineSettings()> settings;              // read as each run day begins
  std::function<void()> save;                            // writes the schedule file
  std::function<void(DateTime run_date)> day_completed;  // the day's work is done
};

}  // namespace qlr
