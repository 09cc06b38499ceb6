#include "store/schedule_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

#include "base/date_format.h"
#include "base/field.h"
#include "base/number.h"
#include "base/text.h"
#include "calendar/status_decision.h"
#include "model/constants.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/large_pages.h"
#include "store/run_journal.h"
#include "store/schedule_checks.h"
#include "store/triggers_list.h"

namespace qlr {
namespace {

constexpr int kColumns = 50;
constexpr char kQuote = '"';
constexpr char kCommaEscape = '\xAC';  // "¬": stands for a comma inside a date variable
constexpr std::string_view kDateTimePattern = "dd mmm yyyy hh:nn:ss";

// ---------------------------------------------------------------------------
// Splitting a line. A schedule line has 50 fields; calling GetField for each
// would rescan the line from its start every time. NextField reads one field
// exactly as GetField reads it and says where the next one starts, so a line
// is split in one pass.

std::string Undouble(std::string_view text) {
  std::string r;
  r.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    r += text[i];
    if (text[i] == kQuote) ++i;  // the pair's second quote
  }
  return r;
}

// Position of c at or after pos; line.size() when absent.
size_t Find(std::string_view line, size_t pos, char c) {
  size_t at = line.find(c, pos);
  return at == std::string_view::npos ? line.size() : at;
}

// What was wrong with the quoted fields of a line, for the reader's diagnostics.
struct QuoteFaults {
  bool found = false;           // the first fault is recorded below
  std::string_view stray;       // of the first fault: the text after the closing quote, or ""
  bool unclosed_field = false;  // a quote ran to the end of the line (then it is the last field)
  void Unclosed() {
    if (!found) found = true, stray = {};
    unclosed_field = true;
  }
  void Stray(std::string_view text) {
    if (!found) found = true, stray = text;
  }
};

// The quoted field opening at `pos`; see NextField.
size_t QuotedField(std::string_view line, size_t pos, char delimiter, std::string& storage,
                   std::string_view& field, QuoteFaults* faults) {
  const size_t n = line.size();
  bool doubled = false;
  size_t close = Find(line, pos + 1, kQuote);
  while (close + 1 < n && line[close + 1] == kQuote) {
    doubled = true;
    close = Find(line, close + 2, kQuote);
  }
  field = line.substr(pos + 1, close - pos - 1);
  if (doubled) field = storage = Undouble(field);
  if (close == n) {
    if (faults) faults->Unclosed();
    return n;
  }
  size_t d = Find(line, close + 1, delimiter);
  if (faults && d > close + 1) faults->Stray(line.substr(close + 1, d - close - 1));
  return d == n ? n : d + 1;
}

// Reads the field starting at `pos` (an empty one past the line's end) into
// `field`, which views the line or `storage`; returns where the next field
// starts. A quoted field runs to its closing quote, doubled quotes standing
// for one; an unclosed one runs to the end of the line. Most fields are a
// few bytes long, where a plain loop beats a call to memchr. `faults`, when
// given, learns what was wrong with a quoted field.
inline size_t NextField(std::string_view line, size_t pos, char delimiter, std::string& storage,
                        std::string_view& field, QuoteFaults* faults = nullptr) {
  const size_t n = line.size();
  if (pos >= n) {
    field = {};
    return n;
  }
  if (line[pos] == kQuote) return QuotedField(line, pos, delimiter, storage, field, faults);
  const char* begin = line.data() + pos;
  const char* end = line.data() + n;
  const char* d = begin;
  while (d != end && *d != delimiter) ++d;
  field = std::string_view(begin, static_cast<size_t>(d - begin));
  return d == end ? n : static_cast<size_t>(d - line.data()) + 1;
}

// The first N fields of a line, field n at [n - 1], and what the split saw
// that the reader's diagnostics report: how many fields the line has, and the
// first field with a quote fault.
template <size_t N>
class SplitFields {
 public:
  SplitFields(std::string_view line, char delimiter) {
    size_t pos = 0;
    for (size_t i = 0; i + 2 < N; ++i) pos = Next(line, pos, delimiter, i);
    const size_t before_last = pos;
    const size_t last = Next(line, pos, delimiter, N - 2);
    pos = Next(line, last, delimiter, N - 1);
    // Nearly every line has exactly N fields and its quotes in order; the
    // others are split again to see how many fields and which quote is wrong.
    if (faults_.found || !EndsAtDelimiter(line, before_last, last, delimiter) ||
        EndsAtDelimiter(line, last, pos, delimiter))
      Recount(line, delimiter);
  }
  std::string_view operator[](int n) const { return fields_[static_cast<size_t>(n - 1)]; }
  int count() const { return count_; }
  int quote_column() const { return quote_column_; }        // 0 when every quote was in order
  std::string_view stray() const { return faults_.stray; }  // "" when the quote was not closed

 private:
  // Moves an undoubled field out of the scratch text into storage of its own;
  // that storage is made only for the rare lines that need it.
  std::string_view Keep(size_t i) {
    if (!storage_) storage_ = std::make_unique<std::array<std::string, N>>();
    return (*storage_)[i] = std::move(scratch_);
  }

  size_t Next(std::string_view line, size_t pos, char delimiter, size_t i) {
    const size_t next = NextField(line, pos, delimiter, scratch_, fields_[i], &faults_);
    if (fields_[i].data() == scratch_.data()) fields_[i] = Keep(i);
    return next;
  }

  // Whether the field that began at `pos` and was read up to `next` ended at a
  // delimiter, so that another field follows.
  bool EndsAtDelimiter(std::string_view line, size_t pos, size_t next, char delimiter) const {
    return next > pos && line[next - 1] == delimiter && !faults_.unclosed_field;
  }

  // Counts every field of the line (a field follows each one that ends at a
  // delimiter) and finds the first one with a quote fault.
  void Recount(std::string_view line, char delimiter) {
    std::string storage;
    std::string_view field;
    faults_ = {};
    count_ = 1;
    for (size_t pos = 0;; ++count_) {
      const size_t next = NextField(line, pos, delimiter, storage, field, &faults_);
      if (faults_.found && quote_column_ == 0) quote_column_ = count_;
      if (!EndsAtDelimiter(line, pos, next, delimiter)) break;
      pos = next;
    }
  }

  std::array<std::string_view, N> fields_;
  std::string scratch_;
  std::unique_ptr<std::array<std::string, N>> storage_;
  QuoteFaults faults_;
  int count_ = static_cast<int>(N);
  int quote_column_ = 0;
};

// ---------------------------------------------------------------------------
// Dates. Columns 13, 14 and 20 hold "dd mmm yyyy hh:nn:ss"; the general
// formatter and parser take several microseconds each, too slow for 100 000
// values, so this exact form has its own quick path with the same results.

constexpr size_t kDateTimeLength = 20;

char* PutDigits(char* p, int value, int width) {
  for (int i = width - 1; i >= 0; --i, value /= 10) p[i] = static_cast<char>('0' + value % 10);
  return p + width;
}

// Writes the 20 characters of kDateTimePattern; false for years it cannot hold.
bool WriteDateTime(char* p, DateTime t) {
  const CivilDate d = ToCivilDate(t);
  if (d.year < 0 || d.year > 9999) return false;
  const CivilTime c = ToCivilTime(t);
  p = PutDigits(p, d.day, 2);
  *p++ = ' ';
  std::memcpy(p, MonthAbbrev(d.month).data(), 3);
  p[3] = ' ';
  p = PutDigits(p + 4, d.year, 4);
  *p++ = ' ';
  p = PutDigits(p, c.hour, 2);
  *p++ = ':';
  p = PutDigits(p, c.minute, 2);
  *p++ = ':';
  PutDigits(p, c.second, 2);
  return true;
}

std::optional<int> Digits(std::string_view s, size_t at, size_t count) {
  int v = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

// The exact form the writer uses, or nullopt for anything else.
std::optional<DateTime> ParseWrittenForm(std::string_view s) {
  if (s.size() != 20 || s[2] != ' ' || s[6] != ' ' || s[11] != ' ' || s[14] != ':' || s[17] != ':')
    return std::nullopt;
  int month = 0;
  for (int m = 1; m <= 12 && month == 0; ++m)
    if (s.substr(3, 3) == MonthAbbrev(m)) month = m;
  auto day = Digits(s, 0, 2), year = Digits(s, 7, 4);
  auto hour = Digits(s, 12, 2), minute = Digits(s, 15, 2), second = Digits(s, 18, 2);
  if (!month || !day || !year || !hour || !minute || !second || !IsValidDate(*year, month, *day) ||
      *hour > 23 || *minute > 59 || *second > 59)
    return std::nullopt;
  return MakeDateTime(*year, month, *day, *hour, *minute, *second);
}

// A date and time as the file holds it; nullopt when empty or not a date.
std::optional<DateTime> ReadDateTime(std::string_view text) {
  if (auto quick = ParseWrittenForm(text)) return quick;
  std::string_view t = TrimView(text);
  if (t.empty()) return std::nullopt;
  return ParseDate(t);
}

// Column 20: the hour and minute of the text placed on the run day (the run
// day's start when the text is empty or holds no time we can read).
DateTime TimeOnRunDay(const Schedule& schedule, std::string_view text, LineNotes* notes) {
  std::optional<DateTime> source = ReadDateTime(text);
  if (!source && !TrimView(text).empty()) {
    source = ParseTimeOfDay(text);
    if (!source && notes) notes->NotA(20, text, "a date or a time");
  }
  const CivilTime c = ToCivilTime(source.value_or(schedule.DayStartAt));
  DateTime at = DateOnly(schedule.RunDate) + c.hour * 3600 + c.minute * 60;
  return at < schedule.DayStartAt ? AddDays(at, 1) : at;
}

// ---------------------------------------------------------------------------
// Reading a job.

// Numbers. Nearly every numeric field is a plain integer, which is read
// here directly; anything else goes to the general reader, with equal results.

std::optional<int64_t> PlainInteger(std::string_view text) {
  size_t i = !text.empty() && text[0] == '-';
  if (text.size() == i || text.size() - i > 9) return std::nullopt;
  int64_t v = 0;
  for (size_t k = i; k < text.size(); ++k) {
    if (text[k] < '0' || text[k] > '9') return std::nullopt;
    v = v * 10 + (text[k] - '0');
  }
  return i ? -v : v;
}

// The fields of one line as the job takes them; what does not read cleanly is
// noted when `notes` is given. Only the slow paths look further.
class LineFields {
 public:
  LineFields(std::string_view line, char delimiter, LineNotes* notes)
      : f_(line, delimiter), delimiter_(delimiter), notes_(notes) {
    if (notes) NoteLine(line);
  }
  std::string_view operator[](int column) const { return f_[column]; }
  char delimiter() const { return delimiter_; }
  LineNotes* notes() const { return notes_; }

  template <typename T>
  T Whole(int column) const {
    constexpr int64_t kMin = std::numeric_limits<T>::min(), kMax = std::numeric_limits<T>::max();
    const std::string_view text = f_[column];
    if (text.empty()) return 0;
    const std::optional<int64_t> v = PlainInteger(text);
    if (v && *v >= kMin && *v <= kMax) return static_cast<T>(*v);
    if (notes_) notes_->Number(column, text, kMin, kMax);
    return static_cast<T>(v ? std::clamp(*v, kMin, kMax) : ReadWhole(text, kMin, kMax));
  }

  bool Flag(int column) const {
    const std::string_view text = f_[column];
    if (text.empty()) return false;
    if (auto v = PlainInteger(text)) return *v != 0;
    if (notes_) notes_->Flag(column, text);
    return ReadFlag(text);
  }

  DateTime Time(int column) const {
    std::optional<DateTime> t = ReadDateTime(f_[column]);
    if (!t && notes_ && !TrimView(f_[column]).empty()) notes_->NotA(column, f_[column], "a date");
    return t.value_or(0);
  }

  // Jobs are filled from new records, whose texts are empty: empty fields,
  // the most common kind, cost nothing.
  void Set(std::string& field, int column) const {
    if (!f_[column].empty()) field = std::string(f_[column]);
  }
  template <size_t N>
  void Set(FixedText<N>& field, int column) const {
    const std::string_view value = f_[column];
    if (value.empty()) return;
    field = FixedText<N>(value);
    if (notes_ && value.size() > N && TrimRight(value).size() > N) notes_->Cut(column, value, N);
  }

 private:
  void NoteLine(std::string_view line) {
    if (f_.count() != kColumns) notes_->FieldCount(f_.count());
    if (f_.quote_column() != 0) notes_->Quote(f_.quote_column(), f_.stray());
    if (size_t at = FindControlByte(line); at != std::string_view::npos)
      notes_->ControlByte(ColumnAt(line, at), line[at]);
    for (int column : {12, 37, 48, 49, 50})
      if (!f_[column].empty() && !TrimView(f_[column]).empty()) notes_->Unused(column, f_[column]);
  }
  // The column in which the byte at `at` lies.
  int ColumnAt(std::string_view line, size_t at) const {
    std::string storage;
    std::string_view field;
    int column = 1;
    for (size_t pos = 0;
         (pos = NextField(line, pos, delimiter_, storage, field)) <= at && pos < line.size();)
      ++column;
    return column;
  }

  SplitFields<kColumns> f_;
  char delimiter_;
  LineNotes* notes_;
};

template <size_t N>
void ReadFixedList(std::string_view column, TextList<N>& list, char escape = 0) {
  if (column.find_first_not_of(',') == std::string_view::npos) return;  // all entries empty
  std::array<std::string_view, N> entries;
  std::array<std::string, N> unquoted;  // the entries whose quotes were doubled
  size_t pos = 0;
  for (size_t i = 0; i < N && pos < column.size(); ++i)
    pos = NextField(column, pos, ',', unquoted[i], entries[i]);
  list = TextList<N>(entries);
  if (escape) list.Replace(escape, ',');
}

// Column 7: names up to the first empty or blank entry. Current files separate with
// blanks or commas alike; old comma files only trim the column. Returns the
// text after the empty entry, which is not read.
std::string ReadRunAfter(std::string_view column, char delimiter, Job& job) {
  std::string blanks_as_commas;
  if (delimiter == ',') {
    column = TrimView(column);
  } else if (column.find(' ') != std::string_view::npos) {
    blanks_as_commas = column;
    std::replace(blanks_as_commas.begin(), blanks_as_commas.end(), ' ', ',');
    column = blanks_as_commas;
  }
  std::string storage;
  std::string_view entry;
  for (size_t pos = 0; pos < column.size();) {
    const size_t next = NextField(column, pos, ',', storage, entry);
    // A blank entry (possible in old comma files) ends the list as an empty
    // one does: no job has a blank name, and writing one would be fatal.
    if (TrimView(entry).empty()) {
      const std::string_view rest = column.substr(next);
      return rest.find_first_not_of(',') == std::string_view::npos ? std::string()
                                                                   : std::string(rest);
    }
    job.RunAfter.emplace_back(entry);
    pos = next;
  }
  return {};
}

void ReadTexts(const LineFields& f, Job& job) {
  f.Set(job.JobName, 1);
  f.Set(job.CommandLine, 2);
  if (f.delimiter() == ',') std::replace(job.CommandLine.begin(), job.CommandLine.end(), '%', ',');
  f.Set(job.EarliestStart, 3);
  f.Set(job.Frequency, 4);
  f.Set(job.Exclusivity, 5);
  f.Set(job.SkipOn, 6);
  f.Set(job.NormalMailTo, 9);
  f.Set(job.OverrideCode, 10);
  f.Set(job.WaitFile, 23);
  f.Set(job.Reserved24, 24);
  f.Set(job.NormalMailCc, 29);
  f.Set(job.Group, 30);
  if (job.Group.IsBlank()) job.Group = kDefaultGroup;  // blank as cut to its 8 characters too
  f.Set(job.TriggerFile, 31);
  f.Set(job.Description, 33);
  f.Set(job.AbnormalMailTo, 35);
  f.Set(job.AbnormalMailCc, 36);
}

// Texts that must read as something: a name, a time, a date, a code.
void NoteTexts(const Job& job, LineNotes& notes) {
  if (job.JobName.IsBlank()) notes.Add(1, "the job name is empty");
  const std::string_view start = job.EarliestStart.Trimmed();
  if (!start.empty() && !ParseTimeOfDay(start)) notes.NotA(3, start, "a time of day (hh:mm)");
  const std::string_view skip = job.SkipOn.Trimmed();
  if (!skip.empty() && skip != kSkipAlwaysKeyword && !ParseDate(skip))
    notes.Add(6,
              Shown(skip) + " is neither a date nor \"" + std::string(kSkipAlwaysKeyword) + "\"");
  const std::string_view code = job.OverrideCode.Trimmed();
  if (!code.empty() && code != "S" && code != "U") notes.NotA(10, code, "S or U");
}

void ReadNumbers(const LineFields& f, Job& job) {
  job.DeferRollover = f.Flag(8);
  job.FailedFlag = f.Flag(11);
  job.ForcedEnd = f.Flag(15);
  job.Process = {f.Whole<int32_t>(16), f.Whole<int32_t>(17), f.Whole<int32_t>(18),
                 f.Whole<int32_t>(19)};
  job.IsDosProgram = f.Flag(21);
  job.Reserved25 = f.Whole<int16_t>(25);
  job.LastDuration = f.Whole<int32_t>(26);
  if (job.LastDuration == 0) job.LastDuration = 30;
  job.DeleteWaitFile = f.Flag(32);
  job.Reserved34 = f.Whole<int32_t>(34);
  job.SuppressEmptyMsg = f.Flag(38);
  job.CpuUsage = f.Whole<int16_t>(40);
  job.Critical = f.Flag(41);
  job.SubmitOnly = f.Flag(43);
  job.DeferEojMsgMins = f.Whole<int16_t>(44);
  job.AutoReschedule = f.Whole<uint8_t>(47);
}

void ReadLists(const LineFields& f, Job& job) {
  const std::string ignored = ReadRunAfter(f[7], f.delimiter(), job);
  ReadFixedList(f[22], job.NormalMsg);
  ReadFixedList(f[27], job.NormalMsgFlags);
  ReadFixedList(f[28], job.AbnormalMsgFlags);
  ReadFixedList(f[39], job.AbnormalMsg);
  ReadFixedList(f[42], job.DateVars, kCommaEscape);
  // Letters belong to dependencies by place: leading blanks stay. Trailing ones
  // go, as the writer drops them (a blank letter is no letter), and column 46
  // is cut to what remains.
  job.DepConditions = TrimRight(f[45]);
  std::replace(job.DepConditions.begin(), job.DepConditions.end(), '1', 'U');
  if (!job.DepConditions.empty()) job.DepAutoUnsched = PadRight(f[46], job.DepConditions.size());
  if (LineNotes* notes = f.notes()) {
    const bool comma_form = f.delimiter() == ',';
    if (!ignored.empty() || comma_form || job.RunAfter.size() != job.DepConditions.size() ||
        job.DepConditions.find_first_not_of("SFU") != std::string::npos)
      notes->Dependencies(job, ignored, comma_form);
    if (!f[42].empty()) notes->DateVariables(job);  // before stock variables replace them
  }
}

// `job` is a new record; `notes`, when given, learns what did not read cleanly.
void FillJob(const Schedule& schedule, std::string_view line, char delimiter, Job& job,
             LineNotes* notes = nullptr) {
  std::string with_quotes;
  if (line.find('\xFF') != std::string_view::npos) {  // old files stored quotes as "ÿ"
    with_quotes = line;
    std::replace(with_quotes.begin(), with_quotes.end(), '\xFF', kQuote);
    line = with_quotes;
  }
  const LineFields f(line, delimiter, notes);
  ReadTexts(f, job);
  ReadNumbers(f, job);
  ReadLists(f, job);
  if (notes) NoteTexts(job, *notes);
  job.StartedAt = f.Time(13);
  job.EndedAt = f.Time(14);
  job.EarliestStartAt = TimeOnRunDay(schedule, f[20], notes);
}

// Reads a file a block at a time, so that a large schedule is never held
// whole in memory beside the jobs made from it.
class BlockReader {
 public:
  explicit BlockReader(const std::string& path) : file_(std::fopen(OsPath(path).c_str(), "rb")) {}
  ~BlockReader() {
    if (file_) std::fclose(file_);
  }
  BlockReader(const BlockReader&) = delete;
  BlockReader& operator=(const BlockReader&) = delete;

  bool Good() const { return file_ && !std::ferror(file_); }

  // The most lines the file can hold as the writer writes them: each has at
  // least its delimiters and its end. Shorter lines only make the table grow.
  size_t MostLines() {
    if (!file_ || std::fseek(file_, 0, SEEK_END) != 0) return 0;
    const long size = std::ftell(file_);
    std::rewind(file_);
    return size > 0 ? static_cast<size_t>(size) / (kColumns + 1) + 1 : 0;
  }

  // Calls `line` for every line, as ForEachLine does for the whole text.
  template <typename F>
  void ForEachLine(F line) {
    std::string partial;  // a line begun in an earlier block
    for (std::string_view block; !(block = Next()).empty();) {
      size_t first = block.find('\n');
      if (first == std::string_view::npos) {
        partial.append(block);
        continue;
      }
      partial.append(block.substr(0, first + 1));
      qlr::ForEachLine(partial, line);
      size_t last = block.rfind('\n');
      qlr::ForEachLine(block.substr(first + 1, last - first), line);
      partial.assign(block.substr(last + 1));
    }
    qlr::ForEachLine(partial, line);
  }

 private:
  static constexpr size_t kBlockSize = 1 << 20;

  std::string_view Next() {
    if (!file_) return {};
    size_t n = std::fread(block_.data(), 1, block_.size(), file_);
    return std::string_view(block_.data(), n);
  }

  std::FILE* file_;
  std::string block_ = std::string(kBlockSize, '\0');
};

// The status a job has before the decision is made. A job that failed in
// the current run day keeps it: the decision leaves such a job as it finds
// it, and a restart must not run a failed job again unasked. A failure
// without process numbers is a start that was never confirmed.
void SetReadStatus(Job& job) {
  if (!job.FailedFlag) return;
  job.Status = job.Process.process_id == 0 ? JobStatus::SubmitFailed : JobStatus::Failed;
  if (job.Status == JobStatus::SubmitFailed) job.StatusText = "Submit Failed";
}

// Most jobs have the date variables and message flags of the job before
// them; such lists keep one text between them.
void ShareEqualLists(Job& job, const Job& previous) {
  auto share = [](auto& list, const auto& same) {
    if (list == same) list = same;
  };
  share(job.DateVars, previous.DateVars);
  share(job.NormalMsgFlags, previous.NormalMsgFlags);
  share(job.AbnormalMsgFlags, previous.AbnormalMsgFlags);
}

// Makes a job of every line `for_each_line` gives; `lines` sizes the table.
template <typename ForEach>
void FillJobs(Schedule& schedule, RunLog& log, size_t lines, ForEach for_each_line) {
  schedule.Jobs.reserve(std::min<size_t>(lines, kMaxJobs) + 1);
  AdviseLargePages(schedule.Jobs.data(), schedule.Jobs.capacity() * sizeof(Job));
  schedule.ReadDiagnostics.clear();
  LineNotes notes(schedule.ScheduleFile, schedule.ReadDiagnostics);
  char delimiter = 0;
  int line_number = 0;
  for_each_line([&](std::string_view line) {
    notes.SetLine(++line_number);
    if (delimiter == 0) delimiter = line.find('\t') != std::string_view::npos ? '\t' : ',';
    if (line.empty()) return;
    if (schedule.JobCount() == kMaxJobs)
      log.FatalStop("Schedule file \"" + schedule.ScheduleFile + "\" holds more than 32767 jobs");
    Job& job = schedule.Jobs.emplace_back();
    const size_t noted = schedule.ReadDiagnostics.size();
    FillJob(schedule, line, delimiter, job, &notes);
    if (schedule.ReadDiagnostics.size() > noted + 1)  // a line's faults in column order
      std::stable_sort(schedule.ReadDiagnostics.begin() + static_cast<ptrdiff_t>(noted),
                       schedule.ReadDiagnostics.end(),
                       [](const auto& a, const auto& b) { return a.column < b.column; });
    // Blank counts as empty: the writer trims the column, so a blank first
    // definition would turn into the stock variables at the next read anyway.
    if (TrimView(job.DateVars[0]).empty()) SetStockDateVars(job);
    if (schedule.JobCount() > 1) ShareEqualLists(job, schedule[schedule.JobCount() - 1]);
    SetReadStatus(job);
    SetJobStatus(schedule, schedule.JobCount());
  });
}

void OfferToCreate(Schedule& schedule, RunLog& log, Operator& op) {
  Answer answer = op.Ask(
      "Schedule file \"" + schedule.ScheduleFile + "\" does not exist.  Do you wish to create it?",
      Buttons::YesNo);
  if (answer != Answer::Yes) log.FatalStop("Quillrun terminated due to no schedule found");
  CreateSchedule(schedule, log, op);
}

// ---------------------------------------------------------------------------
// Writing a job.

// Whether the text holds a comma, a quote or a tab, which make a value
// quoted. Looks at eight bytes at a time: a byte equal to c is zero in
// v ^ (ones * c), and the zero-byte test flags a chunk that holds one.
bool HasSpecial(std::string_view text) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL, kHighs = 0x8080808080808080ULL;
  auto has_zero = [](uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  const char* p = text.data();
  const char* end = p + text.size();
  for (; end - p >= 8; p += 8) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    if (has_zero(v ^ (kOnes * ',')) | has_zero(v ^ (kOnes * '"')) | has_zero(v ^ (kOnes * '\t')))
      return true;
  }
  for (; p != end; ++p)
    if (*p == ',' || *p == kQuote || *p == '\t') return true;
  return false;
}

// Builds lines field by field straight into the text's buffer: each value
// has its quotes doubled and its blanks trimmed, and is enclosed in quotes
// when it holds a comma or a quote (or a tab, which would otherwise end the
// field), so the reader gives back exactly what was written. Finish() cuts
// the text to what was written.
class LineWriter {
 public:
  explicit LineWriter(std::string& out) : out_(out), used_(out.size()) {}
  void StartLine() { fields_ = 0; }
  void EndLine() { Append("\r\n"); }
  void Finish() { out_.resize(used_); }
  // The lines written since the last Clear(), for writing a piece at a time.
  std::string_view Written() const { return std::string_view(out_).substr(0, used_); }
  void Clear() { used_ = 0; }

  void Text(std::string_view value) { Put(TrimView(value)); }
  void TextKeepLeading(std::string_view value) {  // each leading blank belongs to a dependency
    size_t e = value.size();
    while (e > 0 && (value[e - 1] == ' ' || value[e - 1] == '\t')) --e;
    Put(value.substr(0, e));
  }
  void Number(int64_t value) {
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    PutPlain(std::string_view(buffer, static_cast<size_t>(end - buffer)));
  }
  void Flag(bool value) { PutPlain(value ? "-1" : "0"); }
  void Time(DateTime value) {
    char buffer[kDateTimeLength];
    if (WriteDateTime(buffer, value))
      PutPlain(std::string_view(buffer, kDateTimeLength));
    else
      PutPlain(FormatDateTime(value, kDateTimePattern));
  }
  void Empty() { PutPlain({}); }
  // Entries each followed by a comma; commas inside an entry become `escape`
  // when given; entries are trimmed when `trim`.
  template <typename Range>
  void List(const Range& entries, char escape = 0, bool trim = false) {
    list_.clear();
    for (const auto& entry : entries) {
      const std::string_view e = trim ? TrimView(entry) : std::string_view(entry);
      if (!e.empty()) {  // most entries are empty
        const size_t from = list_.size();
        list_.append(e);
        if (escape)
          std::replace(list_.begin() + static_cast<ptrdiff_t>(from), list_.end(), ',', escape);
        if (NeedsQuotes(std::string_view(list_).substr(from))) Quote(from);
      }
      list_ += ',';
    }
    Text(list_);
  }

 private:
  // The reader takes list entries as GetField takes fields: an entry that
  // begins with a quote or holds a comma reads back whole only in quotes,
  // its own quotes doubled ("Urgent" done, a subject, would lose " done").
  // Blanks before a quote count as nothing, as the column is trimmed.
  static bool NeedsQuotes(std::string_view entry) {
    const std::string_view t = TrimView(entry);
    return (!t.empty() && t.front() == kQuote) || t.find(',') != std::string_view::npos;
  }
  // The entry that begins at `from`, to the end of the list, in quotes.
  void Quote(size_t from) {
    list_.replace(from, std::string::npos,
                  QuoteText(DoubleQuotes(std::string_view(list_).substr(from))));
  }

  char* Room(size_t n) {
    if (out_.size() - used_ < n) out_.resize(std::max(out_.size() * 2, used_ + n));
    return out_.data() + used_;
  }
  void Append(std::string_view text) {
    std::memcpy(Room(text.size()), text.data(), text.size());
    used_ += text.size();
  }
  // A value that cannot hold a comma, a quote or a tab.
  void PutPlain(std::string_view value) {
    char* p = Room(value.size() + 1);
    if (fields_++ > 0) *p++ = '\t';
    if (!value.empty()) std::memcpy(p, value.data(), value.size());  // data() may be null
    used_ = static_cast<size_t>(p + value.size() - out_.data());
  }
  void Put(std::string_view value) {
    if (!HasSpecial(value)) return PutPlain(value);
    char* p = Room(value.size() * 2 + 3);
    if (fields_++ > 0) *p++ = '\t';
    *p++ = kQuote;
    for (char c : value) {
      if (c == kQuote) *p++ = kQuote;
      *p++ = c;
    }
    *p++ = kQuote;
    used_ = static_cast<size_t>(p - out_.data());
  }

  std::string& out_;
  size_t used_;
  std::string list_;
  int fields_ = 0;
};

// Column 7: the trimmed names, each followed by a comma. A blank name would
// end the list when read back, losing the names after it: a program error.
void WriteRunAfter(LineWriter& w, const Job& job, RunLog& log) {
  for (const std::string& name : job.RunAfter)
    if (TrimView(name).empty())
      log.FatalStop("Empty RunAfter entry for job " + job.JobName.Padded() + ".  Critical error.");
  w.List(job.RunAfter, 0, true);
}

void WriteColumns1To12(LineWriter& w, const Job& job, RunLog& log) {
  w.Text(job.JobName.Trimmed());
  w.Text(job.CommandLine);
  w.Text(job.EarliestStart.Trimmed());
  w.Text(job.Frequency);
  w.Text(job.Exclusivity);
  w.Text(job.SkipOn.Trimmed());
  WriteRunAfter(w, job, log);
  w.Flag(job.DeferRollover);
  w.Text(job.NormalMailTo);
  w.Text(job.OverrideCode.Trimmed());
  w.Flag(job.FailedFlag);
  w.Empty();
}

void WriteColumns13To26(LineWriter& w, const Job& job) {
  w.Time(job.StartedAt);
  w.Time(job.EndedAt);
  w.Flag(job.ForcedEnd);
  w.Number(job.Process.process_handle);
  w.Number(job.Process.thread_handle);
  w.Number(job.Process.process_id);
  w.Number(job.Process.thread_id);
  w.Time(job.EarliestStartAt);
  w.Flag(job.IsDosProgram);
  w.List(job.NormalMsg);
  w.Text(job.WaitFile);
  w.Text(job.Reserved24.Trimmed());
  w.Number(job.Reserved25);
  w.Number(job.LastDuration);
}

void WriteColumns27To38(LineWriter& w, const Job& job) {
  w.List(job.NormalMsgFlags);
  w.List(job.AbnormalMsgFlags);
  w.Text(job.NormalMailCc);
  w.Text(job.Group.Trimmed());
  w.Text(job.TriggerFile.Trimmed());
  w.Flag(job.DeleteWaitFile);
  w.Text(job.Description.Trimmed());
  w.Number(job.Reserved34);
  w.Text(job.AbnormalMailTo);
  w.Text(job.AbnormalMailCc);
  w.Empty();
  w.Flag(job.SuppressEmptyMsg);
}

void WriteColumns39To50(LineWriter& w, const Job& job) {
  w.List(job.AbnormalMsg);
  w.Number(job.CpuUsage);
  w.Flag(job.Critical);
  w.List(job.DateVars, kCommaEscape);
  w.Flag(job.SubmitOnly);
  w.Number(job.DeferEojMsgMins);
  w.TextKeepLeading(job.DepConditions);  // as column 46: letters belong to dependencies by place
  w.TextKeepLeading(job.DepAutoUnsched);
  w.Number(job.AutoReschedule);
  w.Empty();
  w.Empty();
  w.Empty();
}

void WriteJob(LineWriter& w, const Job& job, RunLog& log) {
  w.StartLine();
  WriteColumns1To12(w, job, log);
  WriteColumns13To26(w, job);
  WriteColumns27To38(w, job);
  WriteColumns39To50(w, job);
}

// The old schedule file becomes the backup under a second name, which
// replaces the previous backup in a single rename, so that the schedule
// file stays in place until the new one replaces it. Where the file system
// has no second names, the old file itself is renamed to the backup, and for
// a moment only the backup is there.
bool KeepAsBackup(const std::string& path) {
  if (!FileExists(path)) return true;
  const std::string backup = BackupName(path), second_name = backup + ".new~";
  RemoveFile(second_name);  // left by a stop at this point
  return RenameFile(LinkFile(path, second_name) ? second_name : path, backup);
}

// The job lines go to the new file a piece at a time, so that a large
// schedule's text is never held whole: a buffer that stays in the cache beats
// one of the file's size, whose pages the system would first have to provide.
// Whenever the process stops, the schedule file is there and whole.
bool WriteScheduleFile(const Schedule& schedule, RunLog& log) {
  constexpr size_t kPieceSize = 256 * 1024;
  AtomicFile file(schedule.ScheduleFile);
  std::string piece;
  LineWriter w(piece);
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    WriteJob(w, schedule[i], log);
    w.EndLine();
    if (w.Written().size() >= kPieceSize || i == schedule.JobCount()) {
      if (!file.Write(w.Written())) return false;
      w.Clear();
    }
  }
  return file.Commit([&] { return KeepAsBackup(schedule.ScheduleFile); });
}

// Writes until the file is saved or the operator cancels, which is fatal.
void SaveWithRetry(const Schedule& schedule, RunLog& log, Operator& op) {
  while (!WriteScheduleFile(schedule, log)) {
    Answer a = op.Ask("Cannot rename or save schedule.  Retry or Cancel?", Buttons::RetryCancel);
    if (a != Answer::Retry) log.FatalStop("Quillrun cancelled due to save error.");
  }
}

}  // namespace

void ReadSchedule(Schedule& schedule, RunLog& log, Operator& op) {
  schedule.ClearJobs();
  if (DirExists(schedule.ScheduleFile))  // offering to create it would only fail
    log.FatalStop("Schedule file \"" + schedule.ScheduleFile + "\" is a folder, not a file");
  if (!FileExists(schedule.ScheduleFile)) OfferToCreate(schedule, log, op);
  BlockReader reader(schedule.ScheduleFile);
  if (!reader.Good()) log.TellAndEnd(std::string(kFileErrorPrefix) + schedule.ScheduleFile + "\"");
  schedule.ClearJobs();  // a schedule just created is read back like any other
  FillJobs(schedule, log, reader.MostLines(), [&](auto line) { reader.ForEachLine(line); });
  if (!reader.Good()) log.TellAndEnd(std::string(kFileErrorPrefix) + schedule.ScheduleFile + "\"");
  if (ReplayJournal(schedule) > 0)  // starts made after the file was last written
    for (int i = 1; i <= schedule.JobCount(); ++i) SetJobStatus(schedule, i);
}

void ReadScheduleText(Schedule& schedule, RunLog& log, std::string_view text) {
  schedule.ClearJobs();
  const auto lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  FillJobs(schedule, log, lines, [&](auto line) { ForEachLine(text, line); });
}

bool WriteSchedule(Schedule& schedule, RunLog& log, Operator& op) {
  if (EndsWith(Lower(schedule.ScheduleFile), "bak")) {
    op.Tell("Quillrun cannot save to \".BAK\" file");
    return false;
  }
  SaveWithRetry(schedule, log, op);
  ClearJournal(schedule);  // the file now holds every start the journal recorded
  RewriteTriggersList(schedule, log);
  return true;
}

void CreateSchedule(Schedule& schedule, RunLog& log, Operator& op) {
  schedule.ClearJobs();
  schedule.Jobs.push_back(NewPlaceholderJob());
  WriteSchedule(schedule, log, op);
}

std::string FormatJobLine(const Job& job, RunLog& log) {
  std::string line;
  LineWriter w(line);
  WriteJob(w, job, log);
  w.Finish();
  return line;
}

Job ParseJobLine(const Schedule& schedule, std::string_view line, char delimiter) {
  Job job;
  FillJob(schedule, line, delimiter, job);
  return job;
}

std::string BackupName(std::string_view schedule_file) {
  const size_t slash = schedule_file.rfind('/');
  const size_t name = slash == std::string_view::npos ? 0 : slash + 1;
  return std::string(schedule_file.substr(0, schedule_file.find('.', name + 1))) + ".bak";
}

}  // namespace qlr
