#include "base/field.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

struct FieldCase {
  const char* line;
  int n;
  char delimiter;
  const char* expected;
};

TEST(GetFieldTest, ReadsFieldsWithQuoting) {
  const FieldCase cases[] = {
      {"a,b", 1, ',', "a"},
      {"a,b", 2, ',', "b"},
      {"a,b", 3, ',', ""},           // missing fields read as empty
      {"\"x,y\",z", 1, ',', "x,y"},  // a quoted field keeps its delimiter
      {"\"x,y\",z", 2, ',', "z"},
      {"\"a\"\"b\",c", 1, ',', "a\"b"},  // a doubled quote reads as one
      {"\"a\"\"b\",c", 2, ',', "c"},
      {"\"ab\"junk,c", 1, ',', "ab"},  // text after the closing quote is dropped
      {"\"ab\"junk,c", 2, ',', "c"},
      {"\"open,field", 1, ',', "open,field"},  // an unclosed quote runs to the end of the line
      {"\"open,field", 2, ',', ""},
      {" a ,b", 1, ',', " a "},  // not trimmed
      {"a\tb c\t\td", 2, '\t', "b c"},
      {"a\tb c\t\td", 3, '\t', ""},
      {"a\tb c\t\td", 4, '\t', "d"},
      {"", 1, ',', ""},
      {"\"\",x", 1, ',', ""},
      {"\"\",x", 2, ',', "x"},
      {"A,B,,C,", 3, ',', ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetField(c.line, c.n, '"', c.delimiter), c.expected) << c.line << " field " << c.n;
}

// Each list agrees with GetField field by field, and has no field more.
TEST(GetFieldTest, GetFieldsCountsEveryField) {
  using Fields = std::vector<std::string>;
  const std::pair<const char*, Fields> cases[] = {
      {"", {""}},
      {"a,,b", {"a", "", "b"}},
      {"a,", {"a", ""}},
      {"\"x,y\",z", {"x,y", "z"}},
      {"\"ab\"junk,c", {"ab", "c"}},
      {"\"open,field", {"open,field"}},
  };
  for (const auto& [line, fields] : cases) {
    EXPECT_EQ(GetFields(line), fields) << line;
    for (size_t i = 0; i < fields.size(); ++i)
      EXPECT_EQ(GetField(line, static_cast<int>(i + 1)), fields[i]) << line;
  }
}

TEST(GetFieldTest, QuotingHelpers) {
  EXPECT_EQ(DoubleQuotes("run \"my file\""), "run \"\"my file\"\"");
  EXPECT_EQ(QuoteText("/a b/c"), "\"/a b/c\"");
  // What the writer produces the reader gives back.
  EXPECT_EQ(GetField(QuoteText(DoubleQuotes("a,\"b\"")) + ",next", 1), "a,\"b\"");
}

}  // namespace
}  // namespace qlr
