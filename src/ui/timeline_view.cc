#include "ui/timeline_view.h"

#include <QHelpEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>
#include <QVBoxLayout>

#include "log/timeline_svg.h"
#include "ui/qt_text.h"

namespace qlr {
namespace {

// Pixels, as the SVG picture has them: a name column, the plot, and the
// axis labels above the rows. A large day gets thin rows.
constexpr int kNameWidth = 90;
constexpr int kRightMargin = 30;
constexpr int kAxisHeight = 24;
constexpr int kMinPlotWidth = 480;
constexpr size_t kThinRowsFrom = 200;

QColor ColourOf(RunOutcome outcome) { return QColor(QString::fromLatin1(OutcomeColour(outcome))); }

}  // namespace

TimelineView::TimelineView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetTimeline({});
}

void TimelineView::SetTimeline(Timeline timeline) {
  timeline_ = std::move(timeline);
  axis_ = AxisOf(timeline_);
  setMinimumHeight(sizeHint().height());
  updateGeometry();
  update();
}

int TimelineView::RowHeight() const { return timeline_.runs.size() > kThinRowsFrom ? 8 : 16; }

QSize TimelineView::sizeHint() const {
  return {kNameWidth + kMinPlotWidth * 2 + kRightMargin,
          kAxisHeight + static_cast<int>(timeline_.runs.size()) * RowHeight() + 4};
}

int TimelineView::X(DateTime t) const {
  const int plot = std::max(kMinPlotWidth, width() - kNameWidth - kRightMargin);
  const double span = static_cast<double>(axis_.to - axis_.from);
  return kNameWidth + static_cast<int>(static_cast<double>(t - axis_.from) * plot / span);
}

QRect TimelineView::BarRect(int index) const {
  const TimelineRun& run = timeline_.runs[static_cast<size_t>(index)];
  const int row = RowHeight(), pad = row > 8 ? 3 : 1;
  const int top = kAxisHeight + index * row + pad;
  if (IsMoment(run.outcome)) return {X(run.start) - 1, top, 3, row - 2 * pad};
  return {X(run.start), top, std::max(1, X(run.end) - X(run.start)), row - 2 * pad};
}

int TimelineView::RunAt(const QPoint& pos) const {
  const int index = (pos.y() - kAxisHeight) / RowHeight();
  if (pos.y() < kAxisHeight || index >= static_cast<int>(timeline_.runs.size())) return -1;
  return index;
}

void TimelineView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  PaintAxis(painter, event->rect());
  // Only the rows in sight are drawn: a large day costs what a screenful costs.
  const int row = RowHeight();
  const int first = std::max(0, (event->rect().top() - kAxisHeight) / row);
  const int last = std::min(static_cast<int>(timeline_.runs.size()) - 1,
                            (event->rect().bottom() - kAxisHeight) / row);
  for (int i = first; i <= last; ++i) PaintRun(painter, i);
  if (timeline_.now >= axis_.from && timeline_.now <= axis_.to) {
    painter.setPen(QPen(QColor(0xd5, 0, 0), 1, Qt::DashLine));
    painter.drawLine(X(timeline_.now), kAxisHeight - 4, X(timeline_.now), height());
  }
}

void TimelineView::PaintAxis(QPainter& painter, const QRect& area) const {
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  painter.setFont(small);
  for (DateTime t = axis_.from; t <= axis_.to; t += axis_.step) {
    const int x = X(t);
    painter.setPen(QColor(0xe0, 0xe0, 0xe0));
    painter.drawLine(x, kAxisHeight - 4, x, area.bottom());
    painter.setPen(QColor(0x55, 0x55, 0x55));
    painter.drawText(QRect(x - 40, 0, 80, kAxisHeight - 6), Qt::AlignHCenter | Qt::AlignBottom,
                     ToQString(TickLabel(axis_, t)));
  }
}

void TimelineView::PaintRun(QPainter& painter, int index) const {
  const TimelineRun& run = timeline_.runs[static_cast<size_t>(index)];
  const int row = RowHeight(), top = kAxisHeight + index * row;
  if (index % 2 == 1) painter.fillRect(0, top, width(), row, QColor(0xf7, 0xf7, 0xf7));
  if (row > 8) {
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, top, kNameWidth - 6, row), Qt::AlignRight | Qt::AlignVCenter,
                     ToQString(run.job));
  }
  painter.fillRect(BarRect(index), ColourOf(run.outcome));
}

bool TimelineView::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const int index = RunAt(help->pos());
  if (index < 0) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(),
                       ToQString(RunTitle(timeline_, timeline_.runs[static_cast<size_t>(index)])),
                       this);
  }
  return true;
}

TimelineDialog::TimelineDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Timeline"));
  caption_ = new QLabel(this);
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  view_ = new TimelineView;
  scroll_ = new QScrollArea(this);
  scroll_->setWidget(view_);
  scroll_->setWidgetResizable(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(scroll_, 1);
  resize(900, 420);
}

void TimelineDialog::SetTimeline(Timeline timeline) {
  caption_->setText(ToQString(TimelineCaption(timeline)));
  view_->SetTimeline(std::move(timeline));
}

}  // namespace qlr
