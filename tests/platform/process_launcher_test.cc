#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "platform/process_launcher_posix.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using namespace std::chrono_literals;

// Waits (in small steps, at most a few seconds) until the condition holds.
bool WaitUntil(const std::function<bool()>& condition) {
  auto give_up = std::chrono::steady_clock::now() + 10s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

ProcessState WaitForEnd(ProcessLauncher& launcher, const ProcessRef& process) {
  ProcessState state;
  WaitUntil([&] { return !(state = launcher.Poll(process)).running; });
  return state;
}

// Processes of the group, zombies aside (whoever adopted them reaps them).
int LiveMembers(const ProcessRef& process) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream in(entry.path() / "stat");
    std::string text;
    std::getline(in, text);
    size_t close = text.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream fields(text.substr(close + 1));
    char state = 0;
    int parent = 0, group = 0;
    fields >> state >> parent >> group;
    if (group == process.pid && state != 'Z' && state != 'X') ++count;
  }
  return count;
}

bool GroupGone(const ProcessRef& process) {
  return WaitUntil([&] { return LiveMembers(process) == 0; });
}

class ProcessLauncherTest : public ::testing::Test {
 protected:
  ProcessRef StartOrDie(const std::string& command, bool use_shell = false) {
    auto process = launcher_.Start({command, use_shell, output_});
    EXPECT_TRUE(process) << command << ": " << launcher_.error();
    return process.value_or(ProcessRef{});
  }
  std::vector<std::string> ReadAll(const ProcessRef& process) {
    int64_t offset = 0;
    return launcher_.ReadOutput(process, output_, offset);
  }

  testing::TempDir dir_;
  std::string output_ = dir_.File("out/job.out");
  PosixProcessLauncher launcher_{200ms};
};

TEST_F(ProcessLauncherTest, ReportsTheEndAndExitStatusAndReaps) {
  struct Case {
    const char* command;
    bool use_shell;
    int exit_code;
    int signal;
  } cases[] = {
      {"true", false, 0, 0},
      {"false", false, 1, 0},
      {"sh -c \"exit 3\"", false, 3, 0},
      {"exit 7", true, 7, 0},
      {"kill -TERM $$", true, 0, SIGTERM},
      {"sh -c \"kill -KILL $$\"", false, 0, SIGKILL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    ProcessRef process = StartOrDie(c.command, c.use_shell);
    EXPECT_GT(process.start_time, 0);
    for (int i = 0; i < 2; ++i) {  // the status is kept for later polls
      ProcessState state = WaitForEnd(launcher_, process);
      EXPECT_FALSE(state.running);
      EXPECT_TRUE(state.exit_known);
      EXPECT_EQ(state.exit_code, c.exit_code);
      EXPECT_EQ(state.signal, c.signal);
    }
    EXPECT_EQ(::waitpid(process.pid, nullptr, WNOHANG), -1);  // reaped: no zombie left
  }
}

TEST_F(ProcessLauncherTest, RefusesWhatCannotBeStarted) {
  std::string not_executable = dir_.Write("plain.txt", "text\n");
  for (const std::string& command :
       std::vector<std::string>{"", "  ", "no-such-program-of-quillrun", "/no/such/program",
                                dir_.path(), not_executable}) {
    EXPECT_FALSE(launcher_.Start({command, false, output_})) << command;
    EXPECT_FALSE(launcher_.error().empty()) << command;
  }
  EXPECT_FALSE(launcher_.Start({"true", false, not_executable + "/job.out"}));
}

TEST_F(ProcessLauncherTest, CapturesOutputLinesAndKeepsAPartialLineUntilTheEnd) {
  dir_.Write("out/job.out", "old output\n");
  std::string long_line(300, 'x');
  ProcessRef process = StartOrDie("printf 'one\\n'; printf 'two\\r\\n' >&2; printf '" + long_line +
                                      "\\n\\npart'; exec sleep 100",
                                  true);
  int64_t offset = 0;
  std::vector<std::string> lines;
  ASSERT_TRUE(WaitUntil([&] {
    for (auto& line : launcher_.ReadOutput(process, output_, offset)) lines.push_back(line);
    return lines.size() >= 4;
  }));
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", std::string(254, 'x'), ""}));
  EXPECT_TRUE(launcher_.ReadOutput(process, output_, offset).empty());  // "part" has no end yet

  launcher_.Terminate(process);
  EXPECT_EQ(WaitForEnd(launcher_, process).signal, SIGTERM);
  EXPECT_EQ(launcher_.ReadOutput(process, output_, offset), std::vector<std::string>{"part"});
  EXPECT_TRUE(launcher_.ReadOutput(process, output_, offset).empty());
}

TEST_F(ProcessLauncherTest, PassesQuotedWordsAsOneArgument) {
  // \xE9 is e acute in Windows-1252; the program receives it in UTF-8.
  ProcessRef process = StartOrDie("printf \"[%s]\\n\" \"a  b\" \"say \"\"hi\"\"\" \"\" \xE9");
  WaitForEnd(launcher_, process);
  EXPECT_EQ(ReadAll(process),
            (std::vector<std::string>{"[a  b]", "[say \"hi\"]", "[]", "[\xC3\xA9]"}));
}

TEST_F(ProcessLauncherTest, TerminateStopsTheWholeProcessGroup) {
  ProcessRef process = StartOrDie("sleep 100 & sleep 100", true);
  ASSERT_TRUE(WaitUntil([&] { return LiveMembers(process) == 3; }));  // sh and both sleeps
  launcher_.Terminate(process);
  EXPECT_EQ(WaitForEnd(launcher_, process).signal, SIGTERM);
  EXPECT_TRUE(GroupGone(process));
}

TEST_F(ProcessLauncherTest, KillsAGroupThatIgnoresTerminateAfterTheDelay) {
  ProcessRef process = StartOrDie("trap '' TERM; echo ready; sleep 100", true);
  ASSERT_TRUE(WaitUntil([&] { return ReadAll(process) == std::vector<std::string>{"ready"}; }));
  launcher_.Terminate(process);
  EXPECT_TRUE(launcher_.Poll(process).running);
  EXPECT_EQ(WaitForEnd(launcher_, process).signal, SIGKILL);
  EXPECT_TRUE(GroupGone(process));
}

TEST_F(ProcessLauncherTest, FollowsAProcessStartedBeforeARestartByItsStartTime) {
  ProcessRef process = StartOrDie("sleep 100");
  PosixProcessLauncher restarted(200ms);  // knows nothing of the child
  ProcessRef reused{process.start_time + 1, process.pid};

  EXPECT_TRUE(restarted.Poll(process).running);
  EXPECT_FALSE(restarted.Poll(reused).running);
  restarted.Terminate(reused);  // not the job: left alone
  EXPECT_TRUE(launcher_.Poll(process).running);

  restarted.Terminate(process);
  EXPECT_TRUE(WaitUntil([&] { return !restarted.Poll(process).running; }));
  EXPECT_FALSE(restarted.Poll(process).exit_known);
  // Not reaped by the launcher that did not start it: its parent still gets the status.
  EXPECT_EQ(WaitForEnd(launcher_, process).signal, SIGTERM);
}

TEST_F(ProcessLauncherTest, SignalsTheEndOfAChild) {
  launcher_.DrainChildEnded();
  ProcessRef process = StartOrDie("true");
  pollfd ready{launcher_.ChildEndedFd(), POLLIN, 0};
  int result;
  while ((result = ::poll(&ready, 1, 10000)) < 0 && errno == EINTR) {
  }
  EXPECT_EQ(result, 1);
  launcher_.DrainChildEnded();
  EXPECT_EQ(::poll(&ready, 1, 0), 0);
  WaitForEnd(launcher_, process);
}

}  // namespace
}  // namespace qlr
