// The panes: the events the operator may force, the unsubmitted jobs with
// their status report and forced submission; and the plumbing to the view.

#include "base/date_format.h"
#include "base/text.h"
#include "engine/engine.h"

namespace qlr {

void Engine::LogModification(const std::string& line) {
  LogAndList(line);
  events_.AddModification(line);
  Changed();
}

std::string Engine::UnsubText(PaneRow row) {
  const int i = win_.unsubmitted[static_cast<size_t>(row.index)];
  return schedule_[i].JobName.Padded() + "\t" + StatusTextOf(i);
}

std::string Engine::StatusTextOf(int i, size_t limit) {
  const Job& job = schedule_[i];
  if (job.StatusText != kWaitJob) return job.StatusText;
  return "Wait Job (" + WaitList(schedule_, deps_, log_, i, limit) + ")";
}

std::string Engine::ListTip(PaneRow row) const {
  if (row.index < 0 || row.index >= static_cast<int>(win_.list.size())) return {};
  const std::string& line = win_.list[static_cast<size_t>(row.index)];
  int job = schedule_.FindJob(TextBefore(line, "("));
  if (job != 0 && !schedule_[job].Description.IsBlank()) return schedule_[job].Description.Str();
  return ReplaceAll(line, "\t", " ");
}

// The chosen job stays chosen while it still waits.
void Engine::UnsubBuild() {
  const int chosen = win_.unsubmitted_selected >= 0 &&
                             win_.unsubmitted_selected < static_cast<int>(win_.unsubmitted.size())
                         ? win_.unsubmitted[static_cast<size_t>(win_.unsubmitted_selected)]
                         : 0;
  win_.unsubmitted.clear();
  win_.unsubmitted_selected = -1;
  for (int i = 1; i <= schedule_.JobCount(); ++i)
    if (schedule_[i].Status == JobStatus::Scheduled) {
      if (i == chosen) win_.unsubmitted_selected = static_cast<int>(win_.unsubmitted.size());
      win_.unsubmitted.push_back(i);
    }
  if (win_.unsubmitted_selected < 0) win_.unsub_label_reports = false;
}

void Engine::SelectEvent(PaneRow row) {
  win_.trigger_event_enabled = events_.Forceable(row) != nullptr;
  Changed();
}

void Engine::ForceEvent(PaneRow row) {
  const EventEntry* entry = events_.Forceable(row);
  if (entry == nullptr) return;
  const EventEntry event = *entry;
  if (!forced_confirmed_) {
    forced_confirmed_ = true;
    std::string question =
        "Forced triggering will have no effect on the real event.  It will only cause the schedule "
        "to "
        "behave as if the event had occurred.\n\nProceed to trigger the event(" +
        event.text + ")?";
    if (op_.Ask(question, Buttons::YesNo) != Answer::Yes) return;
  }
  Job& job = schedule_[event.job];
  if (job.EventIndex == event.key) {
    if (event.kind == EventKind::ForceCompletion)
      job.Status = JobStatus::EndForced;
    else
      job.TriggerForced = true;
  }
  win_.trigger_event_enabled = false;
  Changed();
  Kick();
}

void Engine::SelectUnsubmitted(PaneRow row) {
  if (row.index < 0 || row.index >= static_cast<int>(win_.unsubmitted.size())) return;
  win_.unsubmitted_selected = row.index;
  win_.unsub_label_reports = false;
  Changed();
}

std::string Engine::StatusReport(PaneRow row) {
  if (row.index < 0 || row.index >= static_cast<int>(win_.unsubmitted.size())) return {};
  const int i = win_.unsubmitted[static_cast<size_t>(row.index)];
  win_.unsubmitted_selected = row.index;
  win_.unsub_label_reports = true;
  Changed();
  const std::string report = WaitReasons(i);
  op_.Tell("Job " + schedule_[i].JobName.Padded() + " status: " + report);
  return report;
}

std::string Engine::WaitReasons(int i) {
  const Job& job = schedule_[i];
  std::string report;
  if (EarliestStartFor(job.EarliestStartAt) > Now())
    report += ",Too early (" + FormatDateTime(job.EarliestStartAt, "hh:nn") + ")";
  if (schedule_.SerialiseDosJobs && job.IsDosProgram && !CheckDOSSerial()) report += ",Wait DOS";
  std::string wait_list;
  if (!job.RunAfter.empty() &&
      CheckDependency(schedule_, deps_, log_, i, wait_list) != DepResult::Ready)
    report += ",Wait Job (" + wait_list + ")";
  if (!TrimView(job.Exclusivity).empty() && !CheckExclusive(i))
    report += ",Wait Excl (" + Trim(job.Exclusivity) + ")";
  if (!CPUAvailable(i)) report += ",Wait CPU";
  if (!report.empty()) report.erase(0, 1);
  return report;
}

void Engine::ForceSubmit(PaneRow row) {
  if (row.index < 0 || row.index >= static_cast<int>(win_.unsubmitted.size())) return;
  Job& job = schedule_[win_.unsubmitted[static_cast<size_t>(row.index)]];
  std::string name = job.JobName.Str();
  if (job.OverrideCode.Trimmed() == "S") {
    op_.Tell("Job " + name + " already scheduled for forced submission.  Check Events Window.");
    return;
  }
  if (op_.Ask("Force submit job " + name + "?", Buttons::YesNo) != Answer::Yes) return;
  job.OverrideCode = "S";
  LogAndList("Job " + name + " scheduled for forced submission.");
}

void Engine::ToggleEvents() {
  win_.events_shown = !win_.events_shown;
  Changed();
}

void Engine::ShowTimer() {
  win_.timer_secs = timer_.timer_secs();
  win_.timer_interval_ms = timer_.interval_ms();
  Changed();
}

void Engine::AddListLine(const std::string& line) {
  while (win_.list.size() >= WindowState::kMaxListLines) win_.list.pop_front();
  win_.list.push_back(line);
  if (view_) view_->ListLineAdded(line);
}

void Engine::LogAndList(const std::string& text) {
  if (deferred_log_ != nullptr)
    deferred_log_->push_back({text, 0});
  else
    log_.LogAndList(text);
}

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
