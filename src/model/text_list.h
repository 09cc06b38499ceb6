#pragma once
// A fixed number of texts kept in one buffer: the message entries, their flags
// and the date variables of a job. Most of them are short or empty; one
// buffer per list, sized exactly and absent when every entry is empty, keeps
// a 32767-job table small. The text never changes once made, so copies
// share it: most jobs of a schedule have the same date variables.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace qlr {

template <size_t N>
class TextList {
 public:
  TextList() = default;
  TextList(const std::array<std::string, N>& texts)  // NOLINT: a list takes its texts
      : TextList(Views(texts)) {}
  TextList(std::initializer_list<std::string_view> texts) : TextList(Views(texts)) {}
  explicit TextList(const std::array<std::string_view, N>& texts) {
    size_t total = 0;
    for (std::string_view t : texts) total += t.size();
    std::shared_ptr<char[]> text;
    if (total > 0) text.reset(new char[total]);
    size_t end = 0;
    for (size_t i = 0; i < N; ++i) {
      if (!texts[i].empty()) std::memcpy(text.get() + end, texts[i].data(), texts[i].size());
      end += texts[i].size();
      ends_[i] = static_cast<uint32_t>(end);
    }
    text_ = std::move(text);
  }

  std::string_view operator[](size_t i) const {
    return std::string_view(Data() + Start(i), ends_[i] - Start(i));
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
  // Every `from` in every entry becomes `to`; copies made before keep theirs.
  void Replace(char from, char to) {
    if (!text_ || std::find(text_.get(), text_.get() + Bytes(), from) == text_.get() + Bytes())
      return;
    std::shared_ptr<char[]> text(new char[Bytes()]);
    std::replace_copy(text_.get(), text_.get() + Bytes(), text.get(), from, to);
    text_ = std::move(text);
  }

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
  bool operator==(const TextList& other) const {
    return ends_ == other.ends_ &&
           (text_ == other.text_ ||
            std::string_view(Data(), Bytes()) == std::string_view(other.Data(), other.Bytes()));
  }

 private:
  template <typename Texts>
  static std::array<std::string_view, N> Views(const Texts& texts) {
    std::array<std::string_view, N> views;
    size_t i = 0;
    for (auto t = texts.begin(); t != texts.end() && i < N; ++t) views[i++] = *t;
    return views;
  }
  size_t Bytes() const { return ends_[N - 1]; }
  const char* Data() const { return text_ ? text_.get() : ""; }
  size_t Start(size_t i) const { return i == 0 ? 0 : ends_[i - 1]; }

  std::shared_ptr<const char[]> text_;  // the entries one after another; none when all empty
  std::array<uint32_t, N> ends_{};
};

}  // namespace qlr
