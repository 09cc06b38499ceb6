#include "base/number.h"

#include <cmath>

#include "base/text.h"

namespace qlr {

double LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  double value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10 + (text[i] - '0');
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10)
      value += (text[i] - '0') * scale;
  }
  return negative ? -value : value;
}

bool WholeInRange(std::string_view text, int64_t min, int64_t max) {
  const double v = std::nearbyint(LeadingNumber(text));
  return v >= static_cast<double>(min) && v <= static_cast<double>(max);
}

int64_t ReadWhole(std::string_view text, int64_t min, int64_t max) {
  double v = std::nearbyint(LeadingNumber(text));  // default rounding mode: halves to even
  if (!(v >= static_cast<double>(min))) return min;
  if (v >= static_cast<double>(max)) return max;
  return static_cast<int64_t>(v);
}

bool IsNumeric(std::string_view text) {
  std::string_view t = TrimView(text);
  size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  size_t digits = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) ++digits;
  if (i < t.size() && t[i] == '.')
    for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) ++digits;
  return digits > 0 && i == t.size();
}

}  // namespace qlr
