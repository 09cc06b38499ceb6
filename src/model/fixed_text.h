#pragma once
// A fixed-length text field: an assigned value is cut to N bytes, and readers
// see it trimmed. Padded() gives the N-character form used in log lines.

#include <cstddef>
#include <string>
#include <string_view>

#include "base/text.h"

namespace qlr {

template <size_t N>
class FixedText {
 public:
  FixedText() = default;
  FixedText(std::string_view value) : value_(value.substr(0, N)) {}  // NOLINT: a field takes text
  FixedText(const char* value) : FixedText(std::string_view(value)) {}  // NOLINT
  FixedText(const std::string& value) : FixedText(std::string_view(value)) {}  // NOLINT

  std::string_view Trimmed() const { return TrimView(value_); }
  std::string Str() const { return std::string(Trimmed()); }
  std::string Padded() const { return PadRight(value_, N); }
  bool IsBlank() const { return Trimmed().empty(); }
  static constexpr size_t kLength = N;

  bool operator==(const FixedText&) const = default;

 private:
  std::string value_;
};

}  // namespace qlr
