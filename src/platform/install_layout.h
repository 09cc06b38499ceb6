#pragma once
// Where a program finds what is installed with it. In a build tree the
// companion programs sit beside it; installed, they and the help pages sit at
// fixed places relative to its folder (bin/ -> ../libexec/quillrun and
// ../share/quillrun/help), so a tree moved with its prefix keeps working.

#include <string>
#include <string_view>

namespace qlr {

// The companion program `name` (QLRDummy, QLRTovani) of a program in
// `program_dir`: beside it when there, else at its installed place when that
// exists, else beside it (the place a message about it should name).
std::string CompanionProgramPath(std::string_view program_dir, std::string_view name);

// The folder of the installed help pages for a program in `program_dir`,
// whether or not it exists.
std::string InstalledHelpDir(std::string_view program_dir);

}  // namespace qlr
