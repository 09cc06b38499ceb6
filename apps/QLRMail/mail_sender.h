#pragma once
// What a sweep needs from a mail server: hand over one message and learn
// whether it was accepted. The real one speaks SMTP; tests script one.

#include <string>
#include <vector>

namespace qlr {

struct SendResult {
  bool accepted = false;
  std::string reason;  // why not, when not accepted (refused, or cannot be sent now)
};

class MailSender {
 public:
  virtual ~MailSender() = default;
  // Sends the MIME text (CR LF lines) from the bare address `from` to the
  // bare addresses `recipients`; accepted only when every recipient was.
  virtual SendResult Send(const std::string& from, const std::vector<std::string>& recipients,
                          const std::string& mime) = 0;
};

}  // namespace qlr
