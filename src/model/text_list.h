#pragma once
// A fixed number of texts kept in one buffer: the message entries, their flags
// and the date variables of a job. Most of them are short or empty, and one
// buffer per list instead of one string per entry keeps a 32767-job table
// small.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qlr {

template <size_t N>
class TextList {
 public:
  TextList() = default;
  TextList(const std::array<std::string, N>& texts)  // NOLINT: a list takes its texts
      : TextList(Views(texts)) {}
  // The whole text is sized once: a schedule's reader builds a list per
  // column of every job.
  explicit TextList(const std::array<std::string_view, N>& texts) {
    size_t total = 0;
    for (std::string_view t : texts) total += t.size();
    text_.reserve(total);
    for (size_t i = 0; i < N; ++i) Append(i, texts[i]);
  }
  TextList(std::initializer_list<std::string_view> texts) {
    size_t i = 0;
    for (std::string_view t : texts)
      if (i < N) Append(i++, t);
    for (; i < N; ++i) Append(i, {});
  }

  std::string_view operator[](size_t i) const {
    return std::string_view(text_).substr(Start(i), ends_[i] - Start(i));
  }
  void Set(size_t i, std::string_view value) {
    std::array<std::string, N> all = ToArray();
    all[i] = std::string(value);
    *this = TextList(all);
  }
  std::array<std::string, N> ToArray() const {
    std::array<std::string, N> all;
    for (size_t i = 0; i < N; ++i) all[i] = std::string((*this)[i]);
    return all;
  }
  static constexpr size_t size() { return N; }
  // Every `from` in every entry becomes `to`.
  void Replace(char from, char to) { std::replace(text_.begin(), text_.end(), from, to); }

  class const_iterator {
   public:
    const_iterator(const TextList* list, size_t i) : list_(list), i_(i) {}
    std::string_view operator*() const { return (*list_)[i_]; }
    const_iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator!=(const const_iterator& other) const { return i_ != other.i_; }

   private:
    const TextList* list_;
    size_t i_;
  };
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, N}; }
  bool operator==(const TextList&) const = default;

 private:
  static std::array<std::string_view, N> Views(const std::array<std::string, N>& texts) {
    std::array<std::string_view, N> views;
    for (size_t i = 0; i < N; ++i) views[i] = texts[i];
    return views;
  }
  size_t Start(size_t i) const { return i == 0 ? 0 : ends_[i - 1]; }
  void Append(size_t i, std::string_view value) {
    text_.append(value);
    ends_[i] = static_cast<uint32_t>(text_.size());
  }

  std::string text_;
  std::array<uint32_t, N> ends_{};
};

}  // namespace qlr
