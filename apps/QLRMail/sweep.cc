#include "QLRMail/sweep.h"

#include <ctime>
#include <filesystem>

#include "base/date_format.h"
#include "base/encoding.h"
#include "messages/mail_message.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

// Writes one log line: the time, the message file's name and what happened.
class MessageLog {
 public:
  MessageLog(std::ostream& out, const Clock& clock, const std::string& path)
      : out_(out),
        prefix_(FormatDateTime(clock.Now(), "yyyy-mm-dd hh:nn:ss ") + BaseName(path) + ": ") {}
  void Line(std::string_view text) {
    out_ << Cp1252ToUtf8(prefix_ + std::string(text)) << std::endl;
  }

 private:
  std::ostream& out_;
  std::string prefix_;
};

std::string Joined(const std::vector<std::string>& texts, std::string_view separator) {
  std::string out;
  for (const std::string& t : texts) out += (out.empty() ? "" : std::string(separator)) + t;
  return out;
}

int UtcOffsetMinutes(DateTime local) {
  std::time_t t = ToTimeT(local);
  std::tm tm{};
  localtime_r(&t, &tm);
  return static_cast<int>(tm.tm_gmtoff / 60);
}

// A boundary starting "=_" cannot occur in quoted-printable or base64 text.
std::string Boundary(DateTime now) {
  static int counter = 0;
  return "=_QLRMail_" + FormatDateTime(now, "yyyymmddhhnnss") + "_" + std::to_string(++counter);
}

std::vector<std::string> Recipients(const MailMessage& m) {
  std::vector<std::string> bare;
  for (const auto* list : {&m.to, &m.cc})
    for (const std::string& address : *list) bare.push_back(BareAddress(address));
  return bare;
}

void LoadAttachments(MailMessage& m) {
  for (MailAttachment& a : m.attachments) a.content = ReadWholeFile(a.path);
}

// A free name in the rejected folder: a file rejected earlier under the same
// name is never replaced.
std::string RejectedPath(const std::string& folder, const std::string& name) {
  std::string path = JoinPath(folder, name);
  const std::string stem = name.substr(0, name.rfind('.'));
  for (int n = 1; FileExists(path); ++n)
    path = JoinPath(folder, stem + "-" + std::to_string(n) + ".eml");
  return path;
}

void Reject(const std::string& path, const std::string& error, MessageLog& log) {
  const std::string folder = JoinPath(DirName(path), kRejectedFolder);
  std::error_code ec;
  std::filesystem::create_directories(OsPath(folder), ec);
  const std::string target = RejectedPath(folder, BaseName(path));
  if (RenameFile(path, target))
    log.Line("rejected (" + error + "), moved to " + target);
  else
    log.Line("rejected (" + error + "), could not be moved to " + target + ": " + LastErrorText());
}

// After acceptance: the message file goes, and so does every attachment it marked for deletion.
std::string RemoveSent(const std::string& path, const MailMessage& m) {
  std::string trouble;
  if (!RemoveFile(path)) trouble += "; could not delete the message file: " + LastErrorText();
  for (const MailAttachment& a : m.attachments)
    if (a.delete_after && a.content && !RemoveFile(a.path))
      trouble += "; could not delete " + a.path + ": " + LastErrorText();
  return trouble;
}

std::string SkippedText(const MailMessage& m) {
  return m.not_addresses.empty() ? ""
                                 : "; not an address, skipped: " + Joined(m.not_addresses, "; ");
}

// Sends one due message file and counts what became of it.
void SendFile(const std::string& path, const SweepSettings& settings, const Clock& clock,
              MailSender& sender, MessageLog& log, SweepCounts& counts) {
  auto lines = ReadLines(path);
  if (!lines) {
    log.Line("cannot be read: " + LastErrorText());
    ++counts.kept;
    return;
  }
  ParsedMail parsed = ParseMailMessage(*lines);
  MailMessage& m = parsed.message;
  if (!parsed.error.empty()) {
    Reject(path, parsed.error + SkippedText(m), log);
    ++counts.rejected;
    return;
  }
  LoadAttachments(m);
  const DateTime now = clock.Now();
  const std::string mime = BuildMime(m, {settings.from, now, UtcOffsetMinutes(now), Boundary(now)});
  const std::vector<std::string> recipients = Recipients(m);
  SendResult result = sender.Send(BareAddress(settings.from), recipients, mime);
  if (!result.accepted) {
    log.Line("not sent, kept for the next sweep: " + result.reason + SkippedText(m));
    ++counts.kept;
    return;
  }
  log.Line("sent to " + Joined(recipients, ", ") + SkippedText(m) + RemoveSent(path, m));
  ++counts.sent;
}

}  // namespace

SweepCounts SweepMail(const SweepSettings& settings, const Clock& clock, MailSender& sender,
                      std::ostream& log) {
  SweepCounts counts;
  for (const std::string& path : ListMatching(JoinPath(settings.folder, "*.eml"))) {
    MessageLog message_log(log, clock, path);
    const DateTime due = DueTime(path);
    if (due > clock.Now()) {
      message_log.Line("held until " + FormatDateTime(due, "yyyy-mm-dd hh:nn"));
      ++counts.held;
      continue;
    }
    SendFile(path, settings, clock, sender, message_log, counts);
  }
  return counts;
}

}  // namespace qlr
