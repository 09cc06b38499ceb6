#include "ui/qt_desktop.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include "ui/qt_text.h"

namespace qlr {

bool QtDesktop::EditText(const std::string& path) {
  return PosixDesktop(schedule_.TextEditor).EditText(path);
}

bool QtDesktop::SetClipboardText(const std::string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->clear();
  clipboard->setText(ToQString(text));
  return true;
}

bool QtDesktop::OpenDocument(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

}  // namespace qlr
