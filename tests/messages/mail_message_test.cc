#include "messages/mail_message.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

using Lines = std::vector<std::string>;

struct ParseCase {
  const char* name;
  Lines lines;
  Lines to, cc, not_addresses, body;
  std::vector<std::pair<std::string, bool>> attachments;
  std::string error;
};

TEST(MailMessageTest, ParsesWhatTheMessageWriterWrites) {
  const ParseCase cases[] = {
      {"whole message",
       {"TO=John Smith <js@x.org>", "TO=Could not generate email address for bob.", "CC=cc@x.org",
        "SUBJ=Job PAY failed", "BODY=first~", "ATT=/att/UFN063005.data.bin,DEL=YES",
        "BODY=File to be attached (/in/*.csv) not found.~~", "ATT=/out/r.csv", "BODY=~"},
       {"John Smith <js@x.org>"},
       {"cc@x.org"},
       {"Could not generate email address for bob."},
       {"first", "File to be attached (/in/*.csv) not found.", "", ""},
       {{"/att/UFN063005.data.bin", true}, {"/out/r.csv", false}},
       ""},
      {"a line ends only at its tilde",
       {"TO=a@b", "SUBJ=", "BODY=one ", "BODY=line~two~", "BODY=tail"},
       {"a@b"},
       {},
       {},
       {"one line", "two", "tail"},
       {},
       ""},
      {"keys in any case, unknown lines ignored",
       {"to=a@b", "X-NOTE=1", "", "subj=s", "body=x~", "att=/f,del=yes"},
       {"a@b"},
       {},
       {},
       {"x"},
       {{"/f", true}},
       ""},
      {"no subject", {"TO=a@b", "BODY=x~"}, {"a@b"}, {}, {}, {"x"}, {}, "no SUBJ= line"},
      {"no recipient", {"SUBJ=s"}, {}, {}, {}, {}, {}, "no recipient"},
      {"only fallback recipients",
       {"TO= <Could not generate email address for boss.>", "SUBJ=s"},
       {},
       {},
       {"<Could not generate email address for boss.>"},
       {},
       {},
       "no recipient"},
      {"cc alone is enough", {"CC=c@d", "SUBJ=s"}, {}, {"c@d"}, {}, {}, {}, ""},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.name);
    ParsedMail p = ParseMailMessage(c.lines);
    EXPECT_EQ(p.error, c.error);
    EXPECT_EQ(p.message.to, c.to);
    EXPECT_EQ(p.message.cc, c.cc);
    EXPECT_EQ(p.message.not_addresses, c.not_addresses);
    EXPECT_EQ(p.message.body, c.body);
    std::vector<std::pair<std::string, bool>> attachments;
    for (const MailAttachment& a : p.message.attachments)
      attachments.emplace_back(a.path, a.delete_after);
    EXPECT_EQ(attachments, c.attachments);
  }
  EXPECT_EQ(ParseMailMessage({"TO=a@b", "SUBJ=first", "SUBJ=second"}).message.subject, "first");
}

TEST(MailMessageTest, TellsAddressesFromOtherTexts) {
  const std::pair<const char*, bool> cases[] = {
      {"ops@example.com", true},
      {" root@localhost ", true},
      {"John Smith <js@x.org>", true},
      {"<js@x.org>", true},
      {"Could not generate email address for bob.", false},
      {" <Could not generate email address for boss.>", false},
      {"could not generate email address for x@y.", false},
      {"", false},
      {"nobody", false},
      {"@x.org", false},
      {"js@", false},
      {"a@b@c", false},
      {"j s@x.org", false},
      {"js@x..org", false},
      {"js@.x.org", false},
      {"John <js@x.org", false},
      {"John <js@x.org> more", false},
      {"js@x.org, other@x.org", false},
      {"j\xe9@x.org", false},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(IsAddress(text), expected) << text;
  EXPECT_EQ(BareAddress(" John Smith <js@x.org> "), "js@x.org");
  EXPECT_EQ(BareAddress(" js@x.org "), "js@x.org");
}

TEST(MailMessageTest, ReadsTheDueTimeFromTheName) {
  const std::pair<const char*, DateTime> cases[] = {
      {"202701010020.PAYR0000.eml", MakeDateTime(2027, 1, 1, 0, 20, 0)},
      {"/var/mail/q/202612312359.ABxx0001.eml", MakeDateTime(2026, 12, 31, 23, 59, 0)},
      {"ABxx0000.eml", 0},
      {"12340000.eml", 0},
      {"202702300020.PAYR0000.eml", 0},  // 30 February
      {"202701012400.PAYR0000.eml", 0},
      {"202701010060.PAYR0000.eml", 0},
      {"2027010100201PAYR0000.eml", 0},
      {"202701010020", 0},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(DueTime(name), expected) << name;
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
      "Date: Fri, 04 Dec 2026 06:30:05 -0130\r\n",
      "From: Quillrun <qlr@x.org>\r\n",
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
  MailMessage m;
  m.to = {"a@b"};
  m.subject = "s";
  m.body = {"hello"};
  m.attachments = {{"/att/r\xe9sum\xe9.txt", false, "x"}};
  m.attachments[0].content.reset();
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
