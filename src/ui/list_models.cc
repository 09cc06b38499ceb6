#include "ui/list_models.h"

#include <algorithm>

#include "base/text.h"
#include "ui/qt_text.h"

namespace qlr {
namespace {

// Past this many separate runs of removed entries one reset is cheaper than
// removing each run from the middle of the list.
constexpr size_t kMaxRemovedRuns = 64;

QVariant Field(std::string_view line, int column) {
  std::string rest;
  return ToQString(TabField(line, column, TwoColumnListModel::kColumns, rest));
}

}  // namespace

std::string_view TabField(std::string_view line, int column, int columns, std::string& rest) {
  for (int c = 0; c < column; ++c) {
    size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return {};
    line.remove_prefix(tab + 1);
  }
  size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return line;
  if (column < columns - 1) return line.substr(0, tab);
  rest = ReplaceAll(line, "\t", " ");
  return rest;
}

// ---- LogListModel

LogListModel::LogListModel(const std::deque<std::string>& lines, TipSource tip, QObject* parent)
    : TwoColumnListModel(parent), lines_(lines), tip_(std::move(tip)) {}

int LogListModel::Sync() {
  const int lines = static_cast<int>(lines_.size());
  // The engine drops its oldest lines before it appends: of the rows the
  // views know, those beyond what is left after the additions have gone.
  const int gone = std::clamp(added_ >= lines ? rows_ : rows_ + added_ - lines, 0, rows_);
  added_ = 0;
  if (gone > 0) {
    beginRemoveRows({}, 0, gone - 1);
    rows_ -= gone;
    endRemoveRows();
  }
  if (rows_ >= lines) return -1;
  const int first = rows_;
  beginInsertRows({}, first, lines - 1);
  rows_ = lines;
  endInsertRows();
  return first;
}

QVariant LogListModel::data(const QModelIndex& index, int role) const {
  // A question shown in the middle of a pass lets the list paint before it
  // was synchronised: such a row is left empty.
  if (!index.isValid() || index.row() >= static_cast<int>(lines_.size())) return {};
  if (role == Qt::DisplayRole)
    return Field(lines_[static_cast<size_t>(index.row())], index.column());
  if (role == Qt::ToolTipRole && tip_) return ToQString(tip_(index.row()));
  return {};
}

// ---- EventListModel

bool EventListModel::Sync(const std::vector<EventEntry>& events) {
  auto same = [](const EventEntry& a, const EventEntry& b) {
    return a.key == b.key && a.text == b.text;
  };
  if (std::equal(rows_.begin(), rows_.end(), events.begin(), events.end(), same)) return false;
  // Entries are appended at the end and removed anywhere, never reordered:
  // the rows that stay are found in order, the runs between them have gone.
  std::vector<std::pair<size_t, size_t>> gone;
  size_t row = 0, next = 0;
  for (; next < events.size(); ++next, ++row) {
    size_t at = row;
    while (at < rows_.size() && !same(rows_[at], events[next])) ++at;
    if (at == rows_.size()) break;
    if (at > row) gone.emplace_back(row, at);
    row = at;
  }
  if (row < rows_.size()) gone.emplace_back(row, rows_.size());
  if (gone.size() > kMaxRemovedRuns) {
    beginResetModel();
    rows_ = events;
    endResetModel();
    return true;
  }
  for (auto run = gone.rbegin(); run != gone.rend();
       ++run)  // from the back, so rows keep their numbers
    RemoveRows(static_cast<int>(run->first), static_cast<int>(run->second));
  if (next == events.size()) return true;
  beginInsertRows({}, static_cast<int>(rows_.size()),
                  static_cast<int>(rows_.size() + events.size() - next - 1));
  rows_.insert(rows_.end(), events.begin() + static_cast<ptrdiff_t>(next), events.end());
  endInsertRows();
  return true;
}

std::vector<int> EventListModel::WholeLineRows() const {
  std::vector<int> rows;
  for (size_t row = 0; row < rows_.size(); ++row)
    if (!rows_[row].forceable()) rows.push_back(static_cast<int>(row));
  return rows;
}

void EventListModel::RemoveRows(int first, int end) {
  if (first >= end) return;
  beginRemoveRows({}, first, end - 1);
  rows_.erase(rows_.begin() + first, rows_.begin() + end);
  endRemoveRows();
}

QVariant EventListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  const EventEntry& entry = rows_[static_cast<size_t>(index.row())];
  if (entry.forceable()) return Field(entry.text, index.column());
  return index.column() == 0 ? ToQString(ReplaceAll(entry.text, "\t", " ")) : QVariant();
}

// ---- UnsubmittedListModel

void UnsubmittedListModel::Sync(const std::vector<int>& jobs) {
  if (!std::is_sorted(jobs.begin(), jobs.end())) {
    beginResetModel();
    rows_ = jobs;
    endResetModel();
    return;
  }
  if (rows_ != jobs) Merge(jobs);
  if (!rows_.empty())
    emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1), {Qt::DisplayRole});
}

// Both lists are in job order: one walk finds the runs of rows that left and
// the runs of jobs that came.
void UnsubmittedListModel::Merge(const std::vector<int>& jobs) {
  size_t row = 0, next = 0;
  while (row < rows_.size() || next < jobs.size()) {
    if (row < rows_.size() && next < jobs.size() && rows_[row] == jobs[next]) {
      ++row, ++next;
      continue;
    }
    size_t end = row;
    while (end < rows_.size() && (next == jobs.size() || rows_[end] < jobs[next])) ++end;
    if (end > row) {
      beginRemoveRows({}, static_cast<int>(row), static_cast<int>(end - 1));
      rows_.erase(rows_.begin() + static_cast<ptrdiff_t>(row),
                  rows_.begin() + static_cast<ptrdiff_t>(end));
      endRemoveRows();
      continue;
    }
    size_t last = next;
    while (last < jobs.size() && (row == rows_.size() || jobs[last] < rows_[row])) ++last;
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row + last - next - 1));
    rows_.insert(rows_.begin() + static_cast<ptrdiff_t>(row),
                 jobs.begin() + static_cast<ptrdiff_t>(next),
                 jobs.begin() + static_cast<ptrdiff_t>(last));
    endInsertRows();
    row += last - next;
    next = last;
  }
}

QVariant UnsubmittedListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  const int job = JobAt(index.row());
  return ToQString(index.column() == 0 ? schedule_[job].JobName.Padded() : text_(job));
}

}  // namespace qlr
