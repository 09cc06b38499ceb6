#pragma once
// The execution window's three lists as item models over the engine's state.
// Every line is tab-separated text shown as columns; the models follow the
// engine's lists in place (rows removed and inserted where they changed), so
// a list of thirty thousand jobs costs only what changed.

#include <QAbstractTableModel>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/events_pane.h"
#include "model/schedule.h"

namespace qlr {

// Field `column` (0-based) of a tab-separated line shown in `columns` columns:
// the last column holds the rest of the line, its tabs shown as blanks.
std::string_view TabField(std::string_view line, int column, int columns, std::string& rest);

// A list of two columns (every line of these lists has at most one tab) and
// `Rows()` rows.
class TwoColumnListModel : public QAbstractTableModel {
 public:
  static constexpr int kColumns = 2;

  using QAbstractTableModel::QAbstractTableModel;
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : Rows();
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : kColumns;
  }

 protected:
  virtual int Rows() const = 0;
};

// The day's log list (newest last, at most WindowState::kMaxListLines lines).
class LogListModel : public TwoColumnListModel {
 public:
  using TipSource = std::function<std::string(int row)>;

  LogListModel(const std::deque<std::string>& lines, TipSource tip, QObject* parent = nullptr);

  // A line was appended to the engine's list (older lines may have gone).
  void LineAdded() { ++added_; }
  // Brings the rows in line with the engine's list; returns the first new
  // row, or -1 when nothing was added.
  int Sync();

  QVariant data(const QModelIndex& index, int role) const override;

 private:
  int Rows() const override { return rows_; }
  const std::deque<std::string>& lines_;
  TipSource tip_;
  int rows_ = 0;   // the rows the views know of
  int added_ = 0;  // lines appended since the last Sync
};

// The events pane: JobName + tab + event text. An entry that forces nothing
// (what Modify Schedule did) is one whole line in the first column.
class EventListModel : public TwoColumnListModel {
 public:
  explicit EventListModel(QObject* parent = nullptr) : TwoColumnListModel(parent) {}

  // Removes the entries that are gone and appends the new ones; false when
  // nothing changed.
  bool Sync(const std::vector<EventEntry>& events);
  // The rows shown as one whole line, across both columns.
  std::vector<int> WholeLineRows() const;

  QVariant data(const QModelIndex& index, int role) const override;

 private:
  int Rows() const override { return static_cast<int>(rows_.size()); }
  void RemoveRows(int first, int end);
  std::vector<EventEntry> rows_;
};

// The unsubmitted-job pane: JobName + tab + status text of each waiting job,
// asked for when a row is painted (a wait for predecessors is named in full
// only then).
class UnsubmittedListModel : public TwoColumnListModel {
 public:
  using TextSource = std::function<std::string(int job)>;

  UnsubmittedListModel(const Schedule& schedule, TextSource text, QObject* parent = nullptr)
      : TwoColumnListModel(parent), schedule_(schedule), text_(std::move(text)) {}

  // `jobs` are job indexes in job order; rows of jobs that left are removed,
  // rows of new ones inserted, and every status text is repainted.
  void Sync(const std::vector<int>& jobs);
  int JobAt(int row) const { return rows_[static_cast<size_t>(row)]; }

  QVariant data(const QModelIndex& index, int role) const override;

 private:
  int Rows() const override { return static_cast<int>(rows_.size()); }
  void Merge(const std::vector<int>& jobs);
  const Schedule& schedule_;
  TextSource text_;
  std::vector<int> rows_;
};

}  // namespace qlr
