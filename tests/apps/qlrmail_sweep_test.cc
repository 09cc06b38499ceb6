#include <gtest/gtest.h>

#include <sstream>

#include "QLRMail/sweep.h"
#include "platform/file_system.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

// Accepts every message unless one of its recipients is the refused one.
struct FakeSender : MailSender {
  SendResult Send(const std::string& from, const Texts& recipients, const std::string&) override {
    for (const std::string& r : recipients)
      if (r == refused) return {false, "refused by the server (550): RCPT failed: 550"};
    sent.push_back(from + " -> " + recipients.front());
    return {true, ""};
  }
  Texts sent;
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
  bool Logged(const std::string& text) { return log.str().find(text) != std::string::npos; }
};

// What the server receives is checked end to end against a real one
// (qlrmail_test.py); here the sweeps over time and what becomes of the files.
TEST_F(SweepTest, HeldAndRefusedMessagesGoAtALaterSweep) {
  const std::string del = dir.Write("att/UFN001000.data.bin", "b"), keep = dir.Write("r.csv", "c");
  dir.Write("mail/REFx0000.eml",
            "TO=refuse@x.org\r\nTO=Could not generate email address for BOB."
            "\r\nSUBJ=s\r\nATT=" +
                del + ",DEL=YES\r\nATT=" + keep + "\r\n");
  dir.Write("mail/202701010011.SOON0000.eml", "TO=soon@x.org\r\nSUBJ=s\r\n");  // a minute early
  dir.Write("mail/HALF0000.$$$", "TO=half@x.org\r\nSUBJ=s\r\n");  // still being written
  SweepCounts counts = Sweep();
  EXPECT_EQ(std::tie(counts.sent, counts.kept, counts.held), std::tuple(0, 1, 1));
  EXPECT_TRUE(FileExists(del));
  EXPECT_TRUE(
      Logged("2027-01-01 00:10:00 REFx0000.eml: not sent, kept for the next sweep: "
             "refused by the server (550)"));
  EXPECT_TRUE(Logged("SOON0000.eml: held until 2027-01-01 00:11\n"));

  clock.Advance(60);
  sender.refused.clear();  // the server takes it now
  EXPECT_EQ(Sweep().sent, 2);
  EXPECT_EQ(sender.sent, (Texts{"qlr@x.org -> soon@x.org", "qlr@x.org -> refuse@x.org"}));
  EXPECT_TRUE(
      Logged("REFx0000.eml: sent to refuse@x.org; not an address, skipped: "
             "Could not generate email address for BOB.\n"));
  EXPECT_EQ(ListMatching(dir.File("mail/*")), Texts{dir.File("mail/HALF0000.$$$")});
  EXPECT_FALSE(FileExists(del));
  EXPECT_TRUE(FileExists(keep));
}

TEST_F(SweepTest, MalformedMessagesMoveAsideUnderFreeNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"TO=a@x.org\r\nBODY=no subject~\r\n", "no SUBJ= line"},
      {"TO=Could not generate email address for bob.\r\nSUBJ=s\r\n", "no recipient"},
  };
  for (const auto& [text, error] : cases) {
    dir.Write("mail/BADx0000.eml", text);
    EXPECT_EQ(Sweep().rejected, 1) << error;
    EXPECT_TRUE(Logged(std::string("BADx0000.eml: rejected (") + error));
  }
  EXPECT_FALSE(FileExists(dir.File("mail/BADx0000.eml")));
  EXPECT_EQ(dir.Read("mail/rejected/BADx0000.eml"), cases[0].first);
  EXPECT_EQ(dir.Read("mail/rejected/BADx0000-1.eml"), cases[1].first);
  EXPECT_TRUE(sender.sent.empty());
}

}  // namespace
}  // namespace qlr
