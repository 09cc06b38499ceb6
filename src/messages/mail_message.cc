#include "messages/mail_message.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/date_format.h"
#include "base/encoding.h"
#include "base/text.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

constexpr std::string_view kNoAddress = "Could not generate email address for";
constexpr std::string_view kHex = "0123456789ABCDEF";

std::string_view Value(const std::string& line, std::string_view key) {
  return std::string_view(line).substr(key.size());
}

// Each "~" ends a body line; text after the last one waits for the next
// "BODY=" line, as if the two were one.
void AddBodyText(std::string_view text, std::string& pending, std::vector<std::string>& body) {
  for (size_t end; (end = text.find('~')) != std::string_view::npos; text.remove_prefix(end + 1)) {
    body.push_back(pending.append(text.substr(0, end)));
    pending.clear();
  }
  pending.append(text);
}

void AddAttachment(std::string_view value, std::vector<MailAttachment>& attachments) {
  std::string path = TrimRight(value);
  const bool del = EndsWith(Upper(path), ",DEL=YES");
  if (del) path.resize(path.size() - 8);
  if (!path.empty()) attachments.push_back({path, del});
}

void AddRecipient(std::string_view value, std::vector<std::string>& list, MailMessage& m) {
  std::string address = Trim(value);
  if (address.empty()) return;
  (IsAddress(address) ? list : m.not_addresses).push_back(address);
}

bool IsBareAddress(std::string_view a) {
  const size_t at = a.find('@');
  if (at == 0 || at == std::string_view::npos || at + 1 == a.size()) return false;
  if (a.find('@', at + 1) != std::string_view::npos) return false;
  for (char c : a) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= ' ' || u >= 127 || std::strchr("<>()[]\\,;:\"", c) != nullptr) return false;
  }
  std::string_view domain = a.substr(at + 1);
  return domain.front() != '.' && domain.back() != '.' &&
         domain.find("..") == std::string_view::npos;
}

int Number(std::string_view digits) { return std::atoi(std::string(digits).c_str()); }

bool IsPlainAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) < ' ' || static_cast<unsigned char>(c) >= 127) return false;
  return true;
}

// A header text: as it is when plain ASCII, otherwise UTF-8 encoded words of
// at most 45 bytes each (never cutting a character), folded onto new lines.
std::string HeaderText(std::string_view cp1252) {
  if (IsPlainAscii(cp1252)) return std::string(cp1252);
  std::string utf8 = Cp1252ToUtf8(cp1252), out;
  for (size_t from = 0; from < utf8.size();) {
    size_t to = std::min(from + 45, utf8.size());
    while (to < utf8.size() && (static_cast<unsigned char>(utf8[to]) & 0xC0) == 0x80) --to;
    if (!out.empty()) out += "\r\n ";
    std::string word = Base64Lines(std::string_view(utf8).substr(from, to - from));
    out += "=?UTF-8?B?" + word.substr(0, word.size() - 2) + "?=";
    from = to;
  }
  return out;
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// A display name as a header word: quoted when it holds special characters
// and is not quoted already.
std::string QuotedIfSpecial(std::string_view display) {
  if (display.size() >= 2 && display.front() == '"' && display.back() == '"')
    return std::string(display);
  if (display.find_first_of("()<>[]:;@\\,.\"") == std::string_view::npos)
    return std::string(display);
  return Quoted(display);
}

std::string HeaderAddress(std::string_view text) {
  std::string_view t = TrimView(text);
  const size_t open = t.find('<');
  if (open == std::string_view::npos) return std::string(t);
  std::string display = Trim(t.substr(0, open));
  if (display.empty()) return "<" + BareAddress(t) + ">";
  display = IsPlainAscii(display) ? QuotedIfSpecial(display) : HeaderText(display);
  return display + " <" + BareAddress(t) + ">";
}

std::string AddressList(const std::vector<std::string>& addresses) {
  std::string list;
  for (const std::string& a : addresses) list += (list.empty() ? "" : ",\r\n ") + HeaderAddress(a);
  return list;
}

std::string DateHeader(const MimeHeader& h) {
  const int offset = std::abs(h.utc_offset_minutes);
  char zone[8];
  std::snprintf(zone, sizeof zone, "%c%02d%02d", h.utc_offset_minutes < 0 ? '-' : '+',
                offset / 60 % 100, offset % 60);
  return FormatDateTime(h.now, "ddd, dd mmm yyyy hh:nn:ss ") + zone;
}

// One quoted-printable line (without its end), soft-broken before 76 characters.
std::string QuotedPrintableLine(std::string_view line) {
  std::string out;
  size_t width = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    const bool last = i + 1 == line.size();
    const bool literal = (c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !last);
    std::string token = literal ? std::string(1, static_cast<char>(c))
                                : std::string{'=', kHex[c >> 4], kHex[c & 15]};
    if (width + token.size() > 75) {
      out += "=\r\n";
      width = 0;
    }
    out += token;
    width += token.size();
  }
  return out;
}

std::string TextPart(const MailMessage& m) {
  std::vector<std::string> lines = m.body;
  for (const MailAttachment& a : m.attachments)
    if (!a.content) lines.push_back("File to be attached (" + a.path + ") not found.");
  std::string out =
      "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: "
      "quoted-printable\r\n\r\n";
  for (const std::string& line : lines) out += QuotedPrintableLine(Cp1252ToUtf8(line)) + "\r\n";
  return out;
}

// The file name parameter: quoted when plain ASCII, RFC 2231 UTF-8 otherwise.
std::string FileNameParameter(std::string_view key, std::string_view cp1252) {
  if (IsPlainAscii(cp1252)) return std::string(key) + "=" + Quoted(cp1252);
  std::string out = std::string(key) + "*=UTF-8''";
  for (char ch : Cp1252ToUtf8(cp1252)) {
    const auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c) || std::strchr("-._~", ch) != nullptr)
      out += ch;
    else
      out += {'%', kHex[c >> 4], kHex[c & 15]};
  }
  return out;
}

std::string AttachmentPart(const MailAttachment& a) {
  const std::string name = AttachmentName(a.path);
  return "Content-Type: application/octet-stream; " + FileNameParameter("name", name) +
         "\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment; " +
         FileNameParameter("filename", name) + "\r\n\r\n" + Base64Lines(*a.content);
}

std::string Headers(const MailMessage& m, const MimeHeader& h) {
  std::string out =
      "Date: " + DateHeader(h) + "\r\nFrom: " + HeaderAddress(Utf8ToCp1252(h.from)) + "\r\n";
  if (!m.to.empty()) out += "To: " + AddressList(m.to) + "\r\n";
  if (!m.cc.empty()) out += "Cc: " + AddressList(m.cc) + "\r\n";
  return out + "Subject: " + HeaderText(m.subject) + "\r\nMIME-Version: 1.0\r\n";
}

}  // namespace

ParsedMail ParseMailMessage(const std::vector<std::string>& lines) {
  ParsedMail parsed;
  MailMessage& m = parsed.message;
  bool has_subject = false;
  std::string pending;
  for (const std::string& line : lines) {
    if (StartsWithNoCase(line, "TO="))
      AddRecipient(Value(line, "TO="), m.to, m);
    else if (StartsWithNoCase(line, "CC="))
      AddRecipient(Value(line, "CC="), m.cc, m);
    else if (StartsWithNoCase(line, "BODY="))
      AddBodyText(Value(line, "BODY="), pending, m.body);
    else if (StartsWithNoCase(line, "ATT="))
      AddAttachment(Value(line, "ATT="), m.attachments);
    else if (StartsWithNoCase(line, "SUBJ=") && !has_subject) {
      m.subject = Value(line, "SUBJ=");
      has_subject = true;
    }
  }
  if (!pending.empty()) m.body.push_back(pending);
  if (!has_subject)
    parsed.error = "no SUBJ= line";
  else if (m.to.empty() && m.cc.empty())
    parsed.error = "no recipient";
  return parsed;
}

bool IsAddress(std::string_view text) {
  if (ContainsNoCase(text, kNoAddress)) return false;
  std::string_view t = TrimView(text);
  const size_t open = t.find('<');
  if (open == std::string_view::npos) return IsBareAddress(t);
  if (t.back() != '>' || t.find('>') != t.size() - 1) return false;
  return IsBareAddress(t.substr(open + 1, t.size() - open - 2));
}

std::string BareAddress(std::string_view text) {
  std::string_view t = TrimView(text);
  const size_t open = t.find('<'), close = t.rfind('>');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open)
    return std::string(t);
  return std::string(t.substr(open + 1, close - open - 1));
}

DateTime DueTime(std::string_view file_name) {
  const std::string name = BaseName(file_name);
  if (name.size() < 13 || name[12] != '.' || !AllDigits(name.substr(0, 12))) return 0;
  const int year = Number(name.substr(0, 4)), month = Number(name.substr(4, 2));
  const int day = Number(name.substr(6, 2)), hour = Number(name.substr(8, 2));
  const int minute = Number(name.substr(10, 2));
  if (!IsValidDate(year, month, day) || hour > 23 || minute > 59) return 0;
  return MakeDateTime(year, month, day, hour, minute, 0);
}

std::string AttachmentName(std::string_view path) {
  std::string name = BaseName(path);
  if (name.size() > 10 && StartsWith(name, "UFN") && AllDigits(name.substr(3, 6)) && name[9] == '.')
    return name.substr(10);
  return name;
}

std::string BuildMime(const MailMessage& message, const MimeHeader& header) {
  std::string out = Headers(message, header);
  bool any_attachment = false;
  for (const MailAttachment& a : message.attachments) any_attachment |= a.content.has_value();
  if (!any_attachment) return out + TextPart(message);
  const std::string delimiter = "--" + header.boundary;
  out += "Content-Type: multipart/mixed; boundary=\"" + header.boundary + "\"\r\n\r\n";
  out += delimiter + "\r\n" + TextPart(message);
  for (const MailAttachment& a : message.attachments)
    if (a.content) out += delimiter + "\r\n" + AttachmentPart(a);
  return out + delimiter + "--\r\n";
}

std::string Base64Lines(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t n = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) n |= static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(n >> 18) & 63];
    out += kAlphabet[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(n >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[n & 63] : '=';
    if ((i / 3 + 1) % 19 == 0 || i + 3 >= bytes.size()) out += "\r\n";
  }
  return out;
}

}  // namespace qlr
