#pragma once
// Finding the program a job's command line starts, as the job editor checks it.

#include <string>
#include <string_view>

namespace qlr {

// `name` when a file of that name exists (relative to the current folder or
// absolute), else the first folder of `path` (":"-separated, quotes allowed,
// empty entries skipped) holding a file of that name, joined with it; "" when
// none does. No extension is added.
std::string DirChk(std::string_view name, std::string_view path);
// The same on the PATH of the environment.
std::string DirChk(std::string_view name);

// The program of a command line: its first word, a quoted part counting as
// one word (without its quotes); "" for a blank command line.
std::string ProgramOf(std::string_view command_line);

}  // namespace qlr
