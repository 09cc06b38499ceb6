// Submission of a job, and the completion processing that follows it to its
// end: error texts in its output, the outcome, its trigger, tracker and
// message hand-offs, and automatic rescheduling.

#include <unordered_set>

#include "base/date_format.h"
#include "base/field.h"
#include "base/text.h"
#include "calendar/date_vars.h"
#include "calendar/status_decision.h"
#include "engine/engine.h"
#include "engine/job_files.h"
#include "messages/message_request.h"
#include "store/run_journal.h"

namespace qlr {
namespace {

ProcessRef RefOf(const Job& job) { return {job.Process.process_handle, job.Process.process_id}; }

std::string Unquoted(std::string_view text) { return ReplaceAll(text, "\"", ""); }

}  // namespace

// A DOS job goes through the command processor: COMSPEC /C when it is set,
// else /bin/sh -c. A dummy run starts the dummy program instead.
LaunchRequest Engine::RequestFor(int i) {
  const Job& job = schedule_[i];
  const std::string& comspec = job.IsDosProgram ? settings_.Comspec : std::string();
  std::string command =
      (comspec.empty() ? "" : comspec + " /C ") +
      SubstituteDateVars(schedule_, log_, op_, Now(), job.CommandLine, job.DateVars, job.Frequency);
  if (schedule_.DummyRun) return {DummyCommand(i, command), false, JobOutputPath(schedule_, job)};
  return {command, job.IsDosProgram && comspec.empty(), JobOutputPath(schedule_, job)};
}

std::string Engine::DummyCommand(int i, const std::string& command) const {
  const Job& job = schedule_[i];
  std::string program = schedule_.DummyProg;
  if (program.find(' ') != std::string::npos) program = QuoteText(program);
  std::string model = Upper(Unquoted(schedule_.DummyModel));
  model = ReplaceAll(model, "%DUMMYPROG%", program);
  model = ReplaceAll(model, "%JOBNAME%", job.JobName.Trimmed());
  model = ReplaceAll(model, "%CMDLINE%", QuoteText(Unquoted(command)));
  return ReplaceAll(model, "%FREQ%", QuoteText(Unquoted(job.Frequency)));
}

// A job whose tests passed runs from now on as far as the rest of the pass
// goes: its start is queued and made, with those of the other jobs of the
// pass, once every job has been looked at (StartQueued).
void Engine::Submit(int i) {
  Job& job = schedule_[i];
  job.Status = JobStatus::Running;
  job.StartedAt = StampTime(schedule_, clock_);
  job.EndedAt = 0;
  job.StatusText = "Running";
  job.FailedFlag = false;
  job.ErrorFound = false;
  job.ErrorText = "";
  running_.Add(schedule_, i);
  queued_.push_back({i, job.StartedAt, {}});
  deferred_log_->push_back({{}, i});  // its line, once it is known whether it started
  pass_.changed = true;
}

// The queued starts, recorded in the journal with one flush before they
// happen and one after; a job with an empty command line starts nothing and
// counts as started. Returns the jobs that could not be started.
std::unordered_set<int> Engine::StartQueued() {
  std::unordered_set<int> not_started;
  std::vector<JournalStart> processes;
  for (const JournalStart& start : queued_)
    if (!TrimView(schedule_[start.index].CommandLine).empty()) processes.push_back(start);
  std::vector<LaunchRequest> requests;
  for (const JournalStart& start : processes) requests.push_back(RequestFor(start.index));
  const bool journalled = processes.empty() || JournalBeforeStart(schedule_, processes);
  std::vector<JournalStart> started;
  for (size_t k = 0; k < processes.size(); ++k) {
    const std::optional<ProcessRef> process =
        journalled ? launcher_.Start(requests[k]) : std::nullopt;
    if (!process) {
      not_started.insert(processes[k].index);
      continue;
    }
    processes[k].process = {process->start_time, 0, process->pid, process->pid};
    started.push_back(processes[k]);
  }
  if (!started.empty()) JournalStarted(schedule_, started);
  for (const JournalStart& start : queued_) schedule_[start.index].Process = {};
  for (const JournalStart& start : started) schedule_[start.index].Process = start.process;
  queued_.clear();
  return not_started;
}

// Where the job was looked at, its submission's line: started, or not.
void Engine::SubmissionDone(int i, bool started) {
  Job& job = schedule_[i];
  std::string line;
  if (started) {
    job.EndCheckAfter = 0;  // the process exists from the moment it was started
    Track(schedule_, log_, Now(), job.JobName.Trimmed(), "Started");
    output_offsets_.resize(schedule_.Jobs.size());
    output_offsets_[static_cast<size_t>(i)] = 0;
    line = job.JobName.Padded() + " (" + Trim(job.Frequency) + ") \tSubmitted at " +
           FormatDateTime(job.StartedAt, "hh:nn:ss");
    if (job.DeleteWaitFile) DeleteTrigger(schedule_, log_, job);
    if (job.SubmitOnly) pass_.kick_soon = true;
  } else {
    job.StatusText = "Submit Failed";
    job.Status = JobStatus::SubmitFailed;
    job.StartedAt = 0;
    running_.Remove(schedule_, i);
    deps_.StatusChanged(i);
    line = job.JobName.Str() + "(" + Trim(job.Frequency) + ") \tSubmission failed at " +
           FormatDateTime(Now(), "hh:nn:ss");
    const DateTime stamp = StampTime(schedule_, clock_);
    finished_.push_back({i, stamp, stamp, RunOutcome::SubmitFailed, "", false});
    if (schedule_.ShowFailedJobsWarning) win_.failure_warning_visible = true;
    pass_.kick_soon = true;
  }
  LogAndList(line);
}

void Engine::Complete(int i) {
  Job& job = schedule_[i];
  bool ended = false;
  const bool forced = job.Status == JobStatus::EndForced;
  if (forced) {
    ended = true;
    LogAndList(job.JobName.Str() + "\tForced completion at " + FormatDateTime(Now(), "hh:nn:ss"));
    events_.Delete(job);
    Changed();
    // The operator's word stands, also after a restart: the job completed.
    job.ErrorFound = job.FailedFlag = false;
  } else if (TrimView(job.CommandLine).empty() || job.SubmitOnly) {
    ended = true;
  } else if (JobHasEnded(i)) {
    ended = job.EndCheckAfter < Now();
  } else {
    job.EndCheckAfter = 0;
  }
  if (!ended) {
    ScanOutput(i);
    // A failure seen before a restart is still one: the job is stopped again.
    if (job.ErrorFound || job.FailedFlag) StopFailedJob(i);
    return;
  }
  FinishJob(i, forced);
}

// The failure is recorded once the job has gone; the flag is kept from now
// on, so that a restart in between still knows the job failed.
void Engine::StopFailedJob(int i) {
  Job& job = schedule_[i];
  job.EndCheckAfter = 0;
  if (job.Process.process_id > 0) launcher_.Terminate(RefOf(job));
  pass_.kick_soon = true;
  job.FailedFlag = true;
}

bool Engine::JobHasEnded(int i) {
  Job& job = schedule_[i];
  ProcessState state = launcher_.Poll(RefOf(job));
  if (state.running) return false;
  ScanOutput(i);  // what it wrote just before it ended
  if (schedule_.FailOnExitCode && state.exit_known && !job.ErrorFound &&
      (state.signal != 0 || state.exit_code != 0)) {
    job.ErrorFound = true;
    job.ErrorText = state.signal != 0 ? "Killed by signal " + std::to_string(state.signal)
                                      : "Exit code " + std::to_string(state.exit_code);
  }
  return true;
}

void Engine::ScanOutput(int i) {
  Job& job = schedule_[i];
  if (job.Process.process_id == 0 || job.ErrorFound) return;
  output_offsets_.resize(schedule_.Jobs.size());
  int64_t& offset = output_offsets_[static_cast<size_t>(i)];
  for (const std::string& line :
       launcher_.ReadOutput(RefOf(job), JobOutputPath(schedule_, job), offset)) {
    std::string upper = Upper(line);
    for (int k = 1;; ++k) {
      std::string entry = GetField(schedule_.RunTimeErrorText, k, '"', '|');
      if (entry.empty()) break;
      if (upper.find(entry) == std::string::npos) continue;
      job.ErrorFound = true;
      job.ErrorText = ReplaceAll(Trim(line), "\n", " ");
      return;
    }
  }
}

void Engine::FinishJob(int i, bool forced) {
  Job& job = schedule_[i];
  const bool failed = job.ErrorFound || job.FailedFlag;
  const bool dummy = schedule_.DummyRun;
  running_.Remove(schedule_, i);
  if (failed) {
    // Whatever found the failure (an error text while it ran or in its last
    // output, its exit code or signal), the flag with the times below is what
    // makes a restart read the job back as failed rather than completed.
    job.FailedFlag = true;
    job.FailText = job.ErrorText.Trimmed();
    if (schedule_.ShowFailedJobsWarning) win_.failure_warning_visible = true;
    job.EndedAt = Now();
    if (!TrimView(job.AbnormalMailTo).empty())
      messages_.GenMessage(schedule_, MessageRequestFor(schedule_, i, true));
    job.Status = JobStatus::Failed;
    job.StatusText = "Failed";
    LogAndList(job.JobName.Padded() + "\tFailed" +
               (job.FailText.IsBlank() ? "" : "(" + job.FailText.Str() + ")"));
  } else {
    job.FailText = "";
    job.StatusText = "Completed";
    job.Status = JobStatus::Completed;
  }
  Track(schedule_, log_, Now(), job.JobName.Trimmed(), job.StatusText);
  job.EndedAt = StampTime(schedule_, clock_);
  pass_.changed = true;
  std::string line =
      job.JobName.Padded() + "\t" + Trim(job.StatusText) + " at " +
      FormatDateTime(job.EndedAt, "hh:nn:ss") + " (Duration " +
      FormatDateTime(std::max<DateTime>(job.EndedAt - job.StartedAt, 0), "hh:nn:ss") + ")";
  if (!dummy) {
    int64_t seconds = job.EndedAt - job.StartedAt;
    job.LastDuration =
        seconds > INT32_MAX ? 32000 : static_cast<int32_t>(std::max<int64_t>(seconds, 1));
  }
  LogAndList(line);
  finished_.push_back({i, job.StartedAt, job.EndedAt,
                       forced   ? RunOutcome::ForcedCompletion
                       : failed ? RunOutcome::Failed
                                : RunOutcome::Completed,
                       failed ? job.FailText.Str() : "", false});
  if (!failed) {
    events_.Delete(job);
    Changed();
  }
  if (!TrimView(job.NormalMailTo).empty() &&
      ((!failed && !dummy) || (dummy && options_.GenDummyMessages)))
    messages_.GenMessage(schedule_, MessageRequestFor(schedule_, i, false));
  if (!job.TriggerFile.IsBlank() && (!dummy || options_.CrtDummyTriggers))
    CrtTrigger(schedule_, log_, Now(), job);
  auto resched = static_cast<AutoResched>(job.AutoReschedule);
  if (resched == AutoResched::Always || (resched == AutoResched::Success && !failed) ||
      (resched == AutoResched::Failure && failed))
    Reschedule(i);
}

void Engine::Reschedule(int i) {
  Job& job = schedule_[i];
  job.StartedAt = job.EndedAt = 0;
  job.StatusText = "Rescheduled";
  job.Status = JobStatus::Scheduled;
  LogAndList(job.JobName.Padded() + "\tRescheduled at " + FormatDateTime(Now(), "hh:nn:ss"));
  if (!finished_.empty() && finished_.back().job == i) finished_.back().rescheduled = true;
}

}  // namespace qlr
