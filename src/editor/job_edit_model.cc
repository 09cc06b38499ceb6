#include "editor/job_edit_model.h"

#include "base/date_format.h"
#include "base/field.h"
#include "base/number.h"
#include "base/text.h"
#include "calendar/holidays.h"
#include "editor/executable_search.h"
#include "editor/group_list.h"
#include "editor/rename_propagation.h"
#include "editor/runtime_doc.h"
#include "editor/typing_rules.h"
#include "model/constants.h"
#include "store/launch_values.h"

namespace qlr {
namespace {

constexpr const char* kTriggerChange =
    "A change has been made which affects the creation of a trigger file by this job.\n"
    "It is important that jobs in other schedules which are dependent on this one are updated "
    "accordingly.\n"
    "Press OK to proceed or Cancel to re-edit the job.";

// The command line after its program (a leading quoted part counting as one
// word), trimmed.
std::string ParametersOf(std::string_view command_line) {
  const std::string_view line = TrimView(command_line);
  if (line.empty()) return "";
  const size_t from = line.front() == '"' ? line.find('"', 1) : 0;
  if (from == std::string_view::npos) return "";
  const size_t blank = line.find(' ', from);
  return blank == std::string_view::npos ? "" : Trim(line.substr(blank));
}

bool NamesDaily(std::string_view frequency) { return ContainsNoCase(frequency, "Daily"); }

// The schedule's distinct groups, first occurrence first.
std::vector<std::string> ScheduleGroups(const Schedule& schedule) {
  std::vector<std::string> groups = FillGroupList(schedule, "").groups;
  groups.pop_back();  // "(All)"
  return groups;
}

}  // namespace

JobEditModel::JobEditModel(Schedule& schedule, RunLog& log, Operator& op, const Clock& clock,
                           int current_job, bool is_new, SaveSchedule save)
    : schedule_(schedule),
      log_(log),
      op_(op),
      current_job_(current_job),
      is_new_(is_new),
      save_(std::move(save)),
      date_vars_(schedule, log, op, clock) {}

void JobEditModel::Open() {
  Job& job = schedule_[current_job_];
  groups_ = ScheduleGroups(schedule_);
  LoadFields();
  fields.trigger = OpenTriggerCreation(job);
  fields.wait = OpenWaitFile(schedule_, job, op_);
  // A job without a group yet would see an empty list of its own group.
  dependencies_.Fill(schedule_, log_, op_, job, !job.Group.IsBlank(), job.Group.Trimmed());
  date_vars_.Load(job.DateVars);
  skip_on_choices_ = SkipOnChoices(schedule_, fields.SkipOn);
}

void JobEditModel::LoadFields() {
  const Job& job = schedule_[current_job_];
  fields.JobName = job.JobName.Str();
  fields.CommandLine = job.CommandLine;
  null_job_ = !is_new_ && TrimView(job.CommandLine).empty();
  fields.IsDosProgram = job.IsDosProgram;
  fields.DeferRollover = job.DeferRollover;
  fields.Group = job.Group.Str();
  fields.Description = job.Description.Str();
  fields.CpuUsage = std::to_string(job.CpuUsage);
  fields.SubmitOnly = job.SubmitOnly;
  fields.AutoReschedule = job.AutoReschedule < kRescheduleChoices.size() ? job.AutoReschedule : 0;
  fields.Critical = job.Critical;
  fields.EarliestStart = job.EarliestStart.Str();
  fields.SkipOn = job.SkipOn.Str();
  fields.Frequency = job.Frequency;
  fields.Exclusivity = job.Exclusivity;
  fields.normal = ReadMessageFields(job, MessageKind::Normal);
  fields.abnormal = ReadMessageFields(job, MessageKind::Abnormal);
  fields.SuppressEmptyMsg = job.SuppressEmptyMsg;
  fields.DeferEojMsgMins = std::to_string(job.DeferEojMsgMins);
}

std::string JobEditModel::Caption() const {
  const std::string name = Trim(fields.JobName);
  return name.empty() ? "Edit Job" : name + " - Edit Job";
}

bool JobEditModel::CriticalVisible() const { return schedule_.AllowCritical; }

bool JobEditModel::RescheduleEnabled() const { return !fields.SubmitOnly && !fields.DeferRollover; }

bool JobEditModel::SubmitOnlyEnabled() const { return fields.AutoReschedule == 0; }

void JobEditModel::SetCommandLine(std::string_view command_line) {
  fields.CommandLine = std::string(command_line);
  if (NamesComProgram(command_line)) fields.IsDosProgram = true;
}

void JobEditModel::BrowsedExecutable(std::string_view file) {
  if (file.find('/') == std::string_view::npos) return;
  const std::string program = Trim(file);
  const std::string parameters = ParametersOf(fields.CommandLine);
  std::string command = program.find(' ') == std::string::npos ? program : QuoteText(program);
  if (!parameters.empty()) command += " " + parameters;
  SetCommandLine(command);
}

void JobEditModel::ChooseWait(WaitChoice choice) {
  fields.wait.choice = choice;
  if (choice == WaitChoice::None) fields.wait.delete_file = false;
  if (choice == WaitChoice::Interschedule)
    BuildTriggers(schedule_, schedule_[current_job_], op_, fields.wait);
}

void JobEditModel::ShowSameGroup(bool same_group) {
  if (same_group)
    dependencies_.ShowSameGroup(schedule_, fields.Group);
  else
    dependencies_.ShowAllGroups(schedule_);
}

void JobEditModel::ChooseSkipOn(int entry,
                                const std::function<std::optional<DateTime>(DateTime)>& pick) {
  if (entry < 0 || entry > 3) return;
  if (entry == 3) {
    const std::optional<DateTime> shown = ParseDate(skip_on_choices_[1]);
    const std::optional<DateTime> picked = pick ? pick(shown.value_or(schedule_.RunDate)) : shown;
    if (!picked) return;
    skip_on_choices_[1] = FormatShortDate(schedule_.Calendar, *picked);
    entry = 1;
  }
  fields.SkipOn = skip_on_choices_[static_cast<size_t>(entry)];
}

void JobEditModel::SetSkipOnDate(DateTime date) {
  fields.SkipOn = FormatShortDate(schedule_.Calendar, date);
}

std::string JobEditModel::AddFrequencyKey(
    std::string_view key, const std::function<std::optional<DateTime>()>& pick_date) {
  const std::string term = RelDaySelect(op_, schedule_.Calendar, key, pick_date);
  fields.Frequency = AddFrequencyTerm(fields.Frequency, term);
  return term;
}

std::vector<std::string> JobEditModel::TryFrequency() const {
  return qlr::TryFrequency(schedule_, fields.Frequency, fields.SkipOn);
}

FlagAvailability JobEditModel::BodyFlags(MessageKind kind, int line) {
  const MessageFields& m = Message(kind);
  return BodyFlagsAvailable(m.lines.at(static_cast<size_t>(line)),
                            m.flags.at(static_cast<size_t>(line)));
}

IncludedFile JobEditModel::BeginIncludedFile(MessageKind kind, int line) {
  const MessageFields& m = Message(kind);
  const std::string& flags = m.flags.at(static_cast<size_t>(line));
  return {m.lines.at(static_cast<size_t>(line)), FlagTicked(flags, MsgFlag::Att),
          FlagTicked(flags, MsgFlag::Flt), FlagTicked(flags, MsgFlag::Var),
          FlagTicked(flags, MsgFlag::Del)};
}

void JobEditModel::EndIncludedFile(MessageKind kind, int line, const IncludedFile& result) {
  if (result.IncFileName.empty()) return;
  MessageFields& m = Message(kind);
  m.lines.at(static_cast<size_t>(line)) = result.IncFileName;
  std::string& flags = m.flags.at(static_cast<size_t>(line));
  SetFlag(flags, MsgFlag::Fil, true);
  SetFlag(flags, MsgFlag::Att, result.IncAttach);
  SetFlag(flags, MsgFlag::Flt, result.IncFilter);
  SetFlag(flags, MsgFlag::Var, result.IncDateVar);
  SetFlag(flags, MsgFlag::Del, result.IncDeleteAfter);
}

// ---------------------------------------------------------------------------
// The checks of OK, in their order.

bool JobEditModel::Fail(const std::string& text, EditTab tab, EditField field,
                        const std::string& title) {
  op_.Tell(text, title);
  focus_ = {tab, field};
  return false;
}

bool JobEditModel::CheckNames() {
  if (TrimView(fields.Group).empty())
    return Fail("Group Name not entered", EditTab::Submission, EditField::Group);
  const std::string_view name = TrimView(fields.JobName);
  if (name.empty()) return Fail("Job Name not entered", EditTab::Submission, EditField::JobName);
  for (int i = 1; i <= schedule_.JobCount(); ++i)
    if (i != current_job_ && EqualsNoCase(schedule_[i].JobName.Trimmed(), name))
      return Fail("Duplicate Job Name", EditTab::Submission, EditField::JobName);
  return true;
}

bool JobEditModel::CheckEarliestStart() {
  const std::string start = Trim(fields.EarliestStart);
  if (start.empty()) return true;
  if (!MatchesMask(start, "00:00"))
    return Fail("Invalid earliest Start Time. Must be empty or \"nn:nn\"", EditTab::Timing,
                EditField::EarliestStart);
  if (!ParseTimeOfDay(start))
    return Fail("Earliest Start Time is not a valid time value", EditTab::Timing,
                EditField::EarliestStart);
  return true;
}

bool JobEditModel::CheckWaitFile() {
  const WaitFileChoice& wait = fields.wait;
  if (wait.choice == WaitChoice::External && TrimView(wait.file_name).empty())
    return Fail("External trigger file not specified", EditTab::Dependencies,
                EditField::WaitFileName);
  if (wait.choice == WaitChoice::External && wait.file_name.find("..") != std::string::npos)
    return Fail("External trigger file name contains invalid characters", EditTab::Dependencies,
                EditField::WaitFileName);
  if (wait.choice == WaitChoice::Interschedule && wait.selected < 0)
    return Fail("Interschedule prerequisite job not selected", EditTab::Dependencies,
                EditField::TriggerJobs);
  return true;
}

// A null job that others wait for must run every day, or they wait in vain.
void JobEditModel::OfferDaily(bool applies, const std::string& question) {
  if (applies && TrimView(fields.CommandLine).empty() && !NamesDaily(fields.Frequency) &&
      op_.Ask(question, Buttons::YesNo) == Answer::Yes)
    fields.Frequency = "Daily";
}

bool JobEditModel::CheckMessage(MessageKind kind) {
  const MessageFields& m = Message(kind);
  const bool normal = kind == MessageKind::Normal;
  const std::string what = normal ? "EOJ Email" : "Abnormal EOJ Email";
  const bool addressed = !TrimView(m.to).empty() || !TrimView(m.cc).empty();
  if (!m.HasContents() && addressed)
    return Fail("Address specified but no message contents for " + what,
                normal ? EditTab::NormalEoj : EditTab::AbnormalEoj,
                normal ? EditField::NormalSubject : EditField::AbnormalSubject, "No Message");
  if (m.HasContents() && TrimView(m.to).empty())
    op_.Tell("Warning no \"To\" address on " + what + ".", "No Email Address");
  return true;
}

bool JobEditModel::Valid() {
  if (!CheckNames()) return false;
  if (TrimView(fields.CommandLine).empty() && !null_job_)
    op_.Tell("Warning:  Empty command line will generate a null job");
  if (!CheckEarliestStart()) return false;
  OfferDaily(fields.trigger.choice != TriggerChoice::None,
             "Null job creating trigger file - Daily frequency recommended.  Change to "
             "\"Daily\"?");
  if (!CheckWaitFile()) return false;
  OfferDaily(fields.wait.choice == WaitChoice::Interschedule,
             "Null job with interschedule dependency - Daily frequency recommended.  Change to "
             "\"Daily\"?");
  return CheckMessage(MessageKind::Normal) && CheckMessage(MessageKind::Abnormal);
}

// ---------------------------------------------------------------------------
// Closing.

// A job that had no name yet is new: nothing elsewhere can have followed its
// trigger file, so there is nothing to warn about.
bool JobEditModel::TriggerFileChanged() const {
  const Job& job = schedule_[current_job_];
  if (job.JobName.IsBlank()) return false;
  if (fields.trigger.choice == TriggerChoice::Interschedule)
    return !EqualsNoCase(TrimView(fields.JobName), job.JobName.Trimmed());
  return !EqualsNoCase(TrimView(TriggerFileToStore(fields.trigger)), job.TriggerFile.Trimmed());
}

bool JobEditModel::ConfirmTriggerChange() {
  return !TriggerFileChanged() ||
         op_.Ask(kTriggerChange, Buttons::OkCancel, "Trigger File Change") == Answer::Ok;
}

// A null job starts nothing, so there is nothing to find; nor need a job that
// is always skipped run anything.
bool JobEditModel::ConfirmExecutable() {
  const std::string program = ProgramOf(fields.CommandLine);
  if (program.empty() || !DirChk(program).empty() || TrimView(fields.SkipOn) == kSkipAlwaysKeyword)
    return true;
  if (op_.Ask("Cannot find executable: " + program + ". Press OK to override, Cancel to alter.",
              Buttons::OkCancel) == Answer::Ok)
    return true;
  focus_ = {EditTab::Submission, EditField::CommandLine};
  return false;
}

JobEditModel::Outcome JobEditModel::Ok() {
  focus_ = {};  // a refusal of an earlier OK is no longer the field to correct
  if (!Valid() || !ConfirmTriggerChange() || !ConfirmExecutable()) return Outcome::StaysOpen;
  Store();
  edit_cancelled_ = false;
  saved_ = save_ ? save_(schedule_, log_, op_) : false;
  return Outcome::Stored;
}

JobEditModel::Outcome JobEditModel::Cancel() {
  edit_cancelled_ = true;
  return Outcome::Cancelled;
}

JobEditModel::Outcome JobEditModel::CloseRequested() {
  switch (op_.Ask("Do you want to save any changes made to this job?", Buttons::YesNoCancel)) {
    case Answer::Yes:
      return Ok();
    case Answer::No:
      return Cancel();
    default:
      return Outcome::StaysOpen;
  }
}

// A new name is carried to the jobs that refer to the old one, and to the
// job's notes. A job that had no name yet has nothing referring to it.
void JobEditModel::StoreName(Job& job) {
  const std::string old_name = job.JobName.Str();
  const std::string new_name = FixedText<8>(Trim(fields.JobName)).Str();
  if (!old_name.empty() && !EqualsNoCase(old_name, new_name)) {
    UpdateDependents(schedule_, op_, old_name, new_name);
    UpdateTriggerDependents(schedule_, op_, old_name, new_name);
    RenameJobDoc(schedule_, op_, old_name, new_name);
  }
  job.JobName = new_name;
}

void JobEditModel::Store() {
  Job& job = schedule_[current_job_];
  job.Group = Trim(fields.Group);
  StoreName(job);
  job.CommandLine = fields.CommandLine;
  job.IsDosProgram = fields.IsDosProgram;
  job.SubmitOnly = fields.SubmitOnly;
  job.EarliestStart = fields.EarliestStart;
  job.Frequency = fields.Frequency;
  job.Exclusivity = fields.Exclusivity;
  job.SkipOn = fields.SkipOn;
  job.DeferRollover = fields.DeferRollover;
  job.Critical = fields.Critical;
  job.AutoReschedule = static_cast<uint8_t>(fields.AutoReschedule);
  dependencies_.Store(job);
  job.TriggerFile = TriggerFileToStore(fields.trigger);
  StoreWaitFile(fields.wait, job);
  StoreMessageFields(fields.normal, job, MessageKind::Normal);
  StoreMessageFields(fields.abnormal, job, MessageKind::Abnormal);
  job.CpuUsage = ReadInt16(fields.CpuUsage);
  job.SuppressEmptyMsg = fields.SuppressEmptyMsg;
  job.DeferEojMsgMins = ReadInt16(fields.DeferEojMsgMins);
  job.Description = fields.Description;
  job.DateVars = date_vars_.Store();
}

}  // namespace qlr
