#pragma once
// The mail sender's view of a message file: its lines read back into
// recipients, subject, body lines and attachments, and the MIME text that goes
// to the SMTP server. Pure text work; reading files is the caller's.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"

namespace qlr {

struct MailAttachment {
  std::string path;           // as the message file names it
  bool delete_after = false;  // ",DEL=YES": remove the file once the message is accepted
  std::optional<std::string> content = {};  // the bytes, when the caller has read them
};

// One message: every text is Windows-1252, as in the message file.
struct MailMessage {
  std::vector<std::string> to;  // addresses that passed IsAddress
  std::vector<std::string> cc;
  std::vector<std::string> not_addresses;  // TO= and CC= texts that did not
  std::string subject;
  std::vector<std::string> body;  // lines, without their "~"
  std::vector<MailAttachment> attachments;
};

struct ParsedMail {
  MailMessage message;
  std::string error;  // "" when the file can be sent; otherwise why it cannot, ever
};

// Reads the lines of a message file. Lines with other keys are ignored; the
// first "SUBJ=" counts. Malformed (error set): no "SUBJ=" line, or no
// recipient that is an address.
ParsedMail ParseMailMessage(const std::vector<std::string>& lines);

// "local@domain" or "Display Name <local@domain>"; false for the address
// files' fallback text ("Could not generate email address for ...") and for
// anything with blanks, brackets or quotes inside the address.
bool IsAddress(std::string_view text);
// The part an SMTP envelope takes: the text between "<" and ">" when there
// are brackets, otherwise the trimmed text.
std::string BareAddress(std::string_view text);

// The due time of a deferred message, from the "yyyymmddhhnn." its file name
// (with or without folder) starts with; 0 when the name carries none.
DateTime DueTime(std::string_view file_name);

// The name an attachment is sent under: the file's own name, without the
// "UFNhhnnss." a deferred message's copy carries.
std::string AttachmentName(std::string_view path);

struct MimeHeader {
  std::string from;            // the sender's address, as typed (UTF-8 or ASCII)
  DateTime now = 0;            // local time of the Date header
  int utc_offset_minutes = 0;  // of that local time, east positive
  std::string boundary;        // must not occur in the message; "=_" at its start ensures it
};

// The whole message as sent: headers, a quoted-printable UTF-8 text part and
// a base64 part per attachment that has content; an attachment without
// content gets the line "File to be attached (path) not found." in the text.
// Lines end CR LF.
std::string BuildMime(const MailMessage& message, const MimeHeader& header);

// Base64 in lines of at most 76 characters, each ended by CR LF.
std::string Base64Lines(std::string_view bytes);

}  // namespace qlr
