// The run's socket: one request line, one answer line, only for the run's
// own user; a socket left by a dead run is replaced, and it goes when the run does.

#include "platform/control_socket.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>

#include "support/temp_dir.h"

namespace qlr {
namespace {

// Serves the server until one request has been answered with `answer`; the
// request line it got.
std::string ServeOne(ControlServer& server, const std::string& answer) {
  for (int round = 0; round < 500; ++round) {
    std::vector<pollfd> fds;
    for (int fd : server.Fds()) fds.push_back({fd, POLLIN, 0});
    ::poll(fds.data(), fds.size(), 10);
    for (const ControlServer::Request& request : server.Service()) {
      server.Answer(request.client, answer);
      return request.line;
    }
  }
  return "(no request)";
}

TEST(ControlSocketTest, AnswersItsOwnUserOnly) {
  testing::TempDir dir;
  const std::string path = dir.File("night.sch.sock");
  dir.Write("night.sch.sock", "left by a run that died");
  const struct {
    const char* who;
    bool other_user;
    std::string answer;
  } cases[] = {
      {"the run's user", false, "{\"ok\":true}"},
      {"another user", true,
       "{\"ok\":false,\"message\":\"Permission denied: the run belongs to another user\"}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.who);
    ControlServer server;
    ASSERT_TRUE(server.Listen(path)) << server.error();
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    // The peer's uid is checked against the owner; another owner stands in
    // for a connection from another account.
    if (c.other_user) server.SetOwner(::geteuid() + 1);
    auto client = std::async(std::launch::async, [&] {
      return SendControlRequest(path, "{\"command\":\"kick\"}", 5000);
    });
    if (c.other_user) {
      for (int round = 0; round < 100 && client.wait_for(std::chrono::milliseconds(10)) !=
                                             std::future_status::ready;
           ++round)
        server.Service();
    } else {
      EXPECT_EQ(ServeOne(server, "{\"ok\":true}"), "{\"command\":\"kick\"}");
    }
    EXPECT_EQ(client.get().value_or("(none)"), c.answer);
  }
  EXPECT_NE(::access(path.c_str(), F_OK), 0);                    // gone with the run
  EXPECT_EQ(SendControlRequest(path, "{}", 100), std::nullopt);  // nothing listens
}

}  // namespace
}  // namespace qlr
