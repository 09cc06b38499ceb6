// qlr ctl status --json on the largest schedule, run at noon with thousands
// of jobs running and waiting: the request through the run's socket, the
// status made between passes, and its JSON answer back.

#include <benchmark/benchmark.h>
#include <poll.h>

#include <filesystem>
#include <future>

#include "base/clock.h"
#include "bench_fakes.h"
#include "editor/run_control.h"
#include "engine/engine.h"
#include "messages/end_of_job.h"
#include "platform/control_socket.h"
#include "qlr/control_protocol.h"
#include "schedule_generator.h"
#include "silent_operator.h"

namespace qlr {
namespace {

void BM_CtlStatusRoundTrip(benchmark::State& state) {
  Schedule schedule = GenerateSchedule(32767, 1);
  schedule.LogFile = "/dev/null";
  schedule.JobOutputPath = "/tmp";
  StillClock clock;
  SilentOperator op;
  RunLog log(schedule, clock, op);
  RunningLauncher launcher;
  RecordingMessages messages;
  Engine engine(schedule, {log, op, clock, launcher, messages}, {}, {});
  engine.Open();
  RunControl control(schedule, engine, op);
  const std::string path =
      (std::filesystem::temp_directory_path() / "qlr_control_bench.sock").string();
  ControlServer server;
  if (!server.Listen(path)) {
    state.SkipWithError(server.error().c_str());
    return;
  }
  const std::string request = RequestLine({"status"});
  size_t bytes = 0;
  for (auto _ : state) {
    auto client =
        std::async(std::launch::async, [&] { return SendControlRequest(path, request, 10000); });
    for (bool answered = false; !answered;) {
      std::vector<pollfd> fds;
      for (int fd : server.Fds()) fds.push_back({fd, POLLIN, 0});
      ::poll(fds.data(), fds.size(), 100);
      for (const ControlServer::Request& r : server.Service()) {
        const std::optional<ControlRequest> parsed = ReadRequest(r.line);
        server.Answer(r.client, ReplyLine(control.Carry(*parsed)));
        answered = true;
      }
    }
    bytes = client.get().value_or("").size();
  }
  state.counters["answer_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CtlStatusRoundTrip)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace qlr
