#pragma once
// The execution window's "Timeline" view: the run day's runs drawn live,
// one thin row per run coloured by its outcome, with the time axis above.
// It shows a Timeline it is given; the window gives it a new one after
// each pass while it is open.

#include <QDialog>
#include <QWidget>

#include "log/timeline.h"

class QLabel;
class QPainter;
class QScrollArea;

namespace qlr {

class TimelineView : public QWidget {
  Q_OBJECT

 public:
  explicit TimelineView(QWidget* parent = nullptr);

  void SetTimeline(Timeline timeline);
  const Timeline& timeline() const { return timeline_; }
  // The index of the run drawn at `pos` (widget coordinates); -1 when none.
  int RunAt(const QPoint& pos) const;
  // Where run `index`'s bar is drawn.
  QRect BarRect(int index) const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;  // a run's tooltip: its job, times and outcome

 private:
  int RowHeight() const;
  int X(DateTime t) const;
  void PaintAxis(QPainter& painter, const QRect& area) const;
  void PaintRun(QPainter& painter, int index) const;

  Timeline timeline_;
  TimeAxis axis_;
};

class TimelineDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TimelineDialog(QWidget* parent = nullptr);

  // Shows `timeline`, its caption above the picture.
  void SetTimeline(Timeline timeline);
  TimelineView* view() const { return view_; }
  QLabel* caption() const { return caption_; }

 private:
  QLabel* caption_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  TimelineView* view_ = nullptr;
};

}  // namespace qlr
