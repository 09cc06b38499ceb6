#include "editor/typing_rules.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

TEST(TypingRulesTest, EachBoxTakesItsCharacters) {
  EXPECT_EQ(FirstRefusedChar("PAY_1-x.y", NameCharAllowed), std::nullopt);
  for (char c : std::string(" /,\"'\xAC()")) EXPECT_FALSE(NameCharAllowed(c)) << c;
  EXPECT_EQ(TimeOrFrequencyChar(','), ' ');
  EXPECT_EQ(TimeOrFrequencyChar('+'), '+');
  EXPECT_EQ(ExclusivityChar('d'), 'D');
  EXPECT_EQ(ExclusivityChar(' '), ' ');
  EXPECT_EQ(ExclusivityChar(','), std::nullopt);
  EXPECT_EQ(FirstRefusedChar("12\b3x", DigitKeyAllowed), 'x');
  EXPECT_EQ(FirstRefusedChar("Done; see log, then", MessageCharAllowed), ',');
  EXPECT_EQ(FirstRefusedChar("YYYY-mm-dd hh:NN.ss/", DateVarFormatChar), std::nullopt);
  EXPECT_EQ(FirstRefusedChar("yyyyq", DateVarFormatChar), 'q');
  EXPECT_EQ(FirstRefusedChar("Run_Date2", DateVarNameChar), std::nullopt);
  EXPECT_EQ(FirstRefusedChar("A&B", DateVarNameChar), '&');
  EXPECT_TRUE(NamesComProgram("c:\\dos\\run.Com x"));
  EXPECT_FALSE(NamesComProgram("mail.co"));
}

}  // namespace
}  // namespace qlr
