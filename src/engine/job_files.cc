#include "engine/job_files.h"

#include "base/date_format.h"
#include "base/text.h"
#include "model/constants.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

std::string NowText(const Schedule& schedule, DateTime now, std::string_view time_pattern) {
  return FormatDateTime(now, schedule.Calendar.FormatShortDate) + FormatDateTime(now, time_pattern);
}

std::string TriggerFilePath(const Schedule& schedule, const Job& job) {
  if (job.TriggerFile.Trimmed() == kStandardTriggerMark)
    return StandardTriggerPath(schedule, job.JobName.Trimmed());
  return job.TriggerFile.Str();
}

}  // namespace

std::string StandardTriggerPath(const Schedule& schedule, std::string_view job_name) {
  return JoinPath(schedule.TriggerPath, SafeFileName(job_name) + ".trg");
}

std::string WaitFilePath(const Schedule& schedule, std::string_view wait_file) {
  std::string_view trimmed = TrimView(wait_file);
  if (StartsWith(trimmed, "..")) return StandardTriggerPath(schedule, TrimView(trimmed.substr(2)));
  return std::string(trimmed);
}

std::string JobOutputPath(const Schedule& schedule, const Job& job) {
  return JoinPath(schedule.JobOutputPath, SafeFileName(job.JobName.Trimmed()) + ".out");
}

std::string FoundWaitFile(const Schedule& schedule, std::string_view wait_file) {
  std::string path = WaitFilePath(schedule, wait_file);
  if (BaseName(path).find_first_of("?*") == std::string::npos)  // one file: no folder listing
    return FileExists(path) ? path : std::string();
  std::vector<std::string> found = ListMatching(path);
  return found.empty() ? std::string() : found.front();
}

bool TrigFileFound(const Schedule& schedule, std::string_view wait_file) {
  return !FoundWaitFile(schedule, wait_file).empty();
}

void CrtTrigger(const Schedule& schedule, RunLog& log, DateTime now, const Job& job) {
  std::string path = TriggerFilePath(schedule, job);
  std::string line = "Trigger file for job " + job.JobName.Str() + " written at " +
                     NowText(schedule, now, " hh:mm:ss");
  if (!WriteWholeFile(path, line + "\r\n"))
    log.LogAndList("Could not create trigger file: \"" + path + "\" at end of job " +
                   job.JobName.Padded());
}

void DeleteTrigger(const Schedule& schedule, RunLog& log, const Job& job) {
  std::string path = FoundWaitFile(schedule, job.WaitFile);
  if (path.empty()) path = WaitFilePath(schedule, job.WaitFile);
  if (!RemoveFile(path))
    log.LogAndList("Could not delete trigger file: \"" + path + "\" at start of job " +
                   job.JobName.Padded());
}

void Track(const Schedule& schedule, RunLog& log, DateTime now, std::string_view job_name,
           std::string_view text) {
  if (schedule.TrackerPath.empty()) return;
  std::string path = JoinPath(schedule.TrackerPath, SafeFileName(job_name) + ".trk");
  log.WriteFile(path, std::string(text) + "," + Trim(schedule.ScheduleName) + "," +
                          NowText(schedule, now, " hh:nn:ss"));
}

}  // namespace qlr
