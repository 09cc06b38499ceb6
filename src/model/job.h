#pragma once
// The job record: one line of the schedule file plus the working fields the
// engine rebuilds whenever a schedule is loaded or a run day begins.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "model/fixed_text.h"
#include "model/job_status.h"
#include "model/text_list.h"

namespace qlr {

enum class AutoResched : uint8_t {
  Never = 0,
  Success = 1,
  Always = 2,
  Failure = 3
};  // stored as numbers

struct ProcessInfo {
  int32_t process_handle = 0;  // on Linux: the process start time, guarding against pid reuse
  int32_t thread_handle = 0;
  int32_t process_id = 0;
  int32_t thread_id = 0;
};

// The five texts of an end-of-job message: 0 the subject, 1..4 body entries.
using MessageTexts = TextList<5>;

struct Job {
  // Stored fields (the schedule file's columns).
  FixedText<8> Group;
  FixedText<8> JobName;
  std::string CommandLine;
  std::vector<std::string> RunAfter;  // predecessor names; never an empty entry
  std::string DepConditions;          // one of "S", "F", "U" per RunAfter entry
  std::string DepAutoUnsched;         // "Y" or blank per RunAfter entry
  std::string WaitFile;               // "" none, "..NAME" a standard trigger, else a path
  FixedText<5> EarliestStart;         // "hh:mm" or blank
  DateTime EarliestStartAt = 0;
  std::string Exclusivity;
  std::string Frequency;
  FixedText<11> SkipOn;
  bool DeferRollover = false;
  DateTime StartedAt = 0;
  DateTime EndedAt = 0;
  uint8_t AutoReschedule = 0;  // an AutoResched value
  FixedText<1> OverrideCode;   // "U", "S" or blank
  bool FailedFlag = false;
  bool ForcedEnd = false;
  std::string NormalMailTo, NormalMailCc, AbnormalMailTo, AbnormalMailCc;
  bool IsDosProgram = false;
  ProcessInfo Process;
  MessageTexts NormalMsg, AbnormalMsg;
  MessageTexts NormalMsgFlags, AbnormalMsgFlags;  // "FVAFD" as "0"/"1" per body entry
  FixedText<8> Reserved24;
  int16_t Reserved25 = 0;
  int32_t LastDuration = 0;  // seconds
  int16_t DeferEojMsgMins = 0;
  FixedText<100> TriggerFile;  // blank none, kStandardTriggerMark, else a path
  bool DeleteWaitFile = false;
  FixedText<150> Description;
  bool SubmitOnly = false;
  int32_t Reserved34 = 0;
  bool Critical = false;
  bool SuppressEmptyMsg = false;
  int16_t CpuUsage = 0;
  TextList<7> DateVars;

  // Working fields.
  bool DueToday = false;
  bool SkipToday = false;
  JobStatus Status = JobStatus::Scheduled;
  std::string StatusText;
  bool TriggerForced = false;
  int16_t EventIndex = -1;
  int32_t ErrorWindow = 0;
  DateTime EndCheckAfter = 0;
  bool ErrorFound = false;
  FixedText<100> ErrorText;
  FixedText<100> FailText;
};

// A new job as a new schedule's placeholder has it: named and grouped "Dummy",
// frequency "WorkDays", the stock date variables, everything else empty.
Job NewPlaceholderJob();
void SetStockDateVars(Job& job);

}  // namespace qlr
