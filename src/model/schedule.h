#pragma once
// The one in-memory schedule: the job table (element 0 is the editor's copy
// buffer, jobs are 1..JobCount()) and the schedule-wide values.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"
#include "model/job.h"
#include "model/schedule_diagnostic.h"

namespace qlr {

// Working days and public holidays, which every frequency rule rests on.
struct CalendarSettings {
  std::string Workdays = "Mon,Tue,Wed,Thu,Fri";
  std::vector<int64_t> HolidayDays;  // DayNumber of each public holiday, sorted, unique
  std::string FormatShortDate = "d mmm yyyy";
  std::string FormatLongDate = "dd mmm yyyy";
};

struct Schedule {
  std::vector<Job> Jobs = std::vector<Job>(1);  // [0] is the copy buffer

  // Values from the INI file (paths already resolved against its folder).
  std::string IniFile, ScheduleName, ScheduleFile, LogFile, EmailAddrPath, TriggerPath, TrackerPath,
      JobDocPath, EmailPath, EmailAttPath, PubHols, HelpPath, EmailAddressFormat, DummyProg,
      DummyModel, RunTimeErrorText, TriggersListFile, JobOutputPath, TextEditor;
  bool AllowCritical = false;
  bool ShowFailedJobsWarning = false;
  int16_t MinJobLaunch = 10;
  bool FailOnExitCode = false;
  bool KickOnJobEnd = false;
  CalendarSettings Calendar;

  // The run day and launch options.
  DateTime RunDate = 0;     // date only
  int64_t DayStart = 0;     // seconds after midnight (hours and minutes only)
  DateTime DayStartAt = 0;  // RunDate + DayStart
  int16_t CpuLimit = 9999;
  bool StartSuspended = false;
  bool SerialiseDosJobs = false;
  bool DummyRun = false;
  bool TempRun = false;
  int32_t TimerSecs = 0;
  std::string VersionText, TovaniProgram;

  // What the last read of the schedule file found wrong with its lines, in line
  // order; the launch reports them once and empties the list.
  std::vector<ScheduleDiagnostic> ReadDiagnostics;

  int JobCount() const { return static_cast<int>(Jobs.size()) - 1; }
  Job& operator[](int index) { return Jobs[static_cast<size_t>(index)]; }
  const Job& operator[](int index) const { return Jobs[static_cast<size_t>(index)]; }
  void ClearJobs() { Jobs.resize(1); }  // keeps the copy buffer
  // Index of the first job whose trimmed name equals the trimmed name,
  // ignoring case; 0 when none does.
  int FindJob(std::string_view name) const;
};

}  // namespace qlr
