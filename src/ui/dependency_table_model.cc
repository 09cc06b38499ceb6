#include "ui/dependency_table_model.h"

#include "ui/qt_text.h"

namespace qlr {
namespace {

const QString& Tick() {
  static const QString tick(QChar(0x2713));  // ✓
  return tick;
}

}  // namespace

int DependencyTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.rows().size());
}

int DependencyTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant DependencyTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue((index.column() == kName ? Qt::AlignLeft : Qt::AlignHCenter) |
                               Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const DependencyRow& row = list_.rows()[static_cast<size_t>(index.row())];
  switch (index.column()) {
    case kName:
      return ToQString(row.name);
    case kGroup:
      return ToQString(row.group);
    case kWait:
      return row.wait ? Tick() : QString();
    case kStatus:
      return ToQString(row.status);
    case kAutoUnsched:
      return row.auto_unsched ? Tick() : QString();
    default:
      return {};
  }
}

QVariant DependencyTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
  static const char* const kHeadings[] = {"Job Name", "Group", "Wait EOJ", "EOJ Status",
                                          "Auto Unsched"};
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
  if (role == Qt::DisplayRole) return QString::fromLatin1(kHeadings[section]);
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue((section == kName ? Qt::AlignLeft : Qt::AlignHCenter) |
                               Qt::AlignVCenter);
  return {};
}

void DependencyTableModel::Reset() {
  beginResetModel();
  endResetModel();
}

void DependencyTableModel::RowChanged(int row) {
  emit dataChanged(index(row, 0), index(row, kColumns - 1));
}

}  // namespace qlr
