#include "store/triggers_list.h"

#include <optional>
#include <string>

#include "base/text.h"
#include "model/constants.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

// The lines other schedules keep in the list: every line without this
// schedule's "(NAME)", compared ignoring case.
std::string OtherSchedulesLines(std::string_view list, std::string_view mark) {
  std::string kept;
  ForEachLine(list, [&](std::string_view line) {
    if (!ContainsNoCase(line, mark)) kept.append(line).append("\r\n");
  });
  return kept;
}

}  // namespace

void RewriteTriggersList(const Schedule& schedule, RunLog& log) {
  const std::string& list_file = schedule.TriggersListFile;
  if (list_file.empty()) return;
  const std::string work_file = schedule.TriggerPath + "/" + schedule.ScheduleName + ".tmp";
  const std::string name = Trim(schedule.ScheduleName);
  std::optional<std::string> old_list;
  if (FileExists(list_file) && !(old_list = ReadWholeFile(list_file)))
    log.TellAndEnd(std::string(kFileErrorPrefix) + work_file + "\"");
  std::string content = OtherSchedulesLines(old_list.value_or(""), "(" + name + ")");
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    const Job& job = schedule[i];
    if (job.TriggerFile.Trimmed() == kStandardTriggerMark)
      content += job.JobName.Str() + " (" + name + ")\r\n";
  }
  // Most schedule writes change no standard trigger: the list is then left
  // alone, sparing every pass two waits for the disk.
  if (old_list == content) return;
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
