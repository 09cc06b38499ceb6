#include "messages/dir_filter.h"

#include <array>
#include <optional>
#include <vector>

#include "base/text.h"

namespace qlr {
namespace {

struct Token {
  size_t begin, end;  // [begin, end) in the line
};

std::vector<Token> Tokens(std::string_view line) {
  std::vector<Token> tokens;
  for (size_t i = 0; i < line.size();) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    size_t end = line.find(' ', i);
    if (end == std::string_view::npos) end = line.size();
    tokens.push_back({i, end});
    i = end;
  }
  return tokens;
}

bool IsDigits(std::string_view s, size_t min, size_t max) {
  if (s.size() < min || s.size() > max) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
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

bool IsMonthAbbrev(std::string_view s) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (std::string_view m : kMonths)
    if (s == m) return true;
  return false;
}

// How many tokens from `k` make up an `ls -l` date, or 0 when none starts there:
// "Dec 4 18:30", "Dec 4 2025", "2026-12-04 18:30", "2026-12-04 18:30:00.000 +0000".
size_t DateTokens(std::string_view line, const std::vector<Token>& t, size_t k) {
  auto at = [&](size_t i) { return line.substr(t[i].begin, t[i].end - t[i].begin); };
  if (k + 2 < t.size() && IsMonthAbbrev(at(k)) && IsDigits(at(k + 1), 1, 2) &&
      (IsClockTime(at(k + 2)) || IsDigits(at(k + 2), 4, 4)))
    return 3;
  if (k + 1 >= t.size() || !IsIsoDate(at(k)) || !IsClockTime(at(k + 1))) return 0;
  const bool zone = k + 2 < t.size() && at(k + 1).size() > 5 && at(k + 2).size() == 5 &&
                    (at(k + 2)[0] == '+' || at(k + 2)[0] == '-') &&
                    IsDigits(at(k + 2).substr(1), 4, 4);
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
  const std::vector<Token> t = Tokens(line);
  for (size_t k = 2; k < t.size(); ++k)
    if (size_t n = DateTokens(line, t, k); n > 0) {
      const size_t from = t[k + n - 1].end + 1;
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
