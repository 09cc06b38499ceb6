#pragma once
// A run day's timeline read back from the run log. The engine logs each
// submission, end, failure, forced completion, unscheduling and rescheduling
// of a job; the lines between the run day's "Schedule for" heading and the
// next day's are the day's, and a day that passes midnight may continue in a
// second log file when LogFile names one file per day.

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "log/timeline.h"
#include "model/schedule.h"

namespace qlr {

class DayLogReader {
 public:
  // Reads for run day `run_date` (a date) of `schedule`: its ScheduleName,
  // DayStart and short date format (which the day's heading is written in).
  DayLogReader(const Schedule& schedule, DateTime run_date);

  // One line of the log as it was written, without its line end, in the order written.
  void Feed(std::string_view line);
  // Whether the run day's heading was met.
  bool found() const { return found_; }
  // The runs met. A run still open when the lines end runs until `now`.
  Timeline Finish(DateTime now);

 private:
  struct Stamped {
    DateTime at = 0;
    std::string message;
    bool dummy = false;
  };
  static bool Unstamp(std::string_view line, Stamped& out);
  void Heading(const Stamped& line);
  void RunLine(const Stamped& line);
  void Submitted(const std::string& job, DateTime at);
  void Ended(const std::string& job, DateTime at, bool failed, int64_t duration);
  void Moment(const std::string& job, DateTime at, RunOutcome outcome);
  void CloseOpen(DateTime at);

  Timeline timeline_;
  std::string heading_;  // "Schedule for <the run day> "
  bool found_ = false;
  bool in_day_ = false;
  int64_t shift_ = 0;                   // a rehearsal's lines moved onto the run date
  std::map<std::string, size_t> open_;  // job -> its run still going
  std::map<std::string, size_t> last_;  // job -> its latest run
  std::set<std::string> forced_;        // jobs whose completion was forced, not yet ended
};

// The log files that can hold run day `run_date`: those LogFile names for
// the day before it to two days after, each once, in date order.
std::vector<std::string> DayLogFiles(const Schedule& schedule, DateTime run_date);

struct DayLog {
  Timeline timeline;
  std::vector<std::string> files;  // the files that exist and were read
  bool found = false;              // the run day's heading is in them
};
// Reads the run day from its log files (DayLogFiles); runs still going end at `now`.
DayLog ReadDayLog(const Schedule& schedule, DateTime run_date, DateTime now);

}  // namespace qlr
