#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/operator.h"

namespace qlr::testing {

// An operator that records every text it is shown and gives preset answers in
// order; when the script runs out it answers the way that changes nothing.
class ScriptedOperator : public Operator {
 public:
  void Tell(const std::string& text, const std::string& title = {}) override;
  Answer Ask(const std::string& text, Buttons buttons, const std::string& title = {}) override;
  std::optional<std::string> Input(const std::string& prompt, const std::string& title = {},
                                   const std::string& initial = {}) override;

  void AnswerNext(Answer answer) { answers_.push_back(answer); }
  void InputNext(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }

  std::vector<std::string> told;    // texts of Tell, in order
  std::vector<std::string> asked;   // texts of Ask, in order
  std::vector<std::string> titles;  // titles of Tell and Ask, in order
  std::vector<std::string> prompts;

 private:
  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> inputs_;
};

}  // namespace qlr::testing
