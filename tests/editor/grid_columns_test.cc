#include "editor/grid_columns.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace qlr {
namespace {

// In id order: alignment mark and heading, width; each at its own position, hidden from 9.
TEST(GridColumnsTest, BuiltInTableHasHeadingsAlignmentsAndWidths) {
  const std::vector<std::string> headings = Split(
      "<Job Name|^Group|<Command Line|<Job Description|^DOS/CP Prog|^Submit Only|^Auto Reschedule|"
      "^CPU Usage|<Date Variables|^Early Start|^Frequency|<Dependencies|<Inter/Ext Dependency|"
      "<Exclusivity|^Skip On|^Defer R/O|^Status|^Started|^Completed|<EOJ Email To|"
      "<Trigger Creation|<Ab EOJ Email To|^Critical",
      '|');
  const int widths[] = {800,  500,  1200, 1500, 1100, 1100, 1500, 900,  1400, 1100, 900, 2500,
                        2000, 1100, 700,  900,  1100, 700,  900,  1200, 1600, 1500, 800};
  const GridColumnTable table = InitColumnTable();
  for (int id = 0; id < kGridColumnCount; ++id) {
    const GridColumn& c = table[static_cast<size_t>(id)];
    EXPECT_EQ(std::tuple(c.align + c.heading, c.width, c.position, c.hidden),
              std::tuple(headings.at(id), widths[id], id, id >= 9));
  }
}

TEST(GridColumnsTest, FindsColumnsByHeadingAndPosition) {
  GridColumnTable table = InitColumnTable();
  table[16].position = 1;  // Status moved in front of Group
  table[1].position = 16;
  for (auto [id, heading] :
       {std::pair{0, "Job Name"}, {16, "Status"}, {22, "Critical"}, {-1, "status"}, {-1, ""}})
    EXPECT_EQ(GCSubs(table, heading), id) << heading;
  for (auto [id, position] : {std::pair{0, 0}, {16, 1}, {1, 16}, {22, 22}, {-1, 23}, {-1, -1}})
    EXPECT_EQ(GCId(table, position), id) << position;
}

}  // namespace
}  // namespace qlr
