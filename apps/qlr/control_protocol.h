#pragma once
// The lines `qlr ctl` and `qlr run` exchange over the run's socket: one JSON
// object each way. A request: {"command": "...", "job": "...", "yes": false,
// "cascade": false}. An answer: {"ok": true, "message": "...", and for status
// "run_date", "suspended", "complete", "counts", "jobs", "events", "log"}.
// Texts inside are UTF-8.

#include <optional>
#include <string>

#include "editor/run_control.h"

namespace qlr {

std::string RequestLine(const ControlRequest& request);
// nullopt when the line is not a request.
std::optional<ControlRequest> ReadRequest(const std::string& line);

std::string ReplyLine(const ControlReply& reply);
// The answer as `qlr ctl` prints it without --json; false for a line that is
// no answer. `ok` tells whether the run carried the request out.
bool ReplyText(const std::string& line, std::string& text, bool& ok);

}  // namespace qlr
