#include <QApplication>

#include "ui/window_capture.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  qlr::WindowCapture capture;
  app.installEventFilter(&capture);
  return 0;
}
