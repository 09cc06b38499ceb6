#pragma once
// A fixed-length text field: an assigned value is cut to N bytes, and readers
// see it trimmed. Padded() gives the N-character form used in log lines.
// Short fields are kept inside the record, so a large job table stays small.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/text.h"

namespace qlr {
namespace detail {

template <size_t N>
struct InlineChars {
  std::array<char, N> data{};
  uint8_t size = 0;
  std::string_view view() const { return {data.data(), size}; }
  void assign(std::string_view v) {
    size = static_cast<uint8_t>(v.size() < N ? v.size() : N);
    if (size > 0) std::memcpy(data.data(), v.data(), size);
  }
  bool operator==(const InlineChars& other) const { return view() == other.view(); }
};

template <size_t N>
struct HeapChars {
  std::string value;
  std::string_view view() const { return value; }
  void assign(std::string_view v) { value.assign(v.substr(0, N)); }
  bool operator==(const HeapChars&) const = default;
};

}  // namespace detail

template <size_t N>
class FixedText {
 public:
  FixedText() = default;
  FixedText(std::string_view value) { chars_.assign(value); }  // NOLINT: a field takes text
  FixedText(const char* value) : FixedText(std::string_view(value)) {}         // NOLINT
  FixedText(const std::string& value) : FixedText(std::string_view(value)) {}  // NOLINT

  std::string_view Trimmed() const { return TrimView(chars_.view()); }
  std::string Str() const { return std::string(Trimmed()); }
  std::string Padded() const { return PadRight(chars_.view(), N); }
  bool IsBlank() const { return Trimmed().empty(); }
  static constexpr size_t kLength = N;

  bool operator==(const FixedText&) const = default;

 private:
  std::conditional_t<(N < 32), detail::InlineChars<N>, detail::HeapChars<N>> chars_;
};

}  // namespace qlr
