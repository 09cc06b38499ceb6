#pragma once
// Paints the schedule grid's Boolean cells: a tick where the cell holds
// "True", nothing where it holds "False", placed as the column is aligned.

#include <QStyledItemDelegate>

namespace qlr {

class TickDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace qlr
