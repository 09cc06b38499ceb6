#pragma once
// The "Job Dependency" grid's rows as a table model over the editor's
// DependencyList, asked for as they are painted: a schedule of 32767 jobs
// lists as many rows without copying them.

#include <QAbstractTableModel>

#include "editor/dependency_list.h"

namespace qlr {

class DependencyTableModel : public QAbstractTableModel {
 public:
  enum Column { kName, kGroup, kWait, kStatus, kAutoUnsched, kColumns };

  DependencyTableModel(const DependencyList& list, QObject* parent)
      : QAbstractTableModel(parent), list_(list) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The list was rebuilt: every row again.
  void Reset();
  // One row changed.
  void RowChanged(int row);

 private:
  const DependencyList& list_;
};

}  // namespace qlr
