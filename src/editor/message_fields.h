#pragma once
// An end-of-job message as the job editor shows it: addresses, subject, four
// body lines and each line's five flags "Fil Var Att Flt Del".

#include <array>
#include <string>
#include <string_view>

#include "model/job.h"

namespace qlr {

enum class MessageKind { Normal, Abnormal };
enum class MsgFlag { Fil = 0, Var, Att, Flt, Del };  // positions in a flag string

struct MessageFields {
  std::string to, cc;
  std::array<std::string, 5> lines;  // 0 the subject, 1..4 the body
  std::array<std::string, 5> flags;  // 1..4: five "0"/"1" in the order Fil Var Att Flt Del

  bool HasContents() const;  // the subject or a body line is not blank
};

MessageFields ReadMessageFields(const Job& job, MessageKind kind);
// Addresses as typed, subject and body lines trimmed, flags as they are.
void StoreMessageFields(const MessageFields& fields, Job& job, MessageKind kind);

bool FlagTicked(std::string_view flags, MsgFlag flag);
// Sets one flag, making the text five characters long first.
void SetFlag(std::string& flags, MsgFlag flag, bool ticked);

// Which of a body line's flag boxes can be used: Fil only for a line that is
// not blank; Var, Att and Del only while Fil is ticked and usable; Flt only
// while Fil is and Att is not.
struct FlagAvailability {
  std::array<bool, 5> usable{};
  bool operator[](MsgFlag flag) const { return usable[static_cast<size_t>(flag)]; }
};
FlagAvailability BodyFlagsAvailable(std::string_view line, std::string_view flags);

}  // namespace qlr
