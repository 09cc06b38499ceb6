#include "log/run_log.h"

#include "base/date_format.h"
#include "base/text.h"
#include "model/constants.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

void ReplaceToken(std::string& name, size_t from, std::string_view token, std::string_view value) {
  size_t at = name.find(token, from);
  if (at != std::string::npos) name.replace(at, token.size(), value);
}

}  // namespace

std::string ExpandLogName(std::string_view log_file, bool wildcards, DateTime now) {
  std::string name(log_file);
  size_t slash = name.rfind('/');
  size_t from = slash == std::string::npos ? 0 : slash + 1;
  static constexpr std::string_view kTokens[] = {"yyyy", "yy", "mmm", "mm", "ddd", "dd"};
  for (std::string_view token : kTokens) {
    std::string value = wildcards ? std::string(token.size(), '?') : FormatDateTime(now, token);
    ReplaceToken(name, from, token, value);
  }
  return name;
}

std::string FormatLogLine(std::string_view text, DateTime now, bool dummy,
                          std::string_view long_format) {
  std::string line = dummy ? "(Dummy Run) " : "";
  line += FormatDateTime(now, long_format);
  line += FormatDateTime(now, "  hh:nn:ss ");
  line += ReplaceAll(text, "\t", " ");
  return line;
}

void RunLog::LogWrite(std::string_view text) {
  DateTime now = clock_.Now();
  std::string path = ExpandLogName(schedule_.LogFile, false, now);
  std::string line =
      FormatLogLine(text, now, schedule_.DummyRun, schedule_.Calendar.FormatLongDate);
  if (path.empty() || !AppendToFile(path, line + "\r\n"))
    TellAndEnd("Quillruun Cannot write to file " + path);
}

void RunLog::LogAndList(std::string_view text) {
  LogWrite(text);
  ListOnly(text);
}

void RunLog::ListOnly(std::string_view text) {
  if (sink_) sink_(std::string(text));
}

void RunLog::FatalStop(std::string_view message) {
  std::string text(message);
  if (!schedule_.LogFile.empty()) LogWrite(text);
  op_.Tell(text);
  if (!schedule_.LogFile.empty()) LogWrite(kClosingDown);
  op_.Tell(std::string(kClosingDown));
  throw ProgramEnd(text);
}

void RunLog::TellAndEnd(std::string_view message) {
  op_.Tell(std::string(message));
  throw ProgramEnd(std::string(message));
}

bool RunLog::WriteFile(std::string_view path, std::string_view text) {
  std::string content = std::string(text) + "\r\n";
  for (int attempt = 0; attempt < 5000; ++attempt)
    if (WriteWholeFile(path, content)) return true;
  LogAndList("Cannot write to file " + std::string(path) + "\r\n\r\n" + LastErrorText());
  return false;
}

void RunLog::DelOldLogs() {
  const std::string& log_file = schedule_.LogFile;
  if (log_file.find('/') == std::string::npos) return;
  std::string pattern = ExpandLogName(log_file, true, clock_.Now());
  size_t slash = pattern.rfind('/');
  size_t dot = pattern.find('.', slash);
  pattern = (dot == std::string::npos ? pattern : pattern.substr(0, dot + 1)) + "tmp";
  int64_t today = DayNumber(clock_.Now());
  for (const std::string& file : ListMatching(pattern)) {
    auto modified = LastModified(file);
    if (modified && today - DayNumber(*modified) > 1) RemoveFile(file);
  }
}

}  // namespace qlr
