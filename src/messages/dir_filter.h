#pragma once
// The "Flt" filter of included files: a directory listing reduced to the
// lines that name files, each cut to the part that holds the file's name.

#include <string>
#include <string_view>

namespace qlr {

// One line of a listing, reduced; "" for a line to drop.
// - `ls -l` (also --time-style=long-iso or full-iso): the file name (with
//   " -> target" for a link); directories are dropped; an entry whose date is
//   in another form is kept whole.
// - DOS `dir`: the size and name after the "hh:mm" (or "hh:mm AM") time, the
//   date before it written with "/", "-" or "."; "<DIR>" lines are dropped.
// - Headings ("Directory of C:\...", or a line ending in ":") are kept whole;
//   any other line without a ":" is dropped.
std::string DirFilter(std::string_view line);

}  // namespace qlr
