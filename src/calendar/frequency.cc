#include "calendar/frequency.h"

#include <algorithm>

#include "base/date_format.h"
#include "base/text.h"
#include "calendar/holidays.h"
#include "model/constants.h"

namespace qlr {
namespace {

// One date and the facts about it that the terms ask for. Working days are
// read through the Workdays mask and the sorted holiday list directly, so a
// walk through the month costs a few nanoseconds a day.
class DayView {
 public:
  DayView(const CalendarSettings& cal, unsigned workday_mask, DateTime date)
      : cal_(cal), mask_(workday_mask), dn_(DayNumber(date)) {
    const CivilDate c = ToCivilDate(date);
    day_ = c.day;
    last_ = DaysInMonth(c.year, c.month);
    weekday_ = WeekdayOf(dn_);
  }

  static int WeekdayOf(int64_t dn) { return Weekday(dn * kSecondsPerDay); }
  bool IsHoliday(int64_t dn) const {
    return std::binary_search(cal_.HolidayDays.begin(), cal_.HolidayDays.end(), dn);
  }
  bool IsWork(int64_t dn) const { return (mask_ >> WeekdayOf(dn) & 1u) && !IsHoliday(dn); }
  bool IsWeekdayNotHoliday(int64_t dn) const {
    const int w = WeekdayOf(dn);
    return w >= 2 && w <= 6 && !IsHoliday(dn);
  }
  bool IsMondayToFriday() const { return weekday_ >= 2 && weekday_ <= 6; }

  // Working days from the first of the month up to the date (inclusive), and
  // from the date to the month's end; counting stops once past `limit`.
  int64_t WorkdaysFromStart(int64_t limit) const { return CountWork(dn_ - day_ + 1, dn_, limit); }
  int64_t WorkdaysToEnd(int64_t limit) const { return CountWork(dn_, dn_ + last_ - day_, limit); }

  int64_t dn() const { return dn_; }
  int day() const { return day_; }
  int last() const { return last_; }
  int weekday() const { return weekday_; }

 private:
  int64_t CountWork(int64_t from, int64_t to, int64_t limit) const {
    int64_t count = 0;
    for (int64_t d = from; d <= to && count <= limit; ++d) count += IsWork(d);
    return count;
  }

  const CalendarSettings& cal_;
  unsigned mask_;
  int64_t dn_;
  int day_ = 1, last_ = 31, weekday_ = 1;
};

constexpr int64_t kNoLimit = 1000;

std::string DayItem(char sign, int64_t count, std::string_view suffix) {
  std::string item(1, sign);
  item += std::to_string(count);
  item += suffix;
  return item;
}

// Items 1 to 6: the date's place in its month, counted from either end.
void AppendMonthPlace(std::string& out, const DayView& v) {
  const std::string_view abbrev = DayAbbrev(v.weekday());
  out += DayItem('-', v.last() - v.day() + 1, "CDOM") + ",";
  out += DayItem('+', v.day(), "CDOM") + ",";
  if (v.IsWork(v.dn())) {
    out += DayItem('-', v.WorkdaysToEnd(kNoLimit), "WDOM") + ",";
    out += DayItem('+', v.WorkdaysFromStart(kNoLimit), "WDOM") + ",";
  } else {
    out += ",,";
  }
  out += DayItem('-', (v.last() - v.day()) / 7 + 1, abbrev) + ",";
  out += DayItem('+', (v.day() - 1) / 7 + 1, abbrev);
}

// ---- frequency terms, read once and matched against each date ----

enum class Kind : uint8_t {
  kNever,
  kDaily,
  kWeekdays,
  kWeekends,
  kWorkdays,
  kWeekdaysAfter,
  kWeekdaysBefore,
  kWorkdaysAfter,
  kWorkdaysBefore,
  kWeekday,
  kCdomFromStart,
  kCdomFromEnd,
  kWdomFromStart,
  kWdomFromEnd,
  kNthFromStart,
  kNthFromEnd,
  kDate,
  kLiteral,  // searched as text in the list of true terms
};

struct Term {
  Kind kind = Kind::kNever;
  int weekday = 0;
  int64_t number = 0;  // n or k, or the DayNumber of a date term
  std::string text;    // the term in capitals (used by kLiteral)
};

// The weekday (1 = Sunday) whose abbreviation in capitals is the word; 0 for none.
int UpperDayAbbrev(std::string_view word) {
  static constexpr std::string_view kUpperAbbrevs[] = {"SUN", "MON", "TUE", "WED",
                                                       "THU", "FRI", "SAT"};
  for (int w = 1; w <= 7; ++w)
    if (word == kUpperAbbrevs[w - 1]) return w;
  return 0;
}

Kind KeywordKind(std::string_view word) {
  static constexpr struct {
    std::string_view word;
    Kind kind;
  } kKeywords[] = {{"DAILY", Kind::kDaily},
                   {"WEEKDAYS", Kind::kWeekdays},
                   {"WEEKENDS", Kind::kWeekends},
                   {"WORKDAYS", Kind::kWorkdays},
                   {"WEEKDAYS+", Kind::kWeekdaysAfter},
                   {"WEEKDAYS-", Kind::kWeekdaysBefore},
                   {"WORKDAYS+", Kind::kWorkdaysAfter},
                   {"WORKDAYS-", Kind::kWorkdaysBefore}};
  for (const auto& k : kKeywords)
    if (word == k.word) return k.kind;
  return Kind::kNever;
}

// A sign, a number without leading zeros, then CDOM, WDOM or a day
// abbreviation: exactly the text the list would hold for such a term.
Term CountedTerm(std::string_view word) {
  Term term;
  const bool back = word[0] == '-';
  size_t i = 1;
  while (i < word.size() && word[i] >= '0' && word[i] <= '9') ++i;
  if (i == 1 || word[1] == '0' || i > 10) return term;  // no number, a leading zero, too big
  for (size_t j = 1; j < i; ++j) term.number = term.number * 10 + (word[j] - '0');
  const std::string_view suffix = word.substr(i);
  if (suffix == "CDOM") {
    term.kind = back ? Kind::kCdomFromEnd : Kind::kCdomFromStart;
  } else if (suffix == "WDOM") {
    term.kind = back ? Kind::kWdomFromEnd : Kind::kWdomFromStart;
  } else if ((term.weekday = UpperDayAbbrev(suffix)) != 0) {
    term.kind = back ? Kind::kNthFromEnd : Kind::kNthFromStart;
  }
  return term;
}

// A single word of a frequency, in capitals. A word with a comma may span
// several list items, so it is searched as text.
Term WordTerm(std::string_view word) {
  Term term;
  if (word.find(',') != std::string_view::npos) {
    term.kind = Kind::kLiteral;
    term.text = word;
  } else if ((term.kind = KeywordKind(word)) != Kind::kNever) {
  } else if ((term.weekday = UpperDayAbbrev(word)) != 0) {
    term.kind = Kind::kWeekday;
  } else if (word[0] == '+' || word[0] == '-') {
    term = CountedTerm(word);
  }
  return term;
}

// Every date form the parser reads as three words ends in a number, so most
// runs of words can be passed over without trying to read them.
bool CouldEndDate(std::string_view word) { return word[0] >= '0' && word[0] <= '9'; }

// The date three words name when, in capitals, they are a date in the long
// display form.
std::optional<DateTime> LongFormDate(const CalendarSettings& cal, std::string_view words) {
  std::optional<DateTime> date = ParseDate(words);
  if (date && Upper(FormatLongDate(cal, *date)) == words) return DateOnly(*date);
  return std::nullopt;
}

// With these long forms a date item never looks like any other item and
// names one date only, so terms can be matched without building the list.
bool HasStandardLongForm(const CalendarSettings& cal) {
  const std::string& f = cal.FormatLongDate;
  return f == "dd mmm yyyy" || f == "mmm dd yyyy" || f == "yyyy mmm dd";
}

struct ParsedFrequency {
  bool valid = false;
  std::string source;  // the trimmed frequency as given
  std::string long_form;
  std::vector<Term> terms;
};

void ParseTerms(const CalendarSettings& cal, std::string_view trimmed, ParsedFrequency& parsed) {
  const std::string upper = Upper(trimmed);
  const std::vector<std::string_view> words = SplitWords(upper);
  const bool standard = HasStandardLongForm(cal);
  parsed.terms.clear();
  for (size_t i = 0; i < words.size(); ++i) {
    Term term;
    std::optional<DateTime> date;
    std::string triple;
    if (i + 2 < words.size() && CouldEndDate(words[i + 2])) {
      triple =
          std::string(words[i]) + " " + std::string(words[i + 1]) + " " + std::string(words[i + 2]);
      date = LongFormDate(cal, triple);
    }
    if (date) {
      term = standard ? Term{Kind::kDate, 0, DayNumber(*date), {}}
                      : Term{Kind::kLiteral, 0, 0, triple};
      i += 2;
    } else {
      term = standard ? WordTerm(words[i]) : Term{Kind::kLiteral, 0, 0, std::string(words[i])};
    }
    parsed.terms.push_back(std::move(term));
  }
}

// The terms of the frequency last asked about on this thread: the status
// decision and the date searches ask about one frequency many times running.
const ParsedFrequency& ParseFrequency(const CalendarSettings& cal, std::string_view trimmed) {
  thread_local ParsedFrequency cache;
  if (cache.valid && cache.source == trimmed && cache.long_form == cal.FormatLongDate) return cache;
  cache.valid = false;
  ParseTerms(cal, trimmed, cache);
  cache.source = trimmed;
  cache.long_form = cal.FormatLongDate;
  cache.valid = true;
  return cache;
}

unsigned CachedWorkdayMask(const CalendarSettings& cal) {
  thread_local std::string workdays;
  thread_local unsigned mask = 0;
  thread_local bool known = false;
  if (!known || workdays != cal.Workdays) {
    mask = WorkdayMask(cal);
    workdays = cal.Workdays;
    known = true;
  }
  return mask;
}

bool LiteralMatch(const CalendarSettings& cal, const std::string& term, DateTime date) {
  thread_local std::string needle;
  const std::string list = "," + Upper(ListTrueTerms(cal, date)) + ",";
  needle.assign(",").append(term).append(",");
  return list.find(needle) != std::string::npos;
}

bool Matches(const Term& t, const DayView& v, const CalendarSettings& cal, DateTime date) {
  switch (t.kind) {
    case Kind::kNever:
      return false;
    case Kind::kDaily:
      return true;
    case Kind::kWeekdays:
      return v.IsMondayToFriday();
    case Kind::kWeekends:
      return !v.IsMondayToFriday();
    case Kind::kWorkdays:
      return v.IsWork(v.dn());
    case Kind::kWeekdaysAfter:
      return v.IsWeekdayNotHoliday(v.dn() - 1);
    case Kind::kWeekdaysBefore:
      return v.IsWeekdayNotHoliday(v.dn() + 1);
    case Kind::kWorkdaysAfter:
      return v.IsWork(v.dn() - 1);
    case Kind::kWorkdaysBefore:
      return v.IsWork(v.dn() + 1);
    case Kind::kWeekday:
      return v.weekday() == t.weekday;
    case Kind::kCdomFromStart:
      return v.day() == t.number;
    case Kind::kCdomFromEnd:
      return v.last() - v.day() + 1 == t.number;
    case Kind::kWdomFromStart:
      return v.IsWork(v.dn()) && v.WorkdaysFromStart(t.number) == t.number;
    case Kind::kWdomFromEnd:
      return v.IsWork(v.dn()) && v.WorkdaysToEnd(t.number) == t.number;
    case Kind::kNthFromStart:
      return v.weekday() == t.weekday && (v.day() - 1) / 7 + 1 == t.number;
    case Kind::kNthFromEnd:
      return v.weekday() == t.weekday && (v.last() - v.day()) / 7 + 1 == t.number;
    case Kind::kDate:
      return v.dn() == t.number;
    case Kind::kLiteral:
      return LiteralMatch(cal, t.text, date);
  }
  return false;
}

}  // namespace

std::string ListTrueTerms(const CalendarSettings& cal, DateTime date) {
  const DayView v(cal, WorkdayMask(cal), date);
  const int64_t dn = v.dn();
  std::string out;
  out.reserve(128);
  AppendMonthPlace(out, v);
  out += ",Daily,";
  out += DayAbbrev(v.weekday());
  out += "," + FormatLongDate(cal, DateOnly(date));
  out += v.IsMondayToFriday() ? ",Weekdays" : ",Weekends";
  if (v.IsWork(dn)) out += ",Workdays";
  if (v.IsWeekdayNotHoliday(dn - 1)) out += ",Weekdays+";
  if (v.IsWeekdayNotHoliday(dn + 1)) out += ",Weekdays-";
  if (v.IsWork(dn - 1)) out += ",Workdays+";
  if (v.IsWork(dn + 1)) out += ",Workdays-";
  return out;
}

bool IsScheduledOn(const CalendarSettings& cal, std::string_view frequency, DateTime date) {
  const std::string_view trimmed = TrimView(frequency);
  if (trimmed.empty()) return true;
  const ParsedFrequency& parsed = ParseFrequency(cal, trimmed);
  const DayView view(cal, CachedWorkdayMask(cal), date);
  for (const Term& term : parsed.terms)
    if (Matches(term, view, cal, date)) return true;
  return false;
}

bool IsSkipped(const Schedule& schedule, const Job& job) {
  if (std::optional<DateTime> date = ParseDate(job.SkipOn.Trimmed()))
    return DayNumber(*date) == DayNumber(schedule.RunDate);
  return job.SkipOn.Trimmed() == kSkipAlwaysKeyword;
}

}  // namespace qlr
