#include "editor/trigger_choices.h"

#include "base/text.h"
#include "model/constants.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

std::string_view JobOfLine(std::string_view line) { return line.substr(0, line.find(' ')); }

// The job a "..JOB" wait names: the text after its first two characters.
std::string AwaitedJob(std::string_view wait_file) {
  return wait_file.size() > 2 ? std::string(wait_file.substr(2)) : "";
}

}  // namespace

std::string_view WaitFileChoice::Label() const {
  switch (choice) {
    case WaitChoice::Interschedule:
      return "Interschedule Trigger File from Job:";
    case WaitChoice::External:
      return "External Trigger File:";
    case WaitChoice::None:
      break;
  }
  return {};
}

WaitFileChoice OpenWaitFile(const Schedule& schedule, Job& job, Operator& op) {
  WaitFileChoice wait;
  const std::string_view file = job.WaitFile;
  if (StartsWith(file, ".."))
    wait.choice = WaitChoice::Interschedule;
  else if (!TrimView(file.substr(0, 2)).empty())
    wait.choice = WaitChoice::External;
  if (wait.choice == WaitChoice::External) wait.file_name = Trim(file);
  wait.delete_file = job.DeleteWaitFile;
  BuildTriggers(schedule, job, op, wait);
  return wait;
}

void BuildTriggers(const Schedule& schedule, Job& job, Operator& op, WaitFileChoice& wait) {
  wait.trigger_jobs.clear();
  wait.selected = -1;
  const std::string& list_file = schedule.TriggersListFile;
  if (list_file.empty() || !FileExists(list_file)) return;
  wait.trigger_jobs = ReadLines(list_file).value_or(std::vector<std::string>{});
  wait.selected = FindTriggerJob(wait, Trim(AwaitedJob(job.WaitFile)));
  if (wait.selected >= 0 || !StartsWith(job.WaitFile, "..")) return;
  op.Tell("Cannot find job \"" + AwaitedJob(job.WaitFile) +
          "\" in interschedule dependency list.  Dependency dropped.");
  wait.choice = WaitChoice::None;
  job.WaitFile.clear();
}

int FindTriggerJob(const WaitFileChoice& wait, std::string_view name) {
  for (int i = static_cast<int>(wait.trigger_jobs.size()) - 1; i >= 0; --i)
    if (EqualsNoCase(JobOfLine(wait.trigger_jobs[static_cast<size_t>(i)]), name)) return i;
  return -1;
}

void StoreWaitFile(const WaitFileChoice& wait, Job& job) {
  switch (wait.choice) {
    case WaitChoice::None:
      job.WaitFile.clear();
      job.DeleteWaitFile = false;
      return;
    case WaitChoice::Interschedule:
      job.WaitFile = "..";
      if (wait.selected >= 0)
        job.WaitFile += JobOfLine(wait.trigger_jobs[static_cast<size_t>(wait.selected)]);
      break;
    case WaitChoice::External:
      job.WaitFile = wait.file_name;
      break;
  }
  job.DeleteWaitFile = wait.delete_file;
}

TriggerCreation OpenTriggerCreation(const Job& job) {
  if (job.TriggerFile.Trimmed() == kStandardTriggerMark) return {TriggerChoice::Interschedule, ""};
  if (!job.TriggerFile.IsBlank()) return {TriggerChoice::External, job.TriggerFile.Str()};
  return {};
}

std::string TriggerFileToStore(const TriggerCreation& trigger) {
  switch (trigger.choice) {
    case TriggerChoice::None:
      return "";
    case TriggerChoice::Interschedule:
      return std::string(kStandardTriggerMark);
    case TriggerChoice::External:
      return trigger.file_name;
  }
  return "";
}

}  // namespace qlr
