#pragma once
// The schedule grid's rows and columns as an item model: the jobs the group
// filter shows, in the columns of the view profile. A cell's text is asked
// of the editor core when the cell is painted, so a schedule of thirty
// thousand jobs costs only the rows on the screen.

#include <QAbstractTableModel>
#include <vector>

#include "editor/job_list_editor.h"
#include "editor/view_profiles.h"

namespace qlr {

class GridModel : public QAbstractTableModel {
 public:
  // True for a Boolean cell that holds "True"; such a cell (and a "False"
  // one) shows a picture instead of its text.
  static constexpr int kTickRole = Qt::UserRole;

  GridModel(const Schedule& schedule, RunLog& log, const JobListEditor& editor,
            const ViewProfiles& profiles, QObject* parent = nullptr);

  // Brings the views in line with the editor's rows and the profile's
  // columns: a reset when the columns or the number of rows changed (true
  // then), otherwise a repaint of every cell.
  bool Sync();
  // The column id (0..22) shown in grid column `column`.
  int ColumnId(int column) const { return columns_[static_cast<size_t>(column)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QVariant Alignment(int column) const;

  const Schedule& schedule_;
  RunLog& log_;
  const JobListEditor& editor_;
  const ViewProfiles& profiles_;
  std::vector<int> columns_;  // column ids in position order
  int rows_ = 0;              // the rows the views know of
};

}  // namespace qlr
