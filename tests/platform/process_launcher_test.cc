#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "platform/process_launcher_posix.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using namespace std::chrono_literals;

// Waits (in small steps, at most a few seconds) until the condition holds.
bool WaitUntil(const std::function<bool()>& condition) {
  for (int i = 0; i < 2000; ++i, std::this_thread::sleep_for(5ms))
    if (condition()) return true;
  return false;
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
    std::string text;
    std::getline(std::ifstream(entry.path() / "stat"), text);
    char state = 0;
    int parent = 0, group = 0;
    std::sscanf(text.c_str(), "%*d (%*[^)]) %c %d %d", &state, &parent, &group);
    count += group == process.pid && state != 'Z' && state != 'X';
  }
  return count;
}

struct ProcessLauncherTest : ::testing::Test {
  ProcessRef StartOrDie(const std::string& command, bool use_shell = false) {
    auto process = launcher_.Start({command, use_shell, output_});
    EXPECT_TRUE(process) << command << ": " << launcher_.error();
    return process.value_or(ProcessRef{});
  }

  testing::TempDir dir_;
  std::string output_ = dir_.File("out/job.out");
  // The kill delay passes only when a test moves this clock, however busy the machine.
  std::chrono::steady_clock::time_point now_{};
  PosixProcessLauncher launcher_{200ms, [this] { return now_; }};
  int64_t offset_ = 0;  // read so far of the output
};

// The status is kept for later polls and the child reaped; a negative result is the
// signal that ended it. The end of any child makes ChildEndedFd() readable.
TEST_F(ProcessLauncherTest, ReportsTheEndAndExitStatusAndReaps) {
  const std::tuple<bool, const char*, int> cases[] = {
      {false, "true", 0},
      {true, "exit 7", 7},
      {true, "kill -TERM $$", -SIGTERM},
      {false, "sh -c \"kill -KILL $$\"", -SIGKILL},
  };
  pollfd ready{launcher_.ChildEndedFd(), POLLIN, 0};
  for (auto [use_shell, command, result] : cases) {
    SCOPED_TRACE(command);
    launcher_.DrainChildEnded();
    ProcessRef process = StartOrDie(command, use_shell);
    EXPECT_TRUE(WaitUntil([&] { return ::poll(&ready, 1, 0) == 1; }));
    for (int i = 0; i < 2; ++i) {
      ProcessState s = WaitForEnd(launcher_, process);
      EXPECT_EQ(std::tuple(s.running, s.exit_known, s.exit_code, s.signal),
                std::tuple(false, true, std::max(result, 0), std::max(-result, 0)));
    }
    EXPECT_EQ(::waitpid(process.pid, nullptr, WNOHANG), -1);
  }
  launcher_.DrainChildEnded();
  EXPECT_EQ(::poll(&ready, 1, 0), 0);
}

TEST_F(ProcessLauncherTest, RefusesWhatCannotBeStarted) {
  std::string not_executable = dir_.Write("plain.txt", "text\n");
  for (const std::string& command : std::vector<std::string>{
           "", "no-such-program-of-quillrun", "/no/such/program", dir_.path(), not_executable}) {
    EXPECT_FALSE(launcher_.Start({command, false, output_})) << command;
    EXPECT_FALSE(launcher_.error().empty()) << command;
  }
  EXPECT_FALSE(launcher_.Start({"true", false, not_executable + "/job.out"}));
}

TEST_F(ProcessLauncherTest, CapturesOutputLinesAndKeepsAPartialLineUntilTheEnd) {
  dir_.Write("out/job.out", "old output\n");
  ProcessRef process = StartOrDie("printf 'one\\n'; printf 'two\\r\\n' >&2; printf '" +
                                      std::string(300, 'x') + "\\n\\npart'; exec sleep 100",
                                  true);
  ASSERT_TRUE(WaitUntil([&] { return dir_.Read("out/job.out").ends_with("part"); }));
  EXPECT_EQ(launcher_.ReadOutput(process, output_, offset_),
            (std::vector<std::string>{"one", "two", std::string(254, 'x'), ""}));
  EXPECT_TRUE(launcher_.ReadOutput(process, output_, offset_).empty());  // "part" has no end yet
  launcher_.Terminate(process);
  EXPECT_EQ(WaitForEnd(launcher_, process).signal, SIGTERM);
  EXPECT_EQ(launcher_.ReadOutput(process, output_, offset_), std::vector<std::string>{"part"});
  EXPECT_TRUE(launcher_.ReadOutput(process, output_, offset_).empty());
}

TEST_F(ProcessLauncherTest, PassesQuotedWordsAsOneArgument) {
  // \xE9 is e acute in Windows-1252; the program receives it in UTF-8.
  ProcessRef process = StartOrDie("printf \"[%s]\\n\" \"a  b\" \"say \"\"hi\"\"\" \"\" \xE9");
  WaitForEnd(launcher_, process);
  EXPECT_EQ(launcher_.ReadOutput(process, output_, offset_),
            (std::vector<std::string>{"[a  b]", "[say \"hi\"]", "[]", "[\xC3\xA9]"}));
}

// SIGTERM goes to the whole group; a group that ignores it is killed after the delay.
TEST_F(ProcessLauncherTest, TerminateStopsTheWholeProcessGroup) {
  for (auto [command, signal] : {std::pair{"sleep 100 & sleep 100", SIGTERM},
                                 {"trap '' TERM; sleep 100 & sleep 100", SIGKILL}}) {
    ProcessRef process = StartOrDie(command, true);
    ASSERT_TRUE(WaitUntil([&] { return LiveMembers(process) == 3; }));  // sh and both sleeps
    launcher_.Terminate(process);
    if (signal == SIGKILL) {  // the delay passes only here: SIGTERM alone must end the first
      now_ += 199ms;
      EXPECT_TRUE(launcher_.Poll(process).running) << "killed too soon";
      now_ += 1ms;
    }
    EXPECT_EQ(WaitForEnd(launcher_, process).signal, signal) << command;
    EXPECT_TRUE(WaitUntil([&] { return LiveMembers(process) == 0; })) << command;
  }
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
  EXPECT_EQ(WaitForEnd(launcher_, process).signal, SIGTERM);  // its parent still reaps it
}

}  // namespace
}  // namespace qlr
