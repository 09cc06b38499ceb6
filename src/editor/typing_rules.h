#pragma once
// What the job editor's boxes accept as they are typed in, one keystroke at a
// time, so that a widget's validator can ask. Backspace is '\b'.

#include <optional>
#include <string_view>

namespace qlr {

// Job Name and Group refuse blank, "/", ",", double quote, "'", "¬", "(" and ")".
bool NameCharAllowed(char c);
// Earliest Start Time and Frequency take a typed "," as a blank.
char TimeOrFrequencyChar(char c);
// Exclusivity Keywords: the character upper-cased; nullopt for one outside
// the keyword set (letters A to Z, digits, "_", "-" and blank).
std::optional<char> ExclusivityChar(char c);
// A message's subject and body lines refuse ",": the schedule file keeps the
// five entries in one comma-separated column, where a comma would split one.
bool MessageCharAllowed(char c);
// "Defer EOJ message by (mins):" takes digits and backspace only.
bool DigitKeyAllowed(char c);
// A command line naming a ".COM" program (any letter case) ticks the DOS box.
bool NamesComProgram(std::string_view command_line);
// A date variable's format: the characters of "ymdhns -/:." in either letter
// case, and backspace.
bool DateVarFormatChar(char c);
// A date variable's name: letters A to Z in either case, digits, "_", and backspace.
bool DateVarNameChar(char c);

// The first character of `text` that `allowed` refuses, if any: for whole
// texts pasted or given on a command line.
std::optional<char> FirstRefusedChar(std::string_view text, bool (*allowed)(char));

}  // namespace qlr
