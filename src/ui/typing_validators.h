#pragma once
// The job editor's typing rules as validators: each typed (or pasted)
// character is kept, changed or refused as the rule says, so a box never
// holds what the schedule could not take.

#include <QValidator>
#include <functional>
#include <optional>

namespace qlr {

class CharRuleValidator : public QValidator {
 public:
  // The character to keep for a typed one (in Windows-1252), or nullopt to
  // refuse the whole edit; `beep` sounds the bell on a refusal.
  using Rule = std::function<std::optional<char>(char)>;

  CharRuleValidator(Rule rule, bool beep, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  Rule rule_;
  bool beep_;
};

// Job Name and Group.
QValidator* NewNameValidator(QObject* parent);
// Earliest Start Time and Frequency: a typed "," becomes a blank.
QValidator* NewTimeOrFrequencyValidator(QObject* parent);
// Exclusivity Keywords: upper-cased, the keyword characters only.
QValidator* NewExclusivityValidator(QObject* parent);
// Message subjects and body lines: no commas.
QValidator* NewMessageValidator(QObject* parent);
// Digits only; `beep` for the fields whose refusals the operator should hear.
QValidator* NewDigitsValidator(QObject* parent, bool beep);
// A date variable's format and name.
QValidator* NewDateVarFormatValidator(QObject* parent);
QValidator* NewDateVarNameValidator(QObject* parent);

}  // namespace qlr
