#include "ui/editor_widgets.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/program_end_guard.h"
#include "ui/qt_text.h"

namespace qlr {
namespace {

class EnterKeeper : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    auto* view = static_cast<QAbstractItemView*>(watched);
    if (view->currentIndex().isValid()) emit view->activated(view->currentIndex());
    return true;
  }
};

}  // namespace

QLabel* NewBuddyLabel(const QString& caption, QWidget* field, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setBuddy(field);
  return label;
}

QPushButton* NewCommand(const QString& caption, QWidget* parent, const QString& tip) {
  auto* button = new QPushButton(caption, parent);
  button->setAutoDefault(false);
  button->setToolTip(tip);
  return button;
}

QLineEdit* NewTextBox(QWidget* parent, const QString& tip, int max_length, QValidator* validator) {
  auto* box = new QLineEdit(parent);
  box->setToolTip(tip);
  if (max_length > 0) box->setMaxLength(max_length);
  if (validator != nullptr) {
    validator->setParent(box);
    box->setValidator(validator);
  }
  return box;
}

void ShowText(QLineEdit* box, std::string_view text) {
  box->setText(ToQString(text));
  box->setCursorPosition(0);
}

void BindText(QLineEdit* box, std::string& field) {
  QObject::connect(box, &QLineEdit::textEdited, box,
                   Guarded([&field](const QString& text) { field = FromQString(text); }));
}

void BindCheck(QCheckBox* box, bool& flag) {
  QObject::connect(box, &QCheckBox::clicked, box, Guarded([&flag](bool ticked) { flag = ticked; }));
}

void SetTabChain(const std::vector<QWidget*>& chain) {
  QWidget* previous = nullptr;
  for (QWidget* widget : chain) {
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

void KeepEnter(QAbstractItemView* view) { view->installEventFilter(new EnterKeeper(view)); }

}  // namespace qlr
