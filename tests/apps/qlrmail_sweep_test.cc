#include <gtest/gtest.h>

#include <sstream>

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

// The folder's full round (recipients, attachments, deletion) is tested end
// to end against a real server; here the sweeps over time.
TEST_F(SweepTest, HeldAndRefusedMessagesGoAtALaterSweep) {
  const std::string copy = dir.Write("att/UFN001000.data.bin", "bytes");
  dir.Write("mail/REFx0000.eml", Message("refuse@x.org", "ATT=" + copy + ",DEL=YES\r\n"));
  dir.Write("mail/202701010011.SOON0000.eml", Message("soon@x.org"));  // a minute early
  SweepCounts counts = Sweep();
  EXPECT_EQ(counts.kept + counts.held, 2);
  EXPECT_TRUE(FileExists(dir.File("mail/REFx0000.eml")));
  EXPECT_TRUE(FileExists(copy));
  EXPECT_NE(log.str().find("2027-01-01 00:10:00 REFx0000.eml: not sent, kept for the next sweep: "
                           "refused by the server (550)"),
            std::string::npos);
  EXPECT_NE(log.str().find("SOON0000.eml: held until 2027-01-01 00:11\n"), std::string::npos);

  clock.Advance(60);
  sender.refused.clear();  // the server takes it now
  EXPECT_EQ(Sweep().sent, 2);
  EXPECT_EQ(sender.sent[0].from, "qlr@x.org");
  EXPECT_FALSE(FileExists(dir.File("mail/REFx0000.eml")));
  EXPECT_FALSE(FileExists(dir.File("mail/202701010011.SOON0000.eml")));
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

}  // namespace
}  // namespace qlr
