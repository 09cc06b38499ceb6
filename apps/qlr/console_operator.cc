#include "qlr/console_operator.h"

#include "base/encoding.h"
#include "base/text.h"

namespace qlr {
namespace {

constexpr int kMaxRetries = 3;

Answer CautiousAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
      return Answer::No;
    case Buttons::OkCancel:
    case Buttons::RetryCancel:
      return Answer::Cancel;
  }
  return Answer::Cancel;
}

Answer WillingAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
      return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
      return Answer::Yes;
    case Buttons::RetryCancel:
      return Answer::Retry;
  }
  return Answer::Cancel;
}

}  // namespace

const char* AnswerName(Answer answer) {
  switch (answer) {
    case Answer::Ok:
      return "OK";
    case Answer::Cancel:
      return "Cancel";
    case Answer::Yes:
      return "Yes";
    case Answer::No:
      return "No";
    case Answer::Retry:
      return "Retry";
  }
  return "";
}

void ConsoleOperator::Tell(const std::string& text, const std::string&) { Print(text); }

Answer ConsoleOperator::Ask(const std::string& text, Buttons buttons, const std::string&) {
  Answer answer = Choose(buttons);
  Print(text + " -> " + AnswerName(answer));
  return answer;
}

std::optional<std::string> ConsoleOperator::Input(const std::string& prompt, const std::string&,
                                                  const std::string&) {
  Print(prompt + " -> (no input)");
  return std::nullopt;
}

// A file that cannot be written will not become writable by retrying for
// ever, so a run that says yes to everything still gives up after a few.
Answer ConsoleOperator::Choose(Buttons buttons) {
  Answer answer = yes_ ? WillingAnswer(buttons) : CautiousAnswer(buttons);
  if (answer != Answer::Retry) {
    retries_in_a_row_ = 0;
    return answer;
  }
  if (++retries_in_a_row_ > kMaxRetries) {
    retries_in_a_row_ = 0;
    return Answer::Cancel;
  }
  return answer;
}

// Message texts break lines with CR LF, as the message boxes want them.
void ConsoleOperator::Print(const std::string& text) {
  err_ << "qlr: " << Cp1252ToUtf8(ReplaceAll(text, "\r\n", "\n")) << "\n";
  err_.flush();
}

}  // namespace qlr
