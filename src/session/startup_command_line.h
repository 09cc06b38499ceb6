#pragma once
// The GUI program's command line as start-up reads it: one comma-separated
// text, field 1 the INI file and field 2 the word TEMP.

#include <string>
#include <vector>

namespace qlr {

// The arguments after the program's name (UTF-8) as that one text
// (Windows-1252). One argument is taken as written ("PATH,TEMP", the path
// may be quoted); two are the path and the option, the path quoted when it
// holds a comma or a double quote. Further arguments are ignored; none give "".
std::string StartupCommandLine(const std::vector<std::string>& args);

}  // namespace qlr
