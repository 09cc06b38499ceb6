#include "messages/mail_message.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

// What was read, on one line: each list's entries end in "|", an attachment
// deleted after sending is marked "+".
std::string Summary(const ParsedMail& p) {
  const auto list = [](const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& t : texts) out += t + "|";
    return out;
  };
  const MailMessage& m = p.message;
  std::string att;
  for (const MailAttachment& a : m.attachments) att += a.path + (a.delete_after ? "+|" : "|");
  return "to:" + list(m.to) + " cc:" + list(m.cc) + " bad:" + list(m.not_addresses) +
         " subj:" + m.subject + " body:" + list(m.body) + " att:" + att + " error:" + p.error;
}

TEST(MailMessageTest, ParsesWhatTheMessageWriterWrites) {
  // clang-format off
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"TO=John Smith <js@x.org>", "TO=Could not generate email address for bob.", "CC=cc@x.org",
        "SUBJ=Job PAY failed", "BODY=first~", "ATT=/att/UFN063005.data.bin,DEL=YES",
        "BODY=File to be attached (/in/*.csv) not found.~~", "ATT=/out/r.csv", "BODY=~"},
       "to:John Smith <js@x.org>| cc:cc@x.org| bad:Could not generate email address for bob.| "
       "subj:Job PAY failed body:first|File to be attached (/in/*.csv) not found.||| "
       "att:/att/UFN063005.data.bin+|/out/r.csv| error:"},
      {{"TO=a@b", "SUBJ=", "BODY=one ", "BODY=line~two~", "BODY=tail"},  // a line ends at its "~"
       "to:a@b| cc: bad: subj: body:one line|two|tail| att: error:"},
      {{"to=a@b", "X-NOTE=1", "", "subj=s", "SUBJ=second", "body=x~", "att=/f,del=yes"},
       "to:a@b| cc: bad: subj:s body:x| att:/f+| error:"},
      {{"TO=a@b", "BODY=x~"}, "to:a@b| cc: bad: subj: body:x| att: error:no SUBJ= line"},
      {{"SUBJ=s"}, "to: cc: bad: subj:s body: att: error:no recipient"},
      {{"TO= <Could not generate email address for boss.>", "SUBJ=s"},
       "to: cc: bad:<Could not generate email address for boss.>| subj:s body: att: error:no recipient"},
      {{"CC=c@d", "SUBJ=s"}, "to: cc:c@d| bad: subj:s body: att: error:"},
  };
  // clang-format on
  for (const auto& [lines, expected] : cases) EXPECT_EQ(Summary(ParseMailMessage(lines)), expected);
}

TEST(MailMessageTest, TellsAddressesFromOtherTexts) {
  for (const char* text :
       {"ops@example.com", " root@localhost ", "John Smith <js@x.org>", "<js@x.org>"})
    EXPECT_TRUE(IsAddress(text)) << text;
  for (const char* text : {"Could not generate email address for bob.",
                           " <Could not generate email address for boss.>",
                           "could not generate email address for x@y.", "", "nobody", "@x.org",
                           "js@", "a@b@c", "j s@x.org", "js@x..org", "js@.x.org", "John <js@x.org",
                           "John <js@x.org> more", "js@x.org, other@x.org", "j\xe9@x.org"})
    EXPECT_FALSE(IsAddress(text)) << text;
  EXPECT_EQ(BareAddress(" John Smith <js@x.org> "), "js@x.org");
  EXPECT_EQ(BareAddress(" js@x.org "), "js@x.org");
}

TEST(MailMessageTest, ReadsTheDueTimeFromTheName) {
  EXPECT_EQ(DueTime("202701010020.PAYR0000.eml"), MakeDateTime(2027, 1, 1, 0, 20, 0));
  EXPECT_EQ(DueTime("/var/mail/q/202612312359.ABxx0001.eml"),
            MakeDateTime(2026, 12, 31, 23, 59, 0));
  for (const char* name : {"ABxx0000.eml", "12340000.eml", "202702300020.PAYR0000.eml" /* 30 Feb */,
                           "202701012400.PAYR0000.eml", "202701010060.PAYR0000.eml",
                           "2027010100201PAYR0000.eml", "202701010020"})
    EXPECT_EQ(DueTime(name), 0) << name;
}

MimeHeader Header() {
  return {"Quillrun <qlr@x.org>", MakeDateTime(2026, 12, 4, 6, 30, 5), -90, "=_b1"};
}

TEST(MailMessageTest, BuildsAMultipartMessage) {
  MailMessage m;
  m.to = {"John Smith <js@x.org>", "Smith, Ann <as@x.org>"};
  m.cc = {"cc@x.org", "\"Doe, Jo\" <jd@x.org>"};
  m.subject = "Caf\xe9 job failed";
  m.body = {"Price: 5 \x80", "a=b ", std::string(80, 'x')};
  m.attachments = {{"/att/UFN063005.data.bin", true, std::string("\x01\x02\x03\xff", 4)},
                   {"/gone/x.txt", false}};
  const std::string mime = BuildMime(m, Header());
  for (size_t at = mime.find('\n'); at != std::string::npos; at = mime.find('\n', at + 1))
    ASSERT_EQ(mime[at - 1], '\r') << "at " << at;
  const char* expected[] = {
      "Date: Fri, 04 Dec 2026 06:30:05 -0130\r\nFrom: Quillrun <qlr@x.org>\r\n",
      "To: John Smith <js@x.org>,\r\n \"Smith, Ann\" <as@x.org>\r\n",
      "Cc: cc@x.org,\r\n \"Doe, Jo\" <jd@x.org>\r\n",
      "Subject: =?UTF-8?B?Q2Fmw6kgam9iIGZhaWxlZA==?=\r\n",
      "Content-Type: multipart/mixed; boundary=\"=_b1\"\r\n\r\n--=_b1\r\n",
      "Price: 5 =E2=82=AC\r\na=3Db=20\r\n",
      "=\r\nxxxxx\r\n",  // the 80-character line goes on after a soft break
      "File to be attached (/gone/x.txt) not found.\r\n--=_b1\r\n",
      "Content-Type: application/octet-stream; name=\"data.bin\"\r\n",
      "Content-Disposition: attachment; filename=\"data.bin\"\r\n\r\nAQID/w==\r\n--=_b1--\r\n",
  };
  for (const char* part : expected) EXPECT_NE(mime.find(part), std::string::npos) << part;
  EXPECT_EQ(mime.find("x.txt\""), std::string::npos);  // nothing to attach for the lost file
}

TEST(MailMessageTest, PlainTextWithoutAttachments) {
  MailMessage m{{"a@b"}, {}, {}, "s", {"hello"}, {{"/att/r\xe9sum\xe9.txt"}}};  // lost: no content
  std::string mime = BuildMime(m, Header());
  EXPECT_EQ(mime.find("multipart"), std::string::npos);
  EXPECT_NE(mime.find("Content-Type: text/plain; charset=UTF-8\r\n"), std::string::npos);
  EXPECT_TRUE(mime.ends_with(
      "\r\n\r\nhello\r\nFile to be attached (/att/r=C3=A9sum=C3=A9.txt) not found.\r\n"))
      << mime;
  m.attachments[0].content = "x";
  mime = BuildMime(m, Header());
  EXPECT_NE(mime.find("filename*=UTF-8''r%C3%A9sum%C3%A9.txt\r\n"), std::string::npos) << mime;
}

}  // namespace
}  // namespace qlr
