#pragma once
// Message variables: %TOKENS% in the body of an end-of-job message replaced
// by facts about the job that has just ended, and the date in the name of a
// file a message includes or attaches.

#include <array>
#include <string>
#include <string_view>

#include "base/date_time.h"
#include "model/job.h"

namespace qlr {

using MessageLines = std::array<std::string, 5>;  // 0 the subject, 1..4 the body

// Replaces the message variables of body entries 1..4 that hold a "%" (the
// subject is never touched); "%ALL%" (its first occurrence) becomes the block
// of every fact, one body line each.
void SubstituteMessageVariables(const Job& job, MessageLines& lines);

// Replaces every `short_token` (matched ignoring case) by `value` and every
// `long_token` by `value` trimmed; each search resumes after the inserted
// value, so a value holding its own token is not replaced again.
void ReplaceToken(std::string& text, std::string_view short_token, std::string_view long_token,
                  std::string_view value);

// Replaces the first "&format&" in the text by `today` in that format; text
// without two ampersands is returned unchanged.
std::string VarSub(std::string_view text, DateTime today);

}  // namespace qlr
