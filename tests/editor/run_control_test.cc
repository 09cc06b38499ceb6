// Requests of qlr ctl carried out on a running day: what each does to the
// engine, what it refuses, and the answers the questions get.

#include "editor/run_control.h"

#include "support/engine_fixture.h"

namespace qlr {
namespace {

// The engine's operator as qlr run gives it: while a request is at work its
// questions get the request's answer and what it tells goes into the reply.
class RequestOperator : public Operator {
 public:
  explicit RequestOperator(RunControl*& control) : control_(control) {}
  void Tell(const std::string& text, const std::string&) override { control_->Told(text); }
  Answer Ask(const std::string&, Buttons buttons, const std::string&) override {
    const bool yes = control_->answering_yes();
    if (buttons == Buttons::OkCancel) return yes ? Answer::Ok : Answer::Cancel;
    return yes ? Answer::Yes : Answer::No;
  }
  std::optional<std::string> Input(const std::string&, const std::string&,
                                   const std::string&) override {
    return std::nullopt;
  }

 private:
  RunControl*& control_;
};

struct RunControlTest : testing::EngineFixture {
  RunControl* control = nullptr;
  RequestOperator request_op{control};
  std::unique_ptr<RunControl> owned;

  // The day of the tests: RUNS runs for an hour, WAITS waits for a file,
  // LATE for its start time, AFTER for RUNS and NEXT for AFTER.
  void OpenDay() {
    Scripted("RUNS");
    Add("WAITS").WaitFile = dir.File("never.flag");
    Add("LATE").EarliestStart = "23:00";
    After(Add("AFTER"), "RUNS");
    After(Add("NEXT"), "AFTER");
    EngineHooks hooks = StandardEngineHooks(s, log, op);
    hooks.save = [this] { ++saves; };
    engine = std::make_unique<Engine>(s, EngineServices{log, request_op, clock, launcher, messages},
                                      options, std::move(hooks));
    engine->Open();
    owned = std::make_unique<RunControl>(s, *engine, op);
    control = owned.get();
  }
  ControlReply Do(const std::string& command, const std::string& job = {}, bool yes = false,
                  bool cascade = false) {
    return control->Carry({command, job, yes, cascade});
  }
};

TEST_F(RunControlTest, StatusTellsTheDay) {
  OpenDay();
  const ControlReply reply = Do("status");
  ASSERT_TRUE(reply.ok && reply.status);
  const RunStatus& status = *reply.status;
  EXPECT_EQ(status.run_date, "4 Dec 2026");
  EXPECT_EQ(status.counts, (std::map<std::string, int>{{"Running", 1}, {"Scheduled", 4}}));
  ASSERT_EQ(status.jobs.size(), 5u);
  EXPECT_EQ(status.jobs[1].text, "Wait File (" + dir.File("never.flag") + ")");
  EXPECT_EQ(status.jobs[4].text, "Wait Job (AFTER(S) - Not Started, RUNS(S) - Running)");
  EXPECT_EQ(status.events,
            std::vector<std::string>{"WAITS    File(" + dir.File("never.flag") + ")"});
  EXPECT_EQ(status.log.back(), "RUNS     (Daily) \tSubmitted at 06:00:00");
}

TEST_F(RunControlTest, CommandsActOrSayWhyNot) {
  OpenDay();
  const struct {
    ControlRequest request;
    bool ok;
    std::string message;
  } cases[] = {
      {{"force", "NOPE"}, false, "Unknown job: NOPE"},
      {{"force", "LATE"}, false, "Job LATE is not in the events list"},
      {{"force", "WAITS"}, false, "Not forced: the question was answered No"},
      {{"submit", "RUNS"}, false, "Job RUNS is not waiting to be submitted"},
      {{"submit", "LATE"}, false, "Not forced: the question was answered No"},
      {{"submit", "LATE", true}, true, "Job LATE scheduled for forced submission"},
      {{"submit", "LATE", true},
       false,
       "Job LATE already scheduled for forced submission.  Check Events Window."},
      {{"next-day", "", true}, false, "Next Day is not allowed now: the day's work is not done"},
      {{"resched", "NEXT"}, false, "Job NEXT cannot be rescheduled now (it is Scheduled)"},
      {{"unsched", "AFTER", false, true}, true, "Unscheduled: AFTER, NEXT"},
      {{"suspend"}, true, "Suspended"},
      {{"suspend"}, true, "The run is suspended already"},
      {{"resume"}, true, "Resumed"},
      {{"dance"}, false, "Unknown command: dance"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.request.command + " " + c.request.job);
    const ControlReply reply = control->Carry(c.request);
    EXPECT_EQ(reply.ok, c.ok);
    EXPECT_EQ(reply.message, c.message);
  }
  EXPECT_EQ(J("AFTER").Status, JobStatus::Unscheduled);
  EXPECT_EQ(J("NEXT").OverrideCode.Trimmed(), "U");
  EXPECT_FALSE(engine->window().suspended);
  EXPECT_TRUE(Do("stop").stop);
}

// A forced event and a forced submission reach the engine as the window's
// commands do: the next pass starts the jobs.
TEST_F(RunControlTest, ForcedJobsRunAtTheNextPass) {
  OpenDay();
  EXPECT_TRUE(Do("force", "waits", true).ok);  // names compare without regard to case
  EXPECT_TRUE(Do("submit", "LATE", true).ok);
  EXPECT_TRUE(Do("kick").ok);
  std::vector<std::string> started;
  for (const LaunchRequest& request : launcher.started) started.push_back(request.command_line);
  EXPECT_EQ(started, (std::vector<std::string>{"run RUNS", "run WAITS", "run LATE"}));
}

}  // namespace
}  // namespace qlr
