// qlr job and qlr new end to end, on real files in a fresh folder.

#include <algorithm>
#include <filesystem>

#include "apps/qlr_fixture.h"
#include "platform/file_lock.h"

namespace qlr {
namespace {

using testing::Args;
using testing::JobLine;

// EXTRACT writes its standard trigger; LOAD waits for it and after it;
// REPORT (another group) after LOAD. Every command exists on PATH.
// clang-format off
const std::string kSchedule =
    JobLine({{1, "EXTRACT"}, {2, "true"}, {4, "Daily"}, {30, "ETL"}, {31, "**Standard"}}) +
    JobLine({{1, "LOAD"}, {2, "sh -c \"exit 0\""}, {4, "Daily"}, {7, "\"extract,\""},
             {23, "..EXTRACT"}, {30, "ETL"}, {45, "S"}}) +
    JobLine({{1, "REPORT"}, {2, "true"}, {4, "Workdays"}, {7, "\"LOAD,\""}, {30, "REP"},
             {45, "U"}, {46, "Y"}});
// clang-format on

class QlrJobTest : public testing::QlrFixture {
 protected:
  QlrJobTest() {
    ini_ = dir_.Write("night.ini",
                      "[Quillrun]\r\nScheduleName=NIGHT\r\nScheduleFile=night.sch\r\n"
                      "LogFile=<not specified>\r\nEmailAddrPath=<not specified>\r\n"
                      "TriggerPath=triggers\r\nTrackerPath=<not specified>\r\nJobDocPath=docs\r\n"
                      "EmailPath=<not specified>\r\nEmailAttPath=<not specified>\r\n"
                      "PubHols=<not specified>\r\nDateDisplayFormat=0\r\n");
    dir_.Write("triggers/Triggers.Lst", "EXTRACT (NIGHT)\r\nPAY (DAY)\r\n");
    dir_.Write("docs/EXTRACT.rtd", "notes");
    dir_.Write("night.sch", kSchedule);
    EXPECT_EQ(Qlr({"rewrite", ini_}), 0);  // the form every write gives
    schedule_ = dir_.Read("night.sch");
  }

  // The value `qlr job get` prints for a key.
  std::string Get(const std::string& job, const std::string& key) {
    EXPECT_EQ(Qlr({"job", "get", ini_, job}), 0) << err_.str();
    std::istringstream lines(out_.str());
    for (std::string line; std::getline(lines, line);)
      if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
    return "<none>";
  }
  std::string Names() {
    Qlr({"show", ini_, "--columns", "0"});
    std::string names = out_.str().substr(out_.str().find('\n') + 1);
    std::replace(names.begin(), names.end(), '\n', ' ');
    return names;
  }

  std::string schedule_;
};

// What get prints, given back to set, changes nothing.
TEST_F(QlrJobTest, GetGivenBackToSetChangesNothing) {
  for (const char* job : {"EXTRACT", "LOAD", "REPORT"}) {
    ASSERT_EQ(Qlr({"job", "get", ini_, job}), 0);
    Args args = {"job", "set", ini_, job};
    std::istringstream lines(out_.str());
    for (std::string line; std::getline(lines, line);) args.push_back(line);
    EXPECT_EQ(Qlr(args), 0) << err_.str();
    EXPECT_EQ(dir_.Read("night.sch"), schedule_) << job;
  }
  EXPECT_EQ(Qlr({"job", "get", ini_, "load", "--json"}), 0);
  EXPECT_NE(out_.str().find("  \"after\": \"extract:S\",\n  \"exclusivity\": \"\""),
            std::string::npos);
}

// The editor core's checks have their own tests; here one of each kind of refusal
// shows that it reaches the operator and leaves the file as it was.
TEST_F(QlrJobTest, RefusedChangesLeaveTheFileByteIdentical) {
  const std::pair<Args, std::string> cases[] = {
      {{"set", "LOAD", "name=extract"}, "qlr: Duplicate Job Name\n"},
      {{"set", "LOAD", "frequency=Daily", "colour=red"}, "qlr: unknown key: colour\n"},
      {{"set", "LOAD", "frequency"}, "qlr: not KEY=VALUE: frequency\n"},
      {{"set", "LOAD", "name=TOOLONGNAME"}, "qlr: name=TOOLONGNAME: at most 8 characters\n"},
      {{"set", "LOAD", "name=A(B)"}, "qlr: name=A(B): the character \"(\" is not allowed\n"},
      {{"set", "LOAD", "wait=..NOPE"},
       "qlr: wait=..NOPE: job NOPE is not in the triggers list (Triggers.Lst)\n"},
      {{"set", "LOAD", "after=REPORT:X"},
       "qlr: after=REPORT:X: \"REPORT:X\" is not JOB:S, JOB:F or JOB:U, optionally followed by "
       ":auto\n"},
      {{"set", "LOAD", "after=LOAD:S"}, "qlr: after=LOAD:S: no job LOAD to depend on\n"},
      {{"set", "LOAD", "body2_flags=10000"},
       "qlr: body2_flags=10000: the Fil box cannot be ticked (Fil needs a line that is not "
       "blank; Var, Att and Del need Fil; Flt needs Fil without Att)\n"},
      {{"set", "LOAD", "subject=Done, at last"},
       "qlr: subject=Done, at last: the character \",\" is not allowed\n"},
      {{"set", "LOAD", "critical=Y"},
       "qlr: critical=Y: the schedule does not allow critical jobs (AllowCritical)\n"},
      {{"set", "LOAD", "command=no-such-program -x"},
       "qlr: Cannot find executable: no-such-program. Press OK to override, Cancel to alter. "
       "-> Cancel\n"},
      {{"rename", "EXTRACT", "EXT"},  // other schedules may wait for its trigger
       "qlr: A change has been made which affects the creation of a trigger file by this job.\n"
       "It is important that jobs in other schedules which are dependent on this one are "
       "updated accordingly.\nPress OK to proceed or Cancel to re-edit the job. -> Cancel\n"},
      {{"add", "NEW"}, "qlr: Group Name not entered\n"},
      {{"add", "NEW2", "--copy-of", "NOPE"}, "qlr: no job named NOPE\n"},
      {{"delete", "LOAD"},
       "qlr: The following jobs:  REPORT  are dependent on this job.  Proceed with deletion? "
       "-> No\n"},
      {{"move", "REPORT", "--up", "--group", "REP"}, ""},  // nothing to pass: written unchanged
  };
  for (const auto& [args, err] : cases) {
    Args full = {"job", args[0], ini_};
    full.insert(full.end(), args.begin() + 1, args.end());
    EXPECT_EQ(Qlr(full), err.empty() ? 0 : 1) << err;
    EXPECT_EQ(err_.str(), err);
    EXPECT_EQ(dir_.Read("night.sch"), schedule_) << err;
  }
  FileLock run;  // as a run of the schedule holds it
  ASSERT_TRUE(run.TryLock(dir_.File("night.sch.lock")));
  EXPECT_EQ(Qlr({"job", "set", ini_, "LOAD", "cpu=5"}), 1);
  EXPECT_TRUE(err_.str().starts_with("qlr: Schedule \"" + dir_.File("night.sch") +
                                     "\" is in use by process "));
  EXPECT_EQ(dir_.Read("night.sch"), schedule_);
}

TEST_F(QlrJobTest, RenameUpdatesRunAfterWaitFilesTriggersAndNotes) {
  EXPECT_EQ(Qlr({"--yes", "job", "rename", ini_, "extract", "EXT"}), 0) << err_.str();
  EXPECT_EQ(Get("LOAD", "after"), "EXT:S");
  EXPECT_EQ(Get("LOAD", "wait"), "..EXT");
  EXPECT_EQ(dir_.Read("triggers/Triggers.Lst"), "PAY (DAY)\r\nEXT (NIGHT)\r\n");
  EXPECT_EQ(dir_.Read("docs/EXT.rtd"), "notes");
  EXPECT_EQ(dir_.Read("night.bak"), schedule_);
  EXPECT_EQ(Qlr({"job", "rename", ini_, "REPORT", "SUMMARY"}), 0);  // no references: no question
  EXPECT_EQ(err_.str(), "");
}

TEST_F(QlrJobTest, AddDeleteMoveAndSkip) {
  const std::pair<Args, std::string> steps[] = {
      {{"job", "add", ini_, "COPY", "--copy-of", "report", "description=A copy"},
       "EXTRACT LOAD REPORT COPY "},
      {{"job", "add", ini_, "LAST", "group=REP", "command=true", "after=COPY:F:auto",
        "frequency=Mon,Fri"},
       "EXTRACT LOAD REPORT COPY LAST "},
      {{"job", "move", ini_, "LAST", "--top", "--group", "REP"}, "EXTRACT LOAD LAST REPORT COPY "},
      {{"job", "move", ini_, "EXTRACT", "--bottom"}, "LOAD LAST REPORT COPY EXTRACT "},
      {{"--yes", "job", "delete", ini_, "LOAD"}, "LAST REPORT COPY EXTRACT "},
  };
  for (const auto& [args, names] : steps) {
    EXPECT_EQ(Qlr(args), 0) << err_.str();
    EXPECT_EQ(Names(), names);
  }
  EXPECT_EQ(Get("COPY", "description"), "A copy");
  EXPECT_EQ(Get("COPY", "after"), "LOAD:U:auto");  // a deleted job's dependents keep it
  EXPECT_EQ(Get("LAST", "after"), "COPY:F:auto");
  EXPECT_EQ(Get("LAST", "frequency"), "Mon Fri");
  const std::pair<Args, std::string> skips[] = {
      // Skip On of LAST REPORT COPY EXTRACT
      {{"REPORT"}, ",4 Dec 2026,,"},
      {{"--all", "--group", "REP", "--date", "2026-12-07"}, "7 Dec 2026,7 Dec 2026,7 Dec 2026,"},
      {{"REPORT"}, "7 Dec 2026,,7 Dec 2026,"},
      {{"--all", "--unskip"}, ",,,"},
  };
  for (const auto& [args, skip_on] : skips) {
    Args full = {"job", "skip", ini_};
    full.insert(full.end(), args.begin(), args.end());
    EXPECT_EQ(Qlr(full), 0) << err_.str();
    Qlr({"show", ini_, "--columns", "14"});
    std::string shown = out_.str().substr(out_.str().find('\n') + 1);
    std::replace(shown.begin(), shown.end(), '\n', ',');
    EXPECT_EQ(shown, skip_on + ",");
  }
}

TEST_F(QlrJobTest, TheOnlyJobIsNeverDeleted) {
  dir_.Write("night.sch", JobLine({{1, "ONLY"}, {30, "G"}}));
  const std::string before = dir_.Read("night.sch");
  EXPECT_EQ(Qlr({"--yes", "job", "delete", ini_, "ONLY"}), 1);
  EXPECT_EQ(err_.str(), "qlr: Cannot delete last row\n");
  EXPECT_EQ(dir_.Read("night.sch"), before);
}

TEST_F(QlrJobTest, NewCreatesAScheduleThatWorksAtOnce) {
  dir_.Write("hols.txt", "; holidays\r\n25 Dec 2026\r\n1 Jan 2028\r\n");
  const std::string folder = dir_.File("new night");
  ASSERT_EQ(Qlr({"new", folder, "--name", "NEW", "--workdays", "mon,TUE, wed", "--day-start",
                 "18:30", "--holidays", dir_.File("hols.txt")}),
            0)
      << err_.str();
  const std::string ini = folder + "/NEW.ini";
  EXPECT_EQ(out_.str(), ini + "\n");
  for (const char* sub : {"logs", "triggers", "trackers", "docs", "mail", "attach", "output"})
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/" + sub)) << sub;
  EXPECT_TRUE(std::filesystem::exists(folder + "/docs/template.rtd"));
  const std::string text = dir_.Read("new night/NEW.ini");
  for (const char* line : {"Workdays=Mon,Tue,Wed\r\n", "DayStart=18:30\r\n",
                           "PubHols=holidays.txt\r\n", "ScheduleFile=NEW.sch\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  EXPECT_EQ(Qlr({"check", ini}), 0) << err_.str();
  EXPECT_EQ(err_.str(), "");  // every key there: no warning
  EXPECT_EQ(Qlr({"show", ini, "--columns", "0,1,10,16"}), 0);
  EXPECT_EQ(out_.str(), "Job Name\tGroup\tFrequency\tStatus\nSTART\tGeneral\tDaily\tScheduled\n");
  const std::pair<Args, std::string> refused[] = {
      {{"new", folder, "--name", "AGAIN"}, "qlr: " + folder + " already holds a schedule: " + ini},
      {{"new", dir_.File("x"), "--name", "X", "--workdays", "Mon,Fry"},
       "qlr: Not a day of the week: \"Fry\" (use Mon,Tue,...)"},
      {{"new", dir_.File("x"), "--name", "X", "--day-start", "6:00"},
       "qlr: The day start must be a time hh:mm from 00:00 to 23:59: \"6:00\""},
      {{"new", dir_.File("x"), "--name", "A/B"}, "qlr: The schedule name cannot hold \"/\""},
      {{"new", dir_.File("x"), "--name", "X", "--holidays",
        dir_.Write("bad.txt", ";\r\n31 Feb 2027\r\n")},
       "qlr: " + dir_.File("bad.txt") + " line 2: not a date: 31 Feb 2027"},
      {{"new", dir_.File("x"), "--name", "X", "--holidays",
        dir_.Write("old.txt", "1 Jan 2026\r\n")},
       "qlr: " + dir_.File("old.txt") + " holds no date after today; Quillrun would refuse it"},
  };
  for (const auto& [args, err] : refused) {
    EXPECT_EQ(Qlr(args), 1);
    EXPECT_EQ(err_.str(), err + "\n");
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.File("x")));
}

}  // namespace
}  // namespace qlr
