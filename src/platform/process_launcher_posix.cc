#include "platform/process_launcher_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string_view>

#include "base/encoding.h"
#include "base/text.h"
#include "platform/command_line.h"
#include "platform/file_system.h"

extern char** environ;

namespace qlr {
namespace {

constexpr size_t kMaxLineLength = 254;
constexpr size_t kRememberedExits = 4096;  // exit statuses kept after reaping
constexpr int64_t kReadBudget = 4 << 20;   // output bytes taken in one ReadOutput
constexpr size_t kReadChunk = 64 << 10;

// ---- child-ended notification (one self-pipe for the whole program) ----

int g_child_pipe[2] = {-1, -1};

void OnChildEnded(int) {
  int saved = errno;
  char byte = 0;
  ssize_t written = ::write(g_child_pipe[1], &byte, 1);  // a full pipe has said enough
  (void)written;
  errno = saved;
}

void InstallChildHandler() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (::pipe2(g_child_pipe, O_NONBLOCK | O_CLOEXEC) != 0) {
      g_child_pipe[0] = g_child_pipe[1] = -1;
      return;
    }
    struct sigaction action {};
    action.sa_handler = OnChildEnded;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    ::sigaction(SIGCHLD, &action, nullptr);
  });
}

// ---- /proc ----

struct ProcStat {
  char state = '?';
  int32_t group = 0;
  int32_t start_time = 0;  // low 32 bits of the start time in clock ticks
};

std::optional<ProcStat> ReadProcStat(int32_t pid) {
  auto text = ReadWholeFile("/proc/" + std::to_string(pid) + "/stat");
  if (!text) return std::nullopt;
  // The command name (field 2) is in parentheses and may hold blanks and ")";
  // from field 3 on: state, parent, group, ... start time (field 22).
  size_t close = text->rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::vector<std::string_view> fields = SplitWords(std::string_view(*text).substr(close + 1));
  if (fields.size() < 20 || fields[0].empty()) return std::nullopt;
  ProcStat stat;
  stat.state = fields[0][0];
  std::from_chars(fields[2].data(), fields[2].data() + fields[2].size(), stat.group);
  uint64_t ticks = 0;
  std::from_chars(fields[19].data(), fields[19].data() + fields[19].size(), ticks);
  stat.start_time = static_cast<int32_t>(static_cast<uint32_t>(ticks));
  return stat;
}

bool IsZombie(const ProcStat& stat) { return stat.state == 'Z' || stat.state == 'X'; }

// The pid is the job's process (same start time); a zombie counts only when asked.
bool IsSameProcess(const ProcessRef& process, bool zombie_counts) {
  auto stat = ReadProcStat(process.pid);
  return stat && stat->start_time == process.start_time && (zombie_counts || !IsZombie(*stat));
}

// The job's process group exists and is the job's: a group keeps its number
// from being reused, so it is the job's unless a process with that pid exists
// and was started at another time.
bool GroupIsJob(const ProcessRef& process) {
  if (process.pid <= 1) return false;  // kill(0) or kill(-1) would hit far more than the job
  if (::kill(-process.pid, 0) != 0 && errno == ESRCH) return false;
  auto stat = ReadProcStat(process.pid);
  return !stat || stat->start_time == process.start_time;
}

// A process of the group that is not a zombie. Zombies are left out: killed
// members wait for whoever adopted them (not always quick) to reap them.
bool GroupHasLiveMember(int32_t group) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
    std::string name = entry.path().filename().string();
    int32_t pid = 0;
    if (std::from_chars(name.data(), name.data() + name.size(), pid).ec != std::errc()) continue;
    auto stat = ReadProcStat(pid);
    if (stat && stat->group == group && !IsZombie(*stat)) return true;
  }
  return false;
}

// The job's group still has a live process, or its main process (when that
// left the group) still runs.
bool JobIsThere(const ProcessRef& process) {
  if (GroupIsJob(process)) return GroupHasLiveMember(process.pid);
  return process.pid > 1 && IsSameProcess(process, false);
}

// Sends the signal to the job's group, or to its main process when that left the group.
void SignalJob(const ProcessRef& process, int signal) {
  if (GroupIsJob(process)) {
    ::kill(-process.pid, signal);
  } else if (process.pid > 1 && IsSameProcess(process, true)) {
    ::kill(process.pid, signal);
  }
}

int OpenOutput(const std::string& path) {
  if (path.empty()) return ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  std::filesystem::path os_path(OsPath(path));
  std::error_code ec;
  if (os_path.has_parent_path()) std::filesystem::create_directories(os_path.parent_path(), ec);
  return ::open(os_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
}

// ---- output lines ----

// Splits bytes into lines (LF or CR LF), keeping the first 254 bytes of each.
class LineCollector {
 public:
  explicit LineCollector(int64_t position) : position_(position), consumed_(position) {}

  void Feed(std::string_view bytes) {
    while (!bytes.empty()) {
      size_t newline = bytes.find('\n');
      Append(bytes.substr(0, newline));
      if (newline == std::string_view::npos) {
        position_ += static_cast<int64_t>(bytes.size());
        return;
      }
      position_ += static_cast<int64_t>(newline + 1);
      EndLine();
      bytes.remove_prefix(newline + 1);
    }
  }
  // The bytes after the last line end form a line of their own.
  void EndPartialLine() {
    if (length_ > 0) EndLine();
  }
  int64_t position() const { return position_; }
  int64_t consumed() const { return consumed_; }  // just past the last complete line
  std::vector<std::string>& lines() { return lines_; }

 private:
  void Append(std::string_view part) {
    if (part.empty()) return;
    if (line_.size() < kMaxLineLength) line_.append(part.substr(0, kMaxLineLength - line_.size()));
    length_ += part.size();
    last_was_cr_ = part.back() == '\r';
  }
  void EndLine() {
    if (last_was_cr_ && line_.size() == length_) line_.pop_back();
    lines_.push_back(std::move(line_));
    line_.clear();
    length_ = 0;
    last_was_cr_ = false;
    consumed_ = position_;
  }

  std::vector<std::string> lines_;
  std::string line_;
  size_t length_ = 0;  // the current line's full length so far
  bool last_was_cr_ = false;
  int64_t position_;
  int64_t consumed_;
};

enum class ReadStop { kEnd, kBudget, kError };

// Feeds the file from `offset` to its end, or until the budget is used.
ReadStop FeedFromFile(int fd, LineCollector& collector, int64_t offset) {
  std::string buffer(kReadChunk, '\0');
  while (collector.position() - offset < kReadBudget) {
    ssize_t n = ::pread(fd, buffer.data(), buffer.size(), collector.position());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0 ? ReadStop::kEnd : ReadStop::kError;
    collector.Feed(std::string_view(buffer.data(), static_cast<size_t>(n)));
  }
  return ReadStop::kBudget;
}

}  // namespace

PosixProcessLauncher::PosixProcessLauncher(std::chrono::milliseconds kill_delay, SteadyNow now)
    : kill_delay_(kill_delay), now_(std::move(now)) {
  InstallChildHandler();
}

std::optional<ProcessRef> PosixProcessLauncher::Start(const LaunchRequest& request) {
  std::string command = Cp1252ToUtf8(request.command_line);
  std::vector<std::string> words = request.use_shell
                                       ? std::vector<std::string>{"/bin/sh", "-c", command}
                                       : SplitCommandLine(command);
  if (words.empty()) return Fail(ENOENT);
  int output = OpenOutput(request.output_path);
  if (output < 0) return Fail(errno);
  int pid = Spawn(words, output);
  ::close(output);
  if (pid < 0) return std::nullopt;
  auto stat = ReadProcStat(pid);  // our unreaped child: there even if it ended already
  ProcessRef process{stat ? stat->start_time : 0, pid};
  RememberChild(process);
  return process;
}

std::nullopt_t PosixProcessLauncher::Fail(int error_number) {
  error_ = std::strerror(error_number);
  return std::nullopt;
}

int PosixProcessLauncher::Spawn(const std::vector<std::string>& words, int output_fd) {
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // dup2 before opening stdin, in case the output file got descriptor 0.
  posix_spawn_file_actions_adddup2(&actions, output_fd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output_fd, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);  // also what others left inheritable

  // A new process group, no blocked signals and default dispositions, whatever
  // this program blocks or ignores.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &all);
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawnattr_setflags(&attr,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  // posix_spawnp searches PATH unless the name holds a "/", and reports a
  // program that cannot be executed as its result.
  pid_t pid = -1;
  int result = posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) {
    Fail(result);
    return -1;
  }
  return pid;
}

PosixProcessLauncher::Child* PosixProcessLauncher::FindChild(const ProcessRef& process) {
  auto it = children_.find(process.pid);
  if (it == children_.end() || it->second.start_time != process.start_time) return nullptr;
  return &it->second;
}

void PosixProcessLauncher::RememberChild(const ProcessRef& process) {
  Child& child = children_[process.pid];
  child.start_time = process.start_time;
  child.state = ProcessState{};
  child.state.running = true;
}

void PosixProcessLauncher::ReapChild(int32_t pid, Child& child) {
  int status = 0;
  pid_t result;
  do {
    result = ::waitpid(pid, &status, WNOHANG);
  } while (result < 0 && errno == EINTR);
  if (result == 0) return;
  child.state.running = false;
  if (result == pid) {  // otherwise reaped by someone else: the status is lost
    child.state.exit_known = true;
    if (WIFEXITED(status)) child.state.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) child.state.signal = WTERMSIG(status);
  }
  // Keep a bounded number of exit statuses; the engine asks soon after the end.
  ended_.push_back(pid);
  while (ended_.size() > kRememberedExits) {
    auto it = children_.find(ended_.front());
    if (it != children_.end() && !it->second.state.running) children_.erase(it);
    ended_.pop_front();
  }
}

ProcessState PosixProcessLauncher::MainProcessState(const ProcessRef& process) {
  if (process.pid <= 0) return {};
  if (Child* child = FindChild(process)) {
    if (child->state.running) ReapChild(process.pid, *child);
    return child->state;
  }
  ProcessState state;
  state.running = IsSameProcess(process, false);
  return state;
}

ProcessState PosixProcessLauncher::Poll(const ProcessRef& process) {
  EscalateTerminations();
  ProcessState state = MainProcessState(process);
  if (!state.running && FindTermination(process) && JobIsThere(process)) {
    return ProcessState{.running = true};  // the rest of the group is still going
  }
  return state;
}

std::vector<std::string> PosixProcessLauncher::ReadOutput(const ProcessRef& process,
                                                          const std::string& output_path,
                                                          int64_t& offset) {
  // Whether it ended is asked before reading, so a line it was still writing
  // is not taken for its last.
  bool ended = !Poll(process).running;
  int fd = ::open(OsPath(output_path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  LineCollector collector(offset);
  ReadStop stop = FeedFromFile(fd, collector, offset);
  ::close(fd);
  // A line longer than the budget is given cut, so that reading moves on; the
  // rest of it comes as a line of its own.
  bool stuck = stop == ReadStop::kBudget && collector.consumed() == offset;
  if ((stop == ReadStop::kEnd && ended) || stuck) collector.EndPartialLine();
  offset = collector.consumed();
  return std::move(collector.lines());
}

void PosixProcessLauncher::Terminate(const ProcessRef& process) {
  EscalateTerminations();
  if (FindTermination(process) || !JobIsThere(process)) return;
  SignalJob(process, SIGTERM);
  terminations_.push_back({process, now_() + kill_delay_});
}

PosixProcessLauncher::Termination* PosixProcessLauncher::FindTermination(
    const ProcessRef& process) {
  for (Termination& t : terminations_) {
    if (t.process.pid == process.pid && t.process.start_time == process.start_time) return &t;
  }
  return nullptr;
}

void PosixProcessLauncher::EscalateTerminations() {
  auto now = now_();
  std::erase_if(terminations_, [&](const Termination& t) {
    if (now < t.kill_at) return false;
    if (JobIsThere(t.process)) SignalJob(t.process, SIGKILL);
    return true;
  });
}

int PosixProcessLauncher::ChildEndedFd() const { return g_child_pipe[0]; }

void PosixProcessLauncher::DrainChildEnded() {
  char buffer[256];
  while (g_child_pipe[0] >= 0 && ::read(g_child_pipe[0], buffer, sizeof buffer) > 0) {
  }
}

}  // namespace qlr
