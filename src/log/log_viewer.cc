#include "log/log_viewer.h"

#include <algorithm>
#include <cerrno>

#include "base/text.h"
#include "log/run_log.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

// The folder of LogFile with its "/", or "" when it has none.
std::string LogFolder(const Schedule& schedule) {
  size_t slash = schedule.LogFile.rfind('/');
  return slash == std::string::npos ? std::string() : schedule.LogFile.substr(0, slash + 1);
}

// The text of a log line after its time stamp: four characters after the
// second ":" (the one between minutes and seconds); npos when there is none.
size_t MessageStart(std::string_view line) {
  size_t first = line.find(':');
  size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
  return second == std::string_view::npos ? second : second + 4;
}

bool IsFailure(std::string_view message) {
  size_t blank = message.find(' ');
  std::string_view rest =
      TrimView(blank == std::string_view::npos ? "" : message.substr(blank + 1));
  return StartsWithNoCase(rest, "FAILED") || StartsWithNoCase(rest, "SUBMISSION FAILED AT ");
}

}  // namespace

std::vector<std::string> LogNames(const Schedule& schedule, DateTime now) {
  std::vector<std::string> names;
  for (const std::string& path : ListMatching(ExpandLogName(schedule.LogFile, true, now)))
    names.push_back(TextBefore(BaseName(path), "."));
  std::sort(names.begin(), names.end());
  return names;
}

void RemoveDups(std::vector<std::string>& names) {
  names.erase(std::unique(names.begin(), names.end()), names.end());
}

std::vector<std::string> GroupNames(const Schedule& schedule) {
  std::vector<std::string> groups;
  for (int i = 1; i <= schedule.JobCount(); ++i) groups.push_back(schedule[i].Group.Str());
  std::sort(groups.begin(), groups.end());
  RemoveDups(groups);
  return groups;
}

std::vector<std::string> JobsOfGroup(const Schedule& schedule, std::string_view group) {
  std::vector<std::string> jobs;
  for (int i = 1; i <= schedule.JobCount(); ++i)
    if (schedule[i].Group.Trimmed() == TrimView(group)) jobs.push_back(schedule[i].JobName.Str());
  return jobs;
}

bool LineSelected(std::string_view line, LogSelection selection,
                  const std::vector<std::string>& names) {
  if (selection == LogSelection::All) return true;
  size_t start = MessageStart(line);
  if (start == std::string_view::npos) return false;
  std::string_view message = line.substr(std::min(start, line.size()));
  if (selection == LogSelection::Failed) return IsFailure(message);
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& name) { return StartsWithNoCase(message, name); });
}

std::string CopyLog(const Schedule& schedule, Operator& op, std::string_view log_name,
                    LogSelection selection, const std::vector<std::string>& names) {
  const std::string folder = LogFolder(schedule);
  const std::string source =
      folder + std::string(log_name) + "." + TextAfter(BaseName(schedule.LogFile), ".");
  const std::string copy = folder + std::string(log_name) + ".tmp";
  std::string text;
  auto lines = ReadLines(source);
  if (lines)
    for (const std::string& line : *lines)
      if (LineSelected(line, selection, names)) text += line + "\r\n";
  if (!lines || !WriteWholeFile(copy, text)) {
    op.Tell("Error copying log: " + LastErrorText());
    return {};
  }
  return copy;
}

}  // namespace qlr
