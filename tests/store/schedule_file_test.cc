#include "store/schedule_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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
  // clang-format off
  const char* expected[50] = {
      "PAYROLL1", "\"run \"\"my file\"\" a,b &RUNDATE&\"", "07:30", "+1WDOM Mon", "DBLOCK TAPE",
      "5 Dec 2026", "\"EXTRACT,LOAD,\"", "-1", "ops@example.com", "S",                      // 6-10
      "-1", "", "04 Dec 2026 07:31:02", "04 Dec 2026 08:00:00", "-1",                       // 11-15
      "1", "-2", "3000", "4000", "04 Dec 2026 07:30:00",                                    // 16-20
      "-1", "\"Done,body \"\"q\"\",file.txt,,x,\"", "..OTHER", "RES", "-5",                 // 21-25
      "1234", "\",10100,00000,,,\"", "\",,,,,\"", "\"a@x, b@y\"", "FINANCE",                // 26-30
      "**Standard", "-1", "\"Pays, and \"\"pays\"\"\"", "70000", "boss@example.com",        // 31-35
      "cc@example.com", "", "-1", "\"Failed,,,,log.txt,\"", "25",                           // 36-40
      "-1", "\"RUNDATE\xACRunDate\xAC" "0\xACyyyymmdd,YMD\xACRUND-1WD\xAC" "0\xACyy-mm-dd,,,,,,\"",
      "-1", "15", "SF", " Y", "3", "", "", ""};                                             // 43-50
  // clang-format on
  std::vector<std::string> fields = Split(FormatJobLine(FullJob(), log), '\t');
  ASSERT_EQ(fields.size(), 50u);
  for (size_t i = 0; i < 50; ++i) EXPECT_EQ(fields[i], expected[i]) << "column " << i + 1;
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

// Each case: columns of a line as read, and what the job read from them
// writes in those columns.
TEST_F(ScheduleFileTest, ColumnReadRules) {
  using Columns = std::map<int, std::string>;
  struct Case {
    const char* name;
    Columns read;
    char delimiter;
    Columns written;
  };
  // clang-format off
  const Case cases[] = {
      {"blank group", {{30, "  "}}, '\t', {{30, "General"}}},
      {"texts cut", {{1, "ABCDEFGHIJ"}, {10, "US"}, {30, "FINANCIALS"}}, '\t',
       {{1, "ABCDEFGH"}, {10, "U"}, {30, "FINANCIA"}}},
      {"duration 0", {{26, "0"}}, '\t', {{26, "30"}}},
      {"duration empty", {}, '\t', {{26, "30"}}},
      {"old condition code 1", {{7, "\"A,B,C,\""}, {45, "S1F"}, {46, "Y"}}, '\t',
       {{7, "\"A,B,C,\""}, {45, "SUF"}, {46, "Y"}}},
      {"auto-unschedule cut", {{7, "A"}, {45, "S"}, {46, "YY"}}, '\t', {{46, "Y"}}},
      {"list ends at an empty entry", {{7, "\"A,B,,C,\""}}, '\t', {{7, "\"A,B,\""}}},
      {"leading comma: no entries", {{7, "\",A,\""}}, '\t', {{7, ""}}},
      {"blanks separate names", {{7, "A B"}}, '\t', {{7, "\"A,B,\""}}},
      {"old comma file", {{2, "copy a%b"}, {7, "\" A B,C, \""}}, ',',
       {{2, "\"copy a,b\""}, {7, "\"A B,C,\""}}},
      {"byte 0xFF is a quote", {{2, "say \xFFhi\xFF"}, {5, "\xFF" "a,b\xFF"}}, '\t',
       {{2, "\"say \"\"hi\"\"\""}, {5, "\"a,b\""}}},
      {"escaped commas", {{42, "\"A\xAC" "B,,C,\""}}, '\t', {{42, "\"A\xAC" "B,,C,,,,,\""}}},
      {"numbers clamp", {{16, "99999999999"}, {25, "-40000"}, {40, "99999"}, {47, "300"}}, '\t',
       {{16, "2147483647"}, {25, "-32768"}, {40, "32767"}, {47, "255"}}},
      {"leading numbers, halves to even", {{40, "2.5"}, {44, " 3.5"}, {34, "12abc"}, {26, "-5e"}},
       '\t', {{40, "2"}, {44, "4"}, {34, "12"}, {26, "-5"}}},
      {"flags", {{8, "0.4"}, {11, "abc"}, {15, "2"}}, '\t', {{8, "-1"}, {11, "0"}, {15, "-1"}}},
      {"dates", {{13, "4/12/2026 07:00"}, {14, "garbage"}}, '\t',
       {{13, "04 Dec 2026 07:00:00"}, {14, "30 Dec 1899 00:00:00"}}},
      {"earliest start empty", {}, '\t', {{20, "04 Dec 2026 06:00:00"}}},
      {"earliest start before the day start", {{20, "30 Dec 1899 05:00:59"}}, '\t',
       {{20, "05 Dec 2026 05:00:00"}}},
      {"earliest start hour and minute", {{20, "01 Jan 2020 07:15:42"}}, '\t',
       {{20, "04 Dec 2026 07:15:00"}}},
      {"earliest start as a time", {{20, "09:45"}}, '\t', {{20, "04 Dec 2026 09:45:00"}}},
      {"earliest start unreadable", {{20, "soon"}}, '\t', {{20, "04 Dec 2026 06:00:00"}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::vector<std::string> fields =
        Split(FormatJobLine(Parse(Line(c.read, c.delimiter), c.delimiter), log), '\t');
    for (const auto& [col, text] : c.written)
      EXPECT_EQ(fields[static_cast<size_t>(col - 1)], text) << c.name << ", column " << col;
  }
  // Auto-unschedule codes are padded to one per condition.
  EXPECT_EQ(Parse(Line({{7, "\"A,B,C,\""}, {45, "SSS"}, {46, " Y"}})).DepAutoUnsched, " Y ");
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
