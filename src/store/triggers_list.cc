#include "store/triggers_list.h"

#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "model/constants.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

// The lines other schedules keep in the list: every line without this
// schedule's "(NAME)", compared ignoring case.
std::string OtherSchedulesLines(const std::string& list_file, std::string_view mark,
                                const std::string& work_file, RunLog& log) {
  std::string kept;
  if (!FileExists(list_file)) return kept;
  std::optional<std::vector<std::string>> lines = ReadLines(list_file);
  if (!lines) log.TellAndEnd(std::string(kFileErrorPrefix) + work_file + "\"");
  for (const std::string& line : *lines)
    if (!ContainsNoCase(line, mark)) kept += line + "\r\n";
  return kept;
}

}  // namespace

void RewriteTriggersList(const Schedule& schedule, RunLog& log) {
  const std::string& list_file = schedule.TriggersListFile;
  if (list_file.empty()) return;
  const std::string work_file = schedule.TriggerPath + "/" + schedule.ScheduleName + ".tmp";
  const std::string name = Trim(schedule.ScheduleName);
  std::string content = OtherSchedulesLines(list_file, "(" + name + ")", work_file, log);
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    const Job& job = schedule[i];
    if (job.TriggerFile.Trimmed() == kStandardTriggerMark)
      content += job.JobName.Str() + " (" + name + ")\r\n";
  }
  // The work file is flushed before it replaces the list in one rename, so
  // readers in other schedules see the old list or the new one, never a part.
  if (!WriteFileAtomic(work_file, content))
    log.TellAndEnd(std::string(kFileErrorPrefix) + work_file + "\"");
  if (!RenameFile(work_file, list_file)) {
    RemoveFile(work_file);
    log.TellAndEnd("Could not rename \"" + work_file + "\" to \"" + list_file + "\"");
  }
}

}  // namespace qlr
