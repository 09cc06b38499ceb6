#include "schedule_generator.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <random>
#include <stdexcept>
#include <string_view>

#include "base/clock.h"
#include "base/date_format.h"
#include "log/run_log.h"
#include "model/constants.h"
#include "platform/file_system.h"
#include "platform/operator.h"
#include "store/schedule_file.h"

namespace qlr {
namespace {

struct Group {
  std::string_view name, prefix, program;
};

constexpr std::array<Group, 20> kGroups = {{
    {"PAYROLL", "PAY", "payroll"},
    {"FINANCE", "FIN", "gl"},
    {"BACKUP", "BKP", "backup"},
    {"REPORTS", "RPT", "reports"},
    {"ETL", "ETL", "etl"},
    {"BILLING", "BIL", "billing"},
    {"HR", "HRS", "hr"},
    {"SALES", "SAL", "sales"},
    {"STOCK", "STK", "stock"},
    {"AUDIT", "AUD", "audit"},
    {"LEDGER", "LED", "ledger"},
    {"ARCHIVE", "ARC", "archive"},
    {"INVOICE", "INV", "invoice"},
    {"CRM", "CRM", "crm"},
    {"WEB", "WEB", "web"},
    {"MAIL", "MLS", "mail"},
    {"NIGHTLY", "NGT", "nightly"},
    {"MONTHEND", "MEN", "monthend"},
    {"TREASURY", "TRS", "treasury"},
    {"", "GEN", "misc"},
}};

constexpr std::array<std::string_view, 10> kActions = {"extract", "load",    "report", "reconcile",
                                                       "purge",   "archive", "post",   "summarise",
                                                       "export",  "validate"};

constexpr std::array<std::string_view, 15> kFrequencies = {
    "Workdays",    "Workdays", "Workdays", "Daily",          "Weekdays",
    "Mon Wed Fri", "+1WDOM",   "-1WDOM",   "-1CDOM",         "+2Tue",
    "Workdays+",   "Weekends", "Sat",      "+1CDOM +15CDOM", "24 Dec 2026"};

constexpr std::array<std::string_view, 4> kExclusivity = {"DBLOCK", "TAPE", "LEDGER GLOCK",
                                                          "NETCOPY"};

constexpr std::array<std::string_view, 4> kCustomDateVars = {
    "RUNDATE,RunDate,0,yyyymmdd", "YMD,RUND-1WD,0,yymmdd", "MONTHEND,-1CDOM,0,yyyymmdd",
    "PERIOD,+1CDOM,-1,yyyymm"};

class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}

  Job MakeJob(int index);

 private:
  int Pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  bool Chance(int percent) { return Pick(100) < percent; }
  template <typename Array>
  std::string_view PickFrom(const Array& a) {
    return a[static_cast<size_t>(Pick(static_cast<int>(a.size())))];
  }

  void SetIdentity(Job& job, int index, const Group& group, std::string_view action);
  void SetTiming(Job& job);
  void SetDependencies(Job& job, int index);
  void SetMessages(Job& job, const Group& group);
  void SetRunState(Job& job);
  void SetDateVars(Job& job);

  std::mt19937 rng_;
};

std::string JobName(const Group& group, int index) {
  std::string digits = std::to_string(index);
  return std::string(group.prefix) + std::string(5 - digits.size(), '0') + digits;
}

void Generator::SetIdentity(Job& job, int index, const Group& group, std::string_view action) {
  job.JobName = JobName(group, index);
  job.Group = group.name;
  std::string dir = "/opt/" + std::string(group.program);
  job.CommandLine = dir + "/bin/" + std::string(action) + " -d &RUNDATE& " + dir + "/" +
                    std::string(action) + ".csv";
  job.Description =
      "The " + std::string(action) + " step of the " + std::string(group.program) + " cycle";
  job.IsDosProgram = Chance(5);
  job.CpuUsage = static_cast<int16_t>(Pick(5) * 10);
}

void Generator::SetTiming(Job& job) {
  job.Frequency = PickFrom(kFrequencies);
  if (Chance(20)) {
    std::string hh = std::to_string(6 + Pick(14));
    job.EarliestStart = (hh.size() < 2 ? "0" + hh : hh) + (Chance(50) ? ":00" : ":30");
  }
  if (Chance(2)) job.SkipOn = "Always";
  if (Chance(10)) job.Exclusivity = PickFrom(kExclusivity);
  job.DeferRollover = Chance(10);
  job.AutoReschedule = static_cast<uint8_t>(Chance(5) ? 1 + Pick(3) : 0);
}

// Up to three earlier jobs, mostly close by, as real chains of work are.
void Generator::SetDependencies(Job& job, int index) {
  int count = index == 1 ? 0 : Pick(4);
  for (int k = 0; k < count; ++k) {
    int other = index - 1 - Pick(std::min(index - 1, 200));
    std::string name = JobName(kGroups[static_cast<size_t>(other % 20)], other);
    if (std::find(job.RunAfter.begin(), job.RunAfter.end(), name) != job.RunAfter.end()) continue;
    job.RunAfter.push_back(name);
    job.DepConditions += "SSSFU"[Pick(5)];
    job.DepAutoUnsched += Chance(20) ? 'Y' : ' ';
  }
  if (Chance(3)) job.WaitFile = Chance(50) ? "..PAY00020" : "/srv/inbound/ready.flag";
  if (Chance(5)) job.TriggerFile = Chance(60) ? kStandardTriggerMark : "/srv/outbound/done.trg";
}

void Generator::SetMessages(Job& job, const Group& group) {
  if (!Chance(20)) return;
  std::string team = std::string(group.program) + "-team@example.com";
  job.AbnormalMailTo = "ops@example.com;" + team;
  job.AbnormalMsg.Set(0, "%JobName% failed at %EndTime%");
  job.AbnormalMsg.Set(1, "Please check the output of the run");
  job.AbnormalMsgFlags = {"", "00000", "00000", "00000", "00000"};
  if (Chance(50)) job.NormalMailTo = team;
  job.Critical = Chance(10);
}

void Generator::SetRunState(Job& job) {
  job.LastDuration = 1 + Pick(3600);
  job.EarliestStartAt = MakeDateTime(2026, 12, 4, 6, 0, 0);
  if (!Chance(35)) return;
  job.StartedAt = job.EarliestStartAt + Pick(40000);
  job.EndedAt = job.StartedAt + job.LastDuration;
  job.Process = {static_cast<int32_t>(job.StartedAt % 100000), 0, 1000 + Pick(60000), 0};
  job.Process.thread_id = job.Process.process_id;
  job.FailedFlag = Chance(3);
}

void Generator::SetDateVars(Job& job) {
  if (!Chance(15)) return;  // the rest get the stock variables when read
  int first = Pick(4), count = 1 + Pick(3);
  for (int k = 0; k < count; ++k)
    job.DateVars[static_cast<size_t>(k)] = kCustomDateVars[static_cast<size_t>((first + k) % 4)];
}

Job Generator::MakeJob(int index) {
  Job job;
  const Group& group = kGroups[static_cast<size_t>(index % 20)];
  SetIdentity(job, index, group, PickFrom(kActions));
  SetTiming(job);
  SetDependencies(job, index);
  SetMessages(job, group);
  SetRunState(job);
  SetDateVars(job);
  return job;
}

class SilentOperator : public Operator {
 public:
  void Tell(const std::string& text, const std::string&) override {
    throw std::runtime_error(text);
  }
  Answer Ask(const std::string&, Buttons, const std::string&) override { return Answer::Cancel; }
  std::optional<std::string> Input(const std::string&, const std::string&,
                                   const std::string&) override {
    return std::nullopt;
  }
};

std::string IniText() {
  constexpr std::string_view kLines[] = {"[Quillrun]",
                                         "ScheduleName=BENCH",
                                         "ScheduleFile=bench.sch",
                                         "LogFile=log/bench_yyyymmdd.log",
                                         "EmailAddrPath=addr",
                                         "TriggerPath=triggers",
                                         "TrackerPath=trackers",
                                         "JobDocPath=docs",
                                         "EmailPath=email",
                                         "EmailAttPath=attach",
                                         "PubHols=holidays.txt",
                                         "HelpPath=help",
                                         "DateDisplayFormat=0",
                                         "Workdays=Mon,Tue,Wed,Thu,Fri",
                                         "AllowCritical=Y",
                                         "MinJobLaunch=10",
                                         "EmailAddressFormat=Address",
                                         "DayStart=06:00",
                                         "CPULimit=9999",
                                         "ShowFailedJobsWarning=N",
                                         "RunTimeErrorText=RUN-TIME ERROR",
                                         "TimerSecs=30"};
  std::string text;
  for (std::string_view line : kLines) text.append(line).append("\r\n");
  return text;
}

// New Year's Day and Christmas Day from 2020 until ten years from now.
std::string HolidaysText() {
  int last = ToCivilDate(SystemClock().Now()).year + 10;
  std::string text = "; Public holidays\r\n";
  for (int year = 2020; year <= last; ++year) {
    text += FormatDateTime(MakeDate(year, 1, 1), "d mmm yyyy") + ",New Year's Day\r\n";
    text += FormatDateTime(MakeDate(year, 12, 25), "d mmm yyyy") + ",Christmas Day\r\n";
  }
  return text;
}

}  // namespace

Schedule GenerateSchedule(int jobs, unsigned seed) {
  Schedule schedule;
  schedule.ScheduleName = "BENCH";
  // Files kept beside the schedule file (the run journal of jobs a benchmark
  // starts) go to the temporary folder, never to the current one.
  schedule.ScheduleFile = (std::filesystem::temp_directory_path() / "qlr_bench.sch").string();
  schedule.RunDate = MakeDate(2026, 12, 4);
  schedule.DayStart = 6 * 3600;
  schedule.DayStartAt = schedule.RunDate + schedule.DayStart;
  schedule.Calendar.HolidayDays = {DayNumber(MakeDate(2026, 12, 25)),
                                   DayNumber(MakeDate(2027, 1, 1))};
  schedule.Jobs.reserve(static_cast<size_t>(jobs) + 1);
  Generator generator(seed);
  for (int i = 1; i <= jobs; ++i) schedule.Jobs.push_back(generator.MakeJob(i));
  return schedule;
}

void WriteScheduleFiles(const std::string& dir, int jobs) {
  for (std::string_view sub :
       {"log", "addr", "triggers", "trackers", "docs", "email", "attach", "help"})
    std::filesystem::create_directories(std::filesystem::path(dir) / sub);
  if (!WriteWholeFile(JoinPath(dir, "bench.ini"), IniText()) ||
      !WriteWholeFile(JoinPath(dir, "holidays.txt"), HolidaysText()))
    throw std::runtime_error("cannot write into " + dir);
  Schedule schedule = GenerateSchedule(jobs, 20261204);
  schedule.ScheduleFile = JoinPath(dir, "bench.sch");
  schedule.TriggerPath = JoinPath(dir, "triggers");
  schedule.TriggersListFile = JoinPath(schedule.TriggerPath, "Triggers.Lst");
  SystemClock clock;
  SilentOperator op;
  RunLog log(schedule, clock, op);
  WriteSchedule(schedule, log, op);
}

}  // namespace qlr
