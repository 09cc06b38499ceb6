#include "editor/grid_columns.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

struct ColumnRow {
  int id;
  const char* heading;
  char align;
  int width;
};

TEST(GridColumnsTest, BuiltInTableHasHeadingsAlignmentsAndWidths) {
  const ColumnRow rows[] = {
      {0, "Job Name", '<', 800},
      {1, "Group", '^', 500},
      {2, "Command Line", '<', 1200},
      {3, "Job Description", '<', 1500},
      {4, "DOS/CP Prog", '^', 1100},
      {5, "Submit Only", '^', 1100},
      {6, "Auto Reschedule", '^', 1500},
      {7, "CPU Usage", '^', 900},
      {8, "Date Variables", '<', 1400},
      {9, "Early Start", '^', 1100},
      {10, "Frequency", '^', 900},
      {11, "Dependencies", '<', 2500},
      {12, "Inter/Ext Dependency", '<', 2000},
      {13, "Exclusivity", '<', 1100},
      {14, "Skip On", '^', 700},
      {15, "Defer R/O", '^', 900},
      {16, "Status", '^', 1100},
      {17, "Started", '^', 700},
      {18, "Completed", '^', 900},
      {19, "EOJ Email To", '<', 1200},
      {20, "Trigger Creation", '<', 1600},
      {21, "Ab EOJ Email To", '<', 1500},
      {22, "Critical", '^', 800},
  };
  GridColumnTable table = InitColumnTable();
  for (const ColumnRow& row : rows) {
    const GridColumn& column = table[static_cast<size_t>(row.id)];
    SCOPED_TRACE(row.heading);
    EXPECT_EQ(column.heading, row.heading);
    EXPECT_EQ(column.align, row.align);
    EXPECT_EQ(column.width, row.width);
    EXPECT_EQ(column.position, row.id);
    EXPECT_EQ(column.hidden, row.id >= 9);
  }
}

TEST(GridColumnsTest, FindsColumnsByHeadingAndPosition) {
  GridColumnTable table = InitColumnTable();
  table[16].position = 1;  // Status moved in front of Group
  table[1].position = 16;
  struct {
    int by_heading;
    const char* heading;
  } headings[] = {{0, "Job Name"}, {16, "Status"}, {22, "Critical"}, {-1, "status"}, {-1, ""}};
  for (const auto& h : headings) EXPECT_EQ(GCSubs(table, h.heading), h.by_heading) << h.heading;
  struct {
    int id;
    int position;
  } positions[] = {{0, 0}, {16, 1}, {1, 16}, {22, 22}, {-1, 23}, {-1, -1}};
  for (const auto& p : positions) EXPECT_EQ(GCId(table, p.position), p.id) << p.position;
}

}  // namespace
}  // namespace qlr
