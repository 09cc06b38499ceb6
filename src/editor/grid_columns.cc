#include "editor/grid_columns.h"

#include "base/text.h"

namespace qlr {

GridColumnTable InitColumnTable() {
  GridColumnTable table;
  for (int id = 0; id < kGridColumnCount; ++id) {
    std::string_view definition = kGridColumnDefinitions[static_cast<size_t>(id)];
    GridColumn& column = table[static_cast<size_t>(id)];
    column.align = definition.front();
    column.heading = Trim(definition.substr(1));
    column.width = static_cast<int16_t>((definition.size() - 1) * 100);
    column.position = static_cast<int16_t>(id);
    column.hidden = id >= 9;
  }
  return table;
}

int GCSubs(const GridColumnTable& table, std::string_view heading) {
  for (int id = 0; id < kGridColumnCount; ++id)
    if (table[static_cast<size_t>(id)].heading == heading) return id;
  return -1;
}

int GCId(const GridColumnTable& table, int position) {
  for (int id = 0; id < kGridColumnCount; ++id)
    if (table[static_cast<size_t>(id)].position == position) return id;
  return -1;
}

}  // namespace qlr
