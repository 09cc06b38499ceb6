#include "QLRMail/mailer.h"

#include <curl/curl.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "QLRMail/options.h"
#include "QLRMail/smtp_sender.h"
#include "QLRMail/sweep.h"
#include "base/encoding.h"

namespace qlr {
namespace {

volatile std::sig_atomic_t stop_requested = 0;

void RequestStop(int) { stop_requested = 1; }

std::string Password() {
  const char* password = std::getenv("QLRMAIL_PASSWORD");
  return password != nullptr ? password : "";
}

// Waits out the interval a second at a time, so that a stop request ends the wait.
void Pause(int seconds) {
  for (int i = 0; i < seconds && stop_requested == 0; ++i) ::sleep(1);
}

}  // namespace

int RunQlrMail(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  MailOptions options;
  if (int status = ParseMailOptions(argc, argv, options, out, err); status >= 0) return status;
  std::string folder, error;
  if (!MailFolder(options, folder, error)) {
    err << "QLRMail: " << Cp1252ToUtf8(error) << "\n";
    return 1;
  }
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  curl_global_init(CURL_GLOBAL_DEFAULT);
  SmtpSender sender(options.smtp, options.user, options.user.empty() ? "" : Password());
  SystemClock clock;
  const SweepSettings settings{folder, options.from};
  SweepMail(settings, clock, sender, out);
  while (!options.once && stop_requested == 0) {
    Pause(options.interval);
    if (stop_requested == 0) SweepMail(settings, clock, sender, out);
  }
  curl_global_cleanup();
  return 0;
}

}  // namespace qlr
