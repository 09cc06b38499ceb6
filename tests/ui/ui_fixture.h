#pragma once
// What the window tests share: a GuiContext over fakes, an engine's running
// day with its execution window, and the operator's hands (typing, clicks on
// rows, answering a modal dialog).

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "support/engine_fixture.h"
#include "support/fake_clock.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "ui/execution_window.h"
#include "ui/gui_context.h"

namespace qlr::testing {

// One schedule with its run log, seen through a fake clock, operator and desktop.
struct GuiBed {
  FakeClock clock;
  ScriptedOperator op;
  Schedule schedule;
  RunLog log{schedule, clock, op};
  RecordingDesktop desktop;
  GuiContext gui{schedule, log, op, desktop, clock};
};

// The engine tests' small schedule (Friday 4 Dec 2026 from 06:00), here
// outside GoogleTest, with a window context and the execution window over it.
struct EngineRig : EngineFixture {
  void TestBody() override {}
  RecordingDesktop desktop;
  GuiContext gui{s, log, op, desktop, clock};
  std::unique_ptr<ExecutionWindow> window;

  EngineRig() { SetUp(); }
  ExecutionWindow& OpenWindow() {
    window = std::make_unique<ExecutionWindow>(gui, launcher, messages, options);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
    return *window;
  }
};

// Clears a text box and types `text` into it, key by key, as a person would.
inline void Type(QLineEdit* box, const QString& text) {
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, text);
}

// Clicks (or double clicks) the first cell of row `row`.
inline void ClickRow(QAbstractItemView* view, int row, bool twice = false) {
  const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

// The texts of one column of a model, top to bottom.
inline QStringList ColumnTexts(const QAbstractItemModel* model, int column,
                               int role = Qt::DisplayRole) {
  QStringList cells;
  for (int row = 0; row < model->rowCount(); ++row)
    cells << model->index(row, column).data(role).toString();
  return cells;
}

inline QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int row = 0; row < list->count(); ++row) items << list->item(row)->text();
  return items;
}

// Runs `act` on the modal dialog of type D from inside its exec(); fails when
// another window is in front. A dialog still open a while later is rejected,
// so a test that goes wrong fails instead of waiting for ever.
template <class D>
void WhenOpen(std::function<void(D&)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    QTimer::singleShot(3000, [guard = QPointer<QWidget>(modal)] {
      if (auto* left = qobject_cast<QDialog*>(guard.data()); left && left->isVisible())
        left->reject();
    });
    auto* dialog = dynamic_cast<D*>(modal);
    QVERIFY(dialog != nullptr);
    act(*dialog);
  });
}

}  // namespace qlr::testing
