#include "engine/launch.h"

#include <cstdlib>

#include "base/encoding.h"
#include "base/number.h"
#include "calendar/holidays.h"
#include "model/constants.h"
#include "store/job_loops.h"
#include "store/profile_file.h"
#include "store/schedule_file.h"

namespace qlr {

std::string ScheduleLockPath(const Schedule& schedule) { return schedule.ScheduleFile + ".lock"; }

std::string ControlSocketPath(const Schedule& schedule) { return schedule.ScheduleFile + ".sock"; }

bool LockSchedule(const Schedule& schedule, Operator& op, FileLock& lock) {
  if (lock.held() || lock.TryLock(ScheduleLockPath(schedule))) return true;
  auto holder = FileLock::Holder(ScheduleLockPath(schedule));
  op.Tell("Schedule \"" + schedule.ScheduleFile + "\" is in use by process " +
          (holder ? std::to_string(*holder) : std::string("(unknown)")));
  return false;
}

namespace {

constexpr size_t kFaultsShown = 10;  // in the warning; the log has every one

}  // namespace

void ReportReadDiagnostics(Schedule& schedule, RunLog& log, Operator& op) {
  std::vector<ScheduleDiagnostic>& found = schedule.ReadDiagnostics;
  if (found.empty()) return;
  if (!schedule.LogFile.empty())
    for (const ScheduleDiagnostic& d : found) log.LogWrite(DiagnosticText(d));
  std::string text = "Schedule file \"" + schedule.ScheduleFile +
                     "\" did not read cleanly: " + std::to_string(found.size()) +
                     (found.size() == 1 ? " fault" : " faults") +
                     (schedule.LogFile.empty() ? "" : ", all in the run log") +
                     ". Its jobs were read as well as they could be.\n";
  for (size_t i = 0; i < found.size() && i < kFaultsShown; ++i)
    text += "\n" + DiagnosticTextInFile(found[i]);  // the file is named above
  if (found.size() > kFaultsShown)
    text += "\n... and " + std::to_string(found.size() - kFaultsShown) + " more";
  op.Tell(text);
  found.clear();
}

bool LaunchSchedule(Schedule& schedule, RunLog& log, Operator& op, LaunchValues& launch,
                    FileLock& lock) {
  if (!Valid(launch, op)) return false;
  log.DelOldLogs();
  if (JobLoops(schedule, log)) {
    op.Tell("Circular job dependencies exist.  See log for details");
    return false;
  }
  if (!LockSchedule(schedule, op, lock)) return false;
  ReportReadDiagnostics(schedule, log, op);
  ApplyLaunchValues(schedule, launch);
  return true;
}

EngineHooks StandardEngineHooks(Schedule& schedule, RunLog& log, Operator& op) {
  EngineHooks hooks;
  hooks.settings = [&schedule] {
    EngineSettings settings;
    settings.TimerSecs = ReadInt32(IniRead(kSettingsName, "TimerSecs", schedule.IniFile));
    const char* comspec = std::getenv("COMSPEC");
    if (comspec != nullptr) settings.Comspec = Utf8ToCp1252(comspec);
    return settings;
  };
  hooks.save = [&schedule, &log, &op] { WriteSchedule(schedule, log, op); };
  hooks.day_completed = [&schedule](DateTime run_date) {
    IniWrite(kSettingsName, "LastCompleted", FormatShortDate(schedule.Calendar, run_date),
             schedule.IniFile);
  };
  return hooks;
}

}  // namespace qlr
