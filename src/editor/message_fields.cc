#include "editor/message_fields.h"

#include "base/text.h"

namespace qlr {
namespace {

// The job's fields of one message; J is Job or const Job.
template <typename J>
auto& To(J& job, MessageKind kind) {
  return kind == MessageKind::Normal ? job.NormalMailTo : job.AbnormalMailTo;
}
template <typename J>
auto& Cc(J& job, MessageKind kind) {
  return kind == MessageKind::Normal ? job.NormalMailCc : job.AbnormalMailCc;
}
template <typename J>
auto& Texts(J& job, MessageKind kind) {
  return kind == MessageKind::Normal ? job.NormalMsg : job.AbnormalMsg;
}
template <typename J>
auto& Flags(J& job, MessageKind kind) {
  return kind == MessageKind::Normal ? job.NormalMsgFlags : job.AbnormalMsgFlags;
}

}  // namespace

bool MessageFields::HasContents() const {
  for (const std::string& line : lines)
    if (!TrimView(line).empty()) return true;
  return false;
}

MessageFields ReadMessageFields(const Job& job, MessageKind kind) {
  MessageFields fields{To(job, kind), Cc(job, kind), Texts(job, kind).ToArray(),
                       Flags(job, kind).ToArray()};
  fields.flags[0].clear();
  return fields;
}

void StoreMessageFields(const MessageFields& fields, Job& job, MessageKind kind) {
  To(job, kind) = fields.to;
  Cc(job, kind) = fields.cc;
  std::array<std::string, 5> lines;
  for (size_t i = 0; i < lines.size(); ++i) lines[i] = Trim(fields.lines[i]);
  Texts(job, kind) = lines;
  Flags(job, kind) = fields.flags;
}

bool FlagTicked(std::string_view flags, MsgFlag flag) {
  const size_t at = static_cast<size_t>(flag);
  return at < flags.size() && flags[at] == '1';
}

void SetFlag(std::string& flags, MsgFlag flag, bool ticked) {
  if (flags.size() < 5) flags.resize(5, '0');
  for (char& c : flags)
    if (c != '1') c = '0';
  flags[static_cast<size_t>(flag)] = ticked ? '1' : '0';
}

FlagAvailability BodyFlagsAvailable(std::string_view line, std::string_view flags) {
  FlagAvailability a;
  const bool fil = !TrimView(line).empty();
  const bool file_entry = fil && FlagTicked(flags, MsgFlag::Fil);
  a.usable = {fil, file_entry, file_entry, file_entry && !FlagTicked(flags, MsgFlag::Att),
              file_entry};
  return a;
}

}  // namespace qlr
