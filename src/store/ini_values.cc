#include "store/ini_values.h"

#include "base/date_format.h"
#include "base/number.h"
#include "base/text.h"
#include "model/constants.h"
#include "store/profile_file.h"

namespace qlr {
namespace {

void Warn(Operator& op, std::string_view key, std::string_view value, std::string_view expected,
          std::string_view used) {
  op.Tell(std::string(key) + "=" + std::string(value) + " in the INI file is not " +
          std::string(expected) + "; " + std::string(used) + " is used instead.");
}

}  // namespace

int64_t IniNumber(Operator& op, std::string_view key, std::string_view value, int64_t min,
                  int64_t max, int64_t zero_as) {
  int64_t number = ReadWhole(value, min, max);
  if (number == 0) number = zero_as;
  if (!TrimView(value).empty() && (!IsNumeric(value) || !WholeInRange(value, min, max)))
    Warn(op, key, value,
         "a whole number from " + std::to_string(min) + " to " + std::to_string(max),
         std::to_string(number));
  return number;
}

std::string IniTime(Operator& op, std::string_view key, std::string_view value) {
  if (TrimView(value).empty()) return "00:00";
  if (ParseTimeOfDay(value)) return std::string(value);
  Warn(op, key, value, "a time of day (hh:mm)", "00:00");
  return "00:00";
}

bool IniFlag(Operator& op, std::string_view key, std::string_view value, bool first_letter) {
  const std::string_view t = first_letter ? value.substr(0, 1) : TrimView(value);
  const bool yes = EqualsNoCase(t, "Y");
  if (!value.empty() && !yes && !EqualsNoCase(t, "N")) Warn(op, key, value, "Y or N", "N");
  return yes;
}

std::string IniGetWarn(const Schedule& schedule, std::string_view key, std::string& missing,
                       std::string_view default_value) {
  std::string value = IniRead(kSettingsName, key, schedule.IniFile);
  if (value.empty()) {
    missing += ", ";
    missing += key;
    IniWrite(kSettingsName, key, default_value, schedule.IniFile);
  }
  return value == default_value ? std::string() : value;
}

}  // namespace qlr
