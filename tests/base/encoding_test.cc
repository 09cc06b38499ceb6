#include "base/encoding.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

TEST(EncodingTest, RoundTripsEveryDefinedByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(EncodingTest, KnownCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("\xac"), "\xc2\xac");      // ¬
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xe2\x82\xac");  // €
  EXPECT_EQ(Utf8ToCp1252("caf\xc3\xa9"), "caf\xe9");
  EXPECT_EQ(Utf8ToCp1252("\xe4\xb8\xad"), "?");  // no Windows-1252 form
  EXPECT_EQ(Utf8ToCp1252("a\xc3"), "a?");        // cut short
  EXPECT_EQ(Utf8ToCp1252("\xff"), "?");
}

}  // namespace
}  // namespace qlr
