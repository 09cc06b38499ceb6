#pragma once
// Turning a job's command line into the words a program receives.

#include <string>
#include <string_view>
#include <vector>

namespace qlr {

// The words of a command line: blanks (spaces and tabs) separate words,
// double quotes group text with blanks into one word and are removed, and a
// doubled quote inside quotes stands for one quote ("a ""b"" c" is a "b" c).
// A quoted empty text ("") is an empty word; an unclosed quote runs to the end.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

}  // namespace qlr
