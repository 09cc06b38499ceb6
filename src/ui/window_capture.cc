#include "ui/window_capture.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QPixmap>
#include <QWidget>

namespace qlr {

bool SaveWindowPicture(QWidget* window, const QString& path) {
  return window != nullptr && window->grab().save(path, "PNG");
}

QString CaptureFileName(const QWidget* window) {
  const QString name =
      window->objectName().isEmpty() ? QStringLiteral("window") : window->objectName();
  return name + QDateTime::currentDateTime().toString(QStringLiteral("-yyyyMMdd-HHmmss")) +
         QStringLiteral(".png");
}

bool WindowCapture::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto wanted = Qt::ControlModifier | Qt::ShiftModifier;
    if (key->key() == Qt::Key_F12 && (key->modifiers() & wanted) == wanted) {
      if (QWidget* window = QApplication::activeWindow())
        SaveWindowPicture(window, CaptureFileName(window));
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace qlr
