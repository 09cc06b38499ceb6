#include "QLRMail/smtp_sender.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

namespace qlr {
namespace {

// libcurl pulls the message through this, a piece at a time.
size_t ReadPiece(char* buffer, size_t size, size_t count, void* user) {
  auto* rest = static_cast<std::string_view*>(user);
  const size_t n = std::min(size * count, rest->size());
  std::memcpy(buffer, rest->data(), n);
  rest->remove_prefix(n);
  return n;
}

struct CurlCleanup {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

std::unique_ptr<curl_slist, ListCleanup> RecipientList(const std::vector<std::string>& recipients) {
  curl_slist* list = nullptr;
  for (const std::string& r : recipients) list = curl_slist_append(list, ("<" + r + ">").c_str());
  return std::unique_ptr<curl_slist, ListCleanup>(list);
}

SendResult Failure(CURLcode rc, const char* error, long response) {
  std::string reason = error[0] != '\0' ? error : curl_easy_strerror(rc);
  if (response >= 400)
    return {false, "refused by the server (" + std::to_string(response) + "): " + reason};
  return {false, reason};
}

}  // namespace

SendResult SmtpSender::Send(const std::string& from, const std::vector<std::string>& recipients,
                            const std::string& mime) {
  std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
  if (!curl) return {false, "libcurl could not start"};
  auto rcpt = RecipientList(recipients);
  std::string_view rest = mime;
  const std::string mail_from = "<" + from + ">";
  char error[CURL_ERROR_SIZE] = "";
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url_.c_str());
  curl_easy_setopt(c, CURLOPT_MAIL_FROM, mail_from.c_str());
  curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());
  curl_easy_setopt(c, CURLOPT_READFUNCTION, ReadPiece);
  curl_easy_setopt(c, CURLOPT_READDATA, &rest);
  curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
  curl_easy_setopt(c, CURLOPT_TIMEOUT, 300L);
  // Plain smtp:// moves to TLS when the server offers STARTTLS; smtps:// is TLS from the start.
  if (url_.rfind("smtp://", 0) == 0)
    curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
  if (!user_.empty()) {
    curl_easy_setopt(c, CURLOPT_USERNAME, user_.c_str());
    curl_easy_setopt(c, CURLOPT_PASSWORD, password_.c_str());
  }
  const CURLcode rc = curl_easy_perform(c);
  if (rc == CURLE_OK) return {true, ""};
  long response = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &response);
  return Failure(rc, error, response);
}

}  // namespace qlr
