#include "messages/message_variables.h"

#include "base/date_format.h"
#include "base/text.h"

namespace qlr {
namespace {

constexpr std::string_view kAllBlock =
    "Job Name:        %JN%%NL%"
    "Group Name:      %GN%%NL%"
    "Command Line:    %CL%%NL%"
    "Job Description: %JD%%NL%"
    "Start Time:      %ST%%NL%"
    "Completion Time: %CT%%NL%"
    "Duration:        %DU%%NL%"
    "Error:           %ED%%NL%";

struct Token {
  std::string_view short_token, long_token;
  std::string value;
};

// The facts in the order they are replaced; the line break comes last, so a
// value that holds "%NL%" breaks the line too.
std::array<Token, 10> Tokens(const Job& job) {
  return {{{"%JN%", "%JOBNAME%", job.JobName.Padded()},
           {"%GN%", "%GROUPNAME%", job.Group.Padded()},
           {"%ED%", "%ERRORDESC%", job.FailText.Padded()},
           {"%CL%", "%CMDLINE%", job.CommandLine},
           {"%CR%", "%CRITICAL%", job.Critical ? "Yes" : "No"},
           {"%ST%", "%SUBMISSIONTIME%", FormatDateTime(job.StartedAt, "hh:nn:ss")},
           {"%CT%", "%COMPLETIONTIME%", FormatDateTime(job.EndedAt, "hh:nn:ss")},
           {"%DU%", "%DURATION%", FormatDateTime(job.EndedAt - job.StartedAt, "hh:nn:ss")},
           {"%JD%", "%JOBDESC%", job.Description.Padded()},
           {"%NL%", "%NEWLINE%", "~\r\nBODY="}}};
}

void ReplaceAllOf(std::string& text, std::string_view token, std::string_view value) {
  for (size_t at = FindNoCase(text, token); at != std::string::npos;
       at = FindNoCase(text, token, at + value.size()))
    text.replace(at, token.size(), value);
}

}  // namespace

void ReplaceToken(std::string& text, std::string_view short_token, std::string_view long_token,
                  std::string_view value) {
  ReplaceAllOf(text, short_token, value);
  if (!long_token.empty()) ReplaceAllOf(text, long_token, TrimView(value));
}

void SubstituteMessageVariables(const Job& job, MessageLines& lines) {
  const std::array<Token, 10> tokens = Tokens(job);
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string& entry = lines[i];
    if (entry.find('%') == std::string::npos) continue;
    if (size_t all = FindNoCase(entry, "%ALL%"); all != std::string::npos)
      entry.replace(all, 5, kAllBlock);
    for (const Token& t : tokens) ReplaceToken(entry, t.short_token, t.long_token, t.value);
  }
}

std::string VarSub(std::string_view text, DateTime today) {
  size_t open = text.find('&');
  size_t close = open == std::string_view::npos ? open : text.find('&', open + 1);
  if (close == std::string_view::npos) return std::string(text);
  std::string format(text.substr(open + 1, close - open - 1));
  return std::string(text.substr(0, open)) + FormatDateTime(DateOnly(today), format) +
         std::string(text.substr(close + 1));
}

}  // namespace qlr
