#include <gtest/gtest.h>

#include <sstream>

#include "QLRMail/options.h"
#include "QLRMail/sweep.h"
#include "platform/file_system.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

// Accepts every message unless one of its recipients is on the refused list.
class FakeSender : public MailSender {
 public:
  SendResult Send(const std::string& from, const std::vector<std::string>& recipients,
                  const std::string& mime) override {
    for (const std::string& r : recipients)
      if (r == refused) return {false, "refused by the server (550): RCPT failed: 550"};
    sent.push_back({from, recipients, mime});
    return {true, ""};
  }
  struct Sent {
    std::string from;
    std::vector<std::string> recipients;
    std::string mime;
  };
  std::vector<Sent> sent;
  std::string refused = "refuse@x.org";
};

struct SweepTest : ::testing::Test {
  testing::TempDir dir;
  testing::FakeClock clock{MakeDateTime(2027, 1, 1, 0, 10, 0)};
  FakeSender sender;
  std::ostringstream log;

  SweepCounts Sweep() {
    return SweepMail({dir.File("mail"), "Quillrun <qlr@x.org>"}, clock, sender, log);
  }
  std::string Message(const std::string& to, const std::string& extra = "") {
    return "TO=" + to + "\r\nSUBJ=Job done\r\nBODY=all fine~\r\n" + extra;
  }
};

TEST_F(SweepTest, SendsDueMessagesAndCleansUpAfterThem) {
  const std::string keep = dir.Write("out/report.csv", "a,b\r\n");
  const std::string copy = dir.Write("att/UFN001000.data.bin", "bytes");
  dir.Write(
      "mail/PAYx0000.eml",
      Message("ops@x.org\r\nTO=Could not generate email address for bob.\r\nCC=Ann <ann@x.org>",
              "ATT=" + keep + "\r\nATT=" + copy + ",DEL=YES\r\n"));
  dir.Write("mail/202701010010.LATE0000.eml", Message("late@x.org"));  // due now
  dir.Write("mail/202701010011.SOON0000.eml", Message("soon@x.org"));  // a minute early
  dir.Write("mail/HALF0000.$$$", Message("half@x.org"));               // still being written
  const SweepCounts counts = Sweep();
  EXPECT_EQ(counts.sent, 2);
  EXPECT_EQ(counts.held, 1);
  ASSERT_EQ(sender.sent.size(), 2u);
  EXPECT_EQ(sender.sent[0].recipients, std::vector<std::string>{"late@x.org"});
  EXPECT_EQ(sender.sent[1].from, "qlr@x.org");
  EXPECT_EQ(sender.sent[1].recipients, (std::vector<std::string>{"ops@x.org", "ann@x.org"}));
  EXPECT_NE(sender.sent[1].mime.find("filename=\"data.bin\""), std::string::npos);
  EXPECT_NE(sender.sent[1].mime.find("filename=\"report.csv\""), std::string::npos);
  EXPECT_FALSE(FileExists(dir.File("mail/PAYx0000.eml")));
  EXPECT_FALSE(FileExists(dir.File("mail/202701010010.LATE0000.eml")));
  EXPECT_FALSE(FileExists(copy));
  EXPECT_TRUE(FileExists(keep));
  EXPECT_TRUE(FileExists(dir.File("mail/202701010011.SOON0000.eml")));
  EXPECT_TRUE(FileExists(dir.File("mail/HALF0000.$$$")));
  EXPECT_NE(log.str().find("2027-01-01 00:10:00 PAYx0000.eml: sent to ops@x.org, ann@x.org; not an "
                           "address, skipped: Could not generate email address for bob.\n"),
            std::string::npos)
      << log.str();
  EXPECT_NE(log.str().find("SOON0000.eml: held until 2027-01-01 00:11\n"), std::string::npos);

  clock.Advance(60);
  EXPECT_EQ(Sweep().sent, 1);
  EXPECT_FALSE(FileExists(dir.File("mail/202701010011.SOON0000.eml")));
}

TEST_F(SweepTest, RefusedMessagesStayWithTheirAttachments) {
  const std::string copy = dir.Write("att/UFN001000.data.bin", "bytes");
  dir.Write("mail/REFx0000.eml", Message("refuse@x.org", "ATT=" + copy + ",DEL=YES\r\n"));
  EXPECT_EQ(Sweep().kept, 1);
  EXPECT_TRUE(FileExists(dir.File("mail/REFx0000.eml")));
  EXPECT_TRUE(FileExists(copy));
  EXPECT_NE(log.str().find("REFx0000.eml: not sent, kept for the next sweep: refused"),
            std::string::npos);
  sender.refused.clear();  // the server takes it at the next sweep
  EXPECT_EQ(Sweep().sent, 1);
  EXPECT_FALSE(FileExists(copy));
}

TEST_F(SweepTest, MalformedMessagesMoveAsideUnderFreeNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"TO=a@x.org\r\nBODY=no subject~\r\n", "no SUBJ= line"},
      {"TO=Could not generate email address for bob.\r\nSUBJ=s\r\n", "no recipient"},
  };
  for (const auto& [text, error] : cases) {
    dir.Write("mail/BADx0000.eml", text);
    EXPECT_EQ(Sweep().rejected, 1) << error;
    EXPECT_NE(log.str().find(std::string("BADx0000.eml: rejected (") + error), std::string::npos);
  }
  EXPECT_FALSE(FileExists(dir.File("mail/BADx0000.eml")));
  EXPECT_EQ(dir.Read("mail/rejected/BADx0000.eml"), cases[0].first);
  EXPECT_EQ(dir.Read("mail/rejected/BADx0000-1.eml"), cases[1].first);
  EXPECT_TRUE(sender.sent.empty());
}

TEST(QlrMailOptionsTest, ReadsTheFolderFromTheCommandLineOrTheIni) {
  testing::TempDir dir;
  dir.Write("sched/mail/.keep", "");
  dir.Write("sched/a.ini", "[Quillrun]\r\nEmailPath=mail\r\n");
  dir.Write("sched/b.ini", "[Quillrun]\r\nEmailPath=<not specified>\r\n");
  struct Case {
    std::vector<const char*> args;
    bool good;
    std::string folder;  // when the options are good: the folder, or the start of the error
  };
  const std::string a_ini = dir.File("sched/a.ini"), b_ini = dir.File("sched/b.ini");
  const std::string mail = dir.File("sched/mail");
  const Case cases[] = {
      {{"--dir", mail.c_str()}, true, mail},
      {{"--ini", a_ini.c_str()}, true, mail},
      {{"--ini", b_ini.c_str()}, true, "the INI file names no EmailPath"},
      {{"--dir", "/nonexistent/mail"}, true, "no such folder"},
      {{"--ini", a_ini.c_str(), "--dir", mail.c_str()}, false, ""},  // one of the two, not both
      {{}, false, ""},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv{"QLRMail", "--smtp", "smtp://127.0.0.1:25", "--from", "q@x.org"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    MailOptions options;
    std::ostringstream out, err;
    const int status =
        ParseMailOptions(static_cast<int>(argv.size()), argv.data(), options, out, err);
    EXPECT_EQ(status < 0, c.good) << err.str();
    if (status >= 0) continue;
    std::string folder, error;
    MailFolder(options, folder, error);
    EXPECT_TRUE((error.empty() ? folder : error).starts_with(c.folder)) << folder << " / " << error;
  }
  std::vector<const char*> bad_from{"QLRMail",  "--dir",  "/tmp", "--smtp",
                                    "smtp://h", "--from", "me"};
  MailOptions options;
  std::ostringstream out, err;
  EXPECT_EQ(ParseMailOptions(7, bad_from.data(), options, out, err), 1);
  EXPECT_EQ(err.str(), "QLRMail: --from: not an address: me\n");
}

}  // namespace
}  // namespace qlr
