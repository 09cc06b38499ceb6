#include "store/run_journal.h"

#include <map>

#include "base/field.h"
#include "base/number.h"
#include "base/text.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

std::string Record(char kind, const Schedule& schedule, int index, DateTime stamp) {
  return std::string(1, kind) + "\t" + std::to_string(index) + "\t" +
         schedule[index].JobName.Str() + "\t" + std::to_string(stamp);
}

// The job a record names: by its index when the name still matches, else by name.
int JobOf(const Schedule& schedule, std::string_view index_text, std::string_view name) {
  int index = ReadInt32(index_text);
  if (index >= 1 && index <= schedule.JobCount() && schedule[index].JobName.Trimmed() == name)
    return index;
  return schedule.FindJob(name);
}

struct Start {
  DateTime stamp = 0;
  bool confirmed = false;
  ProcessInfo process;
};

}  // namespace

std::string JournalPath(const Schedule& schedule) { return schedule.ScheduleFile + ".journal"; }

bool JournalBeforeStart(const Schedule& schedule, const std::vector<JournalStart>& starts) {
  std::string lines;
  for (const JournalStart& s : starts) lines += Record('B', schedule, s.index, s.stamp) + "\n";
  return AppendDurably(JournalPath(schedule), lines);
}

bool JournalStarted(const Schedule& schedule, const std::vector<JournalStart>& starts) {
  std::string lines;
  for (const JournalStart& s : starts)
    lines += Record('P', schedule, s.index, s.stamp) + "\t" +
             std::to_string(s.process.process_handle) + "\t" +
             std::to_string(s.process.process_id) + "\n";
  return AppendDurably(JournalPath(schedule), lines);
}

int ReplayJournal(Schedule& schedule) {
  auto lines = ReadLines(JournalPath(schedule));
  if (!lines) return 0;
  std::map<int, Start> starts;  // the last start of each job wins
  for (const std::string& line : *lines) {
    int job = JobOf(schedule, GetField(line, 2, '"', '\t'), GetField(line, 3, '"', '\t'));
    if (job == 0) continue;  // a torn last line or a job no longer there
    std::string kind = GetField(line, 1, '"', '\t');
    Start& s = starts[job];
    s.stamp = ReadWhole(GetField(line, 4, '"', '\t'), INT64_MIN / 2, INT64_MAX / 2);
    s.confirmed = kind == "P";
    s.process = {};
    if (s.confirmed) {
      s.process.process_handle = ReadInt32(GetField(line, 5, '"', '\t'));
      s.process.process_id = s.process.thread_id = ReadInt32(GetField(line, 6, '"', '\t'));
    }
  }
  for (auto& [job, s] : starts) {
    Job& j = schedule[job];
    j.StartedAt = s.stamp;
    j.Process = s.process;
    j.EndedAt = s.confirmed ? 0 : s.stamp;
    j.FailedFlag = !s.confirmed;
    j.ForcedEnd = false;
    j.Status = s.confirmed ? JobStatus::Running : JobStatus::SubmitFailed;
    if (!s.confirmed) j.StatusText = "Submit Failed";
  }
  return static_cast<int>(starts.size());
}

void ClearJournal(const Schedule& schedule) { RemoveFile(JournalPath(schedule)); }

}  // namespace qlr
