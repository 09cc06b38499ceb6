// The events pane (what the engine waits for that the operator may declare
// as happened), the unsubmitted-job pane with its status report and forced
// submission, and the plumbing to the view.

#include "base/date_format.h"
#include "base/text.h"
#include "engine/engine.h"

namespace qlr {

void Engine::InsertEvent(int job, const std::string& text) {
  ++event_counter_;
  win_.events.push_back({schedule_[job].JobName.Padded() + "\t" + text, event_counter_});
  schedule_[job].EventIndex = event_counter_;
  Changed();
}

void Engine::DeleteEvent(int job) {
  Job& j = schedule_[job];
  for (auto it = win_.events.begin(); it != win_.events.end(); ++it)
    if (it->key == j.EventIndex) {
      win_.events.erase(it);
      j.EventIndex = -1;
      break;
    }
  if (win_.events.empty()) event_counter_ = -1;
  Changed();
}

void Engine::LogModification(const std::string& line) {
  LogAndList(line);
  // The entry takes a key of its own that no job's EventIndex holds, so no
  // pass removes it in place of the job's own waiting entry.
  win_.events.push_back({line, ++event_counter_, false});
  Changed();
}

std::string Engine::UnsubText(int row) {
  const int i = win_.unsubmitted[static_cast<size_t>(row)];
  return schedule_[i].JobName.Padded() + "\t" + StatusTextOf(i);
}

std::string Engine::StatusTextOf(int i) {
  const Job& job = schedule_[i];
  if (job.StatusText != kWaitJob) return job.StatusText;
  std::string wait_list;
  CheckDependency(schedule_, deps_, log_, i, wait_list);
  return "Wait Job (" + wait_list + ")";
}

std::string Engine::ListTip(int row) const {
  if (row < 0 || row >= static_cast<int>(win_.list.size())) return {};
  const std::string& line = win_.list[static_cast<size_t>(row)];
  int job = schedule_.FindJob(TextBefore(line, "("));
  if (job != 0 && !schedule_[job].Description.IsBlank()) return schedule_[job].Description.Str();
  return ReplaceAll(line, "\t", " ");
}

void Engine::UnsubBuild() {
  std::string remembered =
      win_.unsubmitted_selected >= 0 && win_.unsubmitted_selected < static_cast<int>(win_.unsubmitted.size())
          ? UnsubText(win_.unsubmitted_selected)
          : std::string();
  win_.unsubmitted.clear();
  win_.unsubmitted_selected = -1;
  for (int i = 1; i <= schedule_.JobCount(); ++i)
    if (schedule_[i].Status == JobStatus::Scheduled) win_.unsubmitted.push_back(i);
  for (int row = static_cast<int>(win_.unsubmitted.size()) - 1; row >= 0 && !remembered.empty(); --row)
    if (UnsubText(row) == remembered) {
      win_.unsubmitted_selected = row;
      break;
    }
  RefreshUnsubLabel();
}

// The label tells of the chosen entry as it is now (its text, or its status
// report when that was asked for); with no entry chosen it is empty.
void Engine::RefreshUnsubLabel() {
  const int row = win_.unsubmitted_selected;
  if (row < 0 || row >= static_cast<int>(win_.unsubmitted.size())) {
    win_.unsub_label.clear();
    unsub_label_reports_ = false;
    return;
  }
  win_.unsub_label =
      unsub_label_reports_ ? WaitReasons(win_.unsubmitted[static_cast<size_t>(row)]) : UnsubText(row);
}

bool Engine::Forceable(int row) const {
  return row >= 0 && row < static_cast<int>(win_.events.size()) &&
         win_.events[static_cast<size_t>(row)].forceable;
}

void Engine::SelectEvent(int row) {
  win_.trigger_event_enabled = Forceable(row);
  Changed();
}

void Engine::ForceEvent(int row) {
  if (!Forceable(row)) return;
  const EventEntry event = win_.events[static_cast<size_t>(row)];
  const std::string& entry = event.text;
  if (!forced_confirmed_) {
    forced_confirmed_ = true;
    std::string question =
        "Forced triggering will have no effect on the real event.  It will only cause the schedule to "
        "behave as if the event had occurred.\n\nProceed to trigger the event(" + entry + ")?";
    if (log_.op().Ask(question, Buttons::YesNo) != Answer::Yes) return;
  }
  // The entry must be the job's own: the first job of that name may not be
  // the one whose entry this is.
  const int job = schedule_.FindJob(Left(entry, 8));
  if (job != 0 && schedule_[job].EventIndex == event.key) {
    std::string upper = Upper(entry);
    if (upper.find("FILE(") != std::string::npos || upper.find("FILE TRIGGER(") != std::string::npos)
      schedule_[job].TriggerForced = true;
    else
      schedule_[job].Status = JobStatus::EndForced;
  }
  win_.trigger_event_enabled = false;
  Changed();
  Kick();
}

void Engine::SelectUnsubmitted(int row) {
  if (row < 0 || row >= static_cast<int>(win_.unsubmitted.size())) return;
  win_.unsubmitted_selected = row;
  unsub_label_reports_ = false;
  RefreshUnsubLabel();
  Changed();
}

std::string Engine::StatusReport(int row) {
  if (row < 0 || row >= static_cast<int>(win_.unsubmitted.size())) return {};
  const int i = win_.unsubmitted[static_cast<size_t>(row)];
  win_.unsubmitted_selected = row;
  unsub_label_reports_ = true;
  RefreshUnsubLabel();
  Changed();
  log_.op().Tell("Job " + schedule_[i].JobName.Padded() + " status: " + win_.unsub_label);
  return win_.unsub_label;
}

// Every dispatch test the job fails, not only the first.
std::string Engine::WaitReasons(int i) {
  Job& job = schedule_[i];
  RecordRunning();
  std::string report;
  if (EarliestStartFor(job.EarliestStartAt) > log_.clock().Now())
    report += ",Too early (" + FormatDateTime(job.EarliestStartAt, "hh:nn") + ")";
  if (schedule_.SerialiseDosJobs && job.IsDosProgram && !CheckDOSSerial(i)) report += ",Wait DOS";
  std::string wait_list;
  if (!job.RunAfter.empty() && CheckDependency(schedule_, deps_, log_, i, wait_list) != DepResult::Ready)
    report += ",Wait Job (" + wait_list + ")";
  if (!TrimView(job.Exclusivity).empty() && !CheckExclusive(i))
    report += ",Wait Excl (" + Trim(job.Exclusivity) + ")";
  if (!CPUAvailable(i)) report += ",Wait CPU";
  if (!report.empty()) report.erase(0, 1);
  return report;
}

void Engine::ForceSubmit(int row) {
  if (row < 0 || row >= static_cast<int>(win_.unsubmitted.size())) return;
  Job& job = schedule_[win_.unsubmitted[static_cast<size_t>(row)]];
  std::string name = job.JobName.Str();
  if (job.OverrideCode.Trimmed() == "S") {
    log_.op().Tell("Job " + name + " already scheduled for forced submission.  Check Events Window.");
    return;
  }
  if (log_.op().Ask("Force submit job " + name + "?", Buttons::YesNo) != Answer::Yes) return;
  job.OverrideCode = "S";
  LogAndList("Job " + name + " scheduled for forced submission.");
}

void Engine::ToggleEvents() {
  win_.events_shown = StartsWith(win_.events_caption, "Show");
  win_.events_caption.replace(0, 4, win_.events_shown ? "Hide" : "Show");
  Changed();
}

void Engine::AddListLine(const std::string& line) {
  while (win_.list.size() >= WindowState::kMaxListLines) win_.list.pop_front();
  win_.list.push_back(line);
  if (view_) view_->ListLineAdded(line);
}

void Engine::LogAndList(const std::string& text) { log_.LogAndList(text); }

void Engine::Highlight(bool& flag, bool on) {
  flag = on;
  Changed();
  LetEventsRun();
}

void Engine::Changed() {
  if (view_) view_->StateChanged();
}

void Engine::LetEventsRun() {
  if (view_) view_->LetEventsRun();
}

}  // namespace qlr
