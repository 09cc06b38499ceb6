#pragma once
// A fixed-length text field: an assigned value is cut to N bytes, and readers
// see it trimmed. Padded() gives the N-character form used in log lines.
// Short fields are kept inside the record, so a large job table stays small.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
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

// Long fields are mostly empty: they hold a pointer, and their text only
// when there is one.
template <size_t N>
struct HeapChars {
  static_assert(N <= 255, "the size is kept in one byte");
  HeapChars() = default;
  HeapChars(const HeapChars& other) { assign(other.view()); }
  HeapChars& operator=(const HeapChars& other) {
    if (this != &other) assign(other.view());
    return *this;
  }
  HeapChars(HeapChars&&) noexcept = default;
  HeapChars& operator=(HeapChars&&) noexcept = default;

  std::string_view view() const { return {data ? data.get() : "", size}; }
  void assign(std::string_view v) {
    v = v.substr(0, N);
    std::unique_ptr<char[]> copy;
    if (!v.empty()) {
      copy = std::make_unique<char[]>(v.size());
      std::memcpy(copy.get(), v.data(), v.size());
    }
    data = std::move(copy);
    size = static_cast<uint8_t>(v.size());
  }
  bool operator==(const HeapChars& other) const { return view() == other.view(); }

  std::unique_ptr<char[]> data;
  uint8_t size = 0;
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
