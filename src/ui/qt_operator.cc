#include "ui/qt_operator.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "model/constants.h"
#include "ui/qt_text.h"

namespace qlr {
namespace {

QString TitleOrProgram(const std::string& title) {
  return ToQString(title.empty() ? std::string(kSettingsName) : title);
}

QMessageBox::StandardButtons ButtonsFor(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return QMessageBox::Ok;
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// Closing a box with Escape or its frame gives the set's "leave it" answer.
Answer AnswerFor(int button, Buttons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Retry:
      return Answer::Retry;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      break;
  }
  if (buttons == Buttons::YesNo) return Answer::No;
  return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

// "Ini Files (*.ini)|*.ini" becomes Qt's "Ini Files (*.ini)".
QString QtFilter(const std::string& filter) {
  const auto bar = filter.find('|');
  return ToQString(bar == std::string::npos ? filter : filter.substr(0, bar));
}

}  // namespace

QWidget* QtOperator::Parent() const {
  return parent_ ? parent_.data() : QApplication::activeWindow();
}

void QtOperator::Tell(const std::string& text, const std::string& title) {
  QMessageBox::information(Parent(), TitleOrProgram(title), ToQString(text));
}

Answer QtOperator::Ask(const std::string& text, Buttons buttons, const std::string& title) {
  QMessageBox box(QMessageBox::Question, TitleOrProgram(title), ToQString(text),
                  ButtonsFor(buttons), Parent());
  return AnswerFor(box.exec(), buttons);
}

std::optional<std::string> QtOperator::Input(const std::string& prompt, const std::string& title,
                                             const std::string& initial) {
  bool ok = false;
  const QString text = QInputDialog::getText(Parent(), TitleOrProgram(title), ToQString(prompt),
                                             QLineEdit::Normal, ToQString(initial), &ok);
  if (!ok) return std::nullopt;
  return FromQString(text);
}

FileChooser QtFileChooser(QWidget* parent) {
  return [parent](const std::string& suggested, const std::string& filter) {
    return FromQString(
        QFileDialog::getOpenFileName(parent, QString(), ToQString(suggested), QtFilter(filter)));
  };
}

}  // namespace qlr
