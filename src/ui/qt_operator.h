#pragma once
// The operator as message boxes and input boxes, with the program's texts,
// titles and button sets.

#include <QPointer>
#include <QWidget>

#include "platform/operator.h"

namespace qlr {

class QtOperator : public Operator {
 public:
  // Boxes are shown over `parent` when it is set, else over the active window.
  explicit QtOperator(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Tell(const std::string& text, const std::string& title = {}) override;
  Answer Ask(const std::string& text, Buttons buttons, const std::string& title = {}) override;
  std::optional<std::string> Input(const std::string& prompt, const std::string& title = {},
                                   const std::string& initial = {}) override;

 private:
  QWidget* Parent() const;
  QPointer<QWidget> parent_;
};

// A file-open dialog as the start-up sequence asks for one ("Ini Files (*.ini)|*.ini").
FileChooser QtFileChooser(QWidget* parent = nullptr);

}  // namespace qlr
