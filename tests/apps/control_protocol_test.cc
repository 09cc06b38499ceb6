// The lines qlr ctl and qlr run exchange: requests read back as written,
// anything else is no request, and answers print as qlr ctl shows them.

#include "qlr/control_protocol.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

TEST(ControlProtocolTest, RequestsAndAnswers) {
  const ControlRequest sent{"unsched", "PAY\xE9", true, true};  // a Windows-1252 name
  const std::optional<ControlRequest> read = ReadRequest(RequestLine(sent));
  ASSERT_TRUE(read);
  EXPECT_EQ(std::tie(read->command, read->job, read->yes, read->cascade),
            std::tie(sent.command, sent.job, sent.yes, sent.cascade));
  for (const char* line : {"", "kick", "[]", "{\"job\":\"A\"}", "{\"command\":3}"})
    EXPECT_FALSE(ReadRequest(line)) << line;

  RunStatus status;
  status.run_date = "4 Dec 2026";
  status.suspended = true;
  status.counts = {{"Running", 1}, {"Scheduled", 1}};
  status.jobs = {{"A", "Running", "Running"}, {"B", "Scheduled", "Wait Job (A(S) - Running)"}};
  status.events = {"B        File(x)"};
  status.log = {"A        (Daily) \tSubmitted at 06:00:00"};
  const struct {
    ControlReply reply;
    bool ok;
    std::string text;
  } cases[] = {
      {{false, false, "Unknown job: X", {}}, false, "Unknown job: X"},
      {{true, false, "", status},
       true,
       "Run date: 4 Dec 2026 (suspended)\nJobs: Running 1 Scheduled 1\n"
       "Waiting:\n  B\tWait Job (A(S) - Running)\nEvents:\n  B        File(x)\n"
       "Log:\n  A        (Daily) \tSubmitted at 06:00:00"},
  };
  for (const auto& c : cases) {
    std::string text;
    bool ok = !c.ok;
    ASSERT_TRUE(ReplyText(ReplyLine(c.reply), text, ok));
    EXPECT_EQ(ok, c.ok);
    EXPECT_EQ(text, c.text);
  }
  std::string text;
  bool ok;
  EXPECT_FALSE(ReplyText("{\"message\":\"no ok\"}", text, ok));
}

}  // namespace
}  // namespace qlr
