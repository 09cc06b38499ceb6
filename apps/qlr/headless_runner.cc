#include "qlr/headless_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <vector>

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

enum class Wake { Timer, JobEnded, Control, Stop };

// Waits until `interval_ms` has passed (forever when 0), a child ended (when
// watched), a request came or a stop signal arrived.
Wake WaitForNext(int interval_ms, int child_fd, const std::vector<int>& control_fds) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(interval_ms);
  std::vector<pollfd> fds = {{g_stop_pipe[0], POLLIN, 0}};
  if (child_fd >= 0) fds.push_back({child_fd, POLLIN, 0});
  for (int fd : control_fds) fds.push_back({fd, POLLIN, 0});
  for (;;) {
    int timeout = -1;
    if (interval_ms > 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return Wake::Timer;
      timeout = static_cast<int>(left.count());
    }
    for (pollfd& fd : fds) fd.revents = 0;
    int ready = ::poll(fds.data(), fds.size(), timeout);
    if (ready < 0) continue;  // EINTR: SIGCHLD arrived; look again
    if (fds[0].revents & POLLIN) return Wake::Stop;
    if (child_fd >= 0 && (fds[1].revents & POLLIN)) return Wake::JobEnded;
    for (size_t k = child_fd >= 0 ? 2 : 1; k < fds.size(); ++k)
      if (fds[k].revents != 0) return Wake::Control;
  }
}

// Answers what came through the socket; true when a request asked to stop.
bool AnswerRequests(ControlChannel& control) {
  bool stop = false;
  for (const ControlServer::Request& request : control.server.Service()) {
    bool this_stops = false;
    control.server.Answer(request.client, control.answer(request.line, this_stops));
    stop = stop || this_stops;
  }
  return stop;
}

}  // namespace

void ListPrinter::ListLineAdded(const std::string& line) {
  out_ << Cp1252ToUtf8(line) << std::endl;  // flushed: someone may be following it
}

bool DriveEngine(Engine& engine, PosixProcessLauncher& launcher, const HeadlessOptions& options) {
  CatchStopSignals();
  const int child_fd = options.kick_on_job_end ? launcher.ChildEndedFd() : -1;
  engine.Open();
  // A request does not put the next pass off: after one the timer goes on
  // where it was, unless the engine asked for another interval (as the
  // window's timer does).
  auto next_kick = std::chrono::steady_clock::now();
  bool rearm = true;
  int armed = -1;
  for (;;) {
    if (options.until_complete && engine.schedule_complete()) return false;
    // A stopped timer waits for the Kick command in the window; here nobody
    // can press it, so the runner looks again every five seconds.
    const int interval = engine.window().timer_interval_ms;
    if (rearm || interval != armed) {
      armed = interval;
      next_kick = std::chrono::steady_clock::now() +
                  std::chrono::milliseconds(interval > 0 ? interval : kIdleKickMs);
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        next_kick - std::chrono::steady_clock::now());
    const std::vector<int> control_fds =
        options.control ? options.control->server.Fds() : std::vector<int>();
    const Wake wake = WaitForNext(std::max<int64_t>(left.count(), 1), child_fd, control_fds);
    if (wake == Wake::Stop) return true;
    rearm = wake != Wake::Control;
    if (wake == Wake::Control) {
      if (AnswerRequests(*options.control)) return true;
      continue;
    }
    if (wake == Wake::JobEnded) launcher.DrainChildEnded();
    engine.Kick();
  }
}

}  // namespace qlr
