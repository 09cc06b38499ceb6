#pragma once
// End-of-job message files: the message a job's end leaves in EmailPath for
// the mail sender, with its recipients' addresses, its body (literal text,
// included files, attachments) and a trailer. A file is "base.$$$" while it is
// written and "base.eml" once complete.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "log/run_log.h"
#include "messages/end_of_job.h"
#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

// Writes message files for the engine: named and dated from `clock`, a file
// that cannot be written is told to `op`, a message not made is logged.
class MessageFiles : public EndOfJobMessages {
 public:
  MessageFiles(RunLog& log, Operator& op, const Clock& clock) : log_(log), op_(op), clock_(clock) {}
  void GenMessage(Schedule& schedule, const MessageRequest& request) override;

 private:
  RunLog& log_;
  Operator& op_;
  const Clock& clock_;
};

// The message's base name: "yyyymmddhhnn." when deferred (the due time), the
// first four characters of the job name padded with "x", and the first
// four-digit counter no file in EmailPath uses with any extension.
std::string MessageFileName(const Schedule& schedule, std::string_view job_name, int defer_minutes,
                            DateTime now);
// Copies an attached file into EmailAttPath as "UFNhhnnss.<name>" and returns the copy's path.
std::string CopyForAtt(const Schedule& schedule, std::string_view path, DateTime now);
// Entry `entry` (from 1) of an address file: its entry-th line that is not a
// comment (";"); nullopt when it has fewer.
std::optional<std::string> AddressFileEntry(const std::vector<std::string>& lines, int entry);
// The address of a recipient from its address file: entry 1 (callout) or 2
// (ordinary), shaped by EmailAddressFormat; the "Could not generate email
// address for" text when it cannot.
std::string GetEmailAddr(const Schedule& schedule, std::string_view name, int entry);

}  // namespace qlr
