#include "base/date_format.h"

#include <array>
#include <charconv>
#include <vector>

#include "base/text.h"

namespace qlr {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};

std::string TwoDigits(int v) {
  std::string r = std::to_string(v);
  return r.size() < 2 ? "0" + r : r;
}

std::string FourDigits(int v) {
  std::string r = std::to_string(v);
  while (r.size() < 4) r = "0" + r;
  return r;
}

struct Token {
  char letter;  // lower-case pattern letter, or 0 for literal text
  size_t count;
  std::string literal;
};

std::vector<Token> Tokenize(std::string_view pattern) {
  std::vector<Token> tokens;
  for (size_t i = 0; i < pattern.size();) {
    char c = LowerChar(pattern[i]);
    if (c == 'd' || c == 'm' || c == 'y' || c == 'h' || c == 'n' || c == 's') {
      size_t j = i;
      while (j < pattern.size() && LowerChar(pattern[j]) == c) ++j;
      tokens.push_back({c, j - i, {}});
      i = j;
    } else {
      if (tokens.empty() || tokens.back().letter != 0) tokens.push_back({0, 0, {}});
      tokens.back().literal += pattern[i++];
    }
  }
  return tokens;
}

// An m-run means minutes when the nearest letter token before it is an hour,
// or the nearest after it is seconds.
bool MeansMinutes(const std::vector<Token>& tokens, size_t i) {
  if (tokens[i].count > 2) return false;
  for (size_t k = i; k-- > 0;)
    if (tokens[k].letter != 0) {
      if (tokens[k].letter == 'h') return true;
      break;
    }
  for (size_t k = i + 1; k < tokens.size(); ++k)
    if (tokens[k].letter != 0) return tokens[k].letter == 's';
  return false;
}

std::string FormatToken(const Token& tok, bool minutes, const CivilDate& d, const CivilTime& t,
                        DateTime when) {
  switch (tok.letter) {
    case 'd':
      if (tok.count == 1) return std::to_string(d.day);
      if (tok.count == 2) return TwoDigits(d.day);
      if (tok.count == 3) return std::string(DayAbbrev(Weekday(when)));
      return std::string(DayName(Weekday(when)));
    case 'm':
      if (minutes) return tok.count == 1 ? std::to_string(t.minute) : TwoDigits(t.minute);
      if (tok.count == 1) return std::to_string(d.month);
      if (tok.count == 2) return TwoDigits(d.month);
      if (tok.count == 3) return std::string(MonthAbbrev(d.month));
      return std::string(kMonthNames[d.month - 1]);
    case 'y':
      return tok.count <= 2 ? TwoDigits(d.year % 100) : FourDigits(d.year);
    case 'h':
      return tok.count == 1 ? std::to_string(t.hour) : TwoDigits(t.hour);
    case 'n':
      return tok.count == 1 ? std::to_string(t.minute) : TwoDigits(t.minute);
    case 's':
      return tok.count == 1 ? std::to_string(t.second) : TwoDigits(t.second);
  }
  return tok.literal;
}

std::optional<int> ReadNumber(std::string_view s, size_t min_digits, size_t max_digits) {
  if (s.size() < min_digits || s.size() > max_digits) return std::nullopt;
  if (s[0] < '0' || s[0] > '9') return std::nullopt;  // digits only: no sign
  int v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

std::optional<int> ReadMonthName(std::string_view s) {
  for (int m = 1; m <= 12; ++m)
    if (EqualsNoCase(s, MonthAbbrev(m)) || EqualsNoCase(s, kMonthNames[m - 1])) return m;
  return std::nullopt;
}

std::optional<DateTime> Assemble(std::optional<int> y, std::optional<int> m, std::optional<int> d) {
  if (!y || !m || !d || !IsValidDate(*y, *m, *d)) return std::nullopt;
  return MakeDate(*y, *m, *d);
}

// "2026-12-04", "4/12/2026" or "4-12-2026".
std::optional<DateTime> ParseNumericDate(std::string_view s) {
  char sep = s.find('/') != std::string_view::npos ? '/' : '-';
  std::vector<std::string> parts = Split(s, sep);
  if (parts.size() != 3) return std::nullopt;
  if (sep == '-' && parts[0].size() == 4)
    return Assemble(ReadNumber(parts[0], 4, 4), ReadNumber(parts[1], 1, 2),
                    ReadNumber(parts[2], 1, 2));
  return Assemble(ReadNumber(parts[2], 4, 4), ReadNumber(parts[1], 1, 2),
                  ReadNumber(parts[0], 1, 2));
}

// "4 Dec 2026", "Dec 4 2026" or "2026 Dec 04".
std::optional<DateTime> ParseWordDate(const std::vector<std::string_view>& w) {
  if (auto m = ReadMonthName(w[1])) {
    if (w[0].size() == 4) return Assemble(ReadNumber(w[0], 4, 4), m, ReadNumber(w[2], 1, 2));
    return Assemble(ReadNumber(w[2], 4, 4), m, ReadNumber(w[0], 1, 2));
  }
  if (auto m = ReadMonthName(w[0]))
    return Assemble(ReadNumber(w[2], 4, 4), m, ReadNumber(w[1], 1, 2));
  return std::nullopt;
}

}  // namespace

std::string_view MonthAbbrev(int month) { return kMonthNames[month - 1].substr(0, 3); }
std::string_view DayAbbrev(int weekday) { return kDayNames[weekday - 1].substr(0, 3); }
std::string_view DayName(int weekday) { return kDayNames[weekday - 1]; }

std::string FormatDateTime(DateTime t, std::string_view pattern) {
  const CivilDate d = ToCivilDate(t);
  const CivilTime c = ToCivilTime(t);
  std::vector<Token> tokens = Tokenize(pattern);
  std::string out;
  for (size_t i = 0; i < tokens.size(); ++i)
    out += FormatToken(tokens[i], tokens[i].letter == 'm' && MeansMinutes(tokens, i), d, c, t);
  return out;
}

// Called for every job of a schedule as it is read: the parts are views, not copies.
std::optional<int64_t> ParseTimeOfDay(std::string_view text) {
  std::array<std::string_view, 3> parts;
  size_t count = 0;
  for (std::string_view rest = TrimView(text);;) {
    if (count == parts.size()) return std::nullopt;  // more than three parts
    const size_t colon = rest.find(':');
    parts[count++] = rest.substr(0, colon);
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  if (count < 2) return std::nullopt;
  auto h = ReadNumber(parts[0], 1, 2);
  auto m = ReadNumber(parts[1], 2, 2);
  auto s = count == 3 ? ReadNumber(parts[2], 2, 2) : std::optional<int>(0);
  if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59) return std::nullopt;
  return *h * 3600 + *m * 60 + *s;
}

std::optional<DateTime> ParseDate(std::string_view text) {
  std::vector<std::string_view> words = SplitWords(TrimView(text));
  int64_t time = 0;
  if (!words.empty() && words.back().find(':') != std::string_view::npos) {
    auto t = ParseTimeOfDay(words.back());
    if (!t) return std::nullopt;
    time = *t;
    words.pop_back();
  }
  std::optional<DateTime> date;
  if (words.size() == 1) date = ParseNumericDate(words[0]);
  if (words.size() == 3) date = ParseWordDate(words);
  if (!date) return std::nullopt;
  return *date + time;
}

}  // namespace qlr
