#pragma once
// Sending through an SMTP server with libcurl: "smtp://host[:port]" (switching
// to TLS with STARTTLS when the server offers it) or "smtps://host[:port]".
// curl_global_init must have run before the first Send.

#include <string>
#include <vector>

#include "QLRMail/mail_sender.h"

namespace qlr {

class SmtpSender : public MailSender {
 public:
  // `user` "" logs in as nobody; the password is used only with a user.
  SmtpSender(std::string url, std::string user, std::string password)
      : url_(std::move(url)), user_(std::move(user)), password_(std::move(password)) {}
  SendResult Send(const std::string& from, const std::vector<std::string>& recipients,
                  const std::string& mime) override;

 private:
  std::string url_, user_, password_;
};

}  // namespace qlr
