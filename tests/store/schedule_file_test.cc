#include "store/schedule_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "base/date_format.h"
#include "base/field.h"
#include "base/text.h"
#include "model/constants.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using testing::FakeClock;
using testing::ScriptedOperator;
using testing::TempDir;

// Functions, not constants: MakeDate must not run before the program has started.
DateTime RunDay() { return MakeDate(2026, 12, 4); }
DateTime DayStartAt() { return RunDay() + 6 * 3600; }

// A schedule line of 50 fields, the given columns holding the given texts.
std::string Line(const std::map<int, std::string>& columns, char delimiter = '\t') {
  std::string line;
  for (int col = 1; col <= 50; ++col) {
    if (col > 1) line += delimiter;
    if (auto it = columns.find(col); it != columns.end()) line += it->second;
  }
  return line;
}

// A job with every stored field set, texts holding quotes, commas and blanks.
Job FullJob() {
  Job j;
  j.JobName = "PAYROLL1";
  j.Group = "FINANCE";
  j.CommandLine = "run \"my file\" a,b &RUNDATE&";
  j.EarliestStart = "07:30";
  j.Frequency = "+1WDOM Mon";
  j.Exclusivity = "DBLOCK TAPE";
  j.SkipOn = "5 Dec 2026";
  j.RunAfter = {"EXTRACT", "LOAD"};
  j.DepConditions = "SF";
  j.DepAutoUnsched = " Y";
  j.DeferRollover = true;
  j.NormalMailTo = "ops@example.com";
  j.OverrideCode = "S";
  j.FailedFlag = true;
  j.StartedAt = MakeDateTime(2026, 12, 4, 7, 31, 2);
  j.EndedAt = MakeDateTime(2026, 12, 4, 8, 0, 0);
  j.ForcedEnd = true;
  j.Process = {1, -2, 3000, 4000};
  j.EarliestStartAt = RunDay() + 7 * 3600 + 30 * 60;
  j.IsDosProgram = true;
  j.NormalMsg = {"Done", "body \"q\"", "file.txt", "", "x"};
  j.WaitFile = "..OTHER";
  j.Reserved24 = "RES";
  j.Reserved25 = -5;
  j.LastDuration = 1234;
  j.NormalMsgFlags = {"", "10100", "00000", "", ""};
  j.NormalMailCc = "a@x, b@y";
  j.TriggerFile = kStandardTriggerMark;
  j.DeleteWaitFile = true;
  j.Description = "Pays, and \"pays\"";
  j.Reserved34 = 70000;
  j.AbnormalMailTo = "boss@example.com";
  j.AbnormalMailCc = "cc@example.com";
  j.SuppressEmptyMsg = true;
  j.AbnormalMsg = {"Failed", "", "", "", "log.txt"};
  j.CpuUsage = 25;
  j.Critical = true;
  j.DateVars = {"RUNDATE,RunDate,0,yyyymmdd", "YMD,RUND-1WD,0,yy-mm-dd", "", "", "", "", ""};
  j.SubmitOnly = true;
  j.DeferEojMsgMins = 15;
  j.AutoReschedule = 3;
  return j;
}

struct ScheduleFileTest : ::testing::Test {
  TempDir dir;
  Schedule schedule;
  FakeClock clock;
  ScriptedOperator op;
  RunLog log{schedule, clock, op};

  void SetUp() override {
    schedule.RunDate = RunDay();
    schedule.DayStart = 6 * 3600;
    schedule.DayStartAt = DayStartAt();
    schedule.ScheduleName = "NIGHT";
    schedule.ScheduleFile = dir.File("night.sch");
  }
  Job Parse(const std::string& line, char delimiter = '\t') {
    return ParseJobLine(schedule, line, delimiter);
  }
};

TEST_F(ScheduleFileTest, WritesEveryColumnInItsPlace) {
  std::vector<std::string> fields = Split(FormatJobLine(FullJob(), log), '\t');
  ASSERT_EQ(fields.size(), 50u);
  const std::map<int, std::string> expected = {
      {1, "PAYROLL1"},
      {2, "\"run \"\"my file\"\" a,b &RUNDATE&\""},
      {3, "07:30"},
      {4, "+1WDOM Mon"},
      {5, "DBLOCK TAPE"},
      {6, "5 Dec 2026"},
      {7, "\"EXTRACT,LOAD,\""},
      {8, "-1"},
      {9, "ops@example.com"},
      {10, "S"},
      {11, "-1"},
      {13, "04 Dec 2026 07:31:02"},
      {14, "04 Dec 2026 08:00:00"},
      {15, "-1"},
      {16, "1"},
      {17, "-2"},
      {18, "3000"},
      {19, "4000"},
      {20, "04 Dec 2026 07:30:00"},
      {21, "-1"},
      {22, "\"Done,body \"\"q\"\",file.txt,,x,\""},
      {23, "..OTHER"},
      {24, "RES"},
      {25, "-5"},
      {26, "1234"},
      {27, "\",10100,00000,,,\""},
      {28, "\",,,,,\""},
      {29, "\"a@x, b@y\""},
      {30, "FINANCE"},
      {31, "**Standard"},
      {32, "-1"},
      {33, "\"Pays, and \"\"pays\"\"\""},
      {34, "70000"},
      {35, "boss@example.com"},
      {36, "cc@example.com"},
      {38, "-1"},
      {39, "\"Failed,,,,log.txt,\""},
      {40, "25"},
      {41, "-1"},
      {42,
       "\"RUNDATE\xACRunDate\xAC"
       "0\xACyyyymmdd,YMD\xACRUND-1WD\xAC"
       "0\xACyy-mm-dd,,,,,,\""},
      {43, "-1"},
      {44, "15"},
      {45, "SF"},
      {46, " Y"},
      {47, "3"},
  };
  for (int col = 1; col <= 50; ++col) {
    auto it = expected.find(col);
    EXPECT_EQ(fields[static_cast<size_t>(col - 1)], it == expected.end() ? "" : it->second)
        << "column " << col;
  }
}

TEST_F(ScheduleFileTest, ReadsBackWhatItWrote) {
  const Job full = FullJob();
  const std::string line = FormatJobLine(full, log);
  const Job back = Parse(line);
  EXPECT_EQ(FormatJobLine(back, log), line);
  // The fields the quoting and escapes are there for, one by one.
  EXPECT_EQ(back.CommandLine, full.CommandLine);
  EXPECT_EQ(back.Description, full.Description);
  EXPECT_EQ(back.NormalMailCc, full.NormalMailCc);
  EXPECT_EQ(back.NormalMsg, full.NormalMsg);
  EXPECT_EQ(back.DateVars, full.DateVars);
  EXPECT_EQ(back.RunAfter, full.RunAfter);
  EXPECT_EQ(back.DepAutoUnsched, " Y");
  EXPECT_EQ(back.StartedAt, full.StartedAt);
  EXPECT_EQ(back.EarliestStartAt, full.EarliestStartAt);
  EXPECT_EQ(back.Process.thread_handle, -2);
  // A value that only begins or ends with blanks is written trimmed.
  Job blanks;
  blanks.CommandLine = "  ls -l  ";
  EXPECT_EQ(Parse(FormatJobLine(blanks, log)).CommandLine, "ls -l");
}

TEST_F(ScheduleFileTest, DateTimesAreWrittenAsTheGeneralFormatterWritesThem) {
  for (DateTime t :
       {DateTime{0}, MakeDateTime(2026, 2, 28, 23, 59, 59), MakeDateTime(100, 1, 1, 0, 0, 1),
        MakeDateTime(9999, 12, 31, 12, 0, 0), DateTime{-86400 * 400 + 5}}) {
    Job job;
    job.StartedAt = t;
    EXPECT_EQ(Split(FormatJobLine(job, log), '\t')[12], FormatDateTime(t, "dd mmm yyyy hh:nn:ss"));
    EXPECT_EQ(Parse(FormatJobLine(job, log)).StartedAt, t);
  }
}

TEST_F(ScheduleFileTest, ColumnReadRules) {
  struct Case {
    const char* name;
    std::map<int, std::string> columns;
    char delimiter;
    std::function<void(const Job&)> check;
  };
  const Case cases[] = {
      {"blank group",
       {{30, "  "}},
       '\t',
       [](const Job& j) { EXPECT_EQ(j.Group.Str(), "General"); }},
      {"long texts are cut",
       {{1, "ABCDEFGHIJ"}, {10, "US"}, {30, "FINANCIALS"}},
       '\t',
       [](const Job& j) {
         EXPECT_EQ(j.JobName.Str(), "ABCDEFGH");
         EXPECT_EQ(j.OverrideCode.Str(), "U");
         EXPECT_EQ(j.Group.Str(), "FINANCIA");
       }},
      {"duration 0", {{26, "0"}}, '\t', [](const Job& j) { EXPECT_EQ(j.LastDuration, 30); }},
      {"duration empty", {}, '\t', [](const Job& j) { EXPECT_EQ(j.LastDuration, 30); }},
      {"old condition codes",
       {{7, "\"A,B,C,\""}, {45, "S1F"}, {46, " Y"}},
       '\t',
       [](const Job& j) {
         EXPECT_EQ(j.RunAfter, (std::vector<std::string>{"A", "B", "C"}));
         EXPECT_EQ(j.DepConditions, "SUF");
         EXPECT_EQ(j.DepAutoUnsched, " Y ");
       }},
      {"auto-unschedule cut",
       {{7, "\"A,\""}, {45, "S"}, {46, "YY"}},
       '\t',
       [](const Job& j) { EXPECT_EQ(j.DepAutoUnsched, "Y"); }},
      {"list ends at the first empty entry",
       {{7, "\"A,B,,C,\""}},
       '\t',
       [](const Job& j) {
         EXPECT_EQ(j.RunAfter, (std::vector<std::string>{"A", "B"}));
       }},
      {"leading comma: no entries",
       {{7, "\",A,\""}},
       '\t',
       [](const Job& j) { EXPECT_TRUE(j.RunAfter.empty()); }},
      {"blanks separate names",
       {{7, "A B"}},
       '\t',
       [](const Job& j) {
         EXPECT_EQ(j.RunAfter, (std::vector<std::string>{"A", "B"}));
       }},
      {"old comma file",
       {{2, "copy a%b"}, {7, "\" A B,C, \""}},
       ',',
       [](const Job& j) {
         EXPECT_EQ(j.CommandLine, "copy a,b");
         EXPECT_EQ(j.RunAfter, (std::vector<std::string>{"A B", "C"}));
       }},
      {"byte 0xFF is a quote",
       {{2, "say \xFFhi\xFF"},
        {5,
         "\xFF"
         "a,b\xFF"}},
       '\t',
       [](const Job& j) {
         EXPECT_EQ(j.CommandLine, "say \"hi\"");
         EXPECT_EQ(j.Exclusivity, "a,b");
       }},
      {"escaped commas in date variables",
       {{42,
         "\"A\xAC"
         "B,,C,\""}},
       '\t',
       [](const Job& j) {
         EXPECT_EQ(j.DateVars[0], "A,B");
         EXPECT_EQ(j.DateVars[1], "");
         EXPECT_EQ(j.DateVars[2], "C");
       }},
      {"numbers clamp to their field",
       {{16, "99999999999"}, {25, "-40000"}, {40, "99999"}, {47, "300"}, {26, "-5e"}},
       '\t',
       [](const Job& j) {
         EXPECT_EQ(j.Process.process_handle, INT32_MAX);
         EXPECT_EQ(j.Reserved25, INT16_MIN);
         EXPECT_EQ(j.CpuUsage, INT16_MAX);
         EXPECT_EQ(j.AutoReschedule, 255);
         EXPECT_EQ(j.LastDuration, -5);
       }},
      {"numbers round halves to even",
       {{40, "2.5"}, {44, " 3.5"}, {34, "12abc"}},
       '\t',
       [](const Job& j) {
         EXPECT_EQ(j.CpuUsage, 2);
         EXPECT_EQ(j.DeferEojMsgMins, 4);
         EXPECT_EQ(j.Reserved34, 12);
       }},
      {"flags",
       {{8, "0.4"}, {11, "abc"}, {15, "2"}, {21, "0"}},
       '\t',
       [](const Job& j) {
         EXPECT_TRUE(j.DeferRollover);
         EXPECT_FALSE(j.FailedFlag);
         EXPECT_TRUE(j.ForcedEnd);
         EXPECT_FALSE(j.IsDosProgram);
       }},
      {"dates",
       {{13, "4/12/2026 07:00"}, {14, "garbage"}},
       '\t',
       [](const Job& j) {
         EXPECT_EQ(j.StartedAt, MakeDateTime(2026, 12, 4, 7, 0, 0));
         EXPECT_EQ(j.EndedAt, 0);
       }},
      {"earliest start empty",
       {},
       '\t',
       [](const Job& j) { EXPECT_EQ(j.EarliestStartAt, DayStartAt()); }},
      {"earliest start before the day start is the next day",
       {{20, "30 Dec 1899 05:00:59"}},
       '\t',
       [](const Job& j) { EXPECT_EQ(j.EarliestStartAt, RunDay() + 86400 + 5 * 3600); }},
      {"earliest start takes hour and minute only",
       {{20, "01 Jan 2020 07:15:42"}},
       '\t',
       [](const Job& j) { EXPECT_EQ(j.EarliestStartAt, RunDay() + 7 * 3600 + 15 * 60); }},
      {"earliest start as a time",
       {{20, "09:45"}},
       '\t',
       [](const Job& j) { EXPECT_EQ(j.EarliestStartAt, RunDay() + 9 * 3600 + 45 * 60); }},
      {"earliest start unreadable",
       {{20, "soon"}},
       '\t',
       [](const Job& j) { EXPECT_EQ(j.EarliestStartAt, DayStartAt()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.check(Parse(Line(c.columns, c.delimiter), c.delimiter));
  }
}

// The reader splits a line in one pass; every field must still be what
// GetField gives, whatever quotes come before it.
TEST_F(ScheduleFileTest, FieldsAreThoseOfGetField) {
  const std::vector<std::string> tricky = {
      "plain", "\"q,u\"\"o\"\"te\"", "\"\"", "\"a\"tail", "",
      " sp ",  "\"\"\"\"",           "a\"b", "x,y",       "\"unclosed"};
  const int text_columns[] = {2, 4, 5, 9, 23, 29, 35, 36};
  for (char delimiter : {'\t', ','}) {
    for (size_t shift = 0; shift < tricky.size(); ++shift) {
      std::map<int, std::string> columns;
      for (int col = 1; col <= 50; ++col) columns[col] = tricky[(col + shift) % tricky.size()];
      const std::string line = Line(columns, delimiter);
      const Job job = Parse(line, delimiter);
      const std::string* texts[] = {&job.CommandLine,    &job.Frequency,     &job.Exclusivity,
                                    &job.NormalMailTo,   &job.WaitFile,      &job.NormalMailCc,
                                    &job.AbnormalMailTo, &job.AbnormalMailCc};
      for (size_t k = 0; k < std::size(text_columns); ++k)
        EXPECT_EQ(*texts[k], GetField(line, text_columns[k], '"', delimiter))
            << "column " << text_columns[k] << " of " << line;
    }
  }
}

TEST_F(ScheduleFileTest, WriteThenReadAFile) {
  Job stock = NewPlaceholderJob();
  stock.JobName = "PLAIN";
  stock.DateVars = {};  // read back with the stock variables
  schedule.Jobs = {Job(), FullJob(), NewPlaceholderJob(), stock};
  ASSERT_TRUE(WriteSchedule(schedule, log));

  const std::string text = dir.Read("night.sch");
  EXPECT_EQ(text, FormatJobLine(FullJob(), log) + "\r\n" + FormatJobLine(NewPlaceholderJob(), log) +
                      "\r\n" + FormatJobLine(stock, log) + "\r\n");

  ReadSchedule(schedule, log);
  ASSERT_EQ(schedule.JobCount(), 3);
  EXPECT_EQ(FormatJobLine(schedule[1], log), FormatJobLine(FullJob(), log));
  EXPECT_EQ(schedule[3].DateVars[0], kStockDateVars[0]);
  EXPECT_EQ(schedule[3].DateVars[6], kStockDateVars[6]);
  EXPECT_EQ(schedule[1].DateVars[2], "");  // a job's own variables are kept, empty ones too
  for (int i = 1; i <= 3; ++i) EXPECT_FALSE(schedule[i].StatusText.empty()) << i;
  EXPECT_TRUE(op.told.empty());
  EXPECT_TRUE(op.asked.empty());
}

TEST_F(ScheduleFileTest, EachWriteKeepsThePreviousFileAsBackup) {
  schedule.Jobs = {Job(), NewPlaceholderJob()};
  ASSERT_TRUE(WriteSchedule(schedule, log));
  const std::string first = dir.Read("night.sch");
  schedule[1].JobName = "SECOND";
  ASSERT_TRUE(WriteSchedule(schedule, log));
  EXPECT_EQ(dir.Read("night.bak"), first);
  EXPECT_NE(dir.Read("night.sch"), first);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"night.bak", "night.sch"}));  // no work file left
}

TEST(BackupNameTest, CutsAtTheFirstDot) {
  EXPECT_EQ(BackupName("/x/data.old/night.sch"), "/x/data.bak");
  EXPECT_EQ(BackupName("/x/night.sch"), "/x/night.bak");
  EXPECT_EQ(BackupName("/x/night"), "/x/night.bak");
}

TEST_F(ScheduleFileTest, FirstLineDecidesTheDelimiter) {
  dir.Write("night.sch", "A\tcmd\r\nB,cmd2\n\r\nC\tx");
  ReadSchedule(schedule, log);
  ASSERT_EQ(schedule.JobCount(), 3);
  EXPECT_EQ(schedule[1].CommandLine, "cmd");
  EXPECT_EQ(schedule[2].JobName.Str(), "B,cmd2");
  EXPECT_EQ(schedule[3].JobName.Str(), "C");

  dir.Write("night.sch", "\r\nA,cmd%1\r\nB\tx\r\n");
  ReadSchedule(schedule, log);
  ASSERT_EQ(schedule.JobCount(), 2);
  EXPECT_EQ(schedule[1].CommandLine, "cmd,1");
  EXPECT_EQ(schedule[2].JobName.Str(), "B\tx");
}

// The reader takes the file in blocks of 1 MiB: lines may run across them,
// and a line end may be split between two of them.
TEST_F(ScheduleFileTest, LinesAcrossReadBlocks) {
  const size_t kBlock = 1 << 20;
  const std::string long_command(kBlock - 3, 'x');  // "\r" is the block's last byte
  dir.Write("night.sch", "A\t" + long_command + "\r\nB\tcmd\r\n");
  ReadSchedule(schedule, log);
  ASSERT_EQ(schedule.JobCount(), 2);
  EXPECT_EQ(schedule[1].CommandLine, long_command);
  EXPECT_EQ(schedule[2].CommandLine, "cmd");

  schedule.Jobs.resize(1);
  for (int i = 1; i <= 3000; ++i) {
    Job job = FullJob();
    job.JobName = "J" + std::to_string(i);
    job.CommandLine = std::string(static_cast<size_t>(i % 700), 'c');
    schedule.Jobs.push_back(job);
  }
  ASSERT_TRUE(WriteSchedule(schedule, log));
  ASSERT_GT(std::filesystem::file_size(schedule.ScheduleFile), 2 * kBlock);
  const std::vector<Job> written = schedule.Jobs;
  ReadSchedule(schedule, log);
  ASSERT_EQ(schedule.JobCount(), 3000);
  for (int i = 1; i <= 3000; ++i)
    ASSERT_EQ(FormatJobLine(schedule[i], log), FormatJobLine(written[static_cast<size_t>(i)], log))
        << i;
}

TEST_F(ScheduleFileTest, MissingFileAnsweredNoIsFatal) {
  EXPECT_THROW(ReadSchedule(schedule, log), ProgramEnd);
  ASSERT_EQ(op.asked.size(), 1u);
  EXPECT_EQ(op.asked[0], "Schedule file \"" + schedule.ScheduleFile +
                             "\" does not exist.  Do you wish to create it?");
  ASSERT_FALSE(op.told.empty());
  EXPECT_EQ(op.told[0], "Quillrun terminated due to no schedule found");
  EXPECT_FALSE(std::filesystem::exists(schedule.ScheduleFile));
}

TEST_F(ScheduleFileTest, MissingFileAnsweredYesIsCreated) {
  op.AnswerNext(Answer::Yes);
  ReadSchedule(schedule, log);
  ASSERT_EQ(schedule.JobCount(), 1);
  EXPECT_EQ(schedule[1].JobName.Str(), "Dummy");
  EXPECT_EQ(schedule[1].Group.Str(), "Dummy");
  EXPECT_EQ(schedule[1].Frequency, "WorkDays");
  EXPECT_EQ(schedule[1].DateVars[0], kStockDateVars[0]);
  EXPECT_EQ(dir.Read("night.sch"), FormatJobLine(NewPlaceholderJob(), log) + "\r\n");
}

TEST_F(ScheduleFileTest, MoreThanTheLargestTableIsFatal) {
  std::string text;
  for (int i = 0; i <= kMaxJobs; ++i) text += "J\r\n";
  dir.Write("night.sch", text);
  EXPECT_THROW(ReadSchedule(schedule, log), ProgramEnd);
  ASSERT_FALSE(op.told.empty());
  EXPECT_EQ(op.told[0],
            "Schedule file \"" + schedule.ScheduleFile + "\" holds more than 32767 jobs");
}

TEST_F(ScheduleFileTest, EmptyDependencyIsFatalBeforeAnythingIsWritten) {
  dir.Write("night.sch", "OLD\r\n");
  Job job = NewPlaceholderJob();
  job.JobName = "JOB1";
  job.RunAfter = {"A", " "};
  job.DepConditions = "SS";
  job.DepAutoUnsched = "  ";
  schedule.Jobs = {Job(), job};
  EXPECT_THROW(WriteSchedule(schedule, log), ProgramEnd);
  ASSERT_FALSE(op.told.empty());
  EXPECT_EQ(op.told[0], "Empty RunAfter entry for job JOB1    .  Critical error.");
  EXPECT_EQ(dir.Read("night.sch"), "OLD\r\n");
}

TEST_F(ScheduleFileTest, BackupFileIsNeverWritten) {
  schedule.ScheduleFile = dir.Write("night.BAK", "OLD\r\n");
  schedule.Jobs = {Job(), NewPlaceholderJob()};
  EXPECT_FALSE(WriteSchedule(schedule, log));
  EXPECT_EQ(op.told, (std::vector<std::string>{"Quillrun cannot save to \".BAK\" file"}));
  EXPECT_EQ(dir.Read("night.BAK"), "OLD\r\n");
}

TEST_F(ScheduleFileTest, SaveFailureAsksRetryThenCancelIsFatal) {
  schedule.ScheduleFile = dir.File("missing/night.sch");
  schedule.Jobs = {Job(), NewPlaceholderJob()};
  op.AnswerNext(Answer::Retry);
  op.AnswerNext(Answer::Cancel);
  EXPECT_THROW(WriteSchedule(schedule, log), ProgramEnd);
  EXPECT_EQ(op.asked,
            (std::vector<std::string>(2, "Cannot rename or save schedule.  Retry or Cancel?")));
  ASSERT_FALSE(op.told.empty());
  EXPECT_EQ(op.told[0], "Quillrun cancelled due to save error.");
}

TEST_F(ScheduleFileTest, WritingAlsoRewritesTheTriggersList) {
  schedule.TriggerPath = dir.path();
  schedule.TriggersListFile = dir.File("Triggers.Lst");
  Job job = NewPlaceholderJob();
  job.TriggerFile = kStandardTriggerMark;
  schedule.Jobs = {Job(), job};
  ASSERT_TRUE(WriteSchedule(schedule, log));
  EXPECT_EQ(dir.Read("Triggers.Lst"), "Dummy (NIGHT)\r\n");
}

}  // namespace
}  // namespace qlr
