#pragma once
// One sweep of the message folder: every complete message file (".eml") that
// is due is sent; accepted ones are deleted with their ",DEL=YES" attachments,
// refused ones stay for the next sweep, malformed ones move to "rejected".
// One line per message goes to the log stream.

#include <ostream>
#include <string>

#include "QLRMail/mail_sender.h"
#include "base/clock.h"

namespace qlr {

struct SweepSettings {
  std::string folder;  // EmailPath (Windows-1252)
  std::string from;    // the sender's address as typed (UTF-8), bare or "Name <address>"
};

struct SweepCounts {
  int sent = 0, kept = 0, held = 0, rejected = 0;
};

SweepCounts SweepMail(const SweepSettings& settings, const Clock& clock, MailSender& sender,
                      std::ostream& log);

// The folder that malformed message files are moved into.
inline constexpr const char* kRejectedFolder = "rejected";

}  // namespace qlr
