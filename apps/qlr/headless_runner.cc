#include "qlr/headless_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include "base/encoding.h"
#include "platform/process_launcher_posix.h"

namespace qlr {
namespace {

constexpr int kIdleKickMs = 5000;
int g_stop_pipe[2] = {-1, -1};

void OnStopSignal(int) {
  int saved = errno;
  char byte = 1;
  ssize_t n = ::write(g_stop_pipe[1], &byte, 1);
  (void)n;
  errno = saved;
}

// SIGINT and SIGTERM wake the loop through a pipe instead of ending the program.
void CatchStopSignals() {
  if (g_stop_pipe[0] >= 0) return;
  if (::pipe2(g_stop_pipe, O_NONBLOCK | O_CLOEXEC) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

enum class Wake { Timer, JobEnded, Stop };

// Waits until `interval_ms` has passed (forever when 0), a child ended (when
// watched), or a stop signal arrived.
Wake WaitForNext(int interval_ms, int child_fd) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(interval_ms);
  for (;;) {
    int timeout = -1;
    if (interval_ms > 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return Wake::Timer;
      timeout = static_cast<int>(left.count());
    }
    pollfd fds[2] = {{g_stop_pipe[0], POLLIN, 0}, {child_fd, POLLIN, 0}};
    int ready = ::poll(fds, child_fd >= 0 ? 2 : 1, timeout);
    if (ready < 0) continue;  // EINTR: SIGCHLD arrived; look again
    if (fds[0].revents & POLLIN) return Wake::Stop;
    if (child_fd >= 0 && (fds[1].revents & POLLIN)) return Wake::JobEnded;
  }
}

}  // namespace

void ListPrinter::ListLineAdded(const std::string& line) {
  out_ << Cp1252ToUtf8(line) << std::endl;  // flushed: someone may be following it
}

bool DriveEngine(Engine& engine, PosixProcessLauncher& launcher, const HeadlessOptions& options) {
  CatchStopSignals();
  const int child_fd = options.kick_on_job_end ? launcher.ChildEndedFd() : -1;
  engine.Open();
  for (;;) {
    if (options.until_complete && engine.schedule_complete()) return false;
    // A stopped timer waits for the Kick command in the window; here nobody
    // can press it, so the runner looks again every five seconds.
    int interval = engine.window().timer_interval_ms;
    Wake wake = WaitForNext(interval > 0 ? interval : kIdleKickMs, child_fd);
    if (wake == Wake::Stop) return true;
    if (wake == Wake::JobEnded) launcher.DrainChildEnded();
    engine.Kick();
  }
}

}  // namespace qlr
