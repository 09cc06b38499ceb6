#include "support/scripted_operator.h"

namespace qlr::testing {

void ScriptedOperator::Tell(const std::string& text, const std::string& title) {
  told.push_back(text);
  titles.push_back(title);
}

Answer ScriptedOperator::Ask(const std::string& text, Buttons buttons, const std::string& title) {
  asked.push_back(text);
  titles.push_back(title);
  if (!answers_.empty()) {
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

std::optional<std::string> ScriptedOperator::Input(const std::string& prompt, const std::string&,
                                                   const std::string&) {
  prompts.push_back(prompt);
  if (inputs_.empty()) return std::nullopt;
  auto text = inputs_.front();
  inputs_.pop_front();
  return text;
}

}  // namespace qlr::testing
