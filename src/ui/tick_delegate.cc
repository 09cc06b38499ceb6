#include "ui/tick_delegate.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/grid_model.h"

namespace qlr {

// The cell is painted as usual (its text is empty), then the tick is drawn
// over it in the colour the cell's text would have, so it stays visible on
// a selected row.
void TickDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  if (!index.data(GridModel::kTickRole).toBool()) return;
  const int side = std::max(8, option.rect.height() * 3 / 5);
  const auto align = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
  const QRect box = QStyle::alignedRect(option.direction, align, QSize(side, side),
                                        option.rect.adjusted(4, 0, -4, 0));
  QPainterPath tick;
  tick.moveTo(box.left() + side * 0.15, box.top() + side * 0.55);
  tick.lineTo(box.left() + side * 0.4, box.top() + side * 0.8);
  tick.lineTo(box.left() + side * 0.9, box.top() + side * 0.2);
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setPen(QPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text),
                       std::max(1.5, side / 7.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter->drawPath(tick);
  painter->restore();
}

}  // namespace qlr
