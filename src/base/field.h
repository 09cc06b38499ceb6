#pragma once
// Delimited lines with double-quote quoting, as the schedule file, the
// holidays file, date-variable definitions and settings lists use them.

#include <string>
#include <string_view>
#include <vector>

namespace qlr {

// Field n (from 1) of the line. A field that starts with the quote runs to the
// closing quote, a doubled quote inside standing for one; text between the
// closing quote and the next delimiter is dropped; an unclosed quote runs to
// the end of the line. Missing fields read as "". The field is not trimmed.
std::string GetField(std::string_view line, int n, char quote = '"', char delimiter = ',');

// Every field of the line, as GetField reads them: "a,,b" gives three, "a,"
// two (the last empty), "" one empty field.
std::vector<std::string> GetFields(std::string_view line, char quote = '"', char delimiter = ',');

std::string DoubleQuotes(std::string_view text);  // every double quote doubled
std::string QuoteText(std::string_view text);     // text enclosed in double quotes

}  // namespace qlr
