#pragma once
// Nobody answers during a benchmark: messages are dropped and questions get
// the answer that changes nothing.

#include <optional>
#include <string>

#include "platform/operator.h"

namespace qlr {

class SilentOperator : public Operator {
 public:
  void Tell(const std::string&, const std::string&) override {}
  Answer Ask(const std::string&, Buttons buttons, const std::string&) override {
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  }
  std::optional<std::string> Input(const std::string&, const std::string&,
                                   const std::string&) override {
    return std::nullopt;
  }
};

}  // namespace qlr
