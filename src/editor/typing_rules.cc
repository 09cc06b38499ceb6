#include "editor/typing_rules.h"

#include "base/text.h"

namespace qlr {
namespace {

bool IsAsciiLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

}  // namespace

bool NameCharAllowed(char c) {
  return std::string_view(" /,\"'\xAC()").find(c) == std::string_view::npos;
}

char TimeOrFrequencyChar(char c) { return c == ',' ? ' ' : c; }

std::optional<char> ExclusivityChar(char c) {
  const char upper = UpperChar(c);
  if (IsAsciiLetterOrDigit(upper) || upper == '_' || upper == '-' || upper == ' ' || upper == '\b')
    return upper;
  return std::nullopt;
}

bool MessageCharAllowed(char c) { return c != ','; }

bool DigitKeyAllowed(char c) { return (c >= '0' && c <= '9') || c == '\b'; }

bool NamesComProgram(std::string_view command_line) { return ContainsNoCase(command_line, ".COM"); }

bool DateVarFormatChar(char c) {
  return c == '\b' || std::string_view("ymdhns -/:.").find(LowerChar(c)) != std::string_view::npos;
}

bool DateVarNameChar(char c) { return c == '\b' || c == '_' || IsAsciiLetterOrDigit(c); }

std::optional<char> FirstRefusedChar(std::string_view text, bool (*allowed)(char)) {
  for (char c : text)
    if (!allowed(c)) return c;
  return std::nullopt;
}

}  // namespace qlr
