#pragma once
// Operating a running day from outside the window: the requests `qlr ctl`
// sends to `qlr run`, carried out by the engine's own operations (the ones
// the execution window's commands call), between passes. A question such an
// operation asks is answered by the request (`yes`), through the operator the
// engine was given; RunControl only says which answer to give.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

struct ControlRequest {
  std::string command =
      {};  // status, kick, suspend, resume, next-day, force, submit, unsched, resched, stop
  std::string job = {};  // force, submit, unsched, resched
  bool yes =
      false;  // the answer to the question the command asks; else the one that changes nothing
  bool cascade = false;  // unsched, resched: the jobs that wait on the job too
};

struct JobState {
  std::string name;
  std::string status;  // "Scheduled", "Running", "Completed", "EndForced", "SubmitFailed", ...
  std::string text;    // its status text; for a job that waits, why
};

// The answer to `status`.
struct RunStatus {
  std::string run_date;  // in the short display form
  bool suspended = false;
  bool complete = false;
  std::map<std::string, int> counts;  // by status, only those that occur
  std::vector<JobState> jobs;         // every job, in job order
  std::vector<std::string> events;    // the events pane, tabs as blanks
  std::vector<std::string> log;       // the last lines of the day's list, oldest first
};

struct ControlReply {
  bool ok = true;
  bool stop = false;    // the run is to close now, as SIGTERM closes it
  std::string message;  // why it was refused, or what was done
  std::optional<RunStatus> status;
};

// The name of a status as `status` gives it.
const char* StatusName(JobStatus status);

class RunControl {
 public:
  RunControl(Schedule& schedule, Engine& engine, Operator& op);

  // What the operator's questions are to get while `Carry` is at work.
  bool answering_yes() const { return yes_; }
  bool at_work() const { return at_work_; }
  // Carries the request out; texts told meanwhile are added to the reply's message.
  ControlReply Carry(const ControlRequest& request);
  // A text the engine told while a request was at work.
  void Told(const std::string& text);

 private:
  ControlReply Status();
  ControlReply Suspend(bool suspend);
  ControlReply NextDay();
  ControlReply Force(int job);
  ControlReply Submit(int job);
  ControlReply Modify(int job, bool reschedule, bool cascade);
  ControlReply Dispatch(const ControlRequest& request);

  Schedule& schedule_;
  Engine& engine_;
  Operator& op_;  // Modify Schedule's question, should it ask
  bool yes_ = false;
  bool at_work_ = false;
  std::vector<std::string> told_;
};

}  // namespace qlr
