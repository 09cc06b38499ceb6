#pragma once
// The schedule grid's column table: the 23 columns the grid can show, with
// their headings, default widths (twips), alignments and positions.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qlr {

inline constexpr int kGridColumnCount = 23;

// Column definitions in id order: the alignment mark ("<" left, "^" centre,
// ">" right), then the heading; trailing blanks only widen the column.
inline constexpr std::array<std::string_view, kGridColumnCount> kGridColumnDefinitions = {
    "<Job Name",
    "^Group",
    "<Command Line",
    "<Job Description",
    "^DOS/CP Prog",
    "^Submit Only",
    "^Auto Reschedule",
    "^CPU Usage",
    "<Date Variables",
    "^Early Start",
    "^Frequency",
    "<Dependencies             ",
    "<Inter/Ext Dependency",
    "<Exclusivity",
    "^Skip On",
    "^Defer R/O",
    "^Status     ",
    "^Started",
    "^Completed",
    "<EOJ Email To",
    "<Trigger Creation",
    "<Ab EOJ Email To",
    "^Critical"};

struct GridColumn {
  char align = '<';      // '<', '^' or '>'
  int16_t position = 0;  // the grid column that shows it
  std::string heading;
  bool hidden = false;
  int16_t width = 0;  // twips
};

using GridColumnTable = std::array<GridColumn, kGridColumnCount>;

// The built-in table: position = id, width = (definition length - 1) * 100,
// columns 9 and above hidden.
GridColumnTable InitColumnTable();

// The id of the column with this heading (exact match), or -1 when none has it.
int GCSubs(const GridColumnTable& table, std::string_view heading);
// The id of the column shown at this position, or -1 when none is.
int GCId(const GridColumnTable& table, int position);

}  // namespace qlr
