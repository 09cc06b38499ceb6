#include "editor/new_schedule.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/date_format.h"
#include "base/text.h"
#include "calendar/holidays.h"
#include "log/run_log.h"
#include "model/constants.h"
#include "model/schedule.h"
#include "platform/file_system.h"
#include "store/launch_values.h"
#include "store/schedule_file.h"

namespace qlr {
namespace {

// Folders every key names, relative to the INI file.
constexpr std::string_view kFolders[] = {"logs", "triggers", "trackers", "docs",
                                         "mail", "attach",   "output",   "addresses"};
constexpr std::string_view kHolidaysCopy = "holidays.txt";

constexpr std::string_view kTemplate =
    "Job:\r\n"
    "What it does:\r\n"
    "When it fails:\r\n"
    "Whom to call:\r\n";

std::string IniText(const NewScheduleOptions& o, const std::string& workdays) {
  const std::pair<std::string_view, std::string> keys[] = {
      {"ScheduleName", o.name},
      {"ScheduleFile", o.name + ".sch"},
      {"LogFile", "logs/run_yyyymmdd.log"},
      {"EmailAddrPath", "addresses"},
      {"TriggerPath", "triggers"},
      {"TrackerPath", "trackers"},
      {"JobDocPath", "docs"},
      {"EmailPath", "mail"},
      {"EmailAttPath", "attach"},
      {"PubHols", o.holidays.empty() ? std::string(kNotSpecifiedMark) : std::string(kHolidaysCopy)},
      {"HelpPath", ""},
      {"DateDisplayFormat", "0"},
      {"Workdays", workdays},
      {"AllowCritical", "N"},
      {"MinJobLaunch", "10"},
      {"EmailAddressFormat", "Address"},
      {"DayStart", o.day_start},
      {"CPULimit", "9999"},
      {"DummyProg", ""},
      {"DummyModel", ""},
      {"ShowFailedJobsWarning", "N"},
      {"RunTimeErrorText", ""},
      {"TimerSecs", "5"},
      {"JobOutputPath", "output"},
      {"TextEditor", "xdg-open"},
      {"FailOnExitCode", "Y"},
      {"KickOnJobEnd", "Y"}};
  std::string text = "; Quillrun schedule " + o.name +
                     ". Relative paths are taken from this file's folder.\r\n[" +
                     std::string(kSettingsName) + "]\r\n";
  for (const auto& [key, value] : keys) text += std::string(key) + "=" + value + "\r\n";
  return text;
}

// The day starts with a null job that runs every day: a job the others can
// wait for, and a day that completes at once until real jobs are added.
Job StartJob() {
  Job job = NewPlaceholderJob();
  job.JobName = "START";
  job.Group = kDefaultGroup;
  job.Frequency = "Daily";
  job.Description = "Start of the run day";
  return job;
}

std::string WriteFirstSchedule(const NewScheduleOptions& o, const Clock& clock, Operator& op) {
  Schedule schedule;
  schedule.ScheduleName = o.name;
  schedule.ScheduleFile = JoinPath(o.folder, o.name + ".sch");
  schedule.TriggerPath = JoinPath(o.folder, "triggers");
  schedule.TriggersListFile = JoinPath(schedule.TriggerPath, "Triggers.Lst");
  schedule.Jobs.push_back(StartJob());
  RunLog log(schedule, clock, op);
  return WriteSchedule(schedule, log, op) ? "" : "Cannot write " + schedule.ScheduleFile;
}

std::string MakeFolders(const NewScheduleOptions& o) {
  std::error_code ec;
  for (std::string_view sub : kFolders) {
    std::filesystem::create_directories(OsPath(JoinPath(o.folder, sub)), ec);
    if (ec) return "Cannot create " + JoinPath(o.folder, sub) + ": " + ec.message();
  }
  if (!WriteWholeFile(JoinPath(o.folder, "docs/template.rtd"), kTemplate))
    return "Cannot write " + JoinPath(o.folder, "docs/template.rtd") + ": " + LastErrorText();
  return "";
}

std::string CopyHolidays(const NewScheduleOptions& o) {
  if (o.holidays.empty()) return "";
  const std::string copy = JoinPath(o.folder, kHolidaysCopy);
  std::error_code ec;
  if (std::filesystem::equivalent(OsPath(o.holidays), OsPath(copy), ec)) return "";
  return CopyFile(o.holidays, copy) ? "" : "Cannot copy " + o.holidays + " to " + copy;
}

std::string CheckOptions(const NewScheduleOptions& o, DateTime today, std::string& workdays) {
  for (const std::string& problem :
       {CheckScheduleName(o.name), CheckScheduleFolder(o.folder),
        ReadWorkdays(o.workdays, workdays), CheckDayStart(o.day_start),
        o.holidays.empty() ? std::string() : CheckHolidaysFile(o.holidays, today)})
    if (!problem.empty()) return problem;
  return "";
}

}  // namespace

std::string CheckScheduleName(std::string_view name) {
  if (TrimView(name).empty()) return "The schedule needs a name";
  if (TrimView(name) != name) return "The schedule name must not begin or end with a blank";
  if (name == "." || name == "..")
    return "The schedule name cannot be \"" + std::string(name) + "\"";
  if (name.size() > 64) return "The schedule name is longer than 64 characters";
  for (char c : name)
    if (std::string_view("/\\()\",").find(c) != std::string_view::npos ||
        static_cast<unsigned char>(c) < 32)
      return "The schedule name cannot hold \"" + std::string(1, c) + "\"";
  return "";
}

std::string CheckScheduleFolder(std::string_view folder) {
  if (TrimView(folder).empty()) return "The schedule needs a folder";
  if (FileExists(folder)) return std::string(folder) + " is a file, not a folder";
  if (!DirExists(folder)) return "";
  for (std::string_view pattern : {"*.ini", "*.sch"}) {
    const std::vector<std::string> found = ListMatching(JoinPath(folder, pattern));
    if (!found.empty()) return std::string(folder) + " already holds a schedule: " + found.front();
  }
  return "";
}

std::string ReadWorkdays(std::string_view list, std::string& workdays) {
  std::vector<std::string> days;
  for (const std::string& item : Split(list, ',')) {
    const std::string day = Trim(item);
    int found = 0;
    for (int w = 1; w <= 7; ++w)
      if (EqualsNoCase(day, DayAbbrev(w))) found = w;
    if (found == 0) return "Not a day of the week: \"" + day + "\" (use Mon,Tue,...)";
    const std::string abbrev(DayAbbrev(found));
    if (std::find(days.begin(), days.end(), abbrev) == days.end()) days.push_back(abbrev);
  }
  workdays.clear();
  for (const std::string& day : days) workdays += (workdays.empty() ? "" : ",") + day;
  return "";
}

std::string CheckDayStart(std::string_view day_start) {
  if (IsClockTime(day_start)) return "";
  return "The day start must be a time hh:mm from 00:00 to 23:59: \"" + std::string(day_start) +
         "\"";
}

std::string CheckHolidaysFile(std::string_view path, DateTime today) {
  const std::optional<std::vector<std::string>> lines = ReadLines(path);
  if (!FileExists(path) || !lines) return "Cannot read the holidays file " + std::string(path);
  size_t bad_line = 0;
  const std::optional<std::vector<DateTime>> dates = ReadHolidayDates(*lines, bad_line);
  if (!dates)
    return std::string(path) + " line " + std::to_string(bad_line) +
           ": not a date: " + (*lines)[bad_line - 1];
  const DateTime latest = dates->empty() ? 0 : *std::max_element(dates->begin(), dates->end());
  if (DayNumber(latest) < DayNumber(today))
    return std::string(path) + " holds no date after today; Quillrun would refuse it";
  return "";
}

std::string CreateNewSchedule(const NewScheduleOptions& options, const Clock& clock, Operator& op,
                              std::string& ini_path) {
  std::string workdays;
  std::string problem = CheckOptions(options, clock.Now(), workdays);
  if (problem.empty()) problem = MakeFolders(options);
  if (problem.empty()) problem = CopyHolidays(options);
  const std::string ini = JoinPath(options.folder, options.name + ".ini");
  if (problem.empty() && !WriteFileAtomic(ini, IniText(options, workdays)))
    problem = "Cannot write " + ini + ": " + LastErrorText();
  if (problem.empty()) problem = WriteFirstSchedule(options, clock, op);
  if (problem.empty()) ini_path = ini;
  return problem;
}

}  // namespace qlr
