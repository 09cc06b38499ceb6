#pragma once
// The operator of a command-line run: messages and questions are printed to
// the error stream, prefixed "qlr: ", and nobody is there to answer them.

#include <optional>
#include <ostream>
#include <string>

#include "platform/operator.h"

namespace qlr {

class ConsoleOperator : public Operator {
 public:
  // `yes`: answer Yes, OK or Retry instead of the answer that changes nothing.
  ConsoleOperator(std::ostream& err, bool yes) : err_(err), yes_(yes) {}

  // Prints "qlr: " and the text (in UTF-8).
  void Tell(const std::string& text, const std::string& title = {}) override;
  // Prints the question and the answer given: No or Cancel, or with `yes`
  // Yes, OK or Retry (Retry at most three times in a row, then Cancel).
  Answer Ask(const std::string& text, Buttons buttons, const std::string& title = {}) override;
  // Prints the prompt; there is never any input.
  std::optional<std::string> Input(const std::string& prompt, const std::string& title = {},
                                   const std::string& initial = {}) override;

 private:
  Answer Choose(Buttons buttons);
  void Print(const std::string& text);

  std::ostream& err_;
  bool yes_;
  int retries_in_a_row_ = 0;
};

// The name of an answer as its button shows it ("Yes", "Cancel", ...).
const char* AnswerName(Answer answer);

}  // namespace qlr
