#pragma once
// A Unix domain socket through which programs of the same user talk to a
// running `qlr run`: each connection sends one request line and gets one
// answer line. Lines are UTF-8 text without a line end inside.

#include <sys/types.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

namespace qlr {

class ControlServer {
 public:
  struct Request {
    int client = -1;   // where the answer goes
    std::string line;  // the request, without its line end
  };

  ControlServer() = default;
  ~ControlServer();  // closes every connection and removes the socket file
  ControlServer(const ControlServer&) = delete;
  ControlServer& operator=(const ControlServer&) = delete;

  // Listens at `path`, readable and writable by its owner only. A socket
  // file left there by a run that died is replaced. False when it cannot
  // listen (error() says why).
  bool Listen(const std::string& path);
  const std::string& error() const { return error_; }
  // The user whose programs may connect; by default this program's own.
  void SetOwner(uid_t uid) { owner_ = uid; }

  // The descriptors to wait on for requests (the socket and each connection).
  std::vector<int> Fds() const;
  // Takes the connections waiting, refusing (with an answer saying so) those
  // of other users, and reads what has come; returns the complete requests.
  std::vector<Request> Service();
  // Answers a request and closes its connection.
  void Answer(int client, const std::string& line);

 private:
  struct Client {
    int fd;
    std::string received;
  };
  void AcceptWaiting();
  void Drop(int fd);

  std::string path_;
  std::string error_;
  int listen_fd_ = -1;
  uid_t owner_ = ::geteuid();
  std::vector<Client> clients_;
};

// The uid of the program at the other end of a connected Unix socket; nullopt
// when the system cannot tell.
std::optional<uid_t> PeerUid(int fd);

// Sends one request line to the run listening at `path` and returns its
// answer line; nullopt when nothing listens there (or it closed without an
// answer). Waits at most `timeout_ms` for the answer.
std::optional<std::string> SendControlRequest(const std::string& path, const std::string& line,
                                              int timeout_ms);

}  // namespace qlr
