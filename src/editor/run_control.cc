#include "editor/run_control.h"

#include "base/text.h"
#include "calendar/holidays.h"
#include "editor/group_list.h"
#include "editor/modify_schedule.h"

namespace qlr {
namespace {

// The status report names this many waiting predecessors of a job at most:
// the jobs at the end of a long chain would otherwise name thousands each.
constexpr size_t kWaitListLimit = 20;
constexpr size_t kLogLines = 20;

// Marks a request at work for as long as it lasts, also when it ends early.
class AtWork {
 public:
  AtWork(bool& flag, bool& yes, bool request_yes) : flag_(flag), yes_(yes) {
    flag_ = true;
    yes_ = request_yes;
  }
  ~AtWork() { flag_ = yes_ = false; }
  AtWork(const AtWork&) = delete;
  AtWork& operator=(const AtWork&) = delete;

 private:
  bool& flag_;
  bool& yes_;
};

ControlReply Refused(std::string message) { return {false, false, std::move(message), {}}; }
ControlReply Done(std::string message) { return {true, false, std::move(message), {}}; }

}  // namespace

const char* StatusName(JobStatus status) {
  switch (status) {
    case JobStatus::Scheduled:
      return "Scheduled";
    case JobStatus::Running:
      return "Running";
    case JobStatus::Completed:
      return "Completed";
    case JobStatus::EndForced:
      return "EndForced";
    case JobStatus::SubmitFailed:
      return "SubmitFailed";
    case JobStatus::NotScheduled:
      return "NotScheduled";
    case JobStatus::Failed:
      return "Failed";
    case JobStatus::Unscheduled:
      return "Unscheduled";
  }
  return "";
}

RunControl::RunControl(Schedule& schedule, Engine& engine, Operator& op)
    : schedule_(schedule), engine_(engine), op_(op) {}

void RunControl::Told(const std::string& text) { told_.push_back(text); }

ControlReply RunControl::Carry(const ControlRequest& request) {
  told_.clear();
  ControlReply reply;
  {
    AtWork work(at_work_, yes_, request.yes);
    reply = Dispatch(request);
  }
  for (const std::string& text : told_) reply.message += (reply.message.empty() ? "" : "\n") + text;
  return reply;
}

ControlReply RunControl::Dispatch(const ControlRequest& request) {
  const std::string& command = request.command;
  if (command == "status") return Status();
  if (command == "kick") {
    engine_.Kick();
    return Done("Kicked");
  }
  if (command == "suspend" || command == "resume") return Suspend(command == "suspend");
  if (command == "next-day") return NextDay();
  if (command == "stop") return {true, true, "The run is closing", {}};
  const bool needs_job =
      command == "force" || command == "submit" || command == "unsched" || command == "resched";
  if (!needs_job) return Refused("Unknown command: " + command);
  const int job = schedule_.FindJob(request.job);
  if (job == 0) return Refused("Unknown job: " + request.job);
  if (command == "force") return Force(job);
  if (command == "submit") return Submit(job);
  return Modify(job, command == "resched", request.cascade);
}

ControlReply RunControl::Status() {
  RunStatus status;
  const WindowState& window = engine_.window();
  status.run_date = FormatShortDate(schedule_.Calendar, schedule_.RunDate);
  status.suspended = window.suspended;
  status.complete = engine_.schedule_complete();
  for (int i = 1; i <= schedule_.JobCount(); ++i) {
    const Job& job = schedule_[i];
    const char* name = StatusName(job.Status);
    ++status.counts[name];
    status.jobs.push_back(
        {std::string(job.JobName.Trimmed()), name, engine_.StatusTextOf(i, kWaitListLimit)});
  }
  for (const EventEntry& entry : engine_.events().entries())
    status.events.push_back(ReplaceAll(entry.text, "\t", " "));
  const auto& list = window.list;
  for (size_t k = list.size() > kLogLines ? list.size() - kLogLines : 0; k < list.size(); ++k)
    status.log.push_back(list[k]);
  ControlReply reply;
  reply.status = std::move(status);
  return reply;
}

ControlReply RunControl::Suspend(bool suspend) {
  const WindowState& window = engine_.window();
  if (window.suspended == suspend)
    return Done(suspend ? "The run is suspended already" : "The run is not suspended");
  if (!window.suspend_enabled) return Refused("Suspend is not allowed now: the day's work is done");
  engine_.ToggleSuspend();
  return Done(suspend ? "Suspended" : "Resumed");
}

ControlReply RunControl::NextDay() {
  if (!engine_.window().next_day_enabled)
    return Refused("Next Day is not allowed now: the day's work is not done");
  const DateTime before = schedule_.RunDate;
  engine_.NextDay();
  if (schedule_.RunDate == before) return Refused("Not rolled over: the question was answered No");
  return Done("Rolled over to " + FormatShortDate(schedule_.Calendar, schedule_.RunDate));
}

ControlReply RunControl::Force(int job) {
  const auto& entries = engine_.events().entries();
  for (size_t row = 0; row < entries.size(); ++row) {
    if (entries[row].job != job || !entries[row].forceable()) continue;
    const std::string text = ReplaceAll(entries[row].text, "\t", " ");
    const size_t before = entries.size();
    engine_.ForceEvent(PaneRow{static_cast<int>(row)});
    const Job& forced = schedule_[job];
    if (engine_.events().entries().size() < before || forced.TriggerForced ||
        forced.Status == JobStatus::EndForced)
      return Done("Forced: " + text);
    return Refused("Not forced: the question was answered No");
  }
  return Refused("Job " + std::string(schedule_[job].JobName.Trimmed()) +
                 " is not in the events list");
}

ControlReply RunControl::Submit(int job) {
  const std::vector<int>& waiting = engine_.window().unsubmitted;
  for (size_t row = 0; row < waiting.size(); ++row) {
    if (waiting[row] != job) continue;
    if (schedule_[job].OverrideCode.Trimmed() == "S") {
      engine_.ForceSubmit(PaneRow{static_cast<int>(row)});  // tells that it is already
      return Refused("");
    }
    engine_.ForceSubmit(PaneRow{static_cast<int>(row)});
    if (schedule_[job].OverrideCode.Trimmed() != "S")
      return Refused("Not forced: the question was answered No");
    return Done("Job " + std::string(schedule_[job].JobName.Trimmed()) +
                " scheduled for forced submission");
  }
  return Refused("Job " + std::string(schedule_[job].JobName.Trimmed()) +
                 " is not waiting to be submitted");
}

// Modify Schedule on one job, all groups shown; with `cascade` the listed jobs
// that wait on it go with it.
ControlReply RunControl::Modify(int job, bool reschedule, bool cascade) {
  std::string group_filter(kAllGroups);
  ModifySchedule modify(schedule_, engine_, op_, group_filter);
  modify.Open();
  modify.SetIncludeUnscheduled(reschedule);
  modify.ChooseAction(reschedule ? ModifyAction::Reschedule : ModifyAction::Unschedule);
  const auto& entries = modify.view().entries;
  int row = -1;
  for (size_t r = 0; r < entries.size(); ++r)
    if (entries[r].job == job) row = static_cast<int>(r);
  const std::string name(schedule_[job].JobName.Trimmed());
  if (row < 0)
    return Refused("Job " + name + " cannot be " + (reschedule ? "rescheduled" : "unscheduled") +
                   " now (it is " + StatusName(schedule_[job].Status) + ")");
  modify.Select(row, true);
  if (cascade) modify.SetCascade(true);
  std::vector<std::string> names;
  for (const ModifyEntry& entry : entries)
    if (entry.selected) names.emplace_back(schedule_[entry.job].JobName.Trimmed());
  engine_.BeginModifySchedule();
  modify.Ok();
  engine_.EndModifySchedule(modify.view().RescheduleDone);
  std::string list;
  for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n;
  return Done((reschedule ? "Rescheduled: " : "Unscheduled: ") + list);
}

}  // namespace qlr
