#include "ui/typing_validators.h"

#include <QApplication>

#include "editor/typing_rules.h"
#include "ui/qt_text.h"

namespace qlr {
namespace {

CharRuleValidator::Rule Allowing(bool (*allowed)(char)) {
  return [allowed](char c) -> std::optional<char> {
    if (allowed(c)) return c;
    return std::nullopt;
  };
}

}  // namespace

CharRuleValidator::CharRuleValidator(Rule rule, bool beep, QObject* parent)
    : QValidator(parent), rule_(std::move(rule)), beep_(beep) {}

// The text is taken as the bytes the schedule will hold; a character with
// no Windows-1252 form is shown as the "?" it would become.
QValidator::State CharRuleValidator::validate(QString& input, int& pos) const {
  std::string bytes = FromQString(input);
  for (char& c : bytes) {
    const std::optional<char> kept = rule_(c);
    if (!kept) {
      if (beep_) QApplication::beep();
      return Invalid;
    }
    c = *kept;
  }
  const QString result = ToQString(bytes);
  if (result != input) {
    input = result;
    pos = std::min(pos, static_cast<int>(input.size()));
  }
  return Acceptable;
}

QValidator* NewNameValidator(QObject* parent) {
  return new CharRuleValidator(Allowing(NameCharAllowed), false, parent);
}

QValidator* NewTimeOrFrequencyValidator(QObject* parent) {
  return new CharRuleValidator([](char c) -> std::optional<char> { return TimeOrFrequencyChar(c); },
                               false, parent);
}

QValidator* NewExclusivityValidator(QObject* parent) {
  return new CharRuleValidator(ExclusivityChar, false, parent);
}

QValidator* NewMessageValidator(QObject* parent) {
  return new CharRuleValidator(Allowing(MessageCharAllowed), false, parent);
}

QValidator* NewDigitsValidator(QObject* parent, bool beep) {
  return new CharRuleValidator(Allowing(DigitKeyAllowed), beep, parent);
}

QValidator* NewDateVarFormatValidator(QObject* parent) {
  return new CharRuleValidator(Allowing(DateVarFormatChar), false, parent);
}

QValidator* NewDateVarNameValidator(QObject* parent) {
  return new CharRuleValidator(Allowing(DateVarNameChar), false, parent);
}

}  // namespace qlr
