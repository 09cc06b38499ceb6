#include "messages/dir_filter.h"

#include <vector>

#include "base/date_format.h"
#include "base/text.h"

namespace qlr {
namespace {

bool IsDigits(std::string_view s, size_t min, size_t max) {
  return s.size() >= min && s.size() <= max && AllDigits(s);
}

// "hh:mm", optionally followed by ":ss" and a fraction.
bool IsClockTime(std::string_view s) {
  if (s.size() < 5 || s[2] != ':' || !IsDigits(s.substr(0, 2), 2, 2) ||
      !IsDigits(s.substr(3, 2), 2, 2))
    return false;
  return s.size() == 5 || (s[5] == ':' && s.size() >= 8 && IsDigits(s.substr(6, 2), 2, 2));
}

bool IsIsoDate(std::string_view s) {
  return s.size() == 10 && s[4] == '-' && s[7] == '-' && IsDigits(s.substr(0, 4), 4, 4) &&
         IsDigits(s.substr(5, 2), 2, 2) && IsDigits(s.substr(8, 2), 2, 2);
}

// As `ls` writes it: "Dec", never "DEC".
bool IsMonthAbbrev(std::string_view s) {
  for (int month = 1; month <= 12; ++month)
    if (s == MonthAbbrev(month)) return true;
  return false;
}

// How many tokens from `k` make up an `ls -l` date, or 0 when none starts there:
// "Dec 4 18:30", "Dec 4 2025", "2026-12-04 18:30", "2026-12-04 18:30:00.000 +0000".
size_t DateTokens(const std::vector<std::string_view>& t, size_t k) {
  if (k + 2 < t.size() && IsMonthAbbrev(t[k]) && IsDigits(t[k + 1], 1, 2) &&
      (IsClockTime(t[k + 2]) || IsDigits(t[k + 2], 4, 4)))
    return 3;
  if (k + 1 >= t.size() || !IsIsoDate(t[k]) || !IsClockTime(t[k + 1])) return 0;
  const bool zone = k + 2 < t.size() && t[k + 1].size() > 5 && t[k + 2].size() == 5 &&
                    (t[k + 2][0] == '+' || t[k + 2][0] == '-') &&
                    IsDigits(t[k + 2].substr(1), 4, 4);
  return zone ? 3 : 2;
}

// "-rw-r--r--", "drwxr-xr-x.", "lrwxrwxrwx@": the type and permissions `ls -l` starts with.
bool StartsWithMode(std::string_view line) {
  if (line.size() < 11 || std::string_view("-bcdlps").find(line[0]) == std::string_view::npos)
    return false;
  for (size_t i = 1; i < 10; ++i)
    if (std::string_view("-rwxsStT").find(line[i]) == std::string_view::npos) return false;
  return line[10] == ' ' || line[10] == '+' || line[10] == '.' || line[10] == '@';
}

// The name of an `ls -l` entry: what follows the blank after its date.
std::string LsName(std::string_view line) {
  if (line[0] == 'd') return {};
  const std::vector<std::string_view> t = SplitWords(line);
  for (size_t k = 2; k < t.size(); ++k)
    if (size_t n = DateTokens(t, k); n > 0) {
      const std::string_view last = t[k + n - 1];  // a view into the line
      const size_t from = static_cast<size_t>(last.data() - line.data()) + last.size() + 1;
      return from < line.size() ? std::string(line.substr(from)) : std::string();
    }
  return std::string(line);  // a date form we do not know: nothing is lost
}

// A DOS line: what follows the minutes (and AM or PM) of the first time and two blanks.
std::string DosSizeAndName(std::string_view line) {
  const size_t colon = line.find(':');
  size_t from = colon + 5;
  if (line.size() >= colon + 6 && line[colon + 3] == ' ' &&
      (EqualsNoCase(line.substr(colon + 4, 2), "AM") ||
       EqualsNoCase(line.substr(colon + 4, 2), "PM")))
    from = colon + 8;
  return from < line.size() ? std::string(line.substr(from)) : std::string();
}

}  // namespace

std::string DirFilter(std::string_view line) {
  if (line.find("<DIR>") != std::string_view::npos) return {};
  if (StartsWithMode(line)) return LsName(line);
  if (line.find(':') == std::string_view::npos) return {};
  if (line.find('\\') != std::string_view::npos || EndsWith(TrimView(line), ":"))
    return std::string(line);
  return DosSizeAndName(line);
}

}  // namespace qlr
