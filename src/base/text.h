#pragma once
// Byte-string helpers. Every text inside the program is Windows-1252; letter
// case follows that code page, so "é" and "É" compare equal case-blind.

#include <string>
#include <string_view>
#include <vector>

namespace qlr {

std::string_view TrimView(std::string_view s);  // blanks, tabs, CR and LF removed
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

char UpperChar(char c);  // Windows-1252 upper case of one byte
char LowerChar(char c);
std::string Upper(std::string_view s);
std::string Lower(std::string_view s);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
bool ContainsNoCase(std::string_view haystack, std::string_view needle);
// Position of needle in haystack at or after `from`, ignoring case; npos when absent.
size_t FindNoCase(std::string_view haystack, std::string_view needle, size_t from = 0);

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);
std::string PadRight(std::string_view s, size_t width);  // cut or blank-padded to width
std::string Left(std::string_view s, size_t n);          // at most the first n bytes

// Position of the first byte that is not text: a control byte other than tab
// (below 0x20) or DEL (0x7F); npos when there is none.
size_t FindControlByte(std::string_view s);
// True when every byte is an ASCII digit; "" has none that is not.
bool AllDigits(std::string_view s);

// Splits at every occurrence of sep; "a,,b" gives three parts, "" gives one empty part.
std::vector<std::string> Split(std::string_view s, char sep);
// Words separated by runs of blanks; no empty words.
std::vector<std::string_view> SplitWords(std::string_view s);

// Text before / after the first separator: TextBefore gives all of it when the
// separator is absent, TextAfter gives "" then.
std::string TextBefore(std::string_view s, std::string_view sep);
std::string TextAfter(std::string_view s, std::string_view sep);

// Calls `line` for every line of the text (CR LF or LF ends); a last line
// without its end counts, an empty text has no lines.
template <typename F>
void ForEachLine(std::string_view text, F line) {
  while (!text.empty()) {
    size_t nl = text.find('\n');
    std::string_view l = text.substr(0, nl);
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    line(l);
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
}

}  // namespace qlr
