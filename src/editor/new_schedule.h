#pragma once
// A new schedule folder, ready to run: the INI file with every key (folders
// relative to it, created), a schedule file holding one null job START that
// runs daily, a template for runtime documentation, and optionally a copy of
// a public holidays file. qlr new and QLRTovani both create schedules here.

#include <string>
#include <string_view>

#include "base/clock.h"
#include "platform/operator.h"

namespace qlr {

struct NewScheduleOptions {
  std::string folder;  // created when missing
  std::string name;    // ScheduleName; the files are NAME.ini, NAME.sch
  std::string workdays = "Mon,Tue,Wed,Thu,Fri";
  std::string day_start = "00:00";  // hh:mm
  std::string holidays;             // a holidays file to copy in; "" for none
};

// Each check gives "" when the value will do, else a message saying what is wrong.
std::string CheckScheduleName(std::string_view name);
// A folder that does not exist yet, or one without INI or schedule files.
std::string CheckScheduleFolder(std::string_view folder);
// Day abbreviations separated by commas, in any letter case; `workdays`
// receives them as the INI file wants them ("Mon,Tue").
std::string ReadWorkdays(std::string_view list, std::string& workdays);
std::string CheckDayStart(std::string_view day_start);
// A readable file of dates whose latest date has not passed on `today`.
std::string CheckHolidaysFile(std::string_view path, DateTime today);

// Checks the options, then creates the schedule; "" and the INI file's path
// in `ini_path` when done, else what went wrong. The operator is asked only
// when the schedule file cannot be written.
std::string CreateNewSchedule(const NewScheduleOptions& options, const Clock& clock, Operator& op,
                              std::string& ini_path);

}  // namespace qlr
