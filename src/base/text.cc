#include "base/text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace qlr {
namespace {

bool IsTrimmed(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Windows-1252 letters outside ASCII whose case partner is not 0x20 away.
constexpr unsigned char kUpperPairs[][2] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};

bool IsControlByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b < 0x20 && b != '\t') || b == 0x7F;
}

// Bytes below 0x20 are those that, plus 0x60, lie above 0x5F as signed
// bytes: one addition and one signed comparison, which SSE2 has.
using Bytes16 = unsigned char __attribute__((vector_size(16)));
using Signed16 = signed char __attribute__((vector_size(16)));

// 0xFF in each lane of the sixteen bytes at p that holds a control byte.
Bytes16 ControlLanes(const char* p) {
  Bytes16 v;
  std::memcpy(&v, p, 16);
  const Bytes16 shifted = v + 0x60;                                // unsigned: wraps
  const Bytes16 below_0x20 = (Bytes16)((Signed16)shifted > 0x5F);  // vector casts keep the bits
  return (below_0x20 & (Bytes16)(v != '\t')) | (Bytes16)(v == 0x7F);
}

// The first lane holding 0xFF; 16 when none does.
size_t FirstLane(Bytes16 lanes) {
  uint64_t low, high;
  std::memcpy(&low, &lanes, 8);
  std::memcpy(&high, reinterpret_cast<const char*>(&lanes) + 8, 8);
  if (low != 0) return static_cast<size_t>(std::countr_zero(low)) / 8;
  return high != 0 ? 8 + static_cast<size_t>(std::countr_zero(high)) / 8 : 16;
}

}  // namespace

// Sixteen bytes at a time with the compiler's vector types (SSE2 on x86-64):
// the reader looks at every byte of every schedule line.
size_t FindControlByte(std::string_view s) {
  const char* p = s.data();
  const size_t n = s.size();
  if (std::endian::native != std::endian::little || n < 16) {
    for (size_t i = 0; i < n; ++i)
      if (IsControlByte(p[i])) return i;
    return std::string_view::npos;
  }
  size_t i = 0;
  for (; i + 32 <= n; i += 32)  // two at a time, one test
    if (FirstLane(ControlLanes(p + i) | ControlLanes(p + i + 16)) < 16) break;
  for (; i + 16 <= n; i += 16)
    if (size_t at = FirstLane(ControlLanes(p + i)); at < 16) return i + at;
  if (i == n) return std::string_view::npos;
  // The last sixteen bytes again: those before i hold no control byte.
  const size_t at = FirstLane(ControlLanes(p + n - 16));
  return at < 16 ? n - 16 + at : std::string_view::npos;
}

std::string_view TrimView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsTrimmed(s[b])) ++b;
  while (e > b && IsTrimmed(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

std::string TrimLeft(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && IsTrimmed(s[b])) ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && IsTrimmed(s[e - 1])) --e;
  return std::string(s.substr(0, e));
}

char UpperChar(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 0x20);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
  for (const auto& pair : kUpperPairs)
    if (u == pair[0]) return static_cast<char>(pair[1]);
  return c;
}

char LowerChar(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 0x20);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
  for (const auto& pair : kUpperPairs)
    if (u == pair[1]) return static_cast<char>(pair[0]);
  return c;
}

std::string Upper(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = UpperChar(c);
  return r;
}

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = LowerChar(c);
  return r;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

size_t FindNoCase(std::string_view haystack, std::string_view needle, size_t from) {
  if (needle.size() > haystack.size()) return std::string_view::npos;
  for (size_t i = from; i + needle.size() <= haystack.size(); ++i)
    if (EqualsNoCase(haystack.substr(i, needle.size()), needle)) return i;
  return std::string_view::npos;
}

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
  return FindNoCase(haystack, needle) != std::string_view::npos;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string r;
  size_t pos = 0;
  for (size_t hit; (hit = s.find(from, pos)) != std::string_view::npos; pos = hit + from.size()) {
    r.append(s.substr(pos, hit - pos));
    r.append(to);
  }
  r.append(s.substr(pos));
  return r;
}

std::string PadRight(std::string_view s, size_t width) {
  std::string r(s.substr(0, width));
  r.resize(width, ' ');
  return r;
}

std::string Left(std::string_view s, size_t n) { return std::string(s.substr(0, n)); }

bool AllDigits(std::string_view s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

std::vector<std::string> Split(std::string_view s, char sep) {
  std::vector<std::string> parts;
  size_t pos = 0;
  for (size_t hit; (hit = s.find(sep, pos)) != std::string_view::npos; pos = hit + 1)
    parts.emplace_back(s.substr(pos, hit - pos));
  parts.emplace_back(s.substr(pos));
  return parts;
}

std::vector<std::string_view> SplitWords(std::string_view s) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    size_t start = i;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

std::string TextBefore(std::string_view s, std::string_view sep) {
  size_t p = s.find(sep);
  return std::string(p == std::string_view::npos ? s : s.substr(0, p));
}

std::string TextAfter(std::string_view s, std::string_view sep) {
  size_t p = s.find(sep);
  return p == std::string_view::npos ? std::string() : std::string(s.substr(p + sep.size()));
}

}  // namespace qlr
