#pragma once
// Keyboard use of a window: every option has an access key (Alt + a letter),
// and no two commands, options, labelled fields or menus of one window share
// one, so that each key reaches exactly one thing.

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QMap>
#include <QMenuBar>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>

namespace qlr::testing {

// The letter after a single "&" of a caption, lower-cased; a null QChar when none.
inline QChar AccessKey(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toLower();
    ++i;  // "&&" is an ampersand shown as such
  }
  return {};
}

// What is wrong with the access keys of `window`: each option without one,
// and each key that more than one caption holds. Empty when all is well.
inline QStringList AccessKeyFaults(const QWidget* window) {
  QStringList faults;
  QMap<QChar, QStringList> holders;
  const auto note = [&holders](const QString& caption) {
    const QChar key = AccessKey(caption);
    if (!key.isNull()) holders[key].append(caption);
  };
  for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    note(button->text());
    const bool option = qobject_cast<const QCheckBox*>(button) != nullptr ||
                        qobject_cast<const QRadioButton*>(button) != nullptr;
    if (option && AccessKey(button->text()).isNull()) faults.append("no key: " + button->text());
  }
  for (const QLabel* label : window->findChildren<QLabel*>())
    if (label->buddy() != nullptr) note(label->text());
  for (const QMenuBar* bar : window->findChildren<QMenuBar*>())
    for (const QAction* menu : bar->actions()) note(menu->text());
  for (auto it = holders.cbegin(); it != holders.cend(); ++it)
    if (it.value().size() > 1)
      faults.append("shared key: " + it.value().join(QStringLiteral(", ")));
  return faults;
}

}  // namespace qlr::testing
