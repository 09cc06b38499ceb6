#pragma once
// Numbers read from text: the value of the leading number (blanks, a sign,
// digits, a decimal part); empty or non-numeric text reads as 0. Whole-number
// fields round halves to even and clamp to the field's range.

#include <cstdint>
#include <string>
#include <string_view>

namespace qlr {

double LeadingNumber(std::string_view text);
int64_t ReadWhole(std::string_view text, int64_t min, int64_t max);
// Whether the leading number, rounded as ReadWhole rounds it, lies in [min, max].
bool WholeInRange(std::string_view text, int64_t min, int64_t max);
inline int16_t ReadInt16(std::string_view t) {
  return static_cast<int16_t>(ReadWhole(t, INT16_MIN, INT16_MAX));
}
inline int32_t ReadInt32(std::string_view t) {
  return static_cast<int32_t>(ReadWhole(t, INT32_MIN, INT32_MAX));
}
inline uint8_t ReadByte(std::string_view t) { return static_cast<uint8_t>(ReadWhole(t, 0, 255)); }
// True when the number, rounded as whole numbers are, is not 0: "0.4" is false.
inline bool ReadFlag(std::string_view t) { return ReadWhole(t, -1, 1) != 0; }

// True for a trimmed text that is wholly one number: optional sign, digits,
// optional decimal part. "" and "12a" are not numeric.
bool IsNumeric(std::string_view text);

inline std::string FlagText(bool flag) { return flag ? "-1" : "0"; }

}  // namespace qlr
