#include "base/date_time.h"

namespace qlr {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

// Known at compile time, so dates made while other globals are set up are right.
constexpr int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

}  // namespace

DateTime MakeDate(int year, int month, int day) {
  return (DaysFromCivil(year, month, day) - kEpochDays) * kSecondsPerDay;
}

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
  return MakeDate(year, month, day) + hour * 3600 + minute * 60 + second;
}

bool IsValidDate(int year, int month, int day) {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

CivilDate ToCivilDate(DateTime t) { return CivilFromDays(DayNumber(t) + kEpochDays); }

CivilTime ToCivilTime(DateTime t) {
  int64_t s = TimeOfDay(t);
  return {static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)};
}

int Weekday(DateTime t) {
  int64_t days = DayNumber(t);  // 30 Dec 1899 was a Saturday (7)
  int64_t w = (days + 6) % 7;
  if (w < 0) w += 7;
  return static_cast<int>(w) + 1;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

DateTime FirstOfMonth(int year, int month) {
  int zero_based = month - 1;
  year += zero_based >= 0 ? zero_based / 12 : -((11 - zero_based) / 12);
  zero_based = ((zero_based % 12) + 12) % 12;
  return MakeDate(year, zero_based + 1, 1);
}

DateTime LastOfMonth(DateTime t) {
  CivilDate c = ToCivilDate(t);
  return MakeDate(c.year, c.month, DaysInMonth(c.year, c.month));
}

DateTime FromTimeT(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return MakeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                      tm.tm_sec);
}

std::time_t ToTimeT(DateTime t) {
  CivilDate d = ToCivilDate(t);
  CivilTime c = ToCivilTime(t);
  std::tm tm{};
  tm.tm_year = d.year - 1900;
  tm.tm_mon = d.month - 1;
  tm.tm_mday = d.day;
  tm.tm_hour = c.hour;
  tm.tm_min = c.minute;
  tm.tm_sec = c.second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

}  // namespace qlr
