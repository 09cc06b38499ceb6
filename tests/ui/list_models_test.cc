// The execution window's list models follow the engine's lists in place:
// rows that stay keep their identity (selection, persistent indexes).
#include "ui/list_models.h"

#include <QPersistentModelIndex>
#include <QtTest>

#include "ui/qt_text.h"

namespace qlr {
namespace {

std::vector<std::string> Rows(const QAbstractItemModel& m) {
  std::vector<std::string> rows;
  for (int r = 0; r < m.rowCount(); ++r)
    rows.push_back(
        FromQString(m.index(r, 0).data().toString() + "|" + m.index(r, 1).data().toString()));
  return rows;
}

std::vector<EventEntry> Events(std::initializer_list<int> keys) {
  std::vector<EventEntry> events;
  for (int k : keys)
    events.push_back({"JOB" + std::to_string(k) + "\tFile(x" + std::to_string(k) + ")",
                      static_cast<int16_t>(k)});
  return events;
}

}  // namespace

class ListModelsTest : public QObject {
  Q_OBJECT

 private slots:
  void TabFieldsMakeColumns() {
    std::string rest;
    QCOMPARE(TabField("A\tB", 0, 2, rest), std::string_view("A"));
    QCOMPARE(TabField("A\tB", 1, 2, rest), std::string_view("B"));
    QCOMPARE(TabField("A\tB\tC", 1, 2, rest), std::string_view("B C"));
    QCOMPARE(TabField("no tab", 0, 2, rest), std::string_view("no tab"));
    QCOMPARE(TabField("no tab", 1, 2, rest), std::string_view());
  }

  void EventsKeepTheEntriesThatStay() {
    struct Case {
      std::initializer_list<int> before, after;
      int kept_row, kept_key;  // a row of `before` that stays, or -1
    };
    const Case cases[] = {
        {{0, 1, 2, 3}, {0, 2, 3, 4}, 2, 2},  // one gone from the middle, one new
        {{0, 1, 2}, {}, -1, -1},             // emptied
        {{0, 1}, {0, 1, 2, 3}, 1, 1},        // only new ones
    };
    for (const Case& c : cases) {
      EventListModel model;
      model.Sync(Events(c.before));
      QPersistentModelIndex kept = model.index(c.kept_row, 0);
      model.Sync(Events(c.after));
      std::vector<std::string> expected;
      for (int k : c.after)
        expected.push_back("JOB" + std::to_string(k) + "|File(x" + std::to_string(k) + ")");
      QCOMPARE(Rows(model), expected);
      if (c.kept_row >= 0)
        QCOMPARE(FromQString(kept.data().toString()), "JOB" + std::to_string(c.kept_key));
    }
  }

  void UnsubmittedFollowsTheWaitingJobs() {
    Schedule s;
    for (const char* name : {"A", "B", "C", "D", "E"}) {
      Job& job = s.Jobs.emplace_back();
      job.JobName = name;
      job.StatusText = std::string("Wait ") + name;
    }
    UnsubmittedListModel model(s, [&s](int job) { return s[job].StatusText; });
    model.Sync({1, 2, 4});
    QPersistentModelIndex d = model.index(2, 0);
    model.Sync({2, 3, 4, 5});
    QCOMPARE(Rows(model), (std::vector<std::string>{"B       |Wait B", "C       |Wait C",
                                                    "D       |Wait D", "E       |Wait E"}));
    QCOMPARE(d.row(), 2);  // D stayed and moved with the rows around it
    s[4].StatusText = "Too early (23:00)";
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.Sync({2, 3, 4, 5});
    QCOMPARE(changed.count(), 1);  // new wait texts are painted, the rows stay
    QCOMPARE(model.index(2, 1).data().toString(), QStringLiteral("Too early (23:00)"));
  }

  void LogDropsItsOldestRows() {
    std::deque<std::string> lines;
    LogListModel model(lines, nullptr);
    auto add = [&](const std::string& line) {
      if (lines.size() >= 3) lines.pop_front();  // the engine's cap, made small
      lines.push_back(line);
      model.LineAdded();
    };
    add("one");
    add("two");
    add("three");
    QCOMPARE(model.Sync(), 0);
    add("four\tx");
    add("five");
    QCOMPARE(model.Sync(), 1);  // "one" and "two" went, "four" and "five" came after "three"
    QCOMPARE(Rows(model), (std::vector<std::string>{"three|", "four|x", "five|"}));
    QCOMPARE(model.Sync(), -1);
    for (int i = 0; i < 10; ++i) add("more");
    QCOMPARE(model.Sync(), 0);
    QCOMPARE(model.rowCount(), 3);
  }
};

}  // namespace qlr

QTEST_MAIN(qlr::ListModelsTest)
#include "list_models_test.moc"
