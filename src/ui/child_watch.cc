#include "ui/child_watch.h"

#include <QSocketNotifier>

#include "platform/process_launcher_posix.h"
#include "ui/program_end_guard.h"

namespace qlr {

ChildWatch::ChildWatch(ProcessLauncher& launcher, std::function<void()> ended, QObject* parent)
    : QObject(parent),
      launcher_(dynamic_cast<PosixProcessLauncher*>(&launcher)),
      ended_(std::move(ended)) {
  if (launcher_ == nullptr || launcher_->ChildEndedFd() < 0) return;
  notifier_ = new QSocketNotifier(launcher_->ChildEndedFd(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, Guarded([this] { OnReadable(); }));
}

void ChildWatch::OnReadable() {
  // Emptied first: a child that ends during the pass wakes the notifier again.
  launcher_->DrainChildEnded();
  if (ended_) ended_();
}

}  // namespace qlr
