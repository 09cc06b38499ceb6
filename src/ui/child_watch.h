#pragma once
// Watches for the end of a job's process, so that a schedule with
// KickOnJobEnd gets its pass as soon as a job ends rather than at the next
// timer tick. Only the real launcher can tell; with any other it stays idle.

#include <QObject>
#include <functional>

#include "platform/process_launcher.h"

class QSocketNotifier;

namespace qlr {

class PosixProcessLauncher;

class ChildWatch : public QObject {
 public:
  // Calls `ended` after any child process ended (several ends may come as one call).
  ChildWatch(ProcessLauncher& launcher, std::function<void()> ended, QObject* parent = nullptr);

  // False when the launcher gives no notification (a fake, or the set-up failed).
  bool watching() const { return notifier_ != nullptr; }

 private:
  void OnReadable();

  PosixProcessLauncher* launcher_ = nullptr;
  std::function<void()> ended_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace qlr
