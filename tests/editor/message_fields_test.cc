#include "editor/message_fields.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

// The boxes usable for a body line, as "FVAFD" with '-' for a disabled box.
std::string Usable(std::string_view line, std::string_view flags) {
  const FlagAvailability a = BodyFlagsAvailable(line, flags);
  std::string shown = "FVAFD";
  for (size_t i = 0; i < shown.size(); ++i)
    if (!a.usable[i]) shown[i] = '-';
  return shown;
}

TEST(MessageFieldsTest, FlagBoxesFollowTheLineAndFil) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"", "11111", "-----"},      // a blank line has no flags to set
      {"text", "00000", "F----"},  // Fil first
      {"/tmp/x", "10000", "FVAFD"},
      {"/tmp/x", "10100", "FVA-D"},  // attached files are not filtered
      {"/tmp/x", "", "F----"},
  };
  for (auto [line, flags, usable] : cases) EXPECT_EQ(Usable(line, flags), usable) << line << flags;
}

TEST(MessageFieldsTest, ReadAndStoreOneMessage) {
  Job job;
  job.AbnormalMailTo = "OPS";
  job.AbnormalMsg = {"Failed", "see /tmp/x"};
  job.AbnormalMsgFlags = {"junk", "10000"};
  MessageFields m = ReadMessageFields(job, MessageKind::Abnormal);
  EXPECT_EQ(m.flags[0], "");  // position 0 has no flags
  EXPECT_TRUE(m.HasContents());
  SetFlag(m.flags[2], MsgFlag::Att, true);
  m.lines[3] = "  padded  ";
  StoreMessageFields(m, job, MessageKind::Abnormal);
  EXPECT_EQ(job.AbnormalMsg[3], "padded");
  EXPECT_EQ(job.AbnormalMsgFlags[2], "00100");
  EXPECT_EQ(job.NormalMsg[0], "");
}

}  // namespace
}  // namespace qlr
