#include "log/timeline_log.h"

#include <algorithm>
#include <optional>

#include "base/date_format.h"
#include "base/text.h"
#include "log/run_log.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

constexpr std::string_view kDummyPrefix = "(Dummy Run) ";
constexpr std::string_view kDuration = " (Duration ";
constexpr size_t kTimeLength = 8;  // "hh:mm:ss"

std::string Key(std::string_view job) { return Upper(TrimView(job)); }

// When `message` ends with `keyword` and a time of day, the text before the
// keyword.
std::optional<std::string_view> BeforeTimed(std::string_view message, std::string_view keyword) {
  const size_t tail = keyword.size() + kTimeLength;
  if (message.size() < tail) return std::nullopt;
  const size_t at = message.size() - tail;
  if (message.substr(at, keyword.size()) != keyword ||
      !ParseTimeOfDay(message.substr(at + keyword.size())))
    return std::nullopt;
  return message.substr(0, at);
}

// "NAME     Completed at hh:mm:ss (Duration hh:mm:ss)", or with "Failed": the
// name, whether it failed and the duration.
struct EndLine {
  std::string job;
  bool failed = false;
  int64_t duration = 0;
};
std::optional<EndLine> ReadEndLine(std::string_view message) {
  const size_t tail = kDuration.size() + kTimeLength + 1;
  if (message.size() < tail || message.back() != ')') return std::nullopt;
  const size_t at = message.size() - tail;
  if (message.substr(at, kDuration.size()) != kDuration) return std::nullopt;
  const auto duration = ParseTimeOfDay(message.substr(at + kDuration.size(), kTimeLength));
  const auto head = BeforeTimed(message.substr(0, at), " at ");
  if (!duration || !head) return std::nullopt;
  for (std::string_view status : {"Completed", "Failed"})
    if (EndsWith(*head, status) && head->size() > status.size())
      return EndLine{Trim(head->substr(0, head->size() - status.size())), status == "Failed",
                     *duration};
  return std::nullopt;
}

// "NAME     Failed(text)" (the name padded to eight), or "NAME     Failed":
// the failure that the end line after it reports.
bool ReadFailLine(std::string_view message, std::string& job, std::string& text) {
  if (message.size() < 15 || message[8] != ' ') return false;
  std::string_view rest = message.substr(9);
  if (!StartsWith(rest, "Failed")) return false;
  rest.remove_prefix(6);
  if (!rest.empty() && !(rest.front() == '(' && rest.back() == ')')) return false;
  job = Trim(message.substr(0, 8));
  text = rest.empty() ? "" : std::string(rest.substr(1, rest.size() - 2));
  return true;
}

std::string DayText(const Schedule& schedule, DateTime run_date) {
  return FormatDateTime(run_date, "dddd ") +
         FormatDateTime(run_date, schedule.Calendar.FormatShortDate) + " ";
}

}  // namespace

DayLogReader::DayLogReader(const Schedule& schedule, DateTime run_date)
    : heading_("Schedule for " + DayText(schedule, run_date)) {
  timeline_.schedule_name = schedule.ScheduleName;
  timeline_.run_date = DateOnly(run_date);
  timeline_.day_start_at = timeline_.run_date + schedule.DayStart;
}

// "(Dummy Run) " perhaps, the date in the long form, two blanks, the time,
// a blank and the message.
bool DayLogReader::Unstamp(std::string_view line, Stamped& out) {
  out.dummy = StartsWith(line, kDummyPrefix);
  if (out.dummy) line.remove_prefix(kDummyPrefix.size());
  const size_t gap = line.find("  ");
  if (gap == std::string_view::npos || line.size() < gap + 2 + kTimeLength + 1) return false;
  const auto date = ParseDate(line.substr(0, gap));
  const auto time = ParseTimeOfDay(line.substr(gap + 2, kTimeLength));
  if (!date || !time || line[gap + 2 + kTimeLength] != ' ') return false;
  out.at = DateOnly(*date) + *time;
  out.message = std::string(line.substr(gap + 3 + kTimeLength));
  return true;
}

void DayLogReader::Feed(std::string_view line) {
  Stamped stamped;
  if (!Unstamp(line, stamped)) return;
  if (StartsWith(stamped.message, "Schedule for ") ||
      StartsWith(stamped.message, "End of day for "))
    Heading(stamped);
  else if (in_day_)
    RunLine(stamped);
}

// The run day's heading opens (or, after a restart, reopens) its section; the
// end of the day, or another day's heading, closes it.
void DayLogReader::Heading(const Stamped& line) {
  const DateTime at = line.at + shift_;
  if (StartsWith(line.message, heading_)) {
    found_ = in_day_ = true;
    // A rehearsal stamps its runs with the run date and the present time of
    // day; its lines carry the present date.
    shift_ = line.dummy ? timeline_.run_date - DateOnly(line.at) : 0;
    return;
  }
  if (in_day_) CloseOpen(at);
  in_day_ = false;
}

void DayLogReader::RunLine(const Stamped& line) {
  const DateTime at = line.at + shift_;
  const std::string_view m = line.message;
  std::string job, text;
  if (auto end = ReadEndLine(m)) {
    Ended(end->job, at, end->failed, end->duration);
  } else if (auto before = BeforeTimed(m, "Submitted at ")) {
    Submitted(Trim(TextBefore(*before, "(")), at);
  } else if (auto before = BeforeTimed(m, "Submission failed at ")) {
    Moment(Trim(TextBefore(*before, "(")), at, RunOutcome::SubmitFailed);
  } else if (auto before = BeforeTimed(m, "Unscheduled at ")) {
    Moment(Trim(*before), at, RunOutcome::Unscheduled);
  } else if (auto before = BeforeTimed(m, "Forced completion at ")) {
    forced_.insert(Key(*before));
  } else if (auto before = BeforeTimed(m, "Rescheduled at ")) {
    auto last = last_.find(Key(*before));
    if (last != last_.end()) timeline_.runs[last->second].rescheduled = true;
  } else if (ReadFailLine(m, job, text)) {
    auto open = open_.find(Key(job));
    if (open != open_.end()) timeline_.runs[open->second].fail_text = text;
  }
}

// A job started again while its last run is still open: that run's end was lost.
void DayLogReader::Submitted(const std::string& job, DateTime at) {
  auto open = open_.find(Key(job));
  if (open != open_.end()) {
    TimelineRun& lost = timeline_.runs[open->second];
    lost.end = std::max(at, lost.start);
    lost.outcome = RunOutcome::NoEnd;
  }
  timeline_.runs.push_back({job, at, at, RunOutcome::Running, "", false});
  open_[Key(job)] = last_[Key(job)] = timeline_.runs.size() - 1;
}

// An end whose submission is not in the logs read started its duration earlier.
void DayLogReader::Ended(const std::string& job, DateTime at, bool failed, int64_t duration) {
  const std::string key = Key(job);
  auto open = open_.find(key);
  if (open == open_.end()) {
    timeline_.runs.push_back({job, at - duration, at, RunOutcome::Running, "", false});
    open = open_.emplace(key, timeline_.runs.size() - 1).first;
  }
  TimelineRun& run = timeline_.runs[open->second];
  run.end = std::max(at, run.start);
  run.outcome = forced_.erase(key) > 0 ? RunOutcome::ForcedCompletion
                : failed               ? RunOutcome::Failed
                                       : RunOutcome::Completed;
  last_[key] = open->second;
  open_.erase(open);
}

void DayLogReader::Moment(const std::string& job, DateTime at, RunOutcome outcome) {
  timeline_.runs.push_back({job, at, at, outcome, "", false});
  last_[Key(job)] = timeline_.runs.size() - 1;
}

void DayLogReader::CloseOpen(DateTime at) {
  for (const auto& [key, index] : open_) {
    TimelineRun& run = timeline_.runs[index];
    run.end = std::max(at, run.start);
    run.outcome = RunOutcome::NoEnd;
  }
  open_.clear();
  forced_.clear();
}

Timeline DayLogReader::Finish(DateTime now) {
  for (const auto& [key, index] : open_) {
    TimelineRun& run = timeline_.runs[index];
    run.end = std::max(now, run.start);
  }
  open_.clear();
  timeline_.now = now;
  SortRuns(timeline_);
  return std::move(timeline_);
}

std::vector<std::string> DayLogFiles(const Schedule& schedule, DateTime run_date) {
  std::vector<std::string> files;
  for (int64_t day = -1; day <= 2; ++day) {
    std::string file = ExpandLogName(schedule.LogFile, false, AddDays(DateOnly(run_date), day));
    if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
  }
  return files;
}

DayLog ReadDayLog(const Schedule& schedule, DateTime run_date, DateTime now) {
  DayLog day;
  DayLogReader reader(schedule, run_date);
  for (const std::string& file : DayLogFiles(schedule, run_date)) {
    auto lines = ReadLines(file);
    if (!lines) continue;
    day.files.push_back(file);
    for (const std::string& line : *lines) reader.Feed(line);
  }
  day.found = reader.found();
  day.timeline = reader.Finish(now);
  return day;
}

}  // namespace qlr
