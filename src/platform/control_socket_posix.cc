#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "base/encoding.h"
#include "platform/control_socket.h"

namespace qlr {
namespace {

// A request longer than this is no request of ours: the connection is dropped.
constexpr size_t kMaxRequest = 64 * 1024;

bool FillAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd out{fd, POLLOUT, 0};
      if (::poll(&out, 1, 1000) > 0) continue;
    }
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

std::optional<uid_t> PeerUid(int fd) {
  ucred credentials{};
  socklen_t size = sizeof(credentials);
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return std::nullopt;
  return credentials.uid;
}

ControlServer::~ControlServer() {
  for (const Client& client : clients_) ::close(client.fd);
  if (listen_fd_ >= 0) {
    ::close(listen_fd_);
    ::unlink(path_.c_str());
  }
}

// The run holds the schedule's lock, so a socket file already there was left
// by a run that has died: it is replaced.
bool ControlServer::Listen(const std::string& path) {
  path_ = Cp1252ToUtf8(path);
  sockaddr_un address;
  if (!FillAddress(path_, address)) {
    error_ = "the path is too long for a socket: " + path;
    return false;
  }
  ::unlink(path_.c_str());
  listen_fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  const mode_t old_mask = ::umask(0177);  // 0600 from the moment the file exists
  const bool bound = listen_fd_ >= 0 &&
                     ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::umask(old_mask);
  if (!bound || ::listen(listen_fd_, 16) != 0) {
    error_ = std::strerror(errno);
    if (listen_fd_ >= 0) ::close(listen_fd_);
    listen_fd_ = -1;
    return false;
  }
  ::chmod(path_.c_str(), 0600);
  return true;
}

std::vector<int> ControlServer::Fds() const {
  std::vector<int> fds;
  if (listen_fd_ >= 0) fds.push_back(listen_fd_);
  for (const Client& client : clients_) fds.push_back(client.fd);
  return fds;
}

void ControlServer::AcceptWaiting() {
  for (;;) {
    const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    if (PeerUid(fd) != owner_) {  // only the run's own user may operate it
      WriteAll(
          fd,
          "{\"ok\":false,\"message\":\"Permission denied: the run belongs to another user\"}\n");
      ::close(fd);
      continue;
    }
    clients_.push_back({fd, {}});
  }
}

std::vector<ControlServer::Request> ControlServer::Service() {
  std::vector<Request> requests;
  if (listen_fd_ < 0) return requests;
  AcceptWaiting();
  std::vector<int> gone;
  for (Client& client : clients_) {
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(client.fd, buffer, sizeof buffer)) > 0)
      client.received.append(buffer, static_cast<size_t>(n));
    const size_t end = client.received.find('\n');
    if (end != std::string::npos) {
      requests.push_back({client.fd, client.received.substr(0, end)});
      client.received.clear();
    } else if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) ||
               client.received.size() > kMaxRequest) {
      gone.push_back(client.fd);  // closed before a whole request, or no request of ours
    }
  }
  for (int fd : gone) Drop(fd);
  return requests;
}

void ControlServer::Answer(int client, const std::string& line) {
  WriteAll(client, line + "\n");
  Drop(client);
}

void ControlServer::Drop(int fd) {
  for (auto it = clients_.begin(); it != clients_.end(); ++it)
    if (it->fd == fd) {
      ::close(fd);
      clients_.erase(it);
      return;
    }
}

std::optional<std::string> SendControlRequest(const std::string& path, const std::string& line,
                                              int timeout_ms) {
  sockaddr_un address;
  if (!FillAddress(Cp1252ToUtf8(path), address)) return std::nullopt;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return std::nullopt;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  WriteAll(fd, line + "\n");
  std::string answer;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd in{fd, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&in, 1, static_cast<int>(left.count())) <= 0) break;
    char buffer[65536];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    answer.append(buffer, static_cast<size_t>(n));
    if (answer.back() == '\n') break;
  }
  ::close(fd);
  if (answer.empty() || answer.back() != '\n') return std::nullopt;
  answer.pop_back();
  return answer;
}

}  // namespace qlr
