#pragma once
// The developer key: Ctrl+Shift+F12 saves the active window's picture as a
// PNG file in the current folder.

#include <QObject>
#include <QString>

class QWidget;

namespace qlr {

// Saves the picture of `window` as `path`; false when it cannot be written.
bool SaveWindowPicture(QWidget* window, const QString& path);

// The file name for a capture of `window` taken now: its object name (or
// "window") and the time, "frmSched-20261205-171500.png".
QString CaptureFileName(const QWidget* window);

// Installed once on the application; watches every key press for the capture key.
class WindowCapture : public QObject {
 public:
  explicit WindowCapture(QObject* parent = nullptr) : QObject(parent) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace qlr
