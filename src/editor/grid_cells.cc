#include "editor/grid_cells.h"

#include <algorithm>

#include "base/date_format.h"
#include "base/field.h"
#include "base/text.h"
#include "model/constants.h"

namespace qlr {
namespace {

std::string BooleanCell(bool value) { return std::string(value ? kCellTrue : kCellFalse); }

std::string AutoRescheduleCell(uint8_t value) {
  switch (value) {
    case 1:
      return "Success";
    case 2:
      return "Unconditional";
    case 3:
      return "Failure";
    default:
      return "";
  }
}

std::string DateVariablesCell(const Job& job) {
  std::string cell;
  for (size_t i = 0; i < job.DateVars.size(); ++i) {
    if (i > 0) cell += ",";
    cell += GetField(job.DateVars[i], 1);
  }
  return cell;
}

std::string DependenciesCell(RunLog& log, const Job& job) {
  std::string cell;
  for (size_t i = 0; i < job.RunAfter.size(); ++i) {
    std::string name = Trim(job.RunAfter[i]);
    if (name.empty())
      log.FatalStop("Empty RunAfter entry for job " + job.JobName.Padded() + ".  Critical error.");
    if (i > 0) cell += ",";
    cell += name + "(" + job.DepConditions.substr(std::min(i, job.DepConditions.size()), 1) + ")";
  }
  return cell;
}

std::string WaitFileCell(const Job& job) {
  if (StartsWith(job.WaitFile, "..")) return "Inter(" + Trim(job.WaitFile.substr(2)) + ")";
  if (!job.WaitFile.empty()) return "File(" + Trim(job.WaitFile) + ")";
  return "";
}

// The time of day of a start or end; a job that has not run today shows none.
std::string TimeCell(const Job& job, DateTime at) {
  if (job.Status == JobStatus::Scheduled || job.Status == JobStatus::NotScheduled) return "";
  return FormatDateTime(at, "hh:nn");
}

std::string MailCell(const std::string& to, const std::string& cc) {
  std::string cell;
  if (!TrimView(to).empty()) cell += "To: " + Trim(to);
  if (!TrimView(cc).empty()) cell += " Cc: " + Trim(cc);
  return cell;
}

std::string TriggerCell(const Job& job) {
  if (job.TriggerFile.Trimmed() == kStandardTriggerMark)
    return "(" + std::string(kStandardTriggerMark.substr(2)) + ")";
  return job.TriggerFile.Str();
}

}  // namespace

std::string CellText(const Schedule&, RunLog& log, const Job& job, int column_id) {
  switch (column_id) {
    case 0:
      return job.JobName.Str();
    case 1:
      return job.Group.Str();
    case 2:
      return Trim(job.CommandLine);
    case 3:
      return job.Description.Str();
    case 4:
      return BooleanCell(job.IsDosProgram);
    case 5:
      return BooleanCell(job.SubmitOnly);
    case 6:
      return AutoRescheduleCell(job.AutoReschedule);
    case 7:
      return job.CpuUsage == 0 ? "" : std::to_string(job.CpuUsage);
    case 8:
      return DateVariablesCell(job);
    case 9:
      return job.EarliestStart.Padded();
    case 10:
      return Trim(job.Frequency);
    case 11:
      return DependenciesCell(log, job);
    case 12:
      return WaitFileCell(job);
    case 13:
      return Trim(job.Exclusivity);
    case 14:
      return job.SkipOn.Str();
    case 15:
      return BooleanCell(job.DeferRollover);
    case 16:
      return job.StatusText;
    case 17:
      return TimeCell(job, job.StartedAt);
    case 18:
      return TimeCell(job, job.EndedAt);
    case 19:
      return MailCell(job.NormalMailTo, job.NormalMailCc);
    case 20:
      return TriggerCell(job);
    case 21:
      return MailCell(job.AbnormalMailTo, job.AbnormalMailCc);
    case 22:
      return BooleanCell(job.Critical);
    default:
      return "";
  }
}

}  // namespace qlr
