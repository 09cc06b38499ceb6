#pragma once
// The run log and the fatal stop. The log keeps its own clock (for the lines'
// time stamps) and operator (to tell why the program ends); it hands out neither.

#include <functional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "log/program_end.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

// The log file's name for `now`: the tokens yyyy yy mmm mm ddd dd (lower case,
// in that order, each at its first place in the file-name part) are replaced
// by the date, or by as many "?" when `wildcards`.
std::string ExpandLogName(std::string_view log_file, bool wildcards, DateTime now);

// "(Dummy Run) " when dummy, the date in long_format, two blanks, hh:mm:ss, a
// blank and the text with its tabs turned into blanks (no line end).
std::string FormatLogLine(std::string_view text, DateTime now, bool dummy,
                          std::string_view long_format);

class RunLog {
 public:
  using ListSink = std::function<void(const std::string& line)>;

  RunLog(const Schedule& schedule, const Clock& clock, Operator& op)
      : schedule_(schedule), clock_(clock), op_(op) {}

  // Appends one line to the log file named from LogFile. A failed write tells
  // "Quillruun Cannot write to file <name>" and ends the program.
  void LogWrite(std::string_view text);
  // LogWrite, then the text (without time stamp) goes to the window's list.
  void LogAndList(std::string_view text);
  // A line for the window's list only (the engine's blank separator lines).
  void ListOnly(std::string_view text);
  // `owner` names the window the list belongs to; ClearListSink(owner) lets go
  // of the list only when it is still that window's.
  void SetListSink(ListSink sink, const void* owner = nullptr) {
    sink_ = std::move(sink);
    sink_owner_ = owner;
  }
  void ClearListSink(const void* owner) {
    if (sink_owner_ == owner) SetListSink(nullptr);
  }

  // Logs (when LogFile is set) and tells the message, then the closing-down
  // line, and ends the program by throwing ProgramEnd.
  [[noreturn]] void FatalStop(std::string_view message);
  // Ends the program after telling `message` (no log lines): for failures
  // that the program reports without its fatal stop.
  [[noreturn]] void TellAndEnd(std::string_view message);

  // Replaces a small file by one line, retrying up to 5000 times; after the
  // last failure logs "Cannot write to file <path>" and the system's reason.
  bool WriteFile(std::string_view path, std::string_view text);

  // Deletes the log viewer's ".tmp" copies older than a day.
  void DelOldLogs();

 private:
  const Schedule& schedule_;
  const Clock& clock_;
  Operator& op_;
  ListSink sink_;
  const void* sink_owner_ = nullptr;
};

}  // namespace qlr
