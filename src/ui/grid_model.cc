#include "ui/grid_model.h"

#include "editor/grid_cells.h"
#include "ui/qt_text.h"

namespace qlr {

GridModel::GridModel(const Schedule& schedule, RunLog& log, const JobListEditor& editor,
                     const ViewProfiles& profiles, QObject* parent)
    : QAbstractTableModel(parent),
      schedule_(schedule),
      log_(log),
      editor_(editor),
      profiles_(profiles) {}

bool GridModel::Sync() {
  std::vector<int> columns = profiles_.DisplayedColumns();
  const int rows = static_cast<int>(editor_.rows().size());
  if (columns != columns_ || rows != rows_) {
    beginResetModel();
    columns_ = std::move(columns);
    rows_ = rows;
    endResetModel();
    return true;
  }
  // Moves, edits and skips change what rows show, never how many there are.
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
  return false;
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(editor_.rows().size())) return {};
  const Job& job = schedule_[editor_.rows()[static_cast<size_t>(index.row())]];
  switch (role) {
    case Qt::DisplayRole: {
      const std::string text = CellText(schedule_, log_, job, ColumnId(index.column()));
      if (text == kCellTrue || text == kCellFalse) return QString();
      return ToQString(text);
    }
    case kTickRole:
      return CellText(schedule_, log_, job, ColumnId(index.column())) == kCellTrue;
    case Qt::TextAlignmentRole:
      return Alignment(index.column());
    case Qt::ToolTipRole:
      return ToQString(editor_.RowTip(index.row() + 1));
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole)
    return ToQString(profiles_.columns[static_cast<size_t>(ColumnId(section))].heading);
  if (role == Qt::TextAlignmentRole) return Alignment(section);
  return {};
}

// "<" left, "^" centre, ">" right; every cell vertically centred.
QVariant GridModel::Alignment(int column) const {
  const char align = profiles_.columns[static_cast<size_t>(ColumnId(column))].align;
  const Qt::Alignment across = align == '^'   ? Qt::AlignHCenter
                               : align == '>' ? Qt::AlignRight
                                              : Qt::AlignLeft;
  return QVariant::fromValue(across | Qt::AlignVCenter);
}

}  // namespace qlr
