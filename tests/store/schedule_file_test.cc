#include "store/schedule_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "base/field.h"
#include "base/text.h"
#include "model/constants.h"
#include "support/fake_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Columns = std::map<int, std::string>;

// A schedule line of 50 fields, the given columns holding the given texts.
std::string Line(const Columns& columns, char delimiter = '\t') {
  std::string line;
  for (int col = 1; col <= 50; ++col) {
    if (col > 1) line += delimiter;
    if (auto it = columns.find(col); it != columns.end()) line += it->second;
  }
  return line;
}

// Column 42 text with "|" standing for the escaped comma "\xAC".
std::string Escaped(std::string text) {
  std::replace(text.begin(), text.end(), '|', '\xAC');
  return text;
}

// A job with every stored field set, texts holding quotes, commas and blanks.
Job FullJob() {
  Job j;
  // clang-format off
  j.JobName = "PAYROLL1"; j.Group = "FINANCE"; j.CommandLine = "run \"my file\" a,b &RUNDATE&";
  j.EarliestStart = "07:30"; j.Frequency = "+1WDOM Mon"; j.Exclusivity = "DBLOCK TAPE";
  j.SkipOn = "5 Dec 2026"; j.RunAfter = {"EXTRACT", "LOAD"}; j.DepConditions = "SF";
  j.DepAutoUnsched = " Y"; j.DeferRollover = true; j.NormalMailTo = "ops@example.com";
  j.OverrideCode = "S"; j.FailedFlag = true; j.StartedAt = MakeDateTime(100, 1, 1, 0, 0, 1);
  j.EndedAt = MakeDateTime(9999, 12, 31, 12, 0, 0); j.Process = {1, -2, 3000, 4000};
  j.EarliestStartAt = MakeDateTime(2026, 12, 4, 7, 30, 0); j.IsDosProgram = true;
  j.NormalMsg = {"Done", "body \"q\"", "file.txt", "", "x"}; j.WaitFile = "..OTHER";
  j.Reserved24 = "RES"; j.Reserved25 = -5; j.LastDuration = 1234; j.NormalMailCc = "a@x, b@y";
  j.NormalMsgFlags = {"", "10100", "00000", "", ""}; j.TriggerFile = kStandardTriggerMark;
  j.DeleteWaitFile = true; j.Description = "Pays, and \"pays\""; j.Reserved34 = 70000;
  j.AbnormalMailTo = "boss@example.com"; j.AbnormalMailCc = "cc@example.com"; j.ForcedEnd = true;
  j.SuppressEmptyMsg = true; j.AbnormalMsg = {"Failed", "", "", "", "log.txt"}; j.CpuUsage = 25;
  j.Critical = true; j.SubmitOnly = true; j.DeferEojMsgMins = 15; j.AutoReschedule = 3;
  j.DateVars = {"RUNDATE,RunDate,0,yyyymmdd", "YMD,RUND-1WD,0,yy-mm-dd", "", "", "", "", ""};
  // clang-format on
  return j;
}

struct ScheduleFileTest : ::testing::Test {
  testing::TempDir dir;
  testing::FakeClock clock;
  testing::ScriptedOperator op;
  Schedule schedule;
  RunLog log{schedule, clock, op};

  void SetUp() override {
    schedule.RunDate = MakeDate(2026, 12, 4);
    schedule.DayStart = 6 * 3600;
    schedule.DayStartAt = schedule.RunDate + schedule.DayStart;
    schedule.ScheduleName = "NIGHT";
    schedule.ScheduleFile = dir.File("night.sch");
  }
  std::string Told() { return op.told.empty() ? "" : op.told[0]; }  // the first told, or ""
};

TEST_F(ScheduleFileTest, WritesEveryColumnInItsPlace) {
  // clang-format off
  const char* expected[50] = {
      "PAYROLL1", "\"run \"\"my file\"\" a,b &RUNDATE&\"", "07:30", "+1WDOM Mon", "DBLOCK TAPE",
      "5 Dec 2026", "\"EXTRACT,LOAD,\"", "-1", "ops@example.com", "S",                      // 6-10
      "-1", "", "01 Jan 0100 00:00:01", "31 Dec 9999 12:00:00", "-1",                       // 11-15
      "1", "-2", "3000", "4000", "04 Dec 2026 07:30:00",                                    // 16-20
      "-1", "\"Done,body \"\"q\"\",file.txt,,x,\"", "..OTHER", "RES", "-5",                 // 21-25
      "1234", "\",10100,00000,,,\"", "\",,,,,\"", "\"a@x, b@y\"", "FINANCE",                // 26-30
      "**Standard", "-1", "\"Pays, and \"\"pays\"\"\"", "70000", "boss@example.com",        // 31-35
      "cc@example.com", "", "-1", "\"Failed,,,,log.txt,\"", "25",                           // 36-40
      "-1", "\"RUNDATE\xACRunDate\xAC" "0\xACyyyymmdd,YMD\xACRUND-1WD\xAC" "0\xACyy-mm-dd,,,,,,\"",
      "-1", "15", "SF", " Y", "3", "", "", ""};                                             // 43-50
  // clang-format on
  EXPECT_EQ(Split(FormatJobLine(FullJob(), log), '\t'),
            std::vector<std::string>(expected, expected + 50));
}

// Each case: columns of a line as read, and what the job read from them writes there.
TEST_F(ScheduleFileTest, ColumnReadRules) {
  // clang-format off
  struct Case { const char* name; Columns read, written; char delimiter = '\t'; };
  const Case cases[] = {
      {"blank group", {{30, "  "}}, {{30, "General"}}},
      {"group blank in its 8 characters", {{30, "         X"}}, {{30, "General"}}},  // found by fuzzing
      {"texts cut", {{1, "ABCDEFGHIJ"}, {10, "US"}, {30, "FINANCIALS"}},
       {{1, "ABCDEFGH"}, {10, "U"}, {30, "FINANCIA"}}},
      {"duration 0, blanks around", {{26, "0"}, {2, "  ls -l  "}}, {{26, "30"}, {2, "ls -l"}}},
      {"old condition code 1", {{7, "\"A,B,C,\""}, {45, "S1F"}, {46, "Y"}},
       {{7, "\"A,B,C,\""}, {45, "SUF"}, {46, "Y"}}},
      {"auto-unschedule cut", {{7, "A"}, {45, "S"}, {46, "YY"}}, {{46, "Y"}}},
      {"letters keep their places", {{7, "A B C"}, {45, " SF "}, {46, "  YYY"}},  // found by fuzzing
       {{45, " SF"}, {46, "  Y"}}},  // a trailing blank is no letter
      {"list ends at an empty entry", {{7, "\"A,B,,C,\""}}, {{7, "\"A,B,\""}}},
      {"leading comma: no entries", {{7, "\",A,\""}}, {{7, ""}}},
      {"blanks separate names", {{7, "A B"}}, {{7, "\"A,B,\""}}},
      {"old comma file", {{2, "copy a%b"}, {7, "\" A B,C, \""}},
       {{2, "\"copy a,b\""}, {7, "\"A B,C,\""}}, ','},
      {"a blank entry ends the list", {{7, "\"A, ,B,\""}}, {{7, "\"A,\""}}, ','},  // found by fuzzing
      {"byte 0xFF is a quote", {{2, "say \xFFhi\xFF"}, {5, "\xFF" "a,b\xFF"}},
       {{2, "\"say \"\"hi\"\"\""}, {5, "\"a,b\""}}},
      {"escaped commas", {{42, "\"A\xAC" "B,,C,\""}}, {{42, "\"A\xAC" "B,,C,,,,,\""}}},
      {"numbers clamp", {{16, "99999999999"}, {25, "-40000"}, {40, "99999"}, {47, "300"}},
       {{16, "2147483647"}, {25, "-32768"}, {40, "32767"}, {47, "255"}}},
      {"leading numbers, halves to even", {{40, "2.5"}, {44, " 3.5"}, {34, "12abc"}, {26, "-5e"}},
       {{40, "2"}, {44, "4"}, {34, "12"}, {26, "-5"}}},
      {"flags", {{8, "0.4"}, {11, "abc"}, {15, "2"}, {21, "0.6"}},
       {{8, "0"}, {11, "0"}, {15, "-1"}, {21, "-1"}}},
      {"dates", {{13, "4/12/2026 07:00"}, {14, "garbage"}},
       {{13, "04 Dec 2026 07:00:00"}, {14, "30 Dec 1899 00:00:00"}}},
      {"earliest start and duration empty", {}, {{20, "04 Dec 2026 06:00:00"}, {26, "30"}}},
      {"start before day start", {{20, "30 Dec 1899 05:00:59"}}, {{20, "05 Dec 2026 05:00:00"}}},
      {"earliest start as a time", {{20, "09:45"}}, {{20, "04 Dec 2026 09:45:00"}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    const auto fields = Split(
        FormatJobLine(ParseJobLine(schedule, Line(c.read, c.delimiter), c.delimiter), log), '\t');
    for (const auto& [col, text] : c.written)
      EXPECT_EQ(fields[static_cast<size_t>(col - 1)], text) << c.name << ", column " << col;
  }
  const Job padded = ParseJobLine(schedule, Line({{7, "A B C"}, {45, "SSS"}, {46, " Y"}}), '\t');
  EXPECT_EQ(padded.DepAutoUnsched, " Y ");  // auto-unschedule codes: one per condition
}

// List entries that begin with a quote or hold a comma are written in quotes,
// so that they read back whole (found by fuzzing: they lost text or split).
TEST_F(ScheduleFileTest, ListEntriesReadBackAsWritten) {
  Job job = FullJob();
  job.NormalMsg = {"\"Urgent\" payroll done", "Hello, world", "\"", "", "say \"hi\""};
  job.AbnormalMsg = {"\"\"\"", ",", "a,\"b", "", ""};
  job.AbnormalMsgFlags = {" \"1", "", "", "", ""};  // found by fuzzing: the column is trimmed
  job.RunAfter = {"\"X", "A,B", "C"};
  job.DepConditions = "SSS";
  job.DepAutoUnsched = "   ";
  job.DateVars = {"\"Q\",\"RUND+1CD\",0,\"dd\"", "R,RunDate,0,yyyy", "", "", "", "", ""};
  const std::string line = FormatJobLine(job, log);
  const Job read = ParseJobLine(schedule, line, '\t');
  EXPECT_EQ(read.NormalMsg, job.NormalMsg);
  EXPECT_EQ(read.AbnormalMsg, job.AbnormalMsg);
  EXPECT_EQ(read.AbnormalMsgFlags, job.AbnormalMsgFlags);
  EXPECT_EQ(read.RunAfter, job.RunAfter);
  EXPECT_EQ(read.DateVars, job.DateVars);
  EXPECT_EQ(FormatJobLine(read, log), line);
  EXPECT_EQ(Split(FormatJobLine(FullJob(), log), '\t')[21], "\"Done,body \"\"q\"\",file.txt,,x,\"");
}

// The reader splits a line in one pass; every field must still be what
// GetField gives, whatever quotes come before it.
TEST_F(ScheduleFileTest, FieldsAreThoseOfGetField) {
  const std::vector<std::string> tricky = {
      "plain", "\"q,u\"\"o\"\"te\"", "\"\"", "\"a\"tail", "",
      " sp ",  "\"\"\"\"",           "a\"b", "x,y",       "\"unclosed"};
  const int text_columns[] = {2, 4, 5, 9, 23, 29, 35, 36};
  for (char delimiter : {'\t', ','})
    for (size_t shift = 0; shift < tricky.size(); ++shift) {
      Columns columns;
      for (int col = 1; col <= 50; ++col) columns[col] = tricky[(col + shift) % tricky.size()];
      const std::string line = Line(columns, delimiter);
      const Job job = ParseJobLine(schedule, line, delimiter);
      const std::string* texts[] = {&job.CommandLine,    &job.Frequency,     &job.Exclusivity,
                                    &job.NormalMailTo,   &job.WaitFile,      &job.NormalMailCc,
                                    &job.AbnormalMailTo, &job.AbnormalMailCc};
      for (size_t k = 0; k < std::size(text_columns); ++k)
        EXPECT_EQ(*texts[k], GetField(line, text_columns[k], '"', delimiter))
            << "column " << text_columns[k] << " of " << line;
    }
}

// Writing keeps the previous file as the backup, leaves no work file and
// rewrites the triggers list; reading gives back what was written.
TEST_F(ScheduleFileTest, WriteThenReadAFile) {
  schedule.TriggerPath = dir.path();
  schedule.TriggersListFile = dir.File("Triggers.Lst");
  Job stock = NewPlaceholderJob();
  stock.JobName = "PLAIN";
  stock.DateVars = {};  // read back with the stock variables
  schedule.Jobs = {Job(), FullJob(), NewPlaceholderJob(), stock};
  dir.Write("night.sch", "OLD\r\n");
  dir.Write("night.bak.new~", "LEFT BY A STOP\r\n");
  ASSERT_TRUE(WriteSchedule(schedule, log, op));
  EXPECT_EQ(dir.Read("night.bak"), "OLD\r\n");
  EXPECT_EQ(dir.Read("Triggers.Lst"), "PAYROLL1 (NIGHT)\r\n");
  const std::filesystem::directory_iterator files(dir.path()), end;
  EXPECT_EQ(std::distance(files, end), 3);  // no work file left
  const std::string full = FormatJobLine(FullJob(), log);
  EXPECT_EQ(dir.Read("night.sch"), full + "\r\n" + FormatJobLine(NewPlaceholderJob(), log) +
                                       "\r\n" + FormatJobLine(stock, log) + "\r\n");
  ReadSchedule(schedule, log, op);
  ASSERT_EQ(schedule.JobCount(), 3);
  EXPECT_EQ(FormatJobLine(schedule[1], log), full);
  EXPECT_EQ(schedule[1].DateVars[2], "");  // a job's own variables are kept, empty ones too
  EXPECT_EQ(schedule[3].DateVars[6], kStockDateVars[6]);
  for (int i = 1; i <= 3; ++i) EXPECT_FALSE(schedule[i].StatusText.empty()) << i;
  EXPECT_TRUE(op.told.empty() && op.asked.empty());
}

// Cut at the first dot of the file name, so that folders with dots in their
// names keep one backup per schedule.
TEST(BackupNameTest, CutsTheFileNameAtItsFirstDot) {
  const std::pair<const char*, const char*> cases[] = {
      {"/x/data.old/night.sch", "/x/data.old/night.bak"},
      {"/h/.q/night.sch", "/h/.q/night.bak"},
      {"/h/.q/day.sch", "/h/.q/day.bak"},
      {"/x/night", "/x/night.bak"},
      {"night.tar.sch", "night.bak"},
      {"/x/.night.sch", "/x/.night.bak"},
      {"rel.d/night", "rel.d/night.bak"},
  };
  for (const auto& [path, backup] : cases) EXPECT_EQ(BackupName(path), backup) << path;
}

// The first line decides the delimiter. The reader takes the file in blocks of
// 1 MiB: lines may run across them, and a line end may be split between two.
TEST_F(ScheduleFileTest, ReadsLines) {
  const std::string long_command((1 << 20) - 3, 'x');  // "\r" is the block's last byte
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"A\t" + long_command + "\r\nB,cmd2\n\r\nC\tx", {"A|" + long_command, "B,cmd2|", "C|x"}},
      {"\r\nA,cmd%1\r\nB\tx\r\n", {"A|cmd,1", "B\tx|"}},
  };
  for (const auto& [text, jobs] : cases) {
    dir.Write("night.sch", text);
    ReadSchedule(schedule, log, op);
    std::vector<std::string> read;
    for (int i = 1; i <= schedule.JobCount(); ++i)
      read.push_back(schedule[i].JobName.Str() + "|" + schedule[i].CommandLine);
    EXPECT_EQ(read, jobs);
  }
}

// Lines that do not read cleanly are read as before, and each fault is noted
// with its line, column and what was found. Each case is one file.
TEST_F(ScheduleFileTest, NotesWhatDoesNotReadCleanly) {
  const std::string good =
      Line({{1, "A"}, {7, "\"B,C,\""}, {45, "SF"}, {42, Escaped("\"X|+1CDOM|-12|dd,\"")}});
  // clang-format off
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {FormatJobLine(FullJob(), log) + "\r\n" + good + "\r\n", {}},
      {Line({{1, "C"}, {2, "copy a%b"}}, ',') + "\r\n" + Line({{1, "D"}}, ','), {}},  // old comma form
      {Line({{1, "E"}, {7, "\" A B,C,\""}, {45, "SS"}}, ','),  // found by fuzzing
       {"line 1, column 7 (RunAfter): the name \"A B\" holds a blank: written back, it becomes "
        "more names"}},
      {Line({{1, "A"}}) + "\r\n\r\nB\tcmd\r\n" + Line({{1, "C"}}) + "\tx\tyz\r\n",
       {"line 3: 2 fields where 50 are expected", "line 4: 52 fields where 50 are expected"}},
      {Line({{1, "A"}, {2, "\"run \"\"x\"\"\tDaily"}}),
       {"line 1: 2 fields where 50 are expected",
        "line 1, column 2 (CommandLine): the quote opening the field is never closed: the rest "
        "of the line is read into it"}},
      {Line({{1, "\"A\"B"}, {2, "say \x01hi\x7F"}}),
       {"line 1, column 1 (JobName): text after the closing quote is ignored: \"B\"",
        "line 1, column 2 (CommandLine): byte 0x01 is not text"}},
      {Line({{1, ""}, {3, "25:99"}, {6, "31 Feb 2026"}, {10, "X"}, {12, "stray"}}),
       {"line 1, column 1 (JobName): the job name is empty",
        "line 1, column 3 (EarliestStart): \"25:99\" is not a time of day (hh:mm)",
        "line 1, column 6 (SkipOn): \"31 Feb 2026\" is neither a date nor \"Always\"",
        "line 1, column 10 (OverrideCode): \"X\" is not S or U",
        "line 1, column 12 (unused): the column is not used, but holds \"stray\""}},
      {Line({{1, "PAYROLL01"}, {8, "yes"}, {13, "garbage"}, {20, "noon"}, {40, "abc"}, {44, "40000"}}),
       {"line 1, column 1 (JobName): \"PAYROLL01\" is longer than 8 characters, read as \"PAYROLL0\"",
        "line 1, column 8 (DeferRollover): \"yes\" is not a number (a flag is -1 or 0)",
        "line 1, column 13 (StartedAt): \"garbage\" is not a date",
        "line 1, column 20 (EarliestStartAt): \"noon\" is not a date or a time",
        "line 1, column 40 (CpuUsage): \"abc\" is not a number",
        "line 1, column 44 (DeferEojMsgMins): \"40000\" is out of range, read as 32767"}},
      {Line({{1, "A"}, {7, "\"B,,C,\""}, {45, "S"}}) + "\r\n" +
           Line({{1, "D"}, {7, "\"B,C,E,\""}, {45, "S"}}) + "\r\n" +
           Line({{1, "E"}, {7, "B"}, {45, "XS"}}),
       {"line 1, column 7 (RunAfter): entries after an empty one are ignored: \"C,\"",
        "line 2, column 45 (DepConditions): no condition letter for C, E: the job waits for them "
        "only while they run or have not started",
        "line 3, column 45 (DepConditions): 2 condition letters for 1 dependencies: the extra "
        "letters are ignored",
        "line 3, column 45 (DepConditions): condition letter \"X\" of B is not S, F or U"}},
      {Line({{1, "A"}, {42, Escaped("\"K|RunDate|0|dd,,M|+1CDOM|\"\"2147483647\"\"|dd,N|+1CDOM|1201|dd,\"")}}) +
           "\r\n" + Line({{1, "B"}, {42, Escaped("\",K|RunDate|0|dd,\"")}}) +
           "\r\n" + Line({{1, "C"}, {42, Escaped("\" ,K|RunDate|0|dd,\"")}}),  // found by fuzzing
       {"line 1, column 42 (DateVars): date variable 3 (M): Rel Month \"2147483647\" is not a "
        "number of months from -1200 to 1200",
        "line 1, column 42 (DateVars): date variable 4 (N): Rel Month \"1201\" is not a number "
        "of months from -1200 to 1200",
        "line 2, column 42 (DateVars): the first date variable is empty, so the stock variables "
        "replace the job's own",
        "line 3, column 42 (DateVars): the first date variable is empty, so the stock variables "
        "replace the job's own"}},
  };
  // clang-format on
  for (const auto& [text, expected] : cases) {
    dir.Write("night.sch", text);
    ReadSchedule(schedule, log, op);
    std::vector<std::string> found;
    for (const ScheduleDiagnostic& d : schedule.ReadDiagnostics) {
      EXPECT_EQ(d.file, schedule.ScheduleFile);
      found.push_back(DiagnosticTextInFile(d));
    }
    EXPECT_EQ(found, expected) << text;
  }
  // What was noted was still read as before.
  EXPECT_EQ(schedule[1].DateVars[2], "M,+1CDOM,\"2147483647\",dd");
  EXPECT_EQ(schedule[2].DateVars[1], kStockDateVars[1]);
  EXPECT_EQ(schedule[3].DateVars[1], kStockDateVars[1]);  // a blank first one is empty too
}

TEST_F(ScheduleFileTest, FatalStops) {
  const std::string file = schedule.ScheduleFile;
  schedule.ScheduleFile = dir.path();
  EXPECT_THROW(ReadSchedule(schedule, log, op), ProgramEnd);
  EXPECT_EQ(Told(), "Schedule file \"" + dir.path() + "\" is a folder, not a file");
  EXPECT_TRUE(op.asked.empty());
  op.told.clear();
  schedule.ScheduleFile = file;
  EXPECT_THROW(ReadSchedule(schedule, log, op), ProgramEnd);
  EXPECT_EQ(op.asked, std::vector<std::string>{"Schedule file \"" + schedule.ScheduleFile +
                                               "\" does not exist.  Do you wish to create it?"});
  EXPECT_EQ(Told(), "Quillrun terminated due to no schedule found");
  EXPECT_FALSE(std::filesystem::exists(schedule.ScheduleFile));
  op.AnswerNext(Answer::Yes);
  ReadSchedule(schedule, log, op);
  ASSERT_EQ(schedule.JobCount(), 1);
  EXPECT_EQ(schedule[1].JobName.Str() + schedule[1].Group.Str() + schedule[1].Frequency,
            "DummyDummyWorkDays");
  EXPECT_EQ(schedule[1].DateVars[0], kStockDateVars[0]);
  EXPECT_EQ(dir.Read("night.sch"), FormatJobLine(NewPlaceholderJob(), log) + "\r\n");
  op.told.clear();
  std::string text;  // more than the largest table
  for (int i = 0; i <= kMaxJobs; ++i) text += "J\r\n";
  dir.Write("night.sch", text);
  EXPECT_THROW(ReadSchedule(schedule, log, op), ProgramEnd);
  EXPECT_EQ(Told(), "Schedule file \"" + schedule.ScheduleFile + "\" holds more than 32767 jobs");
  op.told.clear();  // failed writes leave the file as it was
  dir.Write("night.sch", "OLD\r\n");
  schedule.Jobs = {Job(), FullJob()};
  schedule[1].JobName = "JOB1";
  schedule[1].RunAfter = {"A", " "};
  EXPECT_THROW(WriteSchedule(schedule, log, op), ProgramEnd);
  EXPECT_EQ(Told(), "Empty RunAfter entry for job JOB1    .  Critical error.");
  EXPECT_EQ(dir.Read("night.sch"), "OLD\r\n");
  op.told.clear();
  schedule.Jobs = {Job(), NewPlaceholderJob()};
  schedule.ScheduleFile = dir.Write("night.BAK", "OLD\r\n");
  EXPECT_FALSE(WriteSchedule(schedule, log, op));
  EXPECT_EQ(op.told, (std::vector<std::string>{"Quillrun cannot save to \".BAK\" file"}));
  EXPECT_EQ(dir.Read("night.BAK"), "OLD\r\n");
  op.asked.clear();
  schedule.ScheduleFile = dir.File("missing/night.sch");
  for (Answer a : {Answer::Retry, Answer::Cancel}) op.AnswerNext(a);
  EXPECT_THROW(WriteSchedule(schedule, log, op), ProgramEnd);
  EXPECT_EQ(op.asked,
            (std::vector<std::string>(2, "Cannot rename or save schedule.  Retry or Cancel?")));
  EXPECT_EQ(op.told.at(1), "Quillrun cancelled due to save error.");
}

}  // namespace
}  // namespace qlr
