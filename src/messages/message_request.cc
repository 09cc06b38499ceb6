#include "messages/message_request.h"

namespace qlr {

MessageRequest MessageRequestFor(const Schedule& schedule, int job, bool abnormal) {
  const Job& j = schedule[job];
  if (abnormal)
    return {job, j.AbnormalMailTo, j.AbnormalMailCc, j.AbnormalMsg, j.AbnormalMsgFlags, j.Critical};
  return {job, j.NormalMailTo, j.NormalMailCc, j.NormalMsg, j.NormalMsgFlags, false};
}

}  // namespace qlr
