#pragma once
// DateTime: whole seconds since 30 Dec 1899 00:00:00 in local civil time (the
// epoch of the program's stored dates); 0 means "none". A day is 86400 seconds,
// so date arithmetic is plain integer arithmetic.

#include <cstdint>
#include <ctime>

namespace qlr {

using DateTime = int64_t;
inline constexpr int64_t kSecondsPerDay = 86400;

struct CivilDate {
  int year = 1899, month = 12, day = 30;
};
struct CivilTime {
  int hour = 0, minute = 0, second = 0;
};

DateTime MakeDate(int year, int month, int day);  // month and day must be valid
DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second);
bool IsValidDate(int year, int month, int day);

CivilDate ToCivilDate(DateTime t);
CivilTime ToCivilTime(DateTime t);

inline int64_t DayNumber(DateTime t) {
  return t >= 0 ? t / kSecondsPerDay : -((-t + kSecondsPerDay - 1) / kSecondsPerDay);
}
inline DateTime DateOnly(DateTime t) { return DayNumber(t) * kSecondsPerDay; }
inline int64_t TimeOfDay(DateTime t) { return t - DateOnly(t); }  // 0..86399
inline DateTime AddDays(DateTime t, int64_t days) { return t + days * kSecondsPerDay; }

int Weekday(DateTime t);  // 1 = Sunday .. 7 = Saturday
int DaysInMonth(int year, int month);
DateTime FirstOfMonth(int year, int month);  // month may be out of 1..12: it carries into the year
DateTime LastOfMonth(DateTime t);

DateTime FromTimeT(std::time_t t);  // the local civil time of a system time
std::time_t ToTimeT(DateTime t);    // the system time of a local civil time

}  // namespace qlr
