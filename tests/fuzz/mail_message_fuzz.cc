// The mail sender's reader of message files, on any lines, and the MIME text
// it builds from what it read.

#include "base/date_time.h"
#include "fuzz_support.h"
#include "messages/mail_message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qlr;
  std::vector<std::string> lines;
  std::string_view bytes = fuzz::Bytes(data, size);
  for (size_t at; (at = bytes.find('\n')) != std::string_view::npos; bytes.remove_prefix(at + 1))
    lines.emplace_back(bytes.substr(0, at));
  lines.emplace_back(bytes);
  ParsedMail parsed = ParseMailMessage(lines);
  for (const std::string& line : lines) {
    DueTime(line);
    IsAddress(line);
    BareAddress(line);
  }
  for (MailAttachment& attachment : parsed.message.attachments) {
    AttachmentName(attachment.path);
    attachment.content = attachment.path;  // some bytes to encode
  }
  BuildMime(parsed.message,
            {"quillrun@example.com", MakeDateTime(2026, 12, 4, 6, 30, 0), 60, "=_b"});
  return 0;
}
