#include "editor/job_edit_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "editor_fixture.h"
#include "store/schedule_file.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;
using Outcome = JobEditModel::Outcome;

// PAY writes its standard trigger; LOAD waits on it and for its trigger file;
// REPORT is the job edited, addressed to nobody.
struct JobEditTest : ::testing::Test, testing::EditorBed {
  JobEditTest() {
    schedule.JobDocPath = dir.File("docs");
    std::filesystem::create_directory(schedule.JobDocPath);
    Add("PAY").TriggerFile = "**Standard";
    Add("LOAD", "G1", {"pay:S"}).WaitFile = "..PAY";
    Add("REPORT", "G2", {"LOAD:U"});
  }
  JobEditModel& Open(int job, bool is_new = false) {
    model = std::make_unique<JobEditModel>(schedule, log, op, clock, job, is_new, save);
    model->Open();
    op = {};
    return *model;
  }
  // Every job as the schedule file would hold it.
  std::string Lines() {
    std::string lines;
    for (int i = 1; i <= schedule.JobCount(); ++i) lines += FormatJobLine(schedule[i], log) + "\n";
    return lines;
  }

  testing::TempDir dir;
  std::unique_ptr<JobEditModel> model;
};

TEST_F(JobEditTest, ValidChecksInOrder) {
  using F = JobEditFields;
  struct Case {
    std::function<void(F&)> change;
    bool valid;
    Texts told, titles;
    EditTab tab = EditTab::Submission;
    EditField field = EditField::None;
  } cases[] = {
      {[](F&) {}, true, {}, {}},
      {[](F& f) { f.Group = " ", f.JobName = ""; },
       false,
       {"Group Name not entered"},
       {""},
       EditTab::Submission,
       EditField::Group},
      {[](F& f) { f.JobName = " "; },
       false,
       {"Job Name not entered"},
       {""},
       EditTab::Submission,
       EditField::JobName},
      {[](F& f) { f.JobName = "load"; },
       false,
       {"Duplicate Job Name"},
       {""},
       EditTab::Submission,
       EditField::JobName},
      {[](F& f) { f.CommandLine = "  "; },
       true,
       {"Warning:  Empty command line will generate a null job"},
       {""}},
      {[](F& f) { f.EarliestStart = "6:00"; },
       false,
       {"Invalid earliest Start Time. Must be empty or \"nn:nn\""},
       {""},
       EditTab::Timing,
       EditField::EarliestStart},
      {[](F& f) { f.EarliestStart = "25:00"; },
       false,
       {"Earliest Start Time is not a valid time value"},
       {""},
       EditTab::Timing,
       EditField::EarliestStart},
      {[](F& f) { f.EarliestStart = "23:59"; }, true, {}, {}},
      {[](F& f) { f.wait.choice = WaitChoice::External; },
       false,
       {"External trigger file not specified"},
       {""},
       EditTab::Dependencies,
       EditField::WaitFileName},
      {[](F& f) {
         f.wait = {WaitChoice::External, "/in/../x", {}, -1, false};
       },
       false,
       {"External trigger file name contains invalid characters"},
       {""},
       EditTab::Dependencies,
       EditField::WaitFileName},
      {[](F& f) { f.wait.choice = WaitChoice::Interschedule; },
       false,
       {"Interschedule prerequisite job not selected"},
       {""},
       EditTab::Dependencies,
       EditField::TriggerJobs},
      {[](F& f) { f.normal.cc = "BOSS"; },
       false,
       {"Address specified but no message contents for EOJ Email"},
       {"No Message"},
       EditTab::NormalEoj,
       EditField::NormalSubject},
      {[](F& f) { f.normal.lines[3] = "done", f.normal.cc = "BOSS"; },
       true,
       {"Warning no \"To\" address on EOJ Email."},
       {"No Email Address"}},
      {[](F& f) { f.abnormal.to = "OPS"; },
       false,
       {"Address specified but no message contents for Abnormal EOJ Email"},
       {"No Message"},
       EditTab::AbnormalEoj,
       EditField::AbnormalSubject},
      {[](F& f) { f.abnormal.lines[0] = "Failed"; },
       true,
       {"Warning no \"To\" address on Abnormal EOJ Email."},
       {"No Email Address"}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    JobEditModel& m = Open(3);
    cases[i].change(m.fields);
    EXPECT_EQ(m.Valid(), cases[i].valid);
    EXPECT_EQ(op.told, cases[i].told);
    EXPECT_EQ(op.titles, cases[i].titles);
    if (cases[i].valid) continue;
    EXPECT_EQ(m.focus().tab, cases[i].tab);
    EXPECT_EQ(m.focus().field, cases[i].field);
  }
}

// A null job others wait for is offered "Daily"; the answer decides.
TEST_F(JobEditTest, NullJobsAreOfferedDaily) {
  const std::string trigger_question =
      "Null job creating trigger file - Daily frequency recommended.  Change to \"Daily\"?";
  const std::string wait_question =
      "Null job with interschedule dependency - Daily frequency recommended.  Change to "
      "\"Daily\"?";
  const std::tuple<int, const char*, Answer, Texts, const char*> cases[] = {
      {1, "Workdays", Answer::Yes, {trigger_question}, "Daily"},  // PAY writes a trigger
      {1, "Workdays", Answer::No, {trigger_question}, "Workdays"},
      {1, "daily Sat", Answer::Yes, {}, "daily Sat"},
      {2, "Mon", Answer::Yes, {wait_question}, "Daily"},  // LOAD waits for one
  };
  dir.Write("Triggers.Lst", "PAY (NIGHT)\r\n");
  schedule.TriggersListFile = dir.File("Triggers.Lst");
  for (const auto& [job, frequency, answer, asked, result] : cases) {
    JobEditModel& m = Open(job);
    m.fields.CommandLine = "";
    m.fields.Frequency = frequency;
    op.AnswerNext(answer);
    EXPECT_TRUE(m.Valid());
    EXPECT_EQ(op.asked, asked);
    EXPECT_EQ(m.fields.Frequency, result);
  }
}

// Only a job that was a null job when opened is spared the warning.
TEST_F(JobEditTest, NullJobWarningForNewJobsOnly) {
  schedule[3].CommandLine = "";
  for (bool is_new : {false, true}) {
    JobEditModel& m = Open(3, is_new);
    EXPECT_EQ(m.IsNullJob(), !is_new);
    m.Valid();
    EXPECT_EQ(op.told.size(), is_new ? 1u : 0u);
  }
}

TEST_F(JobEditTest, RenameThroughOkUpdatesEveryReference) {
  dir.Write("docs/PAY.rtd", "notes");
  JobEditModel& m = Open(1);
  m.fields.JobName = "wages";
  op.AnswerNext(Answer::Ok);  // the trigger file changes with the name
  EXPECT_EQ(m.Ok(), Outcome::Stored);
  EXPECT_EQ(Names(), (Texts{"wages", "LOAD", "REPORT"}));
  EXPECT_EQ(schedule[2].RunAfter, Texts{"wages"});
  EXPECT_EQ(schedule[2].WaitFile, "..wages");
  EXPECT_EQ(dir.Read("docs/wages.rtd"), "notes");
  EXPECT_EQ(op.asked.size(), 1u);
  EXPECT_EQ(op.titles.front(), "Trigger File Change");
  EXPECT_EQ(op.told.size(), 4u);  // dependents, trigger dependents twice, notes
  EXPECT_EQ(saves, 1);
  EXPECT_FALSE(m.EditCancelled());
}

// A question answered Cancel keeps the editor open and changes nothing at all.
TEST_F(JobEditTest, CancelledQuestionsStoreNothing) {
  struct Case {
    int job;
    std::function<void(JobEditFields&)> change;
    const char* asked;  // the start of the question
    EditField focus;    // where the cursor goes: nowhere after the trigger question
  } cases[] = {
      {3, [](JobEditFields& f) { f.CommandLine = "no-such-program-here -x", f.JobName = "R2"; },
       "Cannot find executable: no-such-program-here. Press OK to override, Cancel to alter.",
       EditField::CommandLine},
      {1, [](JobEditFields& f) { f.JobName = "WAGES"; }, "A change has been made", EditField::None},
      {3,
       [](JobEditFields& f) {
         f.trigger = {TriggerChoice::External, "/out/r.trg"};
       },
       "A change has been made", EditField::None},
  };
  const std::string before = Lines();
  for (const Case& c : cases) {
    JobEditModel& m = Open(c.job);
    m.fields.Group = "";
    EXPECT_EQ(m.Ok(), Outcome::StaysOpen);  // refused first: "Group Name not entered"
    m.fields.Group = "G1";
    op = {};
    c.change(m.fields);
    EXPECT_EQ(m.Ok(), Outcome::StaysOpen);
    ASSERT_EQ(op.asked.size(), 1u);
    EXPECT_TRUE(op.asked[0].starts_with(c.asked)) << op.asked[0];
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(m.focus().field, c.focus) << c.asked;
  }
  EXPECT_EQ(saves, 0);
  JobEditModel& m = Open(3);  // a job always skipped need not find its program
  m.fields.CommandLine = "no-such-program-here";
  m.fields.SkipOn = "Always";
  EXPECT_EQ(m.Ok(), Outcome::Stored);
  EXPECT_TRUE(op.asked.empty());
  Add("").Group = "G1";  // a new job's trigger file concerns nobody yet
  JobEditModel& fresh = Open(4, true);
  fresh.fields.JobName = "NEW";
  fresh.fields.trigger.choice = TriggerChoice::Interschedule;
  EXPECT_EQ(fresh.Ok(), Outcome::Stored);
  EXPECT_TRUE(op.asked.empty());
}

TEST_F(JobEditTest, ClosingTheWindowAsks) {
  const std::pair<Answer, Outcome> cases[] = {{Answer::Yes, Outcome::Stored},
                                              {Answer::No, Outcome::Cancelled},
                                              {Answer::Cancel, Outcome::StaysOpen}};
  for (auto [answer, outcome] : cases) {
    schedule[3].Description = "";
    JobEditModel& m = Open(3);
    m.fields.Description = "changed";
    op.AnswerNext(answer);
    EXPECT_EQ(m.CloseRequested(), outcome);
    EXPECT_EQ(op.asked, Texts{"Do you want to save any changes made to this job?"});
    EXPECT_EQ(schedule[3].Description.Str(), outcome == Outcome::Stored ? "changed" : "");
    EXPECT_EQ(m.EditCancelled(), outcome != Outcome::Stored);
  }
}

// Submit Only and Defer Rollover exclude rescheduling on completion, and back.
TEST_F(JobEditTest, EnablingRulesAndCaption) {
  const std::tuple<bool, bool, int, bool, bool> cases[] = {
      // submit only, defer rollover, reschedule; reschedule enabled, the two enabled
      {false, false, 0, true, true},
      {true, false, 0, false, true},
      {false, true, 0, false, true},
      {false, false, 2, true, false},
  };
  JobEditModel& m = Open(3);
  for (auto [submit_only, defer, resched, resched_enabled, others_enabled] : cases) {
    m.fields.SubmitOnly = submit_only, m.fields.DeferRollover = defer;
    m.fields.AutoReschedule = resched;
    EXPECT_EQ(m.RescheduleEnabled(), resched_enabled);
    EXPECT_EQ(m.SubmitOnlyEnabled(), others_enabled);
    EXPECT_EQ(m.DeferRolloverEnabled(), others_enabled);
  }
  EXPECT_EQ(m.Caption(), "REPORT - Edit Job");
  m.fields.JobName = "";
  EXPECT_EQ(m.Caption(), "Edit Job");
  m.SetCommandLine("tool.com /x");
  EXPECT_TRUE(m.fields.IsDosProgram);
}

TEST_F(JobEditTest, BrowsingKeepsTheParameters) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"old -a  b", "/usr/bin/new", "/usr/bin/new -a  b"},
      {"\"/opt/my app\" -v", "/opt/other app", "\"/opt/other app\" -v"},
      {"", "/bin/true", "/bin/true"},
      {"old -a", "no-folder", "old -a"},  // no file chosen
  };
  JobEditModel& m = Open(3);
  for (auto [command, file, result] : cases) {
    m.fields.CommandLine = command;
    m.BrowsedExecutable(file);
    EXPECT_EQ(m.fields.CommandLine, result);
  }
}

TEST_F(JobEditTest, IncludedFileAndSkipOnChoices) {
  JobEditModel& m = Open(3);
  m.fields.normal.lines[2] = "plain text";
  IncludedFile exchange = m.BeginIncludedFile(MessageKind::Normal, 2);
  EXPECT_EQ(exchange.IncFileName, "plain text");
  m.EndIncludedFile(MessageKind::Normal, 2, {"", true, false, false, false});  // cancelled
  EXPECT_EQ(m.fields.normal.flags[2], "");
  m.EndIncludedFile(MessageKind::Normal, 2, {"/tmp/&RUNDATE&.txt", true, false, true, true});
  EXPECT_EQ(m.fields.normal.lines[2], "/tmp/&RUNDATE&.txt");
  EXPECT_EQ(m.fields.normal.flags[2], "11101");
  m.ChooseSkipOn(3, [](DateTime shown) { return AddDays(shown, 3); });  // Other Date
  EXPECT_EQ(m.fields.SkipOn, "7 Dec 2026");
  EXPECT_EQ(m.SkipOnChoicesShown()[1], "7 Dec 2026");
  m.ChooseSkipOn(2, nullptr);
  EXPECT_EQ(m.fields.SkipOn, "Always");
}

// Same Group follows the group the editor shows, however often it changes;
// ticked rows stay whatever their group.
TEST_F(JobEditTest, SameGroupFollowsTheGroupShown) {
  Add("OTHER", "G2");
  const std::tuple<const char*, bool, Texts> cases[] = {
      {"G1", true, {"LOAD", "PAY"}},
      {"G2", true, {"LOAD", "OTHER"}},
      {"G2", false, {"LOAD", "OTHER", "PAY"}},  // the jobs not listed come after
      {"G3", true, {"LOAD"}},
  };
  JobEditModel& m = Open(3);  // REPORT waits on LOAD
  for (auto [group, same_group, rows] : cases) {
    m.fields.Group = group;
    m.ShowSameGroup(same_group);
    Texts names;
    for (const DependencyRow& row : m.dependencies().rows()) names.push_back(row.name);
    EXPECT_EQ(names, rows) << group << (same_group ? " same" : " all");
  }
}

}  // namespace
}  // namespace qlr
